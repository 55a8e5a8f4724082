#ifndef PRINTERSETTING_H
#define PRINTERSETTING_H

#include <QDialog>
#include <QSizeF>

namespace Ui {
class PrinterSetting;
}

// Edits the label page size (held in millimetres, shown in inches,
// millimetres or points) and the print resolution; stores both on OK.
class PrinterSetting : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterSetting(QWidget *parent = nullptr);
    ~PrinterSetting() override;

public slots:
    void accept() override;

private slots:
    void onRadioButtonToggled(bool checked);
    void onPageSizeTextChanged(const QString &text);

private:
    Ui::PrinterSetting *ui;
    QSizeF pageSize;
};

#endif // PRINTERSETTING_H
