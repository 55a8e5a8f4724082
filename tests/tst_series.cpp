// Runs of many labels: the data table reader, the serials of a series, and
// the real program writing series and merges to files with no display.

#include "childrun.h"
#include "pdfprinter.h"
#include "testsupport.h"

#include "document/csvtable.h"
#include "output/labelvalues.h"

#include <QDir>

class TestSeries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void csv_data();
    void csv();
    void serials_data();
    void serials();
    void outputRuns_data();
    void outputRuns();
    void mergeToPdf_data();
    void mergeToPdf();

private:
    QString label;
    QTemporaryDir dir;
};

void TestSeries::initTestCase()
{
    QVERIFY(dir.isValid());
    label = dir.filePath("label.qlt");
    QVERIFY(writeLabel(label, {{QPointF(20, 20), "S{%serial%} {%lot%}"}}, {{QPointF(150, 150), 100, "{%serial%}"}}));
    QVERIFY(writeFile(dir.filePath("bad.csv"), "serial,code\n1,x\"y\n"));
}

void TestSeries::csv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("error");

    QTest::newRow("BOM, CR LF, blank last line")
        << QByteArray("\xef\xbb\xbfserial,code\r\n1,A\r\n2,B\r\n\r\n") << QStringList{"serial|code", "1|A", "2|B"}
        << QString();
    QTest::newRow("quoted comma, quote, line break, UTF-8")
        << QByteArray("a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\xc3\xa4\xe4\xb8\xad\n")
        << QStringList{"a|b", "x,y|say \"hi\"", "two\nlines|\xc3\xa4\xe4\xb8\xad"} << QString();
    QTest::newRow("empty fields") << QByteArray("a,b,c\n,\"\",\n") << QStringList{"a|b|c", "||"} << QString();
    QTest::newRow("no final line break") << QByteArray("a\n1") << QStringList{"a", "1"} << QString();
    QTest::newRow("quote never closed") << QByteArray("a\n1\n\"open\n\n") << QStringList() << "Line 3:";
    QTest::newRow("text after closing quote") << QByteArray("a,b\n\"x\"y,1\n") << QStringList() << "Line 2:";
    QTest::newRow("quote inside a field") << QByteArray("a\nx\"y\n") << QStringList() << "Line 2:";
    QTest::newRow("row of other width after a quoted line break")
        << QByteArray("a,b\n\"1\n2\",3\n4\n") << QStringList() << "Line 4:";
    QTest::newRow("unnamed column") << QByteArray("a,,c\n1,2,3\n") << QStringList() << "Line 1:";
    QTest::newRow("not UTF-8") << QByteArray("a\n\xff\xfe\n") << QStringList() << "UTF-8";
    QTest::newRow("nothing") << QByteArray() << QStringList() << "header";
}

void TestSeries::csv()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    QFETCH(QString, error);

    const CsvTable table = CsvTable::parse(bytes);
    QVERIFY2(error.isEmpty() ? table.error().isEmpty() : table.error().contains(error), qPrintable(table.error()));
    QStringList read;
    if (!table.header().isEmpty())
        read << table.header().join('|');
    for (int i = 0; i < table.rowCount(); ++i)
        read << table.row(i).join('|');
    QCOMPARE(read, rows);
}

void TestSeries::serials_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("serials");

    QTest::newRow("zero padding kept") << "0042" << 10
                                       << QStringList{"0042", "0043", "0044", "0045", "0046", "0047", "0048",
                                                      "0049", "0050", "0051"};
    QTest::newRow("padding grows into a digit") << "0099" << 2 << QStringList{"0099", "0100"};
    QTest::newRow("a digit more") << "9" << 2 << QStringList{"9", "10"};
    QTest::newRow("eighteen digits") << "999999999999999998" << 2
                                     << QStringList{"999999999999999998", "999999999999999999"};
    QTest::newRow("one label keeps any serial") << "Lot-7" << 1 << QStringList{"Lot-7"};
    QTest::newRow("letters in a series") << "12a" << 2 << QStringList();
    QTest::newRow("nineteen digits") << "1234567890123456789" << 2 << QStringList();
    QTest::newRow("no serial") << "" << 2 << QStringList();
    QTest::newRow("count zero") << "1" << 0 << QStringList();
    QTest::newRow("count beyond a million") << "1" << 1000001 << QStringList();
}

void TestSeries::serials()
{
    QFETCH(QString, first);
    QFETCH(int, count);
    QFETCH(QStringList, serials);

    const QString error = LabelValues::seriesError(first, count);
    QCOMPARE(error.isEmpty(), !serials.isEmpty());
    if (!error.isEmpty())
        return;
    Placeholder base;
    base.setValue("serial", first);
    LabelValues values(base);
    values.setSeries(first, count);
    QStringList made;
    for (int i = 0; i < values.count(); ++i)
        made << values.at(i).value("serial");
    QCOMPARE(made, serials);
}

