#ifndef PDFPRINTER_H
#define PDFPRINTER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private CUPS scheduler whose default queue writes every job as a PDF,
// run by tests/cups/pdfprinter.sh. A process prints to it once CUPS_SERVER
// names the scheduler's socket: this test process after exportToProcess()
// (called before the first QPrinter exists, since libcups reads the variable
// once), or a child started with environment(). The printer stops with this
// object, and by itself when the test process dies without stopping it.
// Started WithLabelPrinters, it also has queues for CUPS's sample DYMO and
// Zebra ZPL drivers, whose printer language deviceData() returns (decoded
// by labellanguage.h); a program prints there once setDefaultQueue() made
// one of them the default.
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
        if (mode == NoQueue)
            arguments << "--no-queue";
        if (mode == WithLabelPrinters)
            arguments << "--label-printers";
        if (!script(arguments, 120, &output))
            return false;
        const QRegularExpression line("^export (\\w+)=(.*)$", QRegularExpression::MultilineOption);
        auto match = line.globalMatch(QString::fromLocal8Bit(output));
        while (match.hasNext()) {
            const QRegularExpressionMatch variable = match.next();
            // Undoes the backslash quoting of printf %q (no value needs $'...').
            QString value = variable.captured(2);
            value.replace(QRegularExpression("\\\\(.)"), "\\1");
            variables.insert(variable.captured(1), value);
        }
        if (server().isEmpty() || stateDir().isEmpty()) {
            error = QString("pdfprinter.sh start printed no printer: %1").arg(QString::fromLocal8Bit(output));
            stop();
            return false;
        }
        return true;
    }

    bool stop()
    {
        if (variables.isEmpty())
            return true;
        const bool stopped = script({"stop"}, 60);
        variables.clear();
        return stopped;
    }

    bool isRunning() const { return !variables.isEmpty(); }

    // True when the last start failed because this machine cannot run the
    // printer at all (not root, CUPS, cups-pdf or the label drivers missing).
    // A test then skips, except in CI, which must run it.
    bool mayBeSkipped() const { return unavailable && !runsInCi(); }

    static bool runsInCi()
    {
        const QString ci = qEnvironmentVariable("CI").toLower();
        return !ci.isEmpty() && ci != "false" && ci != "0";
    }

    QString errorString() const { return error; }

    QString server() const { return variables.value("CUPS_SERVER"); }
    QString queue() const { return variables.value("PDFPRINTER_QUEUE"); }
    QString outputDir() const { return variables.value("PDFPRINTER_OUT"); }
    QString stateDir() const { return variables.value("PDFPRINTER_STATE"); }

    // The queue of a label driver, "dymo" or "zebra"; empty when the
    // printer was not started WithLabelPrinters.
    QString labelQueue(const QString &driver) const
    {
        const QString queue = "quillet-" + driver;
        return variables.value("PDFPRINTER_LABEL_QUEUES").split(' ').contains(queue) ? queue : QString();
    }

    // The environment of this process with the printer's variables added.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            environment.insert(it.key(), it.value());
        return environment;
    }

    void exportToProcess() const
    {
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            qputenv(qPrintable(it.key()), it.value().toLocal8Bit());
    }

    // Waits until every job has left the queue; false when one failed or
    // the time ran out.
    bool waitIdle(int seconds = 60) { return script({"wait-idle", QString::number(seconds)}, seconds + 30); }

    // The job PDFs written so far, oldest first; empty on failure.
    QStringList pdfs()
    {
        QByteArray output;
        if (!script({"pdfs"}, 30, &output))
            return QStringList();
        return QString::fromLocal8Bit(output).split('\n', Qt::SkipEmptyParts);
    }

    // Removes the job PDFs, what the label printers were sent and the
    // scheduler's record of finished jobs.
    bool clear() { return script({"clear"}, 60); }

    // Makes the queue the one that programs print to by default.
    bool setDefaultQueue(const QString &queue) { return script({"default", queue}, 30); }

    // What the last job sent to a label printer's device, in its printer
    // language; null when it has printed nothing since the last clear().
    QByteArray deviceData(const QString &queue)
    {
        QByteArray output;
        if (!script({"device-file", queue}, 30, &output))
            return QByteArray();
        QFile file(QString::fromLocal8Bit(output.trimmed()));
        if (!file.open(QIODevice::ReadOnly)) {
            error = QString("cannot read %1: %2").arg(file.fileName(), file.errorString());
            return QByteArray();
        }
        return file.readAll();
    }

    // The number of jobs the scheduler took since the last clear(); -1 on failure.
    int jobCount()
    {
        QByteArray output;
        bool ok = false;
        const int count = script({"job-count"}, 30, &output) ? output.trimmed().toInt(&ok) : -1;
        return ok ? count : -1;
    }

    // Lets the queue take jobs or refuse them, as an operator can.
    bool setAcceptingJobs(bool accepting)
    {
        return client(accepting ? "cupsaccept" : "cupsreject", {queue()}, 30);
    }

    static QString scriptPath() { return QString(TESTS_SOURCE_DIR) + "/cups/pdfprinter.sh"; }

