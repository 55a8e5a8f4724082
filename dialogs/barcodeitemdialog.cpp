#include "barcodeitemdialog.h"
#include "ui_barcodeitemdialog.h"

#include <QPushButton>
#include <QRegularExpression>

BarcodeItemDialog::BarcodeItemDialog(const QString &text, BarcodeItem::Symbology symbology, bool showText,
                                     QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::BarcodeItemDialog)
{
    ui->setupUi(this);
    for (BarcodeItem::Symbology each : BarcodeItem::symbologies())
        ui->symbologyComboBox->addItem(BarcodeItem::symbologyName(each), int(each));
    ui->symbologyComboBox->setCurrentIndex(ui->symbologyComboBox->findData(int(symbology)));
    ui->textLineEdit->setText(text);
    ui->showTextCheckBox->setChecked(showText);
    connect(ui->symbologyComboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(updateState()));
    connect(ui->textLineEdit, SIGNAL(textChanged(QString)), this, SLOT(updateState()));
    updateState();
}

BarcodeItemDialog::~BarcodeItemDialog()
{
    delete ui;
}

QString BarcodeItemDialog::text() const
{
    return ui->textLineEdit->text();
}

BarcodeItem::Symbology BarcodeItemDialog::symbology() const
{
    return BarcodeItem::Symbology(ui->symbologyComboBox->currentData().toInt());
}

bool BarcodeItemDialog::showText() const
{
    return ui->showTextCheckBox->isChecked();
}

void BarcodeItemDialog::updateState()
{
    const BarcodeItem::Symbology chosen = symbology();
    // 2D codes carry no text line.
    ui->showTextCheckBox->setEnabled(chosen != BarcodeItem::DataMatrix && chosen != BarcodeItem::Pdf417
                                     && chosen != BarcodeItem::Aztec);
    const QString error = BarcodeItem::validate(chosen, text());
    static const QRegularExpression placeholder("\\{%[^%]*%\\}");
    const bool filledLater = text().contains(placeholder);
    if (error.isEmpty())
        ui->errorLabel->clear();
    else if (filledLater)
        ui->errorLabel->setText(tr("Checked again when printed, with its placeholders filled in: %1").arg(error));
    else
        ui->errorLabel->setText(error);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(error.isEmpty() || filledLater);
}
