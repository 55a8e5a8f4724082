// The values filled into labels: placeholders, data tables, serials of a
// series, and the MIME types list behind the export file filter.

#include "testsupport.h"

#include "app/settings.h"
#include "output/labelvalues.h"

class TestValues : public QObject
{
    Q_OBJECT

private slots:
    void placeholders_data();
    void placeholders();
    void csv_data();
    void csv();
    void serials_data();
    void serials();
    void mimeTypes_data();
    void mimeTypes();
};

void TestValues::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("changed");
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    QTest::newRow("any case") << "No. {%serial%}/{%SeRiAl%}" << "No. 42/42" << true;
    QTest::newRow("two keys") << "{%code%}-{%serial%}-{%code%}" << "ABC-42-ABC" << true;
    QTest::newRow("date of a fresh table") << "Made {%DATE%}" << "Made " + today << true;
    QTest::newRow("unknown placeholder") << "Lot {%batch%}" << "Lot {%batch%}" << false;
    QTest::newRow("incomplete placeholder") << "{%serial}" << "{%serial}" << false;
    QTest::newRow("four characters") << "{%x}" << "{%x}" << false;
    QTest::newRow("markers around a placeholder") << "{%x{%code%}%}" << "{%xABC%}" << true;
    // One pass over the original text: a value that looks like a placeholder stays.
    QTest::newRow("values not substituted again") << "{%self%}/{%loop%}" << "{%loop%}/{%self%}" << true;
}

void TestValues::placeholders()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, changed);
    Placeholder table;
    table.setValue("code", "first");
    table.setValue("code", "ABC");
    table.setValue("serial", "42");
    table.setValue("self", "{%loop%}");
    table.setValue("loop", "{%self%}");
    // Start from the opposite so that a missing write is seen.
    bool reported = !changed;
    QCOMPARE(table.replace(text, &reported), expected);
    QCOMPARE(reported, changed);
    QCOMPARE(table.replace(text), expected);
}

void TestValues::csv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("error");
    QTest::newRow("BOM, CR LF, blank last line")
        << QByteArray("\xef\xbb\xbfserial,code\r\n1,A\r\n2,B\r\n\r\n") << QStringList{"serial|code", "1|A", "2|B"} << "";
    QTest::newRow("quoted comma, quote, line break, UTF-8")
        << QByteArray("a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\xc3\xa4\n")
        << QStringList{"a|b", "x,y|say \"hi\"", "two\nlines|\xc3\xa4"} << "";
    QTest::newRow("empty fields, no final line break") << QByteArray("a,b,c\n,\"\",") << QStringList{"a|b|c", "||"} << "";
    QTest::newRow("quote never closed") << QByteArray("a\n1\n\"open\n\n") << QStringList() << "Line 3:";
    QTest::newRow("text after closing quote") << QByteArray("a,b\n\"x\"y,1\n") << QStringList() << "Line 2:";
    QTest::newRow("quote inside a field") << QByteArray("a\nx\"y\n") << QStringList() << "Line 2:";
    QTest::newRow("row of other width after a quoted line break")
        << QByteArray("a,b\n\"1\n2\",3\n4\n") << QStringList() << "Line 4:";
    QTest::newRow("unnamed column") << QByteArray("a,,c\n1,2,3\n") << QStringList() << "Line 1:";
    QTest::newRow("not UTF-8") << QByteArray("a\n\xff\xfe\n") << QStringList() << "UTF-8";
    QTest::newRow("nothing") << QByteArray() << QStringList() << "header";
}

void TestValues::csv()
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

void TestValues::serials_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("serials");
    QTest::newRow("zero padding kept") << "0042" << 3 << QStringList{"0042", "0043", "0044"};
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

void TestValues::serials()
{
    QFETCH(QString, first);
    QFETCH(int, count);
    QFETCH(QStringList, serials);
    QCOMPARE(LabelValues::seriesError(first, count).isEmpty(), !serials.isEmpty());
    if (serials.isEmpty())
        return;
    Placeholder base;
    base.setValue("code", "ABC");
    base.setValue("serial", first);
    LabelValues values(base);
    values.setSeries(first, count);
    QStringList made;
    for (int i = 0; i < values.count(); ++i)
        made << values.at(i).value("serial") + values.at(i).value("code");
    QCOMPARE(made, serials.replaceInStrings(QRegularExpression("$"), "ABC"));
}

void TestValues::mimeTypes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("jpegExtensions");
    QTest::newRow("tabs and blanks") << QByteArray("image/jpeg  \t jpeg\t\tjpg   jpe\n") << "jpe jpeg jpg";
    QTest::newRow("CR LF, trailing blank") << QByteArray("image/png png \r\nimage/jpeg jpg \r\n") << "jpg";
    QTest::newRow("same name twice") << QByteArray("image/jpeg\tjpeg jpg\nimage/jpeg\tjpe jpg") << "jpe jpeg jpg";
}

void TestValues::mimeTypes()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, jpegExtensions);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream in(&buffer);
    QHash<QString, QSet<QString>> table;
    Settings::readMimeTypes(in, table);
    QStringList extensions = table.value("image/jpeg").values();
    extensions.sort();
    QCOMPARE(extensions.join(' '), jpegExtensions);
    QVERIFY(!table.value("image/png").contains(QString()));
    // The export filter offers a format's extensions, sorted, and no others.
    const QString filter = Settings::instance()->imageFileFilter(";;Bitmap image", {"jpg", "png"});
    QVERIFY2(filter.startsWith(";;Bitmap image (*.") && filter.contains("*.jpe *.jpeg *.jpg") && filter.endsWith("png)")
                 && !filter.contains("*.txt") && !filter.contains("*. "),
             qPrintable(filter));
}

TAGFORGE_TEST_MAIN(TestValues)
#include "tst_values.moc"
