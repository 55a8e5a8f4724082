#ifndef LABELRENDERER_H
#define LABELRENDERER_H

#include <QCoreApplication>
#include <QRectF>
#include <QString>

class LabelValues;
class Placeholder;
class QGraphicsScene;
class QPainter;

// Draws the label page of a scene for output: placeholders filled in, no
// selection frames, nothing but the label's own items. Afterwards the scene
// is as it was: texts, selection and everything a view shows.
class LabelRenderer
{
    Q_DECLARE_TR_FUNCTIONS(LabelRenderer)

public:
    explicit LabelRenderer(QGraphicsScene *scene);

    // The label page: the scene rectangle's size, in points.
    QSizeF pageSize() const;

    // Why the label cannot be drawn with these values (a code that cannot
    // be encoded once they are filled in); empty when it can. Without values
    // the placeholders stay as they are.
    QString check(const Placeholder *values) const;
    // The same for every label of a run, naming the first that fails.
    QString check(const LabelValues &values) const;

    // Draws the scene rectangle into target on the painter's device,
    // keeping its proportions; a null target is the whole device.
    void render(QPainter *painter, const QRectF &target, const Placeholder *values) const;

private:
    QGraphicsScene *scene;
};

#endif // LABELRENDERER_H
