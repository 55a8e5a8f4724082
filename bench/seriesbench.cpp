#include "seriesbench.h"

#include "childrun.h"
#include "pdfprinter.h"
#include "table.h"
#include "timing.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <vector>

namespace {
const int Labels = 10000;
// The GTK designer's batch takes about a minute and hundreds of MiB for
// this many: it runs once, beside ours on the same count.
const int PeerLabels = 1000;

bool writeRows(const QString &path, int rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&file);
    out << "serial,code\n";
    for (int i = 0; i < rows; ++i)
        out << QString("%1,C-%2\n").arg(i + 1, 5, 10, QChar('0')).arg(i);
    return true;
}
} // namespace

SeriesBench::SeriesBench(PdfPrinter *printer, const QString &printerProblem, int reps)
    : printer(printer)
    , printerProblem(printerProblem)
    , reps(reps)
{
}

void SeriesBench::run(Table *table)
{
    QTextStream err(stderr);
    err << "series and merges" << Qt::endl;
    QTemporaryDir work;
    const QString csv = work.filePath("rows.csv");
    if (!writeRows(csv, Labels))
        return;
    const QString count = QString::number(Labels);
    const QStringList series{"--output", work.filePath("series.pdf"), "--config", EXAMPLE_LABEL, "--serial", "00001",
                             "--count", count};
    const QStringList merge{"--output", work.filePath("merge.pdf"), "--config", EXAMPLE_LABEL, "--data", csv};
    const QStringList printed{"--print", "--config", EXAMPLE_LABEL, "--serial", "00001", "--count", count};
    const bool printing = printerProblem.isEmpty();

    std::vector<double> seriesMs, seriesCpu, seriesRss, mergeMs, mergeCpu, printMs, printCpu;
    for (int i = 0; i < reps; ++i) {
        QTemporaryDir home;
        const QProcessEnvironment environment = childEnvironment(home.path());
        // Alternating, so that the ratio shares what else the machine does.
        const ChildRun a = runChild(TAGFORGE_BIN, series, environment);
        const ChildRun b = runChild(TAGFORGE_BIN, merge, environment);
        if (a.ok && b.ok) {
            seriesMs.push_back(a.ms / Labels);
            seriesCpu.push_back(a.cpuMs / Labels);
            seriesRss.push_back(a.maxRssMiB);
            mergeMs.push_back(b.ms / Labels);
            mergeCpu.push_back(b.cpuMs / Labels);
        }
        if (printing && printer->waitIdle() && printer->clear()) {
            // Until the job is handed over: the program's exit.
            const ChildRun c = runChild(TAGFORGE_BIN, printed, environment);
            if (c.ok) {
                printMs.push_back(c.ms / Labels);
                printCpu.push_back(c.cpuMs / Labels);
            }
        }
    }
    if (printing)
        printer->waitIdle();
    const QString labels = QString("%1 labels of examples/parts.qlt").arg(Labels);
    table->addMeasurement("series to PDF, per label", median(seriesMs), std::nan(""), "ms", int(seriesMs.size()),
                          labels + "; goal <= 2 ms");
    table->addMeasurement("series to PDF, CPU per label", median(seriesCpu), std::nan(""), "ms",
                          int(seriesCpu.size()), "user + system time, unmoved by other work on the machine");
    table->addMeasurement("series to PDF: peak RSS", median(seriesRss), std::nan(""), "MiB", int(seriesRss.size()),
                          labels + "; goal < 60 MiB");
    table->addMeasurement("CSV merge to PDF, per label", median(mergeMs), median(seriesMs), "ms",
                          int(mergeMs.size()), "floor: the series of the same count; goal ratio <= 1.2");
    table->addMeasurement("CSV merge to PDF, CPU per label", median(mergeCpu), median(seriesCpu), "ms",
                          int(mergeCpu.size()), "floor: the series' CPU time");
    table->addMeasurement("series printed, per label", median(printMs), std::nan(""), "ms", int(printMs.size()),
                          printing ? labels + " through the private printer, until the job is handed over; goal <= 2 ms"
                                   : QString("not run: %1").arg(printerProblem.left(60)));
    table->addMeasurement("series printed, CPU per label", median(printCpu), std::nan(""), "ms",
                          int(printCpu.size()), "user + system time of the program until it exits");

    // The GTK label designer's batch program beside ours, on the same labels.
    const QString glabels = QStandardPaths::findExecutable("glabels-3-batch");
    if (glabels.isEmpty()) {
        table->addMeasurement("glabels-3-batch merge to PDF, per label", std::nan(""), std::nan(""), "ms", 0,
                              "missing: apt-get install glabels to compare");
        return;
    }
    const QString peerCsv = work.filePath("peer.csv");
    if (!writeRows(peerCsv, PeerLabels))
        return;
    QTemporaryDir home;
    const QProcessEnvironment environment = childEnvironment(home.path());
    const ChildRun ours = runChild(
        TAGFORGE_BIN, {"--output", work.filePath("ours.pdf"), "--config", EXAMPLE_LABEL, "--data", peerCsv},
        environment);
    const ChildRun peer =
        runChild(glabels, {"--output", work.filePath("peer.pdf"), "--input", peerCsv, GLABELS_LABEL}, environment);
    const QString peerLabels = QString("%1 labels of bench/parts.glabels").arg(PeerLabels);
    table->addMeasurement("glabels-3-batch merge to PDF, per label", peer.ok ? peer.ms / PeerLabels : std::nan(""),
                          ours.ok ? ours.ms / PeerLabels : std::nan(""), "ms", peer.ok ? 1 : 0,
                          peerLabels + "; floor: our merge of the same rows");
    table->addMeasurement("glabels-3-batch merge to PDF, CPU per label",
                          peer.ok ? peer.cpuMs / PeerLabels : std::nan(""), ours.ok ? ours.cpuMs / PeerLabels : std::nan(""),
                          "ms", peer.ok ? 1 : 0, peerLabels + "; floor: our merge's CPU time");
    table->addMeasurement("glabels-3-batch merge to PDF: peak RSS", peer.ok ? peer.maxRssMiB : std::nan(""),
                          ours.ok ? ours.maxRssMiB : std::nan(""), "MiB", peer.ok ? 1 : 0,
                          peerLabels + "; floor: our merge of the same rows");
}
