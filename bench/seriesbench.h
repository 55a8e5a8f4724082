#ifndef SERIESBENCH_H
#define SERIESBENCH_H

#include <QString>

class PdfPrinter;
class Table;

// Many labels of examples/parts.qlt in one run: a numbered series to PDF
// and through the private printer, a CSV merge beside the series of the
// same count, and the GTK label designer's batch program where installed.
class SeriesBench
{
public:
    SeriesBench(PdfPrinter *printer, const QString &printerProblem, int reps);

    void run(Table *table);

private:
    PdfPrinter *printer;
    QString printerProblem;
    int reps;
};

#endif // SERIESBENCH_H
