#include "testsupport.h"

#include "document/itemrecords.h"
#include "document/recordscanner.h"
#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QGraphicsScene>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QConicalGradient>
#include <QRandomGenerator>

// The scanner must agree byte for byte with what Qt writes, or sound labels
// would be refused and damaged ones read.
class TestRecordScanner : public QObject
{
    Q_OBJECT

private slots:
    void wholeEntries_data();
    void wholeEntries();
    void everyPrefixIsCutShort_data();
    void everyPrefixIsCutShort();
    void hostileCounts_data();
    void hostileCounts();
    void textureImages_data();
    void textureImages();

private:
    QByteArray boxEntry(const QPen &pen, const QBrush &brush, int version);
    QByteArray textEntry(const QString &text, const QFont &font, int version);
    QByteArray codeEntry(const QString &text, int version);

    QGraphicsScene scene;
};

// The item's entry as the window writes it: type number, then its record.
template <class Item> static QByteArray entryOf(Item *item, int version)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(version);
    out << qint32(item->type()) << *item;
    delete item;
    return data;
}

QByteArray TestRecordScanner::boxEntry(const QPen &pen, const QBrush &brush, int version)
{
    auto *box = new BoxItem(QRect(10, 10, 90, 30), &scene);
    box->setPen(pen);
    box->setBrush(brush);
    return entryOf(box, version);
}

QByteArray TestRecordScanner::textEntry(const QString &text, const QFont &font, int version)
{
    auto *item = new TextItem(QPoint(3, 4), &scene);
    item->setPlainText(text);
    item->setFont(font);
    return entryOf(item, version);
}

QByteArray TestRecordScanner::codeEntry(const QString &text, int version)
{
    auto *item = new QRCodeItem(QPoint(3, 4), &scene);
    item->setPlainText(text);
    return entryOf(item, version);
}

static QByteArray barcodeEntry(QGraphicsScene *scene, int version)
{
    auto *item = new BarcodeItem(QPoint(3, 4), scene);
    item->setCode("4006381333931", BarcodeItem::Ean13, false);
    return entryOf(item, version);
}

static QByteArray imageEntry(QGraphicsScene *scene, int version)
{
    return entryOf(new ImageItem(QPoint(3, 4), "<svg xmlns='http://www.w3.org/2000/svg'/>", scene), version);
}

static QImage texture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image;
}

void TestRecordScanner::wholeEntries_data()
{
    QTest::addColumn<QByteArray>("entry");

    QLinearGradient linear(0, 0, 10, 10);
    linear.setColorAt(0, Qt::red);
    linear.setColorAt(1, Qt::blue);
    QRadialGradient radial(5, 5, 3, 2, 2);
    radial.setColorAt(0.5, Qt::green);
    QConicalGradient conical(5, 5, 45);
    QPen dashed(Qt::red, 3);
    dashed.setDashPattern({1, 2, 3, 4, 5, 6});
    QFont families("DejaVu Sans", 12);
    families.setFamilies({"Noto Sans", "Liberation Sans"});
    QFont styled("DejaVu Serif", 7.5, QFont::Bold, true);
    styled.setStyleName("Bold Italic");
    styled.setLetterSpacing(QFont::AbsoluteSpacing, 2);

    // Files use stream version 19, the clipboard Qt's default.
    for (int version : {int(QDataStream::Qt_5_13), int(QDataStream::Qt_DefaultCompiledVersion)}) {
        const QByteArray v = QByteArray::number(version);
        QTest::newRow("box, default pen and brush " + v) << boxEntry(QPen(), QBrush(), version);
        QTest::newRow("box, dashed pen, pattern " + v)
            << boxEntry(dashed, QBrush(Qt::blue, Qt::Dense3Pattern), version);
        QTest::newRow("box, linear gradient " + v) << boxEntry(QPen(QBrush(linear), 2), QBrush(linear), version);
        QTest::newRow("box, radial gradient " + v) << boxEntry(QPen(), QBrush(radial), version);
        QTest::newRow("box, conical gradient " + v) << boxEntry(QPen(), QBrush(conical), version);
        QTest::newRow("box, texture " + v) << boxEntry(QPen(), QBrush(texture(16, 8)), version);
        QTest::newRow("text, plain font " + v) << textEntry("Lot {%serial%}", QFont("Helvetica", 3), version);
        QTest::newRow("text, families " + v) << textEntry(QString(), families, version);
        QTest::newRow("text, styled font " + v) << textEntry("Zeile 1\nZeile 2 \u4e2d", styled, version);
        QTest::newRow("QR code " + v) << codeEntry("{%code%}", version);
        QTest::newRow("QR code, empty text " + v) << codeEntry(QString(), version);
        QTest::newRow("barcode " + v) << barcodeEntry(&scene, version);
        QTest::newRow("image " + v) << imageEntry(&scene, version);
    }
    QTest::newRow("unknown type") << QByteArray::fromHex("12345678");
}

void TestRecordScanner::wholeEntries()
{
    QFETCH(QByteArray, entry);
    // Followed by another entry, the scan must stop exactly at its start.
    const QByteArray data = entry + entry;
    const RecordScanner scanner(data);
    qint64 pos = 0;
    QCOMPARE(scanner.scanEntry(&pos), RecordScanner::Complete);
    QCOMPARE(pos, qint64(entry.size()));
    QCOMPARE(scanner.scanEntry(&pos), RecordScanner::Complete);
    QCOMPARE(pos, qint64(data.size()));
}

