#ifndef LABELEXPORTER_H
#define LABELEXPORTER_H

#include <QCoreApplication>
#include <QSize>
#include <QString>

class Placeholder;
class QGraphicsScene;

// Writes the label page to image files: a bitmap in the format of the file
// name's suffix, or an SVG drawing.
class LabelExporter
{
    Q_DECLARE_TR_FUNCTIONS(LabelExporter)

public:
    static bool isSvg(const QString &fileName);

    // Each returns empty, or why nothing was written.
    static QString exportFile(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                              const QSize &pagePoints, int dpi);
    static QString exportBitmap(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                                const QSize &pagePoints, int dpi);
    static QString exportSvg(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                             const QSize &pagePoints);
};

#endif // LABELEXPORTER_H
