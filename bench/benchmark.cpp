// Measures the program's hot paths and prints two tables: print mode beside
// bare printing Qt programs, opening labels of growing size beside a bare
// reader, output and editing through the real window, QR codes, and peak
// memory. Run by `make bench`, not by CTest; each measurement is a class
// of its own beside this file.
//
// Usage: tagforge_benchmark [--reps N] [--series]
//        tagforge_benchmark --open-label FILE   (child: open FILE and end)
//        tagforge_benchmark --measure-child REPORT PROGRAM [ARG...]   (child)

#include "childrun.h"
#include "openbench.h"
#include "pdfprinter.h"
#include "printmodebench.h"
#include "qrbench.h"
#include "seriesbench.h"
#include "table.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

int runBenchmark(int reps, bool seriesOnly)
{
    QTextStream err(stderr);
    QTemporaryDir work;
    OpenBench open(work, reps);
    WindowBench window(work, reps);
    if (!work.isValid() || !open.prepare() || !window.prepare()) {
        err << "cannot write the benchmark labels" << Qt::endl;
        return 1;
    }
    // The printer must be known before the first QPrinter of this process:
    // libcups reads CUPS_SERVER once.
    PdfPrinter printer;
    QString printerProblem;
    if (printer.start())
        printer.exportToProcess();
    else
        printerProblem = printer.errorString();

    Table table(QString("tagforge benchmark: medians of %1 runs").arg(reps), Table::measurementHeaders());
    Table scaling(QString("opening a label: medians of %1 alternating runs; floor = plain QDataStream reads and "
                          "plain graphics items; goal <= 3 x floor, ms per 1,000 items flat")
                      .arg(reps),
                  OpenBench::scalingHeaders());
    if (!seriesOnly)
        PrintModeBench(&printer, printerProblem, reps).run(&table);
    SeriesBench(&printer, printerProblem, qMin(reps, 3)).run(&table);
    printer.stop();
    if (seriesOnly) {
        table.print();
        return 0;
    }
    open.run(&scaling, &table);
    window.run(&table);
    QrBench(reps).run(&table);

    table.print();
    scaling.print();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], "--measure-child") == 0)
        return measureChild(argv[2], argv + 3);
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's complaints about window hints are noise here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg || type == QtCriticalMsg)
            QTextStream(stderr) << message << Qt::endl;
    });
    if (arguments.size() == 2 && arguments.first() == "--open-label") {
        QApplication app(argc, argv);
        return OpenBench::openLabelChild(arguments.at(1));
    }

    int reps = 7;
    bool seriesOnly = false;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == "--reps" && i + 1 < arguments.size())
            reps = qBound(1, arguments.at(++i).toInt(), 101);
        else if (arguments.at(i) == "--series")
            seriesOnly = true;
        else {
            QTextStream(stderr) << "usage: tagforge_benchmark [--reps N] [--series]" << Qt::endl;
            return 2;
        }
    }

    // A private home, so that no user's settings are read or written.
    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    QDir(home.path()).mkpath("config");
    QDir(home.path()).mkpath("Documents");
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DOCUMENTS_DIR", root + "/Documents");
    QApplication app(argc, argv);
    return runBenchmark(reps, seriesOnly);
}
