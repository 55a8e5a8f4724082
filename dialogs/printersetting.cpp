#include "printersetting.h"
#include "ui_printersetting.h"

#include "app/settings.h"

#include <QLocale>
#include <QPushButton>
#include <QTextStream>

namespace {
const double MillimetersPerInch = 25.4;
const double PointsPerInch = 72.0;
// A label is at least a millimetre a side, and at most a metre: about the
// longest label that label printers take (39 in), and still a bitmap export
// that fits in memory at 300 dpi.
const double MinimumSideMM = 1.0;
const double MaximumSideMM = 1000.0;

// Numbers are shown in the user's locale; a group separator is neither
// shown nor read, so that "1.000" or "1,000" never means a thousand.
QLocale numberLocale(const QLocale &locale)
{
    QLocale result(locale);
    result.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return result;
}

QString formatLength(double value)
{
    return numberLocale(QLocale()).toString(value, 'g', 6);
}

// Reads a number in the user's locale, or else in C notation.
bool readNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = numberLocale(QLocale()).toDouble(text, &ok);
    if (!ok)
        *value = numberLocale(QLocale::c()).toDouble(text, &ok);
    return ok;
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
    // A stored size that no label can have is shown refused, not offered.
    widthValid = readSide(ui->widthLineEdit, ui->widthMessageLabel, &pageSize.rwidth());
    heightValid = readSide(ui->heightLineEdit, ui->heightMessageLabel, &pageSize.rheight());
    updateOkButton();

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
    // Return in a field presses OK even while it is disabled.
    if (!(widthValid && heightValid))
        return;
    Settings::instance()->setPageSizeMM(pageSize);

    // Every entry, translated or not, starts with its resolution.
    QString quality = ui->printQualityComboBox->currentText();
    QTextStream stream(&quality, QIODevice::ReadOnly);
    int dpi = 72;
    stream >> dpi;
    Settings::instance()->setPrintDPI(dpi);

    QDialog::accept();
}

double PrinterSetting::toMillimetres(double value) const
{
    if (ui->inchRadioButton->isChecked())
        return value * MillimetersPerInch;
    if (ui->pointRadioButton->isChecked())
        return value * MillimetersPerInch / PointsPerInch;
    return value;
}

double PrinterSetting::fromMillimetres(double millimetres) const
{
    if (ui->inchRadioButton->isChecked())
        return millimetres / MillimetersPerInch;
    if (ui->pointRadioButton->isChecked())
        return millimetres * PointsPerInch / MillimetersPerInch;
    return millimetres;
}

QString PrinterSetting::withUnit(double millimetres) const
{
    const QString number = formatLength(fromMillimetres(millimetres));
    if (ui->inchRadioButton->isChecked())
        return tr("%1 in").arg(number);
    if (ui->pointRadioButton->isChecked())
        return tr("%1 pt").arg(number);
    return tr("%1 mm").arg(number);
}

void PrinterSetting::onRadioButtonToggled(bool)
{
    // The page size stays in millimetres; only its display changes, so
    // switching units back and forth loses nothing. A refused entry stays
    // as typed, to be read in the new unit.
    if (widthValid)
        ui->widthLineEdit->setText(formatLength(fromMillimetres(pageSize.width())));
    else
        widthValid = readSide(ui->widthLineEdit, ui->widthMessageLabel, &pageSize.rwidth());
    if (heightValid)
        ui->heightLineEdit->setText(formatLength(fromMillimetres(pageSize.height())));
    else
        heightValid = readSide(ui->heightLineEdit, ui->heightMessageLabel, &pageSize.rheight());
    updateOkButton();
}

void PrinterSetting::onPageSizeTextChanged(const QString &)
{
    // Only the field typed into is read: the other may show its size
    // rounded for the unit, and reading that back would change it.
    if (sender() == ui->widthLineEdit)
        widthValid = readSide(ui->widthLineEdit, ui->widthMessageLabel, &pageSize.rwidth());
    else
        heightValid = readSide(ui->heightLineEdit, ui->heightMessageLabel, &pageSize.rheight());
    updateOkButton();
}

// Reads one side in the chosen unit into millimetres; false, with the
// reason beside the field and millimetres untouched, when it is no size a
// label can have.
bool PrinterSetting::readSide(QLineEdit *edit, QLabel *message, qreal *millimetres) const
{
    const QString text = edit->text().trimmed();
    double value = 0.0;
    QString problem;
    if (text.isEmpty()) {
        problem = tr("Enter a size.");
    } else if (!readNumber(text, &value)) {
        problem = tr("\"%1\" is not a number.").arg(text);
    } else {
        value = toMillimetres(value);
        // Written so that NaN is refused as well.
        if (!(value >= MinimumSideMM && value <= MaximumSideMM))
            problem = tr("Enter a size from %1 to %2.").arg(withUnit(MinimumSideMM), withUnit(MaximumSideMM));
    }
    message->setText(problem);
    message->setVisible(!problem.isEmpty());
    if (problem.isEmpty())
        *millimetres = value;
    return problem.isEmpty();
}

void PrinterSetting::updateOkButton()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(widthValid && heightValid);
}
