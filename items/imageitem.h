#ifndef IMAGEITEM_H
#define IMAGEITEM_H

#include <QByteArray>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QImage>
#include <QObject>
#include <QPointer>

class QGraphicsScene;
class QSvgRenderer;

// Images are refused above these bounds: the bytes live in the label file
// and in every undo step, and the pixels in memory once decoded.
constexpr int MaximumImageBytes = 2 * 1024 * 1024;
constexpr qint64 MaximumImagePixels = 4096 * 4096;
// The largest side of an image item in scene units, as for codes.
constexpr int MaximumImageSide = 1024;

// A picture on the label: the bytes of the original file, kept as they are
// so that the label stays self-contained, drawn at the item's width and
// height; SVG drawings as vectors.
class ImageItem : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double angle READ angle WRITE setAngle)
    Q_PROPERTY(int shearHorizontal READ shearHorizontal WRITE setShearHorizontal)
    Q_PROPERTY(int shearVertical READ shearVertical WRITE setShearVertical)

public:
    enum { Type = UserType + 5 };

    // An item showing bytes, which check() must have accepted.
    ImageItem(const QPoint &position, const QByteArray &bytes, QGraphicsScene *scene);

    int type() const override { return Type; }

    // Why bytes cannot be an image on a label; empty when they can.
    static QString check(const QByteArray &bytes);

    QByteArray bytes() const { return m_bytes; }
    double angle() const { return m_angle; }
    int shearHorizontal() const { return m_shearHorizontal; }
    int shearVertical() const { return m_shearVertical; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;

signals:
    void dirty();

public slots:
    void setAngle(double angle);
    void setShearHorizontal(int shearHorizontal);
    void setShearVertical(int shearVertical);
    void setShear(int shearHorizontal, int shearVertical);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget = nullptr) override;

private:
    void setBytes(const QByteArray &bytes);
    QRectF imageRect() const;

    QByteArray m_bytes;
    // One of the two: a drawing, or the decoded pixels; neither when the
    // bytes are no image within the bounds.
    QPointer<QSvgRenderer> m_drawing;
    QImage m_image;
    double m_angle = 0.0;
    int m_shearHorizontal = 0;
    int m_shearVertical = 0;

    friend QDataStream &operator>>(QDataStream &in, ImageItem &item);
};

#endif // IMAGEITEM_H
