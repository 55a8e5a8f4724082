#ifndef PDFPRINTER_H
#define PDFPRINTER_H

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QTemporaryDir>

// A private CUPS scheduler (tests/cups/pdfprinter.sh) whose default queue
// writes every job as a PDF; WithLabelPrinters adds queues for CUPS's sample
// DYMO and Zebra drivers, whose printer language deviceData() returns. A
// process prints there once CUPS_SERVER names it: this one after
// exportToProcess() (before its first QPrinter), a child through
// runTagforge(). It stops with this object, or when its owner dies.
class PdfPrinter
{
public:
    enum QueueMode { DefaultQueue, NoQueue, WithLabelPrinters };

    PdfPrinter() = default;
    ~PdfPrinter() { stop(); }

    bool start(QueueMode mode = DefaultQueue)
    {
        QByteArray output;
        QStringList arguments{"start", "--owner", QString::number(QCoreApplication::applicationPid())};
        if (mode != DefaultQueue)
            arguments << (mode == NoQueue ? "--no-queue" : "--label-printers");
        if (!script(arguments, 120, &output))
            return false;
        auto match = QRegularExpression("^export (\\w+)=(.*)$", QRegularExpression::MultilineOption)
                         .globalMatch(QString::fromLocal8Bit(output));
        while (match.hasNext()) {
            const QRegularExpressionMatch variable = match.next();
            // Undoes the backslash quoting of printf %q.
            variables.insert(variable.captured(1), variable.captured(2).replace(QRegularExpression("\\\\(.)"), "\\1"));
        }
        if (server().isEmpty() || variables.value("PDFPRINTER_STATE").isEmpty()) {
            error = "pdfprinter.sh start printed no printer: " + QString::fromLocal8Bit(output);
            stop();
            return false;
        }
        return true;
    }

    bool stop()
    {
        const bool stopped = variables.isEmpty() || script({"stop"}, 60);
        variables.clear();
        return stopped;
    }

    bool isRunning() const { return !variables.isEmpty(); }
    // The machine cannot run the printer at all; only outside CI may a test skip then.
    bool mayBeSkipped() const { return unavailable && !runsInCi(); }
    static bool runsInCi()
    {
        const QString ci = qEnvironmentVariable("CI").toLower();
        return !ci.isEmpty() && ci != "false" && ci != "0";
    }
    QString errorString() const { return error; }
    QString server() const { return variables.value("CUPS_SERVER"); }
    QString queue() const { return variables.value("PDFPRINTER_QUEUE"); }
    // The queue of a label driver, "dymo" or "zebra"; empty without label printers.
    QString labelQueue(const QString &driver) const
    {
        const QString queue = "quillet-" + driver;
        return variables.value("PDFPRINTER_LABEL_QUEUES").split(' ').contains(queue) ? queue : QString();
    }
    void exportToProcess() const
    {
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            qputenv(qPrintable(it.key()), it.value().toLocal8Bit());
    }

