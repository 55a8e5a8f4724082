#ifndef BARCODEITEMDIALOG_H
#define BARCODEITEMDIALOG_H

#include "items/barcodeitem.h"

#include <QDialog>

namespace Ui {
class BarcodeItemDialog;
}

// Edits a barcode's symbology, text and text line. A text the symbology
// cannot encode is refused with libzint's reason; one with placeholders is
// checked again once they are filled in for output.
class BarcodeItemDialog : public QDialog
{
    Q_OBJECT

public:
    BarcodeItemDialog(const QString &text, BarcodeItem::Symbology symbology, bool showText,
                      QWidget *parent = nullptr);
    ~BarcodeItemDialog() override;

    QString text() const;
    BarcodeItem::Symbology symbology() const;
    bool showText() const;

private slots:
    void updateState();

private:
    Ui::BarcodeItemDialog *ui;
};

#endif // BARCODEITEMDIALOG_H
