#include "boxitem.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QTransform>

#include <limits>

BoxItem::BoxItem(const QRect &rect, QGraphicsScene *scene)
    : QObject()
    , QGraphicsRectItem()
    , m_shearHorizontal(rect.width())
    , m_shearVertical(rect.height())
{
    setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable
             | QGraphicsItem::ItemIsFocusable | QGraphicsItem::ItemSendsGeometryChanges);
    setPos(rect.center());
    // Centred on the origin so that a rotation turns the box about its middle.
    const double width = rect.width();
    const double height = rect.height();
    setRect(QRectF(QPointF(-width * 0.5, -height * 0.5), QSizeF(width, height)));
    updateShearFromRect();
    scene->clearSelection();
    scene->addItem(this);
    setSelected(true);
    setFocus(Qt::OtherFocusReason);
}

void BoxItem::setPen(const QPen &pen)
{
    if (!isSelected() || pen == this->pen())
        return;
    QGraphicsRectItem::setPen(pen);
    emit dirty();
}

void BoxItem::setBrush(const QBrush &brush)
{
    if (!isSelected() || brush == this->brush())
        return;
    QGraphicsRectItem::setBrush(brush);
    emit dirty();
}

void BoxItem::setAngle(double angle)
{
    if (!isSelected() || qFuzzyCompare(m_angle, angle))
        return;
    m_angle = angle;
    // itemChange() reports the new transform as dirty.
    setTransform(QTransform().rotate(m_angle, Qt::ZAxis), false);
}

void BoxItem::setShearHorizontal(int shearHorizontal)
{
    setShear(shearHorizontal, m_shearVertical);
}

void BoxItem::setShearVertical(int shearVertical)
{
    setShear(m_shearHorizontal, shearVertical);
}

void BoxItem::setShear(int shearHorizontal, int shearVertical)
{
    if (!isSelected()
        || (shearHorizontal == m_shearHorizontal && shearVertical == m_shearVertical))
        return;
    QRectF rectangle = rect();
    rectangle.setSize(QSizeF(shearHorizontal, shearVertical));
    setRect(rectangle);
    updateShearFromRect();
    scene()->update();
    emit dirty();
}

QVariant BoxItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange || change == ItemPositionHasChanged
        || change == ItemTransformChange || change == ItemTransformHasChanged)
        emit dirty();
    return QGraphicsRectItem::itemChange(change, value);
}

void BoxItem::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        QGraphicsRectItem::keyPressEvent(event);
        return;
    }
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default:
        QGraphicsRectItem::keyPressEvent(event);
        return;
    }
    // Control moves the rectangle inside the item; Shift alone drags the
    // bottom-right corner.
    if (modifiers & Qt::ControlModifier)
        setRect(rect().adjusted(dx, dy, dx, dy));
    else
        setRect(rect().adjusted(0, 0, dx, dy));
    updateShearFromRect();
    event->accept();
    emit dirty();
}

void BoxItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->modifiers() & Qt::ShiftModifier) {
        // Keeping the event accepted makes the box grab the mouse without
        // the base handler selecting or moving it.
        m_resizing = true;
        setCursor(Qt::SizeAllCursor);
        return;
    }
    QGraphicsRectItem::mousePressEvent(event);
}

void BoxItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_resizing) {
        const QPointF delta = event->pos() - event->lastPos();
        setRect(rect().adjusted(0, 0, delta.x(), delta.y()).normalized());
        updateShearFromRect();
        scene()->update();
        return;
    }
    QGraphicsRectItem::mouseMoveEvent(event);
}

void BoxItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_resizing) {
        m_resizing = false;
        setCursor(Qt::ArrowCursor);
        emit dirty();
        return;
    }
    QGraphicsRectItem::mouseReleaseEvent(event);
}

void BoxItem::updateShearFromRect()
{
    // Rounds as QRectF::toRect() does, but a rectangle read from a file may
    // hold any double, and toRect() overflows on those beyond int.
    const auto rounded = [](qreal value) {
        return qRound64(qBound<qreal>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max()));
    };
    const auto side = [&rounded](qreal from, qreal to) {
        return int(qBound<qint64>(std::numeric_limits<int>::min(), rounded(to) - rounded(from),
                                  std::numeric_limits<int>::max()));
    };
    const QRectF rectangle = rect();
    m_shearHorizontal = side(rectangle.left(), rectangle.right());
    m_shearVertical = side(rectangle.top(), rectangle.bottom());
}
