#ifndef PRINTMODEBENCH_H
#define PRINTMODEBENCH_H

#include <QString>

class PdfPrinter;
class Table;

// Print mode of examples/parts.qlt from start to exit, beside a bare Qt
// program printing the same page and one printing a blank page, all three
// alternating on the same private PDF printer.
class PrintModeBench
{
public:
    PrintModeBench(PdfPrinter *printer, const QString &printerProblem, int reps);

    void run(Table *table);

private:
    enum Program { BlankPage, SamePage, PrintMode, ProgramCount };

    // How the floor's page differs from print mode's: text, QR codes or
    // page size; empty when they match.
    QString comparePages(const QString &printModePdf, const QString &floorPdf) const;

    PdfPrinter *printer;
    QString printerProblem;
    int reps;
};

#endif // PRINTMODEBENCH_H
