#ifndef BARCODEITEM_H
#define BARCODEITEM_H

#include "items/sizeditem.h"

#include <QBitArray>
#include <QVector>

class QGraphicsScene;

// A linear or 2D barcode of its text (placeholders unreplaced), encoded by
// libzint and drawn at its width and height. Like a QR code it keeps the
// modules and draws them on whole device pixels, all of one width, so that
// a printer prints the bars in their exact ratios.
class BarcodeItem : public SizedItem
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ plainText WRITE setPlainText)
    // Why the current text gives no code; empty when it gives one.
    Q_PROPERTY(QString encodingError READ encodingError)

public:
    enum { Type = UserType + 4 };
    // libzint's own numbers, which label files store.
    enum Symbology {
        InterleavedTwoOfFive = 3,
        Code39 = 8,
        Ean13 = 13,
        Gs1_128 = 16,
        Code128 = 20,
        UpcA = 34,
        Pdf417 = 55,
        DataMatrix = 71,
        Aztec = 92,
    };

    BarcodeItem(const QPoint &position, QGraphicsScene *scene);

    int type() const override { return Type; }

    // The symbologies offered, in the order the dialog lists them.
    static QVector<Symbology> symbologies();
    static bool isSymbology(int number);
    static QString symbologyName(Symbology symbology);
    // libzint's reason why text gives no code of the symbology; empty when
    // it gives one.
    static QString validate(Symbology symbology, const QString &text);

    QString plainText() const { return m_text; }
    void setPlainText(const QString &text);
    Symbology symbology() const { return m_symbology; }
    // The human-readable text under a linear code.
    bool showText() const { return m_showText; }
    // Text, symbology and text line at once, as the dialog and the label
    // file give them: encoded once.
    void setCode(const QString &text, Symbology symbology, bool showText);
    QString encodingError() const { return m_error; }

public slots:
    void edit();

protected:
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget = nullptr) override;

private:
    void encode();
    void changed();
    bool isLinear() const { return m_modules.size() == 1; }
    void paintModules(QPainter *painter, const QRectF &bars) const;
    void paintText(QPainter *painter, const QRectF &band) const;

    QString m_text;
    Symbology m_symbology = Code128;
    bool m_showText = true;
    // One bit array per row of modules, dark bits set; empty when the text
    // gives no code, and m_error says why.
    QVector<QBitArray> m_modules;
    QString m_humanText;
    QString m_error;
};

#endif // BARCODEITEM_H
