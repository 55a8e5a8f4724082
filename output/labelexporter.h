#ifndef LABELEXPORTER_H
#define LABELEXPORTER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QSize>
#include <QString>

class LabelRenderer;
class Placeholder;
class QGraphicsScene;
class QIODevice;

// Writes the label page as an image: a bitmap in the format of the file
// name's suffix, or an SVG drawing.
class LabelExporter
{
    Q_DECLARE_TR_FUNCTIONS(LabelExporter)

public:
    static bool isSvg(const QString &fileName);
    // The image format a file name's suffix asks for; empty when none.
    static QByteArray bitmapFormat(const QString &fileName);

    // One label onto a device; false when it could not be written.
    static bool writeBitmap(QIODevice *device, const QByteArray &format, const LabelRenderer &renderer,
                            const Placeholder *values, const QSize &pagePoints, int dpi);
    static bool writeSvg(QIODevice *device, const LabelRenderer &renderer, const Placeholder *values,
                         const QSize &pagePoints);

    // The label into one file, written whole or not at all; empty, or why not.
    static QString exportFile(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                              const QSize &pagePoints, int dpi);
};

#endif // LABELEXPORTER_H
