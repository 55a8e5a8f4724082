#include "graphicsview.h"

#include <QWheelEvent>

#include <cmath>

GraphicsView::GraphicsView(QGraphicsScene *scene, QWidget *parent)
    : QGraphicsView(scene, parent)
{
    setDragMode(QGraphicsView::RubberBandDrag);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void GraphicsView::zoomIn()
{
    scale(1.1, 1.1);
}

void GraphicsView::zoomOut()
{
    const double step = 1.0 / 1.1;
    scale(step, step);
}

void GraphicsView::zoomFitView()
{
    fitInView(sceneRect(), Qt::KeepAspectRatio);
}

QSize GraphicsView::minimumSizeHint() const
{
    return (sceneRect().size() * 2).toSize();
}

void GraphicsView::wheelEvent(QWheelEvent *event)
{
    // One notch (120 eighths of a degree) scales by the square root of 4/3;
    // a sideways wheel zooms as well.
    const QPoint delta = event->angleDelta();
    const int turn = qAbs(delta.x()) > qAbs(delta.y()) ? delta.x() : delta.y();
    const double factor = std::pow(4.0 / 3.0, -turn / 240.0);
    scale(factor, factor);
    event->accept();
}

void GraphicsView::drawForeground(QPainter *painter, const QRectF &)
{
    // Over the items, so that the label's edge shows even where an item
    // reaches past it; one screen pixel wide at any zoom.
    painter->save();
    painter->setPen(QPen(QColor(90, 90, 90), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(sceneRect());
    painter->restore();
}
