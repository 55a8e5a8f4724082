#include "printseriesdialog.h"
#include "ui_printseriesdialog.h"

#include "output/labelvalues.h"

#include <QFileDialog>
#include <QPushButton>
#include <QStandardPaths>

namespace {
// Rows shown of a data file: enough to recognise it.
const int PreviewRows = 5;
} // namespace

PrintSeriesDialog::PrintSeriesDialog(const QString &serial, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PrintSeriesDialog)
{
    ui->setupUi(this);
    ui->serialLineEdit->setText(serial);
    connect(ui->seriesRadioButton, SIGNAL(toggled(bool)), this, SLOT(updateState()));
    connect(ui->serialLineEdit, SIGNAL(textChanged(QString)), this, SLOT(updateState()));
    connect(ui->countSpinBox, SIGNAL(valueChanged(int)), this, SLOT(updateState()));
    connect(ui->browseButton, SIGNAL(clicked()), this, SLOT(onBrowseButtonClicked()));
    connect(ui->dataLineEdit, SIGNAL(editingFinished()), this, SLOT(onDataLineEditEditingFinished()));
    updateState();
}

PrintSeriesDialog::~PrintSeriesDialog()
{
    delete ui;
}

LabelValues PrintSeriesDialog::values(const Placeholder &base) const
{
    LabelValues values(base);
    if (ui->seriesRadioButton->isChecked())
        values.setSeries(ui->serialLineEdit->text(), ui->countSpinBox->value());
    else
        values.setTable(table);
    return values;
}

void PrintSeriesDialog::updateState()
{
    const bool series = ui->seriesRadioButton->isChecked();
    ui->serialLineEdit->setEnabled(series);
    ui->countSpinBox->setEnabled(series);
    ui->dataLineEdit->setEnabled(!series);
    ui->browseButton->setEnabled(!series);
    ui->previewTable->setEnabled(!series);
    QString message;
    if (series) {
        message = LabelValues::seriesError(ui->serialLineEdit->text(), ui->countSpinBox->value());
    } else if (ui->dataLineEdit->text().isEmpty()) {
        message = tr("Choose a data file.");
    } else if (!table.error().isEmpty()) {
        message = table.error();
    } else if (table.rowCount() == 0) {
        message = tr("The data file has no rows.");
    } else {
        message = tr("Rows to print, one label each: %1").arg(table.rowCount());
    }
    const bool valid = series ? message.isEmpty() : table.error().isEmpty() && table.rowCount() > 0;
    ui->messageLabel->setText(message);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(valid);
}

void PrintSeriesDialog::onBrowseButtonClicked()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("%1 - Data File").arg(QCoreApplication::applicationName()),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    ui->dataLineEdit->setText(path);
    onDataLineEditEditingFinished();
}

void PrintSeriesDialog::onDataLineEditEditingFinished()
{
    table = CsvTable::read(ui->dataLineEdit->text());
    showPreview();
    updateState();
}

void PrintSeriesDialog::showPreview()
{
    const QStringList header = table.header();
    const int rows = qMin(table.rowCount(), PreviewRows);
    ui->previewTable->clear();
    ui->previewTable->setColumnCount(header.size());
    ui->previewTable->setRowCount(rows);
    ui->previewTable->setHorizontalHeaderLabels(header);
    for (int r = 0; r < rows; ++r) {
        const QStringList row = table.row(r);
        for (int c = 0; c < row.size(); ++c)
            ui->previewTable->setItem(r, c, new QTableWidgetItem(row.at(c)));
    }
}