void TestSeries::outputRuns_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("one PNG") << QStringList{"--output", "out.png"} << 0 << QString() << QStringList{"out.png"};
    QTest::newRow("numbered PNGs") << QStringList{"--output", "out.png", "--count", "12", "--serial", "1"} << 0
                                   << QString()
                                   << QStringList{"out-01.png", "out-02.png", "out-03.png", "out-04.png", "out-05.png",
                                                  "out-06.png", "out-07.png", "out-08.png", "out-09.png", "out-10.png",
                                                  "out-11.png", "out-12.png"};
    QTest::newRow("numbered SVGs") << QStringList{"--output", "out.svg", "--count", "2", "--serial", "5"} << 0
                                   << QString() << QStringList{"out-1.svg", "out-2.svg"};
    QTest::newRow("count zero") << QStringList{"--output", "out.pdf", "--count", "0"} << 1 << "count"
                                << QStringList();
    QTest::newRow("count not a number") << QStringList{"--output", "out.pdf", "--count", "ten"} << 1 << "count"
                                        << QStringList();
    QTest::newRow("series from letters") << QStringList{"--output", "out.pdf", "--count", "3", "--serial", "A7"} << 1
                                         << "digits only" << QStringList();
    QTest::newRow("count and data") << QStringList{"--output", "out.pdf", "--count", "3", "--data", "d.csv"} << 1
                                    << "exclude" << QStringList();
    QTest::newRow("print and output") << QStringList{"--output", "out.pdf", "--print"} << 1 << "exclude"
                                      << QStringList();
    QTest::newRow("series without output") << QStringList{"--count", "3"} << 1 << "need --print or --output"
                                           << QStringList();
    QTest::newRow("unknown format") << QStringList{"--output", "out.xyz"} << 1 << "suffix" << QStringList();
    QTest::newRow("missing data file") << QStringList{"--output", "out.pdf", "--data", "missing.csv"} << 2
                                       << "missing.csv" << QStringList();
    QTest::newRow("bad quoting") << QStringList{"--output", "out.pdf", "--data", "bad.csv"} << 2 << "Line 2:"
                                 << QStringList();
    QTest::newRow("unwritable output") << QStringList{"--output", "no/such/folder/out.pdf"} << 3 << "out.pdf"
                                       << QStringList();
}

// Each run starts in an empty folder: what is there afterwards is exactly
// what the run left behind.
void TestSeries::outputRuns()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QStringList, files);

    QTemporaryDir work;
    QStringList absolute;
    for (const QString &argument : arguments) {
        if (argument == "bad.csv")
            absolute << dir.filePath(argument);
        else
            absolute << (argument.contains('.') ? work.filePath(argument) : argument);
    }
    const ChildRun run = runTagforge(QStringList{"--config", label} + absolute, QString());
    QVERIFY2(run.finished && run.exitCode == exitCode, qPrintable(describe(run)));
    QVERIFY2(run.errorOutput.contains(message), qPrintable(run.errorOutput));
    QDir folder(work.path());
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
}

void TestSeries::mergeToPdf_data()
{
    QTest::addColumn<bool>("standardInput");
    QTest::newRow("file") << false;
    QTest::newRow("standard input") << true;
}

// Every page carries its row's values, whatever quoting the row needed.
void TestSeries::mergeToPdf()
{
    QFETCH(bool, standardInput);
    const QByteArray data("\xef\xbb\xbfserial,lot\r\n0007,\"A,1\"\r\n0008,\"say \"\"B\"\"\"\r\n0009,Gr\xc3\xb6\xc3\x9f"
                          "e\r\n");
    QTemporaryDir work;
    const QString csv = work.filePath("rows.csv");
    QVERIFY(writeFile(csv, data));
    const QString pdf = work.filePath("merged.pdf");
    const QStringList arguments{"--config", label, "--output", pdf, "--data", standardInput ? "-" : csv};
    const ChildRun run = standardInput ? runTagforge(arguments, QString(), {}, data) : runTagforge(arguments, QString());
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(describe(run)));
    QString error;
    const QStringList pages = pdfPages(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(pages.size(), 3);
    const QStringList expected{"S0007 A,1", "S0008 say \"B\"", QString::fromUtf8("S0009 Gr\xc3\xb6\xc3\x9f" "e")};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(pages.at(i), expected.at(i));
}

TAGFORGE_TEST_MAIN(TestSeries)
#include "tst_series.moc"
