#include "printmode.h"

#include "app/settings.h"
#include "document/csvtable.h"
#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "output/labeloutput.h"
#include "output/labelprinter.h"
#include "output/labelvalues.h"

#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPageSize>
#include <QPrinter>
#include <QScopedPointer>
#include <QTextStream>

#include <unistd.h>

namespace {

void warn(const QString &text)
{
    QTextStream(stderr) << text << Qt::endl;
}

// On a terminal, runs of several labels say how far they are.
class ProgressLine
{
public:
    explicit ProgressLine(int total)
        : shown(total > 1 && isatty(STDERR_FILENO))
    {
        clock.start();
    }

    ~ProgressLine()
    {
        if (shown && lastShown >= 0) {
            QTextStream err(stderr);
            err << Qt::endl;
        }
    }

    bool operator()(int done, int total)
    {
        if (!shown || (done < total && clock.elapsed() - lastShown < 200))
            return true;
        lastShown = clock.elapsed();
        const double seconds = qMax(clock.elapsed(), qint64(1)) / 1000.0;
        QTextStream(stderr) << "\r" << PrintMode::tr("%1 of %2 labels, %3 labels a second")
                                          .arg(done)
                                          .arg(total)
                                          .arg(qRound(done / seconds))
                            << Qt::flush;
        return true;
    }

private:
    const bool shown;
    QElapsedTimer clock;
    qint64 lastShown = -1;
};

} // namespace

PrintMode::Result PrintMode::run(const Request &request, const Placeholder &placeholder)
{
    const QSizeF pageSize = Settings::instance()->pageSizeMM();
    const int dpi = Settings::instance()->printDPI();
    const bool toFile = !request.outputFile.isEmpty();
    // Files need no printer at all; the printer is asked only for printing.
    QScopedPointer<QPrinter> printer(toFile ? nullptr : new QPrinter(QPrinter::HighResolution));
    if (toFile ? !LabelPrinter::isValid(pageSize, dpi) : !LabelPrinter::setup(printer.data(), pageSize, dpi)) {
        warn(LabelPrinter::pageSettingsError(pageSize, dpi));
        return PrintFailed;
    }

    // Everything is read and checked before the first label goes out.
    LabelValues values(placeholder);
    if (!request.dataFile.isEmpty()) {
        const CsvTable table = CsvTable::read(request.dataFile);
        if (!table.error().isEmpty()) {
            warn(table.error());
            return LabelNotLoaded;
        }
        if (table.rowCount() == 0 || table.rowCount() > LabelValues::MaximumCount) {
            warn(tr("%1 has %2 data rows; a run takes 1 to %3.")
                     .arg(request.dataFile)
                     .arg(table.rowCount())
                     .arg(LabelValues::MaximumCount));
            return LabelNotLoaded;
        }
        values.setTable(table);
    } else if (request.count > 1) {
        values.setSeries(request.firstSerial, request.count);
    }

    const LabelFile::Contents contents = LabelFile::read(request.labelPath);
    if (!contents.error.isEmpty()) {
        warn(contents.error);
        return LabelNotLoaded;
    }
    const QSize page = toFile ? QPageSize(pageSize, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch).sizePoints()
                              : LabelPrinter::pageSizePoints(printer.data());
    QGraphicsScene scene(0, 0, page.width(), page.height());
    // Never print a label that was not read completely.
    if (!ItemEntries::read(contents.entries, LabelStreamVersion, &scene).complete) {
        warn(LabelFile::damagedMessage(request.labelPath));
        return LabelNotLoaded;
    }

    ProgressLine progress(values.count());
    const QString error = toFile ? LabelOutput::write(request.outputFile, &scene, values, pageSize, dpi, std::ref(progress))
                                 : LabelPrinter::print(printer.data(), &scene, values, std::ref(progress));
    if (!error.isEmpty()) {
        warn(error);
        return PrintFailed;
    }
    // The user chose that layout: say so, but the label is printed.
    if (!toFile) {
        const QString margins = LabelPrinter::marginWarning(printer.data(), &scene);
        if (!margins.isEmpty())
            warn(margins);
    }
    return Printed;
}
