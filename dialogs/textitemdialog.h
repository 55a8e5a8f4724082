#ifndef TEXTITEMDIALOG_H
#define TEXTITEMDIALOG_H

#include <QDialog>
#include <QPoint>
#include <QPointer>

class QDialogButtonBox;
class QGraphicsScene;
class TextEdit;
class TextItem;

// Adds a text item (no item given) or edits one; changes happen only on OK.
class TextItemDialog : public QDialog
{
    Q_OBJECT

public:
    TextItemDialog(TextItem *item, const QPoint &position, QGraphicsScene *scene,
                   QWidget *parent = nullptr);

    TextItem *textItem() const;

public slots:
    void accept() override;

private slots:
    void updateUi();

private:
    QPointer<TextEdit> textEdit;
    QPointer<QDialogButtonBox> buttonBox;
    QPointer<TextItem> item;
    QPoint position;
    QGraphicsScene *scene;
};

#endif // TEXTITEMDIALOG_H
