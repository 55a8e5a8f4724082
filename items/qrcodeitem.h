#ifndef QRCODEITEM_H
#define QRCODEITEM_H

#include <QBitArray>
#include <QGraphicsPixmapItem>
#include <QObject>
#include <QVector>

class QGraphicsScene;

// The largest side of a QR code in scene units (points). Its pixmap takes
// four bytes a point; the transform panel sets at most 999, and larger
// sides would let a few bytes of a damaged label claim gigabytes.
constexpr int MaximumQRCodeSide = 1024;

// Renders text as a QR code pixmap of the given size, black on white, with
// the modules filling the pixmap edge to edge. A null pixmap when the text
// cannot be encoded.
QPixmap renderQRCode(const QString &text, int width, int height);

// A QR code of its text (placeholders unreplaced), drawn at its width and
// height; re-encoded whenever the text or the size changes. The pixmap gives
// the item its geometry; painting draws the modules themselves, aligned to
// the pixels of the device, so that printed and exported codes stay sharp.
class QRCodeItem : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double angle READ angle WRITE setAngle)
    Q_PROPERTY(int shearHorizontal READ shearHorizontal WRITE setShearHorizontal)
    Q_PROPERTY(int shearVertical READ shearVertical WRITE setShearVertical)
    Q_PROPERTY(QString plainText READ plainText WRITE setPlainText)

public:
    enum { Type = UserType + 2 };

    QRCodeItem(const QPoint &position, QGraphicsScene *scene);

    int type() const override { return Type; }

    double angle() const { return m_angle; }
    int shearHorizontal() const { return m_shearHorizontal; }
    int shearVertical() const { return m_shearVertical; }
    QString plainText() const { return m_text; }
    void setPlainText(const QString &text);

    void updatePixmap();

signals:
    void dirty();

public slots:
    void setAngle(double angle);
    void setShearHorizontal(int shearHorizontal);
    void setShearVertical(int shearVertical);
    void setShear(int shearHorizontal, int shearVertical);
    void edit();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

private:
    void encodeText();

    QString m_text;
    double m_angle = 0.0;
    int m_shearHorizontal = 50;
    int m_shearVertical = 50;
    // The symbol of m_encodedText, one bit array per row of modules, dark
    // bits set; empty when that text cannot be encoded.
    QVector<QBitArray> m_modules;
    QString m_encodedText;

    friend QDataStream &operator>>(QDataStream &in, QRCodeItem &item);
};

#endif // QRCODEITEM_H
