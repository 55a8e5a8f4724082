#include "textitemdialog.h"

#include "dialogs/textedit.h"
#include "items/textitem.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TextItemDialog::TextItemDialog(TextItem *item, const QPoint &position, QGraphicsScene *scene,
                               QWidget *parent)
    : QDialog(parent)
    , item(item)
    , position(position)
    , scene(scene)
{
    textEdit = new TextEdit(this);
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *okButton = buttonBox->button(QDialogButtonBox::Ok);
    okButton->setEnabled(false);
    okButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    buttonBox->button(QDialogButtonBox::Cancel)
        ->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    if (item) {
        textEdit->setPlainText(item->toPlainText());
        textEdit->setTextFont(item->font());
    }

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addWidget(textEdit);
    layout->addWidget(buttonBox);

    connect(textEdit, SIGNAL(textChanged()), this, SLOT(updateUi()));
    connect(buttonBox, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttonBox, SIGNAL(rejected()), this, SLOT(reject()));

    setWindowTitle(tr("%1 - %2 Text Item")
                       .arg(QCoreApplication::applicationName(), item ? tr("Edit") : tr("Add")));
    updateUi();
}

TextItem *TextItemDialog::textItem() const
{
    return item;
}

void TextItemDialog::accept()
{
    if (!item)
        item = new TextItem(position, scene);
    item->setPlainText(textEdit->toPlainText());
    item->setFont(textEdit->textFont());
    item->update();
    QDialog::accept();
}

void TextItemDialog::updateUi()
{
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!textEdit->toPlainText().isEmpty());
}
