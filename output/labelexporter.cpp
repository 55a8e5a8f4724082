#include "labelexporter.h"

#include "output/labelrenderer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

// Qt's resolution for laying out text where no paint device is given, as
// the texts of a scene are.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace {
const double MillimetresPerPoint = 25.4 / 72;
} // namespace

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
    // Drawn in points in a view box of the page, with the size in
    // millimetres: any reader shows the label at its true size, not at the
    // 96 user units an inch that SVG takes for unitless lengths.
    const QRect page(QPoint(0, 0), pagePoints);
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setViewBox(page);
    // The generator gives a font its point size times resolution / 72 in
    // user units, while texts were laid out at the screen's resolution.
    generator.setResolution(qt_defaultDpiY());
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    renderer.render(&painter, page, values);
    if (!painter.end())
        return false;
    QByteArray svg = buffer.data();
    const int svgStart = svg.indexOf("<svg");
    const int defsEnd = svg.indexOf("</defs>\n");
    const int svgEnd = svg.lastIndexOf("</svg>");
    if (svgStart < 0 || defsEnd < svgStart || svgEnd < defsEnd)
        return false;
    // The generator writes no clipping: the page's clip path keeps items
    // that reach past the label's edge out of the drawing wherever it is
    // placed, not only where a reader clips to the view box.
    const QByteArray clipPath = QString("<clipPath id=\"page\"><rect width=\"%1\" height=\"%2\"/></clipPath>\n"
                                        "</defs>\n<g clip-path=\"url(#page)\">\n")
                                    .arg(page.width())
                                    .arg(page.height())
                                    .toUtf8();
    const QByteArray size = QString(" width=\"%1mm\" height=\"%2mm\"")
                                .arg(page.width() * MillimetresPerPoint, 0, 'g', 10)
                                .arg(page.height() * MillimetresPerPoint, 0, 'g', 10)
                                .toUtf8();
    svg.insert(svgEnd, "</g>\n");
    svg.replace(defsEnd, int(qstrlen("</defs>\n")), clipPath);
    svg.insert(svgStart + int(qstrlen("<svg")), size);
    return device->write(svg) == svg.size();
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