    // Waits until no job is left; false when one failed or time ran out.
    bool waitIdle(int seconds = 60) { return script({"wait-idle", QString::number(seconds)}, seconds + 30); }
    // The job PDFs so far, oldest first.
    QStringList pdfs()
    {
        QByteArray output;
        return script({"pdfs"}, 30, &output) ? QString::fromLocal8Bit(output).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
    }
    // Forgets the jobs and removes what they wrote.
    bool clear() { return script({"clear"}, 60); }
    bool setDefaultQueue(const QString &queue) { return script({"default", queue}, 30); }
    // What the last job sent to a label printer; null when none since clear().
    QByteArray deviceData(const QString &queue)
    {
        QByteArray output;
        if (!script({"device-file", queue}, 30, &output))
            return QByteArray();
        QFile file(QString::fromLocal8Bit(output.trimmed()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Jobs taken since clear(); -1 on failure.
    int jobCount()
    {
        QByteArray output;
        bool ok = false;
        const int count = script({"job-count"}, 30, &output) ? output.trimmed().toInt(&ok) : -1;
        return ok ? count : -1;
    }
    bool setAcceptingJobs(bool accepting) { return client(accepting ? "cupsaccept" : "cupsreject", {queue()}, 30); }
    static QString scriptPath() { return QString(TESTS_SOURCE_DIR) + "/cups/pdfprinter.sh"; }

private:
    Q_DISABLE_COPY(PdfPrinter)

    bool script(const QStringList &arguments, int seconds, QByteArray *output = nullptr)
    {
        return client(scriptPath(), arguments, seconds, output);
    }

    bool client(const QString &program, const QStringList &arguments, int seconds, QByteArray *output = nullptr)
    {
        unavailable = false;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            environment.insert(it.key(), it.value());
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        const bool ended = process.waitForFinished(seconds * 1000);
        if (output)
            *output = process.readAllStandardOutput();
        if (ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            return true;
        if (!ended)
            process.kill();
        unavailable = program == scriptPath() && ended && process.exitCode() == 77;
        error = QString("%1 %2 failed (exit code %3): %4")
                    .arg(QFileInfo(program).fileName(), arguments.join(' '))
                    .arg(ended ? process.exitCode() : -1)
                    .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }

    QHash<QString, QString> variables;
    QString error;
    bool unavailable = false;
};

inline QStringList missingPdfTools()
{
    QStringList missing;
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm", "zbarimg"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing;
}

// A tool's standard output; null on failure, with the reason in *error.
inline QByteArray runTool(const QString &program, const QStringList &arguments, QString *error,
                          const QList<int> &goodExits = {0})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        process.kill();
    if (process.exitStatus() != QProcess::NormalExit || !goodExits.contains(process.exitCode())) {
        *error = QString("%1 %2 failed (exit code %3): %4")
                     .arg(program, arguments.join(' '))
                     .arg(process.exitCode())
                     .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return QByteArray();
    }
    const QByteArray output = process.readAllStandardOutput();
    return output.isNull() ? QByteArray("") : output;
}

// The first page's size in points as shown (rotation applied); invalid on failure.
inline QSizeF pdfPageSize(const QString &pdf, QString *error)
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

// The text of each page, white space made single blanks.
inline QStringList pdfPages(const QString &pdf, QString *error)
{
    QStringList pages;
    for (const QString &page : QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", pdf, "-"}, error)).split('\f')) {
        if (!page.simplified().isEmpty())
            pages << page.simplified();
    }
    return pages;
}

inline QString pdfText(const QString &pdf, QString *error)
{
    return pdfPages(pdf, error).join(' ');
}

// The contents of the QR codes found in image files.
inline QStringList imageQrCodes(const QStringList &images, QString *error)
{
    // zbarimg ends with 4 when it found no code.
    return QString::fromUtf8(runTool("zbarimg", QStringList{"--raw", "-q"} + images, error, {0, 4}))
        .split('\n', Qt::SkipEmptyParts);
}

// The pages of a PDF (first to last, 0 for its end) as PNG files in dir.
inline QStringList pdfImages(const QString &pdf, int dpi, const QTemporaryDir &dir, QString *error, int first = 1,
                             int last = 0)
{
    QStringList arguments{"-r", QString::number(dpi), "-f", QString::number(first), "-png", pdf, dir.filePath("page")};
    if (last > 0)
        arguments << "-l" << QString::number(last);
    QStringList images;
    if (!runTool("pdftoppm", arguments, error).isNull()) {
        for (const QString &name : QDir(dir.path()).entryList({"page*.png"}, QDir::Files, QDir::Name))
            images << dir.filePath(name);
    }
    return images;
}

// The QR codes on a PDF's pages rendered at dpi.
inline QStringList pdfQrCodes(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir pages;
    const QStringList images = pdfImages(pdf, dpi, pages, error);
    return images.isEmpty() ? QStringList() : imageQrCodes(images, error);
}

// Starts the printer for a test, or skips with the reason where this
// machine cannot run it; in CI both must work.
#define START_PDF_PRINTER_OR_SKIP(printer) START_PRINTER_OR_SKIP(printer, PdfPrinter::DefaultQueue)
#define START_PRINTER_OR_SKIP(printer, mode)                                                                  \
    do {                                                                                                      \
        const QStringList missing = missingPdfTools();                                                        \
        const bool started = missing.isEmpty() && (printer).start(mode);                                      \
        const QString reason = missing.isEmpty() ? (printer).errorString() : "missing " + missing.join(", "); \
        if (!started && !PdfPrinter::runsInCi() && (!missing.isEmpty() || (printer).mayBeSkipped()))          \
            QSKIP(qPrintable(reason));                                                                        \
        QVERIFY2(started, qPrintable(reason));                                                                \
    } while (false)

#endif // PDFPRINTER_H
