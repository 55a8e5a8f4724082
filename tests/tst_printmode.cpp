#include "childrun.h"
#include "pdfprinter.h"
#include "testsupport.h"

#include <QDataStream>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPointF>
#include <QSettings>
#include <QVariantHash>

#include <sys/resource.h>

// The unattended print mode of the real executable, end to end through a
// private CUPS scheduler whose default printer writes PDFs:
// tagforge --print --config label.qlt --serial 0042 --code ABC.
class TestPrintMode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void printsLabel_data();
    void printsLabel();
    void printsStoredPageSize();
    void refusesUnreadableLabel_data();
    void refusesUnreadableLabel();
    void refusesUnencodableCode_data();
    void refusesUnencodableCode();
    void largeCodesInBoundedMemory();
    void seriesIsOneJob();
    void failsWithoutPrinter_data();
    void failsWithoutPrinter();
    void refusesNonsenseSettings_data();
    void refusesNonsenseSettings();

private:
    QString onlyJobPdf();

    PdfPrinter printer;
    QTemporaryDir labels;
};

// A page size from the PDF matches when it is within a point of the
// expected one: the driver rounds custom sizes to whole points.
static bool samePageSize(const QSizeF &actual, const QSizeF &expected)
{
    return qAbs(actual.width() - expected.width()) <= 1 && qAbs(actual.height() - expected.height()) <= 1;
}

void TestPrintMode::initTestCase()
{
    QVERIFY2(QFileInfo(TAGFORGE_BIN).isExecutable(), TAGFORGE_BIN);
    QVERIFY(labels.isValid());
    START_PDF_PRINTER_OR_SKIP(printer);
}

void TestPrintMode::cleanupTestCase()
{
    printer.stop();
}

void TestPrintMode::init()
{
    QVERIFY2(printer.clear(), qPrintable(printer.errorString()));
}

QString TestPrintMode::onlyJobPdf()
{
    if (!printer.waitIdle())
        return QString("wait-idle: %1").arg(printer.errorString());
    const int jobs = printer.jobCount();
    const QStringList pdfs = printer.pdfs();
    if (jobs != 1 || pdfs.size() != 1)
        return QString("expected one job and one PDF, found %1 jobs and PDFs %2").arg(jobs).arg(pdfs.join(", "));
    return pdfs.first();
}

void TestPrintMode::printsLabel_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("code");

    QTest::newRow("long options") << QStringList{"--serial", "0042", "--code", "ABC"} << "0042" << "ABC";
    QTest::newRow("short options") << QStringList{"-s", "7", "-c", "Lot-7 X"} << "7" << "Lot-7 X";
}

void TestPrintMode::printsLabel()
{
    QFETCH(QStringList, options);
    QFETCH(QString, serial);
    QFETCH(QString, code);

    const QString label = labels.filePath("label.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "Lot {%serial%} {%date%}"}},
                       {{QPointF(150, 150), 100, "{%code%}"}}));

    const QString before = QDate::currentDate().toString("yyyy-MM-dd");
    const ChildRun run = runTagforge(QStringList{"--print", "--config", label} + options, printer.server());
    const QString after = QDate::currentDate().toString("yyyy-MM-dd");
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QVERIFY2(run.exitCode == 0, qPrintable(QString("exit code %1: %2").arg(run.exitCode).arg(run.errorOutput)));

    const QString pdf = onlyJobPdf();
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
    QString error;
    const QSizeF size = pdfPageSize(pdf, &error);
    QVERIFY2(samePageSize(size, QSizeF(288, 288)),
             qPrintable(QString("page of %1 x %2 pts %3").arg(size.width()).arg(size.height()).arg(error)));
    const QString text = pdfText(pdf, &error);
    QVERIFY2(text.contains(QString("Lot %1 %2").arg(serial, before))
                 || text.contains(QString("Lot %1 %2").arg(serial, after)),
             qPrintable(QString("text \"%1\" %2").arg(text, error)));
    QCOMPARE(pdfQrCodes(pdf, 300, &error), QStringList{code});
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestPrintMode::printsStoredPageSize()
{
    const QString label = labels.filePath("small.qlt");
    QVERIFY(writeLabel(label, {{QPointF(5, 5), "S{%serial%}"}}, {}));

    const ChildRun run = runTagforge({"--print", "--config", label, "--serial", "0042"}, printer.server(),
                                {{"Printer/PageSizeMM", QSizeF(50, 30)}});
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QVERIFY2(run.exitCode == 0, qPrintable(QString("exit code %1: %2").arg(run.exitCode).arg(run.errorOutput)));

    const QString pdf = onlyJobPdf();
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
    QString error;
    const QSizeF size = pdfPageSize(pdf, &error);
    QVERIFY2(samePageSize(size, QSizeF(50 * 72 / 25.4, 30 * 72 / 25.4)),
             qPrintable(QString("page of %1 x %2 pts %3").arg(size.width()).arg(size.height()).arg(error)));
    QVERIFY2(pdfText(pdf, &error).contains("S0042"), qPrintable(error));
}

