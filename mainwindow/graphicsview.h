#ifndef GRAPHICSVIEW_H
#define GRAPHICSVIEW_H

#include <QGraphicsView>

// The canvas: rubber-band selection, antialiased drawing, fixed zoom steps,
// and the page's outline, drawn by the view alone so that no output has it.
class GraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    GraphicsView(QGraphicsScene *scene, QWidget *parent = nullptr);

public slots:
    void zoomIn();
    void zoomOut();
    void zoomFitView();
    QSize minimumSizeHint() const override;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
};

#endif // GRAPHICSVIEW_H
