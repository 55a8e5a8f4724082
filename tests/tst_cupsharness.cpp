#include "pdfprinter.h"
#include "testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

// The private PDF printer that the print tests rely on: plain CUPS clients
// and Qt's printing reach it as the default printer, each job becomes one
// PDF with real text at the requested page size, and stopping it (or losing
// the process that owns it) leaves nothing behind.
class TestCupsHarness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void isDefaultPrinter();
    void plainClientJob_data();
    void plainClientJob();
    void qtPrinterJob_data();
    void qtPrinterJob();
    void stopLeavesNothingBehind();
    void stopsWhenOwnerDies();

private:
    QString onePdf();

    PdfPrinter printer;
};

// A process that has ended but was not yet reaped counts as gone.
static bool isAlive(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    return !fields.mid(fields.lastIndexOf(')') + 1).trimmed().startsWith('Z');
}

static qint64 schedulerPid(const QString &stateDir)
{
    QFile file(stateDir + "/run/scheduler.pid");
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

void TestCupsHarness::initTestCase()
{
    START_PDF_PRINTER_OR_SKIP(printer);
    printer.exportToProcess();
}

void TestCupsHarness::cleanupTestCase()
{
    printer.stop();
}

void TestCupsHarness::init()
{
    if (printer.isRunning())
        QVERIFY2(printer.clear(), qPrintable(printer.errorString()));
}

QString TestCupsHarness::onePdf()
{
    if (!printer.waitIdle())
        return QString("wait-idle: %1").arg(printer.errorString());
    const QStringList pdfs = printer.pdfs();
    if (pdfs.size() != 1)
        return QString("expected one job PDF, found: %1").arg(pdfs.join(", "));
    return pdfs.first();
}

void TestCupsHarness::isDefaultPrinter()
{
    QVERIFY(!printer.queue().isEmpty());
    QCOMPARE(QPrinterInfo::defaultPrinterName(), printer.queue());
    QCOMPARE(QPrinterInfo::availablePrinterNames(), QStringList{printer.queue()});
    QCOMPARE(QPrinter().printerName(), printer.queue());
}

void TestCupsHarness::plainClientJob_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSizeF>("pageSize");

    QTest::newRow("driver's default page") << QStringList() << QSizeF(595, 842);
    QTest::newRow("4 x 4 inch page") << QStringList{"-o", "media=Custom.288x288"} << QSizeF(288, 288);
}

void TestCupsHarness::plainClientJob()
{
    QFETCH(QStringList, options);
    QFETCH(QSizeF, pageSize);

    QTemporaryDir dir;
    const QString document = dir.filePath("note.txt");
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    file.write("Plain client job 0042\n");
    file.close();

    QString error;
    QVERIFY2(!runTool("lp", options << document, &error).isNull(), qPrintable(error));
    const QString pdf = onePdf();
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
    QCOMPARE(printer.jobCount(), 1);

    const QSizeF size = pdfPageSize(pdf, &error);
    QVERIFY2(size.isValid(), qPrintable(error));
    QCOMPARE(size, pageSize);
    QVERIFY2(pdfText(pdf, &error).contains("Plain client job 0042"), qPrintable(error));
}

void TestCupsHarness::qtPrinterJob_data()
{
    QTest::addColumn<QPageSize>("page");
    QTest::addColumn<QSizeF>("pageSize");

    QTest::newRow("A4") << QPageSize(QPageSize::A4) << QSizeF(595, 842);
    QTest::newRow("4 x 4 inch custom page")
        << QPageSize(QSizeF(101.6, 101.6), QPageSize::Millimeter, "Label", QPageSize::ExactMatch)
        << QSizeF(288, 288);
    QTest::newRow("50 x 30 mm custom page")
        << QPageSize(QSizeF(50, 30), QPageSize::Millimeter, "Label", QPageSize::ExactMatch)
        << QSizeF(141.7, 85);
}

void TestCupsHarness::qtPrinterJob()
{
    QFETCH(QPageSize, page);
    QFETCH(QSizeF, pageSize);

    QPrinter qprinter(QPrinter::HighResolution);
    QCOMPARE(qprinter.printerName(), printer.queue());
    QCOMPARE(qprinter.outputFormat(), QPrinter::NativeFormat);
    QVERIFY(qprinter.setPageSize(page));
    qprinter.setFullPage(true);
    qprinter.setDocName("harness");
    {
        QPainter painter;
        QVERIFY(painter.begin(&qprinter));
        painter.setFont(QFont("DejaVu Sans", 10));
        painter.drawText(qprinter.pageLayout().fullRectPixels(qprinter.resolution()).adjusted(50, 50, 0, 0), "Qt job 0042");
        QVERIFY(painter.end());
    }

    const QString pdf = onePdf();
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
    QString error;
    const QSizeF size = pdfPageSize(pdf, &error);
    QVERIFY2(size.isValid(), qPrintable(error));
    // The driver rounds custom sizes to whole points.
    QVERIFY2(qAbs(size.width() - pageSize.width()) <= 1 && qAbs(size.height() - pageSize.height()) <= 1,
             qPrintable(QString("page of %1 x %2 pts").arg(size.width()).arg(size.height())));
    QVERIFY2(pdfText(pdf, &error).contains("Qt job 0042"), qPrintable(error));
}

void TestCupsHarness::stopLeavesNothingBehind()
{
    const QString state = printer.stateDir();
    const QString conf = QString("/etc/cups/cups-pdf-%1.conf").arg(printer.queue());
    const QString out = printer.outputDir();
    QVERIFY(QFileInfo::exists(conf));
    QVERIFY(QFileInfo(out).isDir());
    const qint64 pid = schedulerPid(state);
    QVERIFY(isAlive(pid));

    QVERIFY2(printer.stop(), qPrintable(printer.errorString()));
    QVERIFY(!printer.isRunning());
    QVERIFY(!QFileInfo::exists(conf));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(!QFileInfo::exists(state));
    QVERIFY(!isAlive(pid));
}

void TestCupsHarness::stopsWhenOwnerDies()
{
    // An owner that dies without stopping the printer, as a crashed test would.
    QProcess owner;
    owner.start("sleep", {"300"});
    QVERIFY(owner.waitForStarted());
    QProcess start;
    start.start(PdfPrinter::scriptPath(), {"start", "--owner", QString::number(owner.processId())});
    QVERIFY(start.waitForFinished(120000));
    QVERIFY2(start.exitCode() == 0, start.readAllStandardError().constData());
    const QString output = QString::fromLocal8Bit(start.readAllStandardOutput());
    const QString state = QRegularExpression("export PDFPRINTER_STATE=(\\S+)").match(output).captured(1);
    const QString queue = QRegularExpression("export PDFPRINTER_QUEUE=(\\S+)").match(output).captured(1);
    QVERIFY2(!state.isEmpty() && !queue.isEmpty(), qPrintable(output));
    const qint64 pid = schedulerPid(state);
    QVERIFY(isAlive(pid));

    owner.kill();
    QVERIFY(owner.waitForFinished(30000));
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(state), 60000);
    QVERIFY(!QFileInfo::exists(QString("/etc/cups/cups-pdf-%1.conf").arg(queue)));
    QVERIFY(!isAlive(pid));
}

TAGFORGE_TEST_MAIN(TestCupsHarness)
#include "tst_cupsharness.moc"
