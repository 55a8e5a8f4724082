#ifndef SIZEDITEM_H
#define SIZEDITEM_H

#include <QGraphicsItem>
#include <QObject>

// The largest side of a barcode or an image in scene units, as for QR
// codes: the transform panel sets at most 999.
constexpr int MaximumItemSide = 1024;

// An item drawn into a rectangle of its own width and height from its
// position, turned by its angle: what barcodes and images share. Width and
// height travel as shearHorizontal and shearVertical, and every setter acts
// only on a selected item, as the panels reach all items.
class SizedItem : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double angle READ angle WRITE setAngle)
    Q_PROPERTY(int shearHorizontal READ shearHorizontal WRITE setShearHorizontal)
    Q_PROPERTY(int shearVertical READ shearVertical WRITE setShearVertical)

public:
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
    SizedItem(int width, int height);

    // The rectangle drawn into; empty when the size cannot be drawn.
    QRectF sizeRect() const;
    // The size an item starts with, before it is shown.
    void setInitialSize(int width, int height);
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    double m_angle = 0.0;
    int m_shearHorizontal;
    int m_shearVertical;
};

#endif // SIZEDITEM_H
