#include "labelexporter.h"

#include "output/labelrenderer.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

bool LabelExporter::isSvg(const QString &fileName)
{
    return fileName.endsWith(".svg", Qt::CaseInsensitive);
}

QByteArray LabelExporter::bitmapFormat(const QString &fileName)
{
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(format) ? format : QByteArray();
}

bool LabelExporter::writeBitmap(QIODevice *device, const QByteArray &format, const LabelRenderer &renderer,
                                const Placeholder *values, const QSize &pagePoints, int dpi)
{
    // Whole device pixels per point, as the label printer's dots fall.
    const int scale = dpi / 72;
    QImage image(pagePoints * scale, QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    // The file states the resolution it was drawn at, so that its physical
    // size is the label's.
    const int dotsPerMeter = qRound(scale * 72 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(), values);
    painter.end();
    return image.save(device, format.constData());
}

bool LabelExporter::writeSvg(QIODevice *device, const LabelRenderer &renderer, const Placeholder *values,
                             const QSize &pagePoints)
{
    QSvgGenerator generator;
    generator.setOutputDevice(device);
    generator.setSize(pagePoints);
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    renderer.render(&painter, QRectF(), values);
    return painter.end();
}

QString LabelExporter::exportFile(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                                  const QSize &pagePoints, int dpi)
{
    const QString failed = tr("Failed to export: %1").arg(fileName);
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return QString("%1 (%2)").arg(failed, unprintable);
    const QByteArray format = bitmapFormat(fileName);
    if (!isSvg(fileName) && format.isEmpty())
        return failed;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    const bool written = isSvg(fileName) ? writeSvg(&file, renderer, values, pagePoints)
                                         : writeBitmap(&file, format, renderer, values, pagePoints, dpi);
    return written && file.commit() ? QString() : failed;
}
