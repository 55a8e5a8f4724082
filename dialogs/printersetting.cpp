#include "printersetting.h"
#include "ui_printersetting.h"

#include "app/settings.h"

#include <QTextStream>

namespace {
const double MillimetersPerInch = 25.4;
const double PointsPerInch = 72.0;

QString formatLength(double value)
{
    return QString::number(value, 'g', 6);
}
} // namespace

PrinterSetting::PrinterSetting(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PrinterSetting)
{
    ui->setupUi(this);

    pageSize = Settings::instance()->pageSizeMM();
    ui->widthLineEdit->setText(formatLength(pageSize.width()));
    ui->heightLineEdit->setText(formatLength(pageSize.height()));

    // A resolution missing from the list leaves the first entry selected.
    ui->printQualityComboBox->setCurrentText(QString("%1dpi").arg(Settings::instance()->printDPI()));

    connect(ui->inchRadioButton, SIGNAL(toggled(bool)), this, SLOT(onRadioButtonToggled(bool)));
    connect(ui->millimeterRadioButton, SIGNAL(toggled(bool)), this, SLOT(onRadioButtonToggled(bool)));
    connect(ui->pointRadioButton, SIGNAL(toggled(bool)), this, SLOT(onRadioButtonToggled(bool)));
    // textEdited, not textChanged: the program's own writes into the fields
    // must not feed back into the page size.
    connect(ui->widthLineEdit, SIGNAL(textEdited(QString)), this, SLOT(onPageSizeTextChanged(QString)));
    connect(ui->heightLineEdit, SIGNAL(textEdited(QString)), this, SLOT(onPageSizeTextChanged(QString)));
}

PrinterSetting::~PrinterSetting()
{
    delete ui;
}

void PrinterSetting::accept()
{
    Settings::instance()->setPageSizeMM(pageSize);

    // Every entry, translated or not, starts with its resolution.
    QString quality = ui->printQualityComboBox->currentText();
    QTextStream stream(&quality, QIODevice::ReadOnly);
    int dpi = 72;
    stream >> dpi;
    Settings::instance()->setPrintDPI(dpi);

    QDialog::accept();
}

void PrinterSetting::onRadioButtonToggled(bool)
{
    // The page size stays in millimetres; only its display changes, so
    // switching units back and forth loses nothing.
    QSizeF shown = pageSize;
    if (ui->inchRadioButton->isChecked())
        shown = pageSize / MillimetersPerInch;
    else if (ui->pointRadioButton->isChecked())
        shown = pageSize * PointsPerInch / MillimetersPerInch;
    ui->widthLineEdit->setText(formatLength(shown.width()));
    ui->heightLineEdit->setText(formatLength(shown.height()));
}

void PrinterSetting::onPageSizeTextChanged(const QString &)
{
    QSizeF typed(ui->widthLineEdit->text().toDouble(), ui->heightLineEdit->text().toDouble());
    if (ui->inchRadioButton->isChecked())
        typed *= MillimetersPerInch;
    else if (ui->pointRadioButton->isChecked())
        typed = typed * MillimetersPerInch / PointsPerInch;
    pageSize = typed;
}
