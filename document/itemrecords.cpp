#include "itemrecords.h"

#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>

// A record cut short yields whatever QDataStream gives past the end, and
// the item takes those values, except a pen, brush or font: those it keeps.

QDataStream &operator<<(QDataStream &out, const BoxItem &box)
{
    out << box.pos() << box.angle() << qint32(box.shearHorizontal())
        << qint32(box.shearVertical()) << box.zValue() << box.rect() << box.pen()
        << box.brush();
    return out;
}

QDataStream &operator>>(QDataStream &in, BoxItem &box)
{
    QPointF position;
    double angle = 0.0;
    qint32 width = 0;
    qint32 height = 0;
    double z = 0.0;
    QRectF rectangle;
    QPen pen;
    QBrush brush;
    in >> position >> angle >> width >> height >> z >> rectangle >> pen;
    const bool penWhole = in.status() == QDataStream::Ok;
    in >> brush;
    const bool brushWhole = in.status() == QDataStream::Ok;

    box.setPos(position);
    box.setAngle(angle);
    box.setShear(width, height);
    box.setZValue(z);
    // The stored rectangle, not the stored size, decides the final geometry.
    box.setRect(rectangle);
    box.updateShearFromRect();
    // A pen or brush cut short may hold a gradient Qt cannot paint.
    if (penWhole)
        box.setPen(pen);
    if (brushWhole)
        box.setBrush(brush);
    return in;
}

QDataStream &operator<<(QDataStream &out, const QRCodeItem &item)
{
    out << item.pos() << item.angle() << qint32(item.shearHorizontal())
        << qint32(item.shearVertical()) << item.zValue() << item.plainText();
    return out;
}

QDataStream &operator>>(QDataStream &in, QRCodeItem &item)
{
    QPointF position;
    double angle = 0.0;
    qint32 width = 0;
    qint32 height = 0;
    double z = 0.0;
    QString text;
    in >> position >> angle >> width >> height >> z >> text;

    item.setPos(position);
    item.setAngle(angle);
    if (width != item.m_shearHorizontal || height != item.m_shearVertical) {
        item.m_shearHorizontal = width;
        item.m_shearVertical = height;
        item.updatePixmap();
    }
    item.setZValue(z);
    if (text != item.m_text) {
        item.m_text = text;
        item.updatePixmap();
    }
    return in;
}

QDataStream &operator<<(QDataStream &out, const TextItem &item)
{
    out << item.pos() << item.zValue() << item.toPlainText() << item.font();
    return out;
}

QDataStream &operator>>(QDataStream &in, TextItem &item)
{
    QPointF position;
    double z = 0.0;
    QString text;
    QFont font;
    in >> position >> z >> text >> font;

    item.setPos(position);
    item.setZValue(z);
    // The font first: the text is then laid out once, in its own font. A
    // font cut short may ask for glyphs of any size.
    if (in.status() == QDataStream::Ok)
        item.setFont(font);
    item.setPlainText(text);
    return in;
}

namespace {

// The fields every barcode and image entry starts with.
void writeSized(QDataStream &out, const SizedItem &item)
{
    out << item.pos() << item.angle() << qint32(item.shearHorizontal()) << qint32(item.shearVertical())
        << item.zValue();
}

void readSized(QDataStream &in, SizedItem &item)
{
    QPointF position;
    double angle = 0.0;
    qint32 width = 0;
    qint32 height = 0;
    double z = 0.0;
    in >> position >> angle >> width >> height >> z;
    item.setPos(position);
    item.setAngle(angle);
    item.setShear(width, height);
    item.setZValue(z);
}

} // namespace

QDataStream &operator<<(QDataStream &out, const BarcodeItem &item)
{
    writeSized(out, item);
    out << item.plainText() << qint32(item.symbology()) << item.showText();
    return out;
}

QDataStream &operator>>(QDataStream &in, BarcodeItem &item)
{
    readSized(in, item);
    QString text;
    qint32 symbology = BarcodeItem::Code128;
    bool showText = true;
    in >> text >> symbology >> showText;
    // A number no longer offered (or a record cut short) keeps the default.
    item.setCode(text, BarcodeItem::isSymbology(symbology) ? BarcodeItem::Symbology(symbology) : item.symbology(),
                 showText);
    return in;
}

QDataStream &operator<<(QDataStream &out, const ImageItem &item)
{
    writeSized(out, item);
    out << item.bytes();
    return out;
}

QDataStream &operator>>(QDataStream &in, ImageItem &item)
{
    readSized(in, item);
    QByteArray bytes;
    in >> bytes;
    item.setBytes(bytes);
    return in;
}
