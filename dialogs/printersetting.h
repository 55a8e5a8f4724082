#ifndef PRINTERSETTING_H
#define PRINTERSETTING_H

#include <QDialog>
#include <QSizeF>

class QLabel;
class QLineEdit;

namespace Ui {
class PrinterSetting;
}

// Edits the label page size (held in millimetres, shown in inches,
// millimetres or points) and the print resolution; stores both on OK,
// which is offered only while both sides are sizes a label can have.
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
    // Lengths in the unit chosen, from and to millimetres.
    double toMillimetres(double value) const;
    double fromMillimetres(double millimetres) const;
    QString withUnit(double millimetres) const;
    bool readSide(QLineEdit *edit, QLabel *message, qreal *millimetres) const;
    void updateOkButton();

    Ui::PrinterSetting *ui;
    // The last size each field gave that a label can have.
    QSizeF pageSize;
    bool widthValid = true;
    bool heightValid = true;
};

#endif // PRINTERSETTING_H