void TestPrintMode::refusesUnreadableLabel_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning");

    QTest::newRow("missing file") << QByteArray() << "Failed to open file";
    QTest::newRow("not a label file") << QByteArray("Lot 0042\n") << "is not a tagforge file";
    QTest::newRow("newer format") << QByteArray::fromHex("034a9f210004") << "needs a more recent version of tagforge";
    // A text record whose text ends in the middle: a partial label is a wrong label.
    QTest::newRow("damaged file") << QByteArray::fromHex("034a9f2100020001000340340000000000004034000000000000"
                                                         "000000000000000000000010004c006f")
                                  << "is damaged";
    // An unknown type number: what follows it cannot be trusted.
    QTest::newRow("unknown item kind") << QByteArray::fromHex("034a9f2100020001000940340000000000004034000000000000")
                                       << "is damaged";
    QTest::newRow("header and garbage") << QByteArray::fromHex("034a9f210002deadbeef0badf00d5eed") << "is damaged";
}

void TestPrintMode::refusesUnreadableLabel()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);

    const QString label = labels.filePath(QString("%1.qlt").arg(QTest::currentDataTag()));
    QFile::remove(label);
    if (!content.isNull())
        QVERIFY(writeFile(label, content));

    const ChildRun run = runTagforge({"--print", "--config", label, "--serial", "0042", "--code", "ABC"},
                                printer.server());
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.errorOutput.contains(warning), qPrintable(run.errorOutput));

    QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
    QCOMPARE(printer.jobCount(), 0);
    QCOMPARE(printer.pdfs(), QStringList());
}

void TestPrintMode::refusesUnencodableCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("warning");

    QTest::newRow("empty") << QString() << "empty";
    QTest::newRow("too long") << QString(2000, QChar('x')) << "2000 bytes";
}

void TestPrintMode::refusesUnencodableCode()
{
    QFETCH(QString, code);
    QFETCH(QString, warning);

    const QString label = labels.filePath("code.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "Lot {%serial%}"}}, {{QPointF(150, 150), 100, "{%code%}"}}));
    const ChildRun run = runTagforge({"--print", "--config", label, "--code", code}, printer.server());
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.errorOutput.contains(warning), qPrintable(run.errorOutput));
    QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
    QCOMPARE(printer.jobCount(), 0);
}

// A few kilobytes of label claiming two hundred codes of the largest size
// once made the program ask for gigabytes.
void TestPrintMode::largeCodesInBoundedMemory()
{
    const QString label = labels.filePath("codes.qlt");
    QList<QrRecord> codes;
    for (int i = 0; i < 200; ++i)
        codes << QrRecord{QPointF(i, i), 1024, "{%code%}"};
    QVERIFY(writeLabel(label, {}, codes));
    const ChildRun run = runTagforge({"--print", "--config", label, "--code", "ABC"}, printer.server());
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QVERIFY2(run.exitCode == 0, qPrintable(QString("exit code %1: %2").arg(run.exitCode).arg(run.errorOutput)));
    QVERIFY2(QFileInfo(onlyJobPdf()).isFile(), "no job printed");
    // The largest of all children so far, this one included.
    rusage usage{};
    QCOMPARE(getrusage(RUSAGE_CHILDREN, &usage), 0);
    QVERIFY2(usage.ru_maxrss < 160 * 1024, qPrintable(QString("peak %1 KiB").arg(usage.ru_maxrss)));
}

