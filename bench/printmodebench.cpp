#include "printmodebench.h"

#include "childrun.h"
#include "pdfprinter.h"
#include "table.h"
#include "timing.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <vector>

PrintModeBench::PrintModeBench(PdfPrinter *printer, const QString &printerProblem, int reps)
    : printer(printer)
    , printerProblem(printerProblem)
    , reps(reps)
{
}

void PrintModeBench::run(Table *table)
{
    const QString name = "print mode, examples/parts.qlt: start to exit";
    if (!printerProblem.isEmpty()) {
        table->addMeasurement(name, std::nan(""), std::nan(""), "ms", 0,
                              QString("not run: %1").arg(printerProblem.left(60)));
        return;
    }
    QTextStream err(stderr);
    err << "print mode" << Qt::endl;
    const QString programs[ProgramCount] = {PRINT_FLOOR_BIN, PRINT_CONTENT_BIN, TAGFORGE_BIN};
    const QStringList arguments[ProgramCount] = {
        {}, {}, {"--print", "--config", EXAMPLE_LABEL, "--serial", "0042", "--code", "ABC"}};
    std::vector<double> times[ProgramCount], rss[ProgramCount];
    QTemporaryDir pages;
    QString pdfs[ProgramCount];
    QString failure;
    for (int i = 0; i < reps && failure.isEmpty(); ++i) {
        // Alternating runs share whatever else the machine does, in an
        // order that turns each time; each starts with an idle queue and a
        // fresh home.
        for (int k = 0; k < ProgramCount; ++k) {
            const int program = (i + k) % ProgramCount;
            QTemporaryDir home;
            if (!printer->waitIdle() || !printer->clear()) {
                failure = QString("printer failed: %1").arg(printer->errorString());
                break;
            }
            const ChildRun run = runChild(programs[program], arguments[program], childEnvironment(home.path()));
            if (!run.ok) {
                err << programs[program] << " failed: " << run.log << Qt::endl;
                continue;
            }
            times[program].push_back(run.ms);
            rss[program].push_back(run.maxRssMiB);
            // The first pages are kept to compare them.
            if (pdfs[program].isEmpty() && printer->waitIdle()) {
                const QStringList written = printer->pdfs();
                if (written.size() == 1 && QFile::copy(written.first(), pages.filePath(QString::number(program))))
                    pdfs[program] = pages.filePath(QString::number(program));
            }
        }
    }
    printer->waitIdle();

    QString pageNote = comparePages(pdfs[PrintMode], pdfs[SamePage]);
    if (!failure.isEmpty())
        pageNote = "; " + failure;
    const double printMode = median(times[PrintMode]);
    table->addMeasurement(name, printMode, median(times[SamePage]), "ms", int(times[PrintMode].size()),
                          "floor: bare Qt program printing the same page; goal ratio <= 1.3" + pageNote);
    table->addMeasurement("print mode, examples/parts.qlt, beside a blank page", printMode,
                          median(times[BlankPage]), "ms", int(times[PrintMode].size()),
                          "floor: blank page from a bare QPrinter");
    table->addMeasurement("bare Qt program printing the same page", median(times[SamePage]),
                          median(times[BlankPage]), "ms", int(times[SamePage].size()),
                          "floor: blank page; what the page itself costs");
    table->addMeasurement("print mode, examples/parts.qlt: peak RSS", median(rss[PrintMode]),
                          median(rss[SamePage]), "MiB", int(rss[PrintMode].size()),
                          "floor: the bare program printing the same page");
}

// The first page's size in points as shown (rotation applied); invalid on failure.
static QSizeF pdfPageSize(const QString &pdf, QString *error)
{
    const QString info = QString::fromLocal8Bit(runTool("pdfinfo", {pdf}, error));
    const auto line = [&info](const char *pattern) {
        return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(info);
    };
    const QRegularExpressionMatch size = line("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts");
    QSizeF points(size.captured(1).toDouble(), size.captured(2).toDouble());
    if (line("^Page rot:\\s+(\\d+)").captured(1).toInt() % 180 == 90)
        points.transpose();
    return size.hasMatch() ? points : QSizeF();
}

QString PrintModeBench::comparePages(const QString &printModePdf, const QString &floorPdf) const
{
    if (printModePdf.isEmpty() || floorPdf.isEmpty())
        return "; pages not compared: no PDF";
    QString error;
    QStringList differences;
    if (pdfText(printModePdf, &error) != pdfText(floorPdf, &error))
        differences << "text";
    if (pdfQrCodes(printModePdf, 300, &error) != pdfQrCodes(floorPdf, 300, &error))
        differences << "QR codes";
    if (pdfPageSize(printModePdf, &error) != pdfPageSize(floorPdf, &error))
        differences << "page size";
    if (!error.isEmpty())
        return QString("; pages not compared: %1").arg(error.left(60));
    return differences.isEmpty() ? QString("; same text, QR code and page size")
                                 : QString("; FLOOR PAGE DIFFERS: %1").arg(differences.join(", "));
}
