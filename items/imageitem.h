#ifndef IMAGEITEM_H
#define IMAGEITEM_H

#include "items/sizeditem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>

class QGraphicsScene;
class QSvgRenderer;

// Images are refused above these bounds: the bytes live in the label file
// and in every undo step, and the pixels in memory once decoded.
constexpr int MaximumImageBytes = 2 * 1024 * 1024;
constexpr qint64 MaximumImagePixels = 4096 * 4096;

// A picture on the label: the bytes of the original file, kept as they are
// so that the label stays self-contained, drawn at the item's width and
// height; SVG drawings as vectors.
class ImageItem : public SizedItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 5 };

    // An item showing bytes, which check() must have accepted.
    ImageItem(const QPoint &position, const QByteArray &bytes, QGraphicsScene *scene);

    int type() const override { return Type; }

    // Why bytes cannot be an image on a label; empty when they can.
    static QString check(const QByteArray &bytes);

    QByteArray bytes() const { return m_bytes; }

protected:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget = nullptr) override;

private:
    void setBytes(const QByteArray &bytes);

    QByteArray m_bytes;
    // One of the two: a drawing, or the decoded pixels; neither when the
    // bytes are no image within the bounds.
    QPointer<QSvgRenderer> m_drawing;
    QImage m_image;

    friend QDataStream &operator>>(QDataStream &in, ImageItem &item);
};

#endif // IMAGEITEM_H
