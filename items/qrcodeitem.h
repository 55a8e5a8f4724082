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
// height; re-encoded whenever the text changes. It keeps the modules, not a
// pixmap: painting draws them aligned to the pixels of the device, so that
// printed and exported codes stay sharp, and a label of many large codes
// costs no more memory than small ones.
class QRCodeItem : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double angle READ angle WRITE setAngle)
    Q_PROPERTY(int shearHorizontal READ shearHorizontal WRITE setShearHorizontal)
    Q_PROPERTY(int shearVertical READ shearVertical WRITE setShearVertical)
    Q_PROPERTY(QString plainText READ plainText WRITE setPlainText)
    // Why the current text gives no code; empty when it gives one.
    Q_PROPERTY(QString encodingError READ encodingError)

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
    QString encodingError() const;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    bool contains(const QPointF &point) const override;

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
    // Where the code is drawn, in item coordinates; empty for a size no
    // code can have.
    QRectF codeRect() const;
    void paintUnencodable(QPainter *painter, const QRectF &bounds) const;
    void paintModules(QPainter *painter, const QSizeF &size) const;

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
