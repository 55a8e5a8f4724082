#include "imageitem.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>
#include <QSvgRenderer>

namespace {

// A new item's longest side, in points.
const int DefaultSide = 144;

bool isSvg(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer) == "svg";
}

// The size an image reader reports before decoding; invalid when the bytes
// are no image it knows.
QSize pixelSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    return reader.canRead() ? reader.size() : QSize();
}

} // namespace

ImageItem::ImageItem(const QPoint &position, const QByteArray &bytes, QGraphicsScene *scene)
    : SizedItem(0, 0)
{
    setPos(position);
    setBytes(bytes);
    QSizeF size = m_drawing ? m_drawing->defaultSize() : m_image.size();
    if (!size.isEmpty())
        size.scale(DefaultSide, DefaultSide, Qt::KeepAspectRatio);
    setInitialSize(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
    scene->clearSelection();
    scene->addItem(this);
    setSelected(true);
}

QString ImageItem::check(const QByteArray &bytes)
{
    if (bytes.size() > MaximumImageBytes)
        return tr("The image is too large for a label: %1 bytes, at most %2.").arg(bytes.size()).arg(MaximumImageBytes);
    if (isSvg(bytes))
        return QSvgRenderer(bytes).isValid() ? QString() : tr("The SVG drawing cannot be read.");
    const QSize size = pixelSize(bytes);
    if (!size.isValid())
        return tr("The data is no image in a format this program reads.");
    if (qint64(size.width()) * size.height() > MaximumImagePixels)
        return tr("The image is too large for a label: %1 x %2 pixels, at most %3 pixels.")
            .arg(size.width())
            .arg(size.height())
            .arg(MaximumImagePixels);
    return QString();
}

void ImageItem::setBytes(const QByteArray &bytes)
{
    m_bytes = bytes;
    delete m_drawing;
    m_image = QImage();
    // Bytes from a damaged label are checked as a new image is; what fails
    // shows as an empty frame and is still saved as it came.
    if (!check(bytes).isEmpty())
        return;
    if (isSvg(bytes))
        m_drawing = new QSvgRenderer(bytes, this);
    else
        m_image = QImage::fromData(bytes);
}

void ImageItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const QRectF rect = sizeRect();
    if (rect.isEmpty())
        return;
    painter->save();
    if (m_drawing) {
        m_drawing->render(painter, rect);
    } else if (!m_image.isNull()) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(rect, m_image);
    } else {
        painter->setPen(QPen(Qt::red, 0));
        painter->drawRect(rect);
    }
    if (option->state & QStyle::State_Selected) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(option->palette.windowText(), 0, Qt::DashLine));
        painter->drawRect(rect);
    }
    painter->restore();
}
