#include "labelexporter.h"

#include "output/labelrenderer.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {
QString failed(const QString &fileName)
{
    return LabelExporter::tr("Failed to export: %1").arg(fileName);
}
} // namespace

bool LabelExporter::isSvg(const QString &fileName)
{
    return fileName.endsWith(".svg", Qt::CaseInsensitive);
}

QString LabelExporter::exportFile(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                                  const QSize &pagePoints, int dpi)
{
    return isSvg(fileName) ? exportSvg(fileName, scene, values, pagePoints)
                           : exportBitmap(fileName, scene, values, pagePoints, dpi);
}

QString LabelExporter::exportBitmap(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                                    const QSize &pagePoints, int dpi)
{
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return QString("%1 (%2)").arg(failed(fileName), unprintable);
    // Whole device pixels per point, as the label printer's dots fall.
    const int scale = dpi / 72;
    QImage image(pagePoints * scale, QImage::Format_ARGB32);
    if (image.isNull())
        return failed(fileName);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(), values);
    painter.end();
    return image.save(fileName) ? QString() : failed(fileName);
}

QString LabelExporter::exportSvg(const QString &fileName, QGraphicsScene *scene, const Placeholder *values,
                                 const QSize &pagePoints)
{
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return QString("%1 (%2)").arg(failed(fileName), unprintable);
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(pagePoints);
    QPainter painter;
    if (!painter.begin(&generator))
        return failed(fileName);
    renderer.render(&painter, QRectF(), values);
    return painter.end() ? QString() : failed(fileName);
}
