#ifndef PRINTSERIESDIALOG_H
#define PRINTSERIESDIALOG_H

#include "document/csvtable.h"

#include <QDialog>

class LabelValues;
class Placeholder;

namespace Ui {
class PrintSeriesDialog;
}

// Asks what a run of labels prints: a numbered series from a first serial,
// or one label per row of a data file, whose columns it shows.
class PrintSeriesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrintSeriesDialog(const QString &serial, QWidget *parent = nullptr);
    ~PrintSeriesDialog() override;

    // The values of every label, on top of the given ones.
    LabelValues values(const Placeholder &base) const;

private slots:
    void updateState();
    void onBrowseButtonClicked();
    void onDataLineEditEditingFinished();

private:
    void showPreview();

    Ui::PrintSeriesDialog *ui;
    CsvTable table;
};

#endif // PRINTSERIESDIALOG_H
