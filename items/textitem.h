#ifndef TEXTITEM_H
#define TEXTITEM_H

#include <QGraphicsTextItem>
#include <QTextDocument>

class QGraphicsScene;

// A block of plain text in one font; edited through the text item dialog.
class TextItem : public QGraphicsTextItem
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText)
    // The formatted text, for filling in placeholders without losing its
    // formatting.
    Q_PROPERTY(QTextDocument *document READ document)

public:
    enum { Type = UserType + 3 };

    TextItem(const QPoint &position, QGraphicsScene *scene);

    int type() const override { return Type; }

signals:
    void dirty();

public slots:
    void edit();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
};

#endif // TEXTITEM_H
