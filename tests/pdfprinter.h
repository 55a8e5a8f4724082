#ifndef PDFPRINTER_H
#define PDFPRINTER_H

// A private CUPS printer and the independent readers of what is printed:
// poppler for PDFs, zbar for codes, a decoder of the Zebra driver's ZPL.

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// A program's standard output; null on failure, with the reason in *error.
inline QByteArray runTool(const QString &program, const QStringList &arguments, QString *error,
                          const QList<int> &goodExits = {0},
                          const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                          int seconds = 120)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(seconds * 1000))
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

// A private CUPS scheduler (cups/pdfprinter.sh): a PDF queue, and CUPS's
// sample DYMO and Zebra drivers if asked. This process prints there after
// exportToProcess() (before its first QPrinter), a child through runTagforge().
class PdfPrinter
{
public:
    enum QueueMode { DefaultQueue, NoQueue, WithLabelPrinters };

    PdfPrinter() = default;
    ~PdfPrinter() { stop(); }

    bool start(QueueMode mode = DefaultQueue)
    {
        QStringList arguments{"start", "--owner", QString::number(QCoreApplication::applicationPid())};
        if (mode != DefaultQueue)
            arguments << (mode == NoQueue ? "--no-queue" : "--label-printers");
        const QByteArray output = script(arguments, 120);
        auto match = QRegularExpression("^export (\\w+)=(.*)$", QRegularExpression::MultilineOption)
                         .globalMatch(QString::fromLocal8Bit(output));
        while (match.hasNext()) {
            const QRegularExpressionMatch variable = match.next();
            // Undoes the backslash quoting of printf %q.
            variables.insert(variable.captured(1), variable.captured(2).replace(QRegularExpression("\\\\(.)"), "\\1"));
        }
        if (!output.isNull() && (server().isEmpty() || variables.value("PDFPRINTER_STATE").isEmpty())) {
            error = "pdfprinter.sh start printed no printer: " + QString::fromLocal8Bit(output);
            stop();
        }
        return !variables.isEmpty();
    }

