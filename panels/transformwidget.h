#ifndef TRANSFORMWIDGET_H
#define TRANSFORMWIDGET_H

#include <QPointF>
#include <QPointer>
#include <QWidget>

class QDoubleSpinBox;
class QSpinBox;

// The "Geometry" panel: angle, width, height and position of the selected items.
// The width and height travel as shearHorizontal and shearVertical, each on
// its own, so that an edit of one never writes the other.
class TransformWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TransformWidget(QWidget *parent = nullptr);

    // Show values without emitting anything.
    void setAngle(double angle);
    void setShear(int shearHorizontal, int shearVertical);
    void setPosition(const QPointF &position);

signals:
    void angleChanged(double angle);
    void shearHorizontalChanged(int shearHorizontal);
    void shearVerticalChanged(int shearVertical);
    void positionChanged(const QPointF &position);

private slots:
    void updatePosition();

private:
    QPointer<QDoubleSpinBox> angleSpinBox;
    QPointer<QSpinBox> shearHorizontalSpinBox;
    QPointer<QSpinBox> shearVerticalSpinBox;
    QPointer<QDoubleSpinBox> xSpinBox;
    QPointer<QDoubleSpinBox> ySpinBox;
};

#endif // TRANSFORMWIDGET_H
