#include "sizeditem.h"

#include <QPainterPath>
#include <QTransform>

SizedItem::SizedItem(int width, int height)
    : m_shearHorizontal(width)
    , m_shearVertical(height)
{
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
}

QRectF SizedItem::sizeRect() const
{
    if (m_shearHorizontal <= 0 || m_shearVertical <= 0 || m_shearHorizontal > MaximumItemSide
        || m_shearVertical > MaximumItemSide)
        return QRectF();
    return QRectF(0, 0, m_shearHorizontal, m_shearVertical);
}

void SizedItem::setInitialSize(int width, int height)
{
    m_shearHorizontal = width;
    m_shearVertical = height;
}

QRectF SizedItem::boundingRect() const
{
    const QRectF rect = sizeRect();
    return rect.isEmpty() ? rect : rect.adjusted(-0.5, -0.5, 0.5, 0.5);
}

QPainterPath SizedItem::shape() const
{
    QPainterPath path;
    path.addRect(sizeRect());
    return path;
}

void SizedItem::setAngle(double angle)
{
    if (!isSelected() || qFuzzyCompare(m_angle, angle))
        return;
    m_angle = angle;
    setTransform(QTransform().rotate(angle, Qt::ZAxis));
}

void SizedItem::setShearHorizontal(int shearHorizontal)
{
    setShear(shearHorizontal, m_shearVertical);
}

void SizedItem::setShearVertical(int shearVertical)
{
    setShear(m_shearHorizontal, shearVertical);
}

void SizedItem::setShear(int shearHorizontal, int shearVertical)
{
    if (!isSelected() || (shearHorizontal == m_shearHorizontal && shearVertical == m_shearVertical))
        return;
    prepareGeometryChange();
    m_shearHorizontal = shearHorizontal;
    m_shearVertical = shearVertical;
    update();
    emit dirty();
}

QVariant SizedItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    switch (change) {
    case ItemPositionChange:
    case ItemPositionHasChanged:
    case ItemTransformChange:
    case ItemTransformHasChanged:
        emit dirty();
        break;
    default:
        break;
    }
    return QGraphicsItem::itemChange(change, value);
}