    void stop()
    {
        if (!variables.isEmpty())
            script({"stop"});
        variables.clear();
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
    bool waitIdle(int seconds = 180) { return !script({"wait-idle", QString::number(seconds)}, seconds + 30).isNull(); }
    // The job PDFs so far, oldest first.
    QStringList pdfs() { return QString::fromLocal8Bit(script({"pdfs"})).split('\n', Qt::SkipEmptyParts); }
    // Forgets the jobs and removes what they wrote.
    bool clear() { return !script({"clear"}).isNull(); }
    bool setDefaultQueue(const QString &queue) { return !script({"default", queue}).isNull(); }
    // What the last job sent to a label printer; null when none since clear().
    QByteArray deviceData(const QString &queue)
    {
        QFile file(QString::fromLocal8Bit(script({"device-file", queue}).trimmed()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Jobs taken since clear(); -1 on failure.
    int jobCount()
    {
        bool ok = false;
        const int count = script({"job-count"}).trimmed().toInt(&ok);
        return ok ? count : -1;
    }
    bool setAcceptingJobs(bool accepting)
    {
        return !script({queue()}, 30, accepting ? "cupsaccept" : "cupsreject").isNull();
    }

private:
    Q_DISABLE_COPY(PdfPrinter)

    QByteArray script(const QStringList &arguments, int seconds = 60,
                      const QString &program = TESTS_SOURCE_DIR "/cups/pdfprinter.sh")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = variables.cbegin(); it != variables.cend(); ++it)
            environment.insert(it.key(), it.value());
        return runTool(program, arguments, &error, {0}, environment, seconds);
    }

    QHash<QString, QString> variables;
    QString error;
};

// The text of each page, white space made single blanks.
inline QStringList pdfPages(const QString &pdf, QString *error)
{
    QStringList pages;
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-enc", "UTF-8", pdf, "-"}, error));
    for (const QString &page : text.split('\f')) {
        if (!page.simplified().isEmpty())
            pages << page.simplified();
    }
    return pages;
}

inline QString pdfText(const QString &pdf, QString *error) { return pdfPages(pdf, error).join(' '); }

// The contents of the QR codes and barcodes found in image files.
inline QStringList imageQrCodes(const QStringList &images, QString *error)
{
    // zbarimg ends with 4 when it found no code.
    return QString::fromUtf8(runTool("zbarimg", QStringList{"--raw", "-q"} + images, error, {0, 4}))
        .split('\n', Qt::SkipEmptyParts);
}

// An image in grey with a white quiet zone around it, as readers want.
inline QImage withQuietZone(const QImage &label)
{
    QImage padded(label.size() + QSize(80, 80), QImage::Format_Grayscale8);
    padded.fill(Qt::white);
    QPainter(&padded).drawImage(40, 40, label);
    return padded;
}

inline QStringList labelCodes(const QImage &label, QString *error)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("label.png");
    return withQuietZone(label).save(path) ? imageQrCodes({path}, error) : QStringList();
}

// The QR codes on a PDF's pages rendered at dpi, in page order.
inline QStringList pdfQrCodes(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir dir;
    if (runTool("pdftoppm", {"-r", QString::number(dpi), "-png", pdf, dir.filePath("page")}, error).isNull())
        return {};
    QStringList images;
    for (const QString &name : QDir(dir.path()).entryList({"page*.png"}, QDir::Files, QDir::Name))
        images << dir.filePath(name);
    return imageQrCodes(images, error);
}

// The bounding rectangle of the dark pixels of image within area.
inline QRect inkRect(const QImage &image, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// What CUPS's sample Zebra driver sends, back into one image per label,
// black where a dot is printed; anything but the driver's own commands is an
// error, not a wrong picture. A graphic per label, ~DG name,bytes,bytes per
// row, then hex digits where G-Y repeat the next 1-19 times and g-z 20-400
// times, "," fills the row with 0, "!" with 1, ":" repeats the row before; a
// ^PW after it cuts the image to that width.
inline QList<QImage> zplLabels(const QByteArray &data, QString *error)
{
    const auto fail = [error](const QString &why) {
        *error = "ZPL graphic " + why;
        return QList<QImage>();
    };
    QList<QImage> labels;
    const QRegularExpression download("~DG[^,]*,(\\d+),(\\d+),");
    const QString text = QString::fromLatin1(data);
    int at = 0;
    for (QRegularExpressionMatch match = download.match(text); match.hasMatch(); match = download.match(text, at)) {
        const int total = match.captured(1).toInt(), bytesPerRow = match.captured(2).toInt();
        if (bytesPerRow <= 0 || total % bytesPerRow != 0)
            return fail(QString("of %1 bytes in rows of %2").arg(total).arg(bytesPerRow));
        const int digits = bytesPerRow * 2;
        QImage label(bytesPerRow * 8, total / bytesPerRow, QImage::Format_Mono);
        label.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        QByteArray row, previous;
        int count = 0, y = 0;
        for (at = match.capturedEnd(); y < label.height() && at < text.size(); ++at) {
            const char c = text.at(at).toLatin1();
            if (c >= 'G' && c <= 'Y') {
                count += c - 'F';
                continue;
            } else if (c >= 'g' && c <= 'z') {
                count += (c - 'f') * 20;
                continue;
            } else if (isxdigit(uchar(c))) {
                row += QByteArray(qMax(count, 1), c);
            } else if (c == ',' || c == '!') {
                row += QByteArray(qMax(digits - row.size(), 0), c == ',' ? '0' : 'F');
            } else if (c == ':' && row.isEmpty() && !previous.isNull()) {
                row = previous;
            } else if (c != '\r' && c != '\n') {
                return fail(QString("row %1: unexpected \"%2\"").arg(y).arg(c));
            }
            count = 0;
            if (row.size() > digits)
                return fail(QString("row %1 has %2 digits, not %3").arg(y).arg(row.size()).arg(digits));
            if (row.size() == digits) {
                const QByteArray bytes = QByteArray::fromHex(row);
                memcpy(label.scanLine(y++), bytes.constData(), size_t(bytes.size()));
                previous = row;
                row.clear();
            }
        }
        if (y < label.height())
            return fail(QString("ends after %1 of %2 rows").arg(y).arg(label.height()));
        const QRegularExpressionMatch width = QRegularExpression("\\^PW(\\d+)").match(text, at);
        const int next = text.indexOf("~DG", at);
        if (width.hasMatch() && (next < 0 || width.capturedStart() < next))
            label = label.copy(0, 0, qMin(width.captured(1).toInt(), label.width()), label.height());
        labels << label;
    }
    return labels.isEmpty() ? fail("missing") : labels;
}

// Starts the printer for a test; make deps installs all it needs.
#define START_PRINTER(printer, mode) QVERIFY2((printer).start(mode), qPrintable((printer).errorString()))

#endif // PDFPRINTER_H