// A thousand numbered labels are one job of a thousand pages, each with its
// own serial in text and code.
void TestPrintMode::seriesIsOneJob()
{
#ifdef TAGFORGE_SANITIZED
    // Sanitizers look for memory faults, not scale; a full run outlasts them.
    const int count = 100;
#else
    const int count = 1000;
#endif
    const QString label = labels.filePath("series.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "S{%serial%}"}}, {{QPointF(150, 150), 100, "{%serial%}"}}));
    const ChildRun run = runTagforge({"--print", "--config", label, "--serial", "0042", "--count",
                                      QString::number(count)},
                                     printer.server());
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(describe(run)));
    const QString pdf = onlyJobPdf();
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));
    QString error;
    const QStringList pages = pdfPages(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(pages.size(), count);
    for (int k = 0; k < pages.size(); ++k)
        QCOMPARE(pages.at(k), QString("S%1").arg(42 + k, 4, 10, QChar('0')));
    // The codes of the first, a middle and the last page.
    for (int page : {1, 59, count}) {
        QTemporaryDir images;
        QVERIFY2(!runTool("pdftoppm", {"-f", QString::number(page), "-l", QString::number(page), "-r", "150", "-png",
                                       pdf, images.filePath("page")}, &error).isNull(), qPrintable(error));
        QStringList files;
        for (const QString &name : QDir(images.path()).entryList({"*.png"}, QDir::Files))
            files << images.filePath(name);
        QCOMPARE(imageQrCodes(files, &error), QStringList{QString("%1").arg(41 + page, 4, 10, QChar('0'))});
    }
}

void TestPrintMode::failsWithoutPrinter_data()
{
    QTest::addColumn<QString>("printerState");

    QTest::newRow("no scheduler") << "none";
    QTest::newRow("scheduler without printers") << "no queue";
    QTest::newRow("printer refusing jobs") << "refusing";
}

void TestPrintMode::failsWithoutPrinter()
{
    QFETCH(QString, printerState);

    const QString label = labels.filePath("label.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "Lot {%serial%}"}}, {}));

    QTemporaryDir nowhere;
    PdfPrinter empty;
    QString server = nowhere.filePath("cups.sock");
    if (printerState == "no queue") {
        QVERIFY2(empty.start(PdfPrinter::NoQueue), qPrintable(empty.errorString()));
        server = empty.server();
    } else if (printerState == "refusing") {
        QVERIFY2(printer.setAcceptingJobs(false), qPrintable(printer.errorString()));
        server = printer.server();
    }

    const ChildRun run = runTagforge({"--print", "--config", label, "--serial", "0042"}, server);
    if (printerState == "refusing")
        QVERIFY2(printer.setAcceptingJobs(true), qPrintable(printer.errorString()));
    QVERIFY2(run.finished, "tagforge did not end without a printer");
    QCOMPARE(run.exitCode, 3);
    QVERIFY(!run.errorOutput.trimmed().isEmpty());
    if (empty.isRunning())
        QCOMPARE(empty.jobCount(), 0);
    QCOMPARE(printer.jobCount(), 0);
}

void TestPrintMode::refusesNonsenseSettings_data()
{
    QTest::addColumn<QVariantHash>("settings");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("zero page") << QVariantHash{{"Printer/PageSizeMM", QSizeF(0, 0)}} << 3;
    QTest::newRow("negative page") << QVariantHash{{"Printer/PageSizeMM", QSizeF(-50, 30)}} << 3;
    QTest::newRow("page size not a size") << QVariantHash{{"Printer/PageSizeMM", "big"}} << 3;
    QTest::newRow("resolution 0") << QVariantHash{{"Printer/PrintDPI", 0}} << 3;
    QTest::newRow("resolution 100000") << QVariantHash{{"Printer/PrintDPI", 100000}} << 3;
    QTest::newRow("resolution not a number") << QVariantHash{{"Printer/PrintDPI", "fine"}} << 3;
    QTest::newRow("language not a locale") << QVariantHash{{"Ui/Language", 42}} << 0;
}

void TestPrintMode::refusesNonsenseSettings()
{
    QFETCH(QVariantHash, settings);
    QFETCH(int, exitCode);

    const QString label = labels.filePath("settings.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "Lot {%serial%}"}}, {}));
    const ChildRun run = runTagforge({"--print", "--config", label, "--serial", "0042"}, printer.server(), settings);
    QVERIFY2(run.finished, qPrintable(run.errorOutput));
    QVERIFY2(run.exitCode == exitCode, qPrintable(QString("exit code %1: %2").arg(run.exitCode).arg(run.errorOutput)));
    QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
    if (exitCode == 0) {
        QCOMPARE(printer.jobCount(), 1);
        return;
    }
    QVERIFY2(run.errorOutput.contains("page settings cannot be printed"), qPrintable(run.errorOutput));
    QCOMPARE(printer.jobCount(), 0);
}

TAGFORGE_TEST_MAIN(TestPrintMode)
#include "tst_printmode.moc"