void TestRecordScanner::everyPrefixIsCutShort_data()
{
    QTest::addColumn<QByteArray>("entry");
    QPen dashed(Qt::red, 3);
    dashed.setDashPattern({1, 2, 3, 4});
    const int version = QDataStream::Qt_5_13;
    QTest::newRow("box") << boxEntry(dashed, QBrush(texture(4, 4)), version);
    QTest::newRow("text") << textEntry("Lot", QFont("DejaVu Sans", 9), version);
    QTest::newRow("QR code") << codeEntry("ABC", version);
    QTest::newRow("barcode") << barcodeEntry(&scene, version);
    QTest::newRow("image") << imageEntry(&scene, version);
}

void TestRecordScanner::everyPrefixIsCutShort()
{
    QFETCH(QByteArray, entry);
    for (int size = 1; size < entry.size(); ++size) {
        const QByteArray prefix = entry.left(size);
        qint64 pos = 0;
        const RecordScanner::Result result = RecordScanner(prefix).scanEntry(&pos);
        QVERIFY2(result == RecordScanner::CutShort, qPrintable(QString("prefix of %1 bytes: %2").arg(size).arg(result)));
    }
}

void TestRecordScanner::hostileCounts_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("result");

    const QByteArray box = boxEntry(QPen(), QBrush(), QDataStream::Qt_5_13);
    // The pen's dash count sits after the fixed fields, the pen's head,
    // its brush and its miter limit.
    const int dashCount = 4 + 72 + 11 + 84 + 8;
    QByteArray huge = box;
    huge.replace(dashCount, 4, QByteArray::fromHex("40000000"));
    QTest::newRow("a billion dashes") << huge << int(RecordScanner::Damaged);
    QByteArray few = box;
    few.replace(dashCount, 4, QByteArray::fromHex("00000400"));
    QTest::newRow("dashes just past the end") << few << int(RecordScanner::CutShort);
    QByteArray style = box;
    style[4 + 72 + 11] = char(0x7f);
    QTest::newRow("pen brush of no known style") << style << int(RecordScanner::Damaged);

    QByteArray gradient;
    {
        QDataStream out(&gradient, QIODevice::WriteOnly);
        out << qint32(BoxItem::Type) << QPointF() << 0.0 << qint32(1) << qint32(1) << 0.0 << QRectF()
            << quint16(0) << false << 1.0 << quint8(Qt::LinearGradientPattern) << QColor(Qt::red) << qint32(0)
            << qint32(0) << qint32(0) << qint32(0) << quint32(0xfffffff0);
    }
    QTest::newRow("gradient with endless stops") << gradient << int(RecordScanner::Damaged);

    QByteArray families;
    {
        QDataStream out(&families, QIODevice::WriteOnly);
        out << qint32(TextItem::Type) << QPointF() << 0.0 << QString("x") << QString("DejaVu Sans") << QString();
        out.writeRawData(QByteArray(31, '\0').constData(), 31);
        out << quint32(0x7fffffff);
    }
    QTest::newRow("font with endless families") << families << int(RecordScanner::Damaged);

    QByteArray oddText;
    {
        QDataStream out(&oddText, QIODevice::WriteOnly);
        out << qint32(QRCodeItem::Type) << QPointF() << 0.0 << qint32(50) << qint32(50) << 0.0 << quint32(3)
            << quint8(0x41) << quint8(0) << quint8(0x42);
    }
    QTest::newRow("text of odd byte length") << oddText << int(RecordScanner::Damaged);
    QByteArray longText = oddText.left(oddText.size() - 7) + QByteArray::fromHex("7ffffff0");
    QTest::newRow("text longer than the data") << longText << int(RecordScanner::CutShort);

    QByteArray symbology = barcodeEntry(&scene, QDataStream::Qt_5_13);
    symbology.replace(symbology.size() - 5, 4, QByteArray::fromHex("00000058"));
    QTest::newRow("barcode of no offered symbology") << symbology << int(RecordScanner::Damaged);
    QByteArray image = imageEntry(&scene, QDataStream::Qt_5_13);
    image.replace(4 + 40, 4, QByteArray::fromHex("00200001"));
    QTest::newRow("image over the byte bound") << image << int(RecordScanner::Damaged);
    image = imageEntry(&scene, QDataStream::Qt_5_13);
    image.replace(4 + 24, 4, QByteArray::fromHex("00000401"));
    QTest::newRow("image wider than an item") << image << int(RecordScanner::Damaged);
}

void TestRecordScanner::hostileCounts()
{
    QFETCH(QByteArray, entry);
    QFETCH(int, result);
    qint64 pos = 0;
    QCOMPARE(int(RecordScanner(entry).scanEntry(&pos)), result);
}

void TestRecordScanner::textureImages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("result");
    QTest::newRow("small") << QSize(32, 32) << int(RecordScanner::Complete);
    QTest::newRow("largest side") << QSize(8192, 1) << int(RecordScanner::Complete);
    QTest::newRow("too wide") << QSize(8193, 1) << int(RecordScanner::Damaged);
}

void TestRecordScanner::textureImages()
{
    QFETCH(QSize, size);
    QFETCH(int, result);
    const QByteArray entry = boxEntry(QPen(), QBrush(texture(size.width(), size.height())), QDataStream::Qt_5_13);
    qint64 pos = 0;
    QCOMPARE(int(RecordScanner(entry).scanEntry(&pos)), result);
}

TAGFORGE_TEST_MAIN(TestRecordScanner)
#include "tst_recordscanner.moc"