private:
    Q_DISABLE_COPY(PdfPrinter)

    bool script(const QStringList &arguments, int seconds, QByteArray *output = nullptr)
    {
        return client(scriptPath(), arguments, seconds, output);
    }

    // Runs a program that talks to the scheduler, with a time limit.
    bool client(const QString &program, const QStringList &arguments, int seconds, QByteArray *output = nullptr)
    {
        unavailable = false;
        const QString command = QString("%1 %2").arg(QFileInfo(program).fileName(), arguments.join(' '));
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        if (!process.waitForFinished(seconds * 1000)) {
            error = QString("%1 did not end within %2 s: %3").arg(command).arg(seconds).arg(process.errorString());
            process.kill();
            process.waitForFinished(5000);
            return false;
        }
        if (output)
            *output = process.readAllStandardOutput();
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            return true;
        unavailable = program == scriptPath() && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 77;
        error = QString("%1 failed (exit code %2): %3")
                    .arg(command)
                    .arg(process.exitCode())
                    .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }

    QHash<QString, QString> variables;
    QString error;
    bool unavailable = false;
};

// Tools that read the job PDFs.
inline QStringList missingPdfTools()
{
    QStringList missing;
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm", "zbarimg"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing;
}

// Runs a command-line tool to its end and returns its standard output; on
// failure a null array and the reason in *error.
inline QByteArray runTool(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        *error = QString("%1 did not end: %2").arg(program, process.errorString());
        process.kill();
        process.waitForFinished(5000);
        return QByteArray();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QString("%1 %2 failed (exit code %3): %4")
                     .arg(program, arguments.join(' '))
                     .arg(process.exitCode())
                     .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return QByteArray();
    }
    QByteArray output = process.readAllStandardOutput();
    // A successful run with no output is still not a failure.
    if (output.isNull())
        output = "";
    return output;
}

// The size in points of a PDF's first page as it is shown, with the page's
// rotation applied; an invalid size on failure.
inline QSizeF pdfPageSize(const QString &pdf, QString *error)
{
    const QString info = QString::fromLocal8Bit(runTool("pdfinfo", {pdf}, error));
    const QRegularExpressionMatch size =
        QRegularExpression("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts", QRegularExpression::MultilineOption)
            .match(info);
    if (!size.hasMatch()) {
        if (error->isEmpty())
            *error = QString("no page size in pdfinfo's output: %1").arg(info);
        return QSizeF();
    }
    QSizeF points(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpressionMatch rotation =
        QRegularExpression("^Page rot:\\s+(\\d+)", QRegularExpression::MultilineOption).match(info);
    if (rotation.hasMatch() && rotation.captured(1).toInt() % 180 == 90)
        points.transpose();
    return points;
}

// The text of a PDF with runs of white space made single blanks.
inline QString pdfText(const QString &pdf, QString *error)
{
    return QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", pdf, "-"}, error)).simplified();
}

// The text of each page of a PDF, white space made single blanks.
inline QStringList pdfPages(const QString &pdf, QString *error)
{
    QStringList pages = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", pdf, "-"}, error))
                            .split('\f', Qt::SkipEmptyParts);
    for (QString &page : pages)
        page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

// The contents of the QR codes found in image files.
inline QStringList imageQrCodes(const QStringList &images, QString *error)
{
    QProcess zbar;
    zbar.start("zbarimg", QStringList{"--raw", "-q"} + images);
    if (!zbar.waitForFinished(120000)) {
        *error = QString("zbarimg did not end: %1").arg(zbar.errorString());
        zbar.kill();
        zbar.waitForFinished(5000);
        return QStringList();
    }
    // zbarimg ends with 4 when it found no code at all.
    if (zbar.exitStatus() != QProcess::NormalExit || (zbar.exitCode() != 0 && zbar.exitCode() != 4)) {
        *error = QString("zbarimg failed (exit code %1): %2")
                     .arg(zbar.exitCode())
                     .arg(QString::fromLocal8Bit(zbar.readAllStandardError()).trimmed());
        return QStringList();
    }
    return QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The contents of the QR codes found on a PDF's pages rendered at the given
// resolution.
inline QStringList pdfQrCodes(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir pages;
    if (runTool("pdftoppm", {"-r", QString::number(dpi), "-png", pdf, pages.filePath("page")}, error).isNull())
        return QStringList();
    QStringList images;
    for (const QString &name : QDir(pages.path()).entryList({"page*.png"}, QDir::Files, QDir::Name))
        images << pages.filePath(name);
    if (images.isEmpty()) {
        *error = "pdftoppm wrote no page";
        return QStringList();
    }
    return imageQrCodes(images, error);
}

// Starts the private printer for a test case, with the queues of a
// PdfPrinter::QueueMode, or skips the test with the reason where this
// machine cannot run it; in CI both must work.
#define START_PDF_PRINTER_OR_SKIP(printer) START_PRINTER_OR_SKIP(printer, PdfPrinter::DefaultQueue)
#define START_PRINTER_OR_SKIP(printer, mode)                                                \
    do {                                                                                    \
        const QStringList missing = missingPdfTools();                                      \
        if (!missing.isEmpty()) {                                                           \
            const QString reason = QString("PDF tools missing: %1").arg(missing.join(", ")); \
            if (!PdfPrinter::runsInCi())                                                    \
                QSKIP(qPrintable(reason));                                                  \
            QFAIL(qPrintable(reason));                                                      \
        }                                                                                   \
        if (!(printer).start(mode)) {                                                       \
            if ((printer).mayBeSkipped())                                                   \
                QSKIP(qPrintable((printer).errorString()));                                 \
            QFAIL(qPrintable((printer).errorString()));                                     \
        }                                                                                   \
    } while (false)

#endif // PDFPRINTER_H
