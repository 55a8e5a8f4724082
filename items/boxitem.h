#ifndef BOXITEM_H
#define BOXITEM_H

#include <QBrush>
#include <QGraphicsRectItem>
#include <QObject>
#include <QPen>

class QGraphicsScene;

// A rectangle with an outline pen and a fill brush, centred on its origin.
class BoxItem : public QObject, public QGraphicsRectItem
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(QBrush brush READ brush WRITE setBrush)
    Q_PROPERTY(QPen pen READ pen WRITE setPen)
    Q_PROPERTY(double angle READ angle WRITE setAngle)
    Q_PROPERTY(int shearHorizontal READ shearHorizontal WRITE setShearHorizontal)
    Q_PROPERTY(int shearVertical READ shearVertical WRITE setShearVertical)

public:
    enum { Type = UserType + 1 };

    BoxItem(const QRect &rect, QGraphicsScene *scene);

    int type() const override { return Type; }

    double angle() const { return m_angle; }
    int shearHorizontal() const { return m_shearHorizontal; }
    int shearVertical() const { return m_shearVertical; }

signals:
    void dirty();

public slots:
    void setPen(const QPen &pen);
    void setBrush(const QBrush &brush);
    void setAngle(double angle);
    void setShearHorizontal(int shearHorizontal);
    void setShearVertical(int shearVertical);
    void setShear(int shearHorizontal, int shearVertical);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void updateShearFromRect();

    bool m_resizing = false;
    double m_angle = 0.0;
    int m_shearHorizontal = 0;
    int m_shearVertical = 0;

    friend QDataStream &operator>>(QDataStream &in, BoxItem &box);
};

#endif // BOXITEM_H
