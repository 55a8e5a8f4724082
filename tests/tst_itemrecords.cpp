#include "testsupport.h"

#include "document/itemrecords.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QGraphicsScene>
#include <QImage>
#include <QLinearGradient>
#include <QScopedPointer>
#include <QSignalSpy>

namespace {

const int fileVersion = 19;

// What a stream of the given version makes of the values one after another.
template <typename... Fields>
QByteArray fields(int version, const Fields &...values)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(version);
    (out << ... << values);
    return bytes;
}

template <typename Item>
QByteArray record(const Item &item, int version)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(version);
    out << item;
    return bytes;
}

// Reads bytes into item; returns the stream's status afterwards.
template <typename Item>
QDataStream::Status readInto(const QByteArray &bytes, int version, Item *item)
{
    QDataStream in(bytes);
    in.setVersion(version);
    in >> *item;
    return in.status();
}

QPen samplePen()
{
    QPen pen(QColor(200, 10, 30), 2.5, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}

QBrush sampleBrush()
{
    QLinearGradient gradient(0, 0, 10, 10);
    gradient.setColorAt(0, Qt::yellow);
    gradient.setColorAt(1, Qt::darkGreen);
    return QBrush(gradient);
}

// The box the add command makes at (100, 100).
const QRect defaultBox(QPoint(100, 100), QSize(90, 30));

} // namespace

class TestItemRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void boxRecordLeadingBytes();
    void recordBytes_data();
    void recordBytes();

    void boxRoundTrip_data();
    void boxRoundTrip();
    void textRoundTrip_data();
    void textRoundTrip();
    void qrCodeRoundTrip_data();
    void qrCodeRoundTrip();
    void qrCodeReaderRendersOnlyOnChange();

    void truncatedBox_data();
    void truncatedBox();
    void truncatedText();
    void truncatedQRCode();

private:
    QScopedPointer<QGraphicsScene> scene;
};

void TestItemRecords::init()
{
    scene.reset(new QGraphicsScene(0, 0, 400, 300));
}

void TestItemRecords::cleanup()
{
    scene.reset();
}

void TestItemRecords::boxRecordLeadingBytes()
{
    const BoxItem *box = new BoxItem(defaultBox, scene.data());
    const QByteArray bytes = record(*box, fileVersion);
    // x 144.0, y 114.0, angle 0.0, width 90, height 30, z 0.0, then the rectangle;
    // no type number in front.
    const QByteArray leading = QByteArray::fromHex("4062000000000000"
                                                   "405c800000000000"
                                                   "0000000000000000"
                                                   "0000005a"
                                                   "0000001e"
                                                   "0000000000000000"
                                                   "c046800000000000"
                                                   "c02e000000000000"
                                                   "4056800000000000"
                                                   "403e000000000000");
    QCOMPARE(bytes.left(leading.size()).toHex(), leading.toHex());
}

void TestItemRecords::recordBytes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("styled");

    const int versions[] = {fileVersion, QDataStream::Qt_DefaultCompiledVersion,
                            QDataStream::Qt_4_8};
    for (int version : versions) {
        for (const char *kind : {"box", "text", "qrcode"}) {
            QTest::addRow("%s, version %d", kind, version) << kind << version << false;
            QTest::addRow("%s styled, version %d", kind, version) << kind << version << true;
        }
    }
}

void TestItemRecords::recordBytes()
{
    QFETCH(QString, kind);
    QFETCH(int, version);
    QFETCH(bool, styled);

    QByteArray written;
    QByteArray expected;
    if (kind == "box") {
        BoxItem *box = new BoxItem(defaultBox, scene.data());
        if (styled) {
            box->setAngle(12.5);
            box->setShear(70, 20);
            box->setZValue(-3);
            box->setPen(samplePen());
            box->setBrush(sampleBrush());
            box->setPos(3.25, -7.5);
        }
        written = record(*box, version);
        expected = fields(version, box->pos(), box->angle(), qint32(box->shearHorizontal()),
                          qint32(box->shearVertical()), box->zValue(), box->rect(), box->pen(),
                          box->brush());
    } else if (kind == "text") {
        TextItem *text = new TextItem(QPoint(30, 40), scene.data());
        if (styled) {
            text->setPlainText(QString::fromUtf8("Lot {%serial%}\nGr\xc3\xb6\xc3\x9f" "e"));
            text->setFont(QFont("Microsoft Yahei", 9, QFont::Bold, true));
            text->setZValue(4);
        }
        written = record(*text, version);
        expected = fields(version, text->pos(), text->zValue(), text->toPlainText(),
                          text->font());
    } else {
        QRCodeItem *code = new QRCodeItem(QPoint(30, 40), scene.data());
        if (styled) {
            code->setAngle(-90);
            code->setShear(80, 60);
            code->setZValue(1.5);
            code->setPlainText("{%code%}-{%serial%}");
        }
        written = record(*code, version);
        expected = fields(version, code->pos(), code->angle(), qint32(code->shearHorizontal()),
                          qint32(code->shearVertical()), code->zValue(), code->plainText());
    }
    QCOMPARE(written.toHex(), expected.toHex());
}

void TestItemRecords::boxRoundTrip_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("z");
    QTest::addColumn<QSize>("shear");
    QTest::addColumn<QPointF>("rectangleShift");
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<QBrush>("brush");

    for (int version : {fileVersion, int(QDataStream::Qt_DefaultCompiledVersion)}) {
        QTest::addRow("new box, version %d", version)
            << version << QPointF(144, 114) << 0.0 << 0.0 << QSize(90, 30) << QPointF()
            << QPen() << QBrush();
        QTest::addRow("everything changed, version %d", version)
            << version << QPointF(10.5, -20.25) << 370.0 << 7.0 << QSize(120, 40)
            << QPointF(3, -2) << samplePen() << sampleBrush();
        QTest::addRow("negative size, version %d", version)
            << version << QPointF(0, 0) << -45.0 << -1.0 << QSize(-5, 0) << QPointF()
            << QPen(Qt::NoPen) << QBrush(Qt::blue, Qt::Dense4Pattern);
    }
}

void TestItemRecords::boxRoundTrip()
{
    QFETCH(int, version);
    QFETCH(QPointF, position);
    QFETCH(double, angle);
    QFETCH(double, z);
    QFETCH(QSize, shear);
    QFETCH(QPointF, rectangleShift);
    QFETCH(QPen, pen);
    QFETCH(QBrush, brush);

    BoxItem *original = new BoxItem(defaultBox, scene.data());
    original->setPos(position);
    original->setAngle(angle);
    original->setZValue(z);
    original->setShear(shear.width(), shear.height());
    original->setPen(pen);
    original->setBrush(brush);
    // Control+arrow keys move the rectangle inside the item; the file keeps that.
    const QRectF rectangle = original->rect().translated(rectangleShift);
    original->setRect(rectangle);
    const QByteArray bytes = record(*original, version);

    BoxItem *copy = new BoxItem(QRect(), scene.data());
    QCOMPARE(readInto(bytes, version, copy), QDataStream::Ok);
    QCOMPARE(copy->pos(), position);
    QCOMPARE(copy->angle(), angle);
    QCOMPARE(copy->transform(), original->transform());
    QCOMPARE(copy->zValue(), z);
    QCOMPARE(copy->rect(), rectangle);
    QCOMPARE(copy->shearHorizontal(), shear.width());
    QCOMPARE(copy->shearVertical(), shear.height());
    QCOMPARE(copy->pen(), pen);
    QCOMPARE(copy->brush(), brush);
    QCOMPARE(record(*copy, version).toHex(), bytes.toHex());
}

void TestItemRecords::textRoundTrip_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<double>("z");

    QFont styled("Microsoft Yahei", 14, QFont::Bold, true);
    styled.setUnderline(true);
    for (int version : {fileVersion, int(QDataStream::Qt_DefaultCompiledVersion)}) {
        QTest::addRow("empty, version %d", version)
            << version << QString() << QFont("Helvetica", 3, -1, false) << 0.0;
        QTest::addRow("placeholders over lines, version %d", version)
            << version << QString::fromUtf8("{%date%}\n\xe6\xa0\x87\xe7\xad\xbe {%SERIAL%}")
            << styled << 2.5;
        QTest::addRow("blank text, version %d", version)
            << version << QString("  ") << QFont("Nimbus Sans", 7) << -4.0;
    }
}

void TestItemRecords::textRoundTrip()
{
    QFETCH(int, version);
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(double, z);

    TextItem *original = new TextItem(QPoint(12, 34), scene.data());
    original->setPlainText(text);
    font.setPointSizeF(font.pointSizeF() + 0.5);
    original->setFont(font);
    original->setZValue(z);
    original->setSelected(false);
    const QByteArray bytes = record(*original, version);

    TextItem *copy = new TextItem(QPoint(0, 0), scene.data());
    QCOMPARE(readInto(bytes, version, copy), QDataStream::Ok);
    QCOMPARE(copy->pos(), QPointF(12, 34));
    QCOMPARE(copy->zValue(), z);
    QCOMPARE(copy->toPlainText(), text);
    QCOMPARE(copy->font().family(), font.family());
    QCOMPARE(copy->font().pointSizeF(), font.pointSizeF());
    QCOMPARE(copy->font().bold(), font.bold());
    QCOMPARE(copy->font().italic(), font.italic());
    QCOMPARE(copy->font().underline(), font.underline());
}

void TestItemRecords::qrCodeRoundTrip_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("z");

    for (int version : {fileVersion, int(QDataStream::Qt_DefaultCompiledVersion)}) {
        QTest::addRow("new code, version %d", version)
            << version << QString("{%code%}") << 0.0 << QSize(50, 50) << 0.0;
        QTest::addRow("everything changed, version %d", version)
            << version << QString("https://example.org/{%serial%}") << 90.0 << QSize(100, 50)
            << 3.0;
    }
}

void TestItemRecords::qrCodeRoundTrip()
{
    QFETCH(int, version);
    QFETCH(QString, text);
    QFETCH(double, angle);
    QFETCH(QSize, size);
    QFETCH(double, z);

    QRCodeItem *original = new QRCodeItem(QPoint(20, 30), scene.data());
    original->setPlainText(text);
    original->setAngle(angle);
    original->setShear(size.width(), size.height());
    original->setZValue(z);
    const QByteArray bytes = record(*original, version);

    QRCodeItem *copy = new QRCodeItem(QPoint(0, 0), scene.data());
    QCOMPARE(readInto(bytes, version, copy), QDataStream::Ok);
    QCOMPARE(copy->pos(), QPointF(20, 30));
    QCOMPARE(copy->angle(), angle);
    QCOMPARE(copy->transform(), original->transform());
    QCOMPARE(copy->shearHorizontal(), size.width());
    QCOMPARE(copy->shearVertical(), size.height());
    QCOMPARE(copy->zValue(), z);
    QCOMPARE(copy->plainText(), text);
    QCOMPARE(copy->shape().boundingRect(), QRectF(QPointF(0, 0), size));
}

void TestItemRecords::qrCodeReaderRendersOnlyOnChange()
{
    const QByteArray unchanged = fields(fileVersion, QPointF(0, 0), 0.0, qint32(50), qint32(50),
                                        0.0, QString("{%code%}"));
    const QByteArray newText = fields(fileVersion, QPointF(0, 0), 0.0, qint32(50), qint32(50),
                                      0.0, QString("ABC"));
    const QByteArray newSizeAndText = fields(fileVersion, QPointF(0, 0), 0.0, qint32(60),
                                             qint32(50), 0.0, QString("ABC"));

    // Each fresh rendering reports itself dirty once.
    const QList<QPair<QByteArray, int>> cases = {{unchanged, 0}, {newText, 1}, {newSizeAndText, 2}};
    for (const auto &entry : cases) {
        QRCodeItem *code = new QRCodeItem(QPoint(0, 0), scene.data());
        QSignalSpy dirty(code, SIGNAL(dirty()));
        QCOMPARE(readInto(entry.first, fileVersion, code), QDataStream::Ok);
        QCOMPARE(dirty.count(), entry.second);
    }
}

void TestItemRecords::truncatedBox_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("z");
    QTest::addColumn<QRectF>("rectangle");
    QTest::addColumn<bool>("penKept");
    QTest::addColumn<int>("brushStyle");

    const QRectF full(-45, -15, 90, 30);
    const int none = Qt::NoBrush;
    QTest::newRow("nothing") << 0 << QPointF(0, 0) << 0.0 << 0.0 << QRectF() << false << none;
    QTest::newRow("inside y") << 12 << QPointF(144, 0) << 0.0 << 0.0 << QRectF() << false
                              << none;
    QTest::newRow("inside the width") << 26 << QPointF(144, 114) << 30.0 << 0.0 << QRectF()
                                      << false << none;
    QTest::newRow("after z") << 40 << QPointF(144, 114) << 30.0 << 2.0 << QRectF() << false
                             << none;
    QTest::newRow("inside the rectangle") << 60 << QPointF(144, 114) << 30.0 << 2.0
                                          << QRectF(-45, -15, 0, 0) << false << none;
    QTest::newRow("inside the pen") << 73 << QPointF(144, 114) << 30.0 << 2.0 << full << false
                                    << none;
    // A brush cut short, even after its style and colour, is not applied.
    QTest::newRow("one byte short") << -1 << QPointF(144, 114) << 30.0 << 2.0 << full << true << none;
}

void TestItemRecords::truncatedBox()
{
    QFETCH(int, cut);
    QFETCH(QPointF, position);
    QFETCH(double, angle);
    QFETCH(double, z);
    QFETCH(QRectF, rectangle);
    QFETCH(bool, penKept);
    QFETCH(int, brushStyle);

    BoxItem *original = new BoxItem(defaultBox, scene.data());
    original->setAngle(30);
    original->setZValue(2);
    original->setPen(samplePen());
    original->setBrush(QBrush(Qt::red));
    QByteArray bytes = record(*original, fileVersion);
    bytes.truncate(cut < 0 ? bytes.size() + cut : cut);

    BoxItem *copy = new BoxItem(QRect(), scene.data());
    // A pen or brush cut short leaves the new box its own.
    const QPen ownPen = copy->pen();
    QCOMPARE(readInto(bytes, fileVersion, copy), QDataStream::ReadPastEnd);
    QCOMPARE(copy->pos(), position);
    QCOMPARE(copy->angle(), angle);
    QCOMPARE(copy->zValue(), z);
    QCOMPARE(copy->rect(), rectangle);
    QCOMPARE(copy->shearHorizontal(), rectangle.toRect().width());
    QCOMPARE(copy->shearVertical(), rectangle.toRect().height());
    QCOMPARE(copy->pen(), penKept ? samplePen() : ownPen);
    QCOMPARE(int(copy->brush().style()), brushStyle);
    QCOMPARE(scene->items().count(), 2);
}

void TestItemRecords::truncatedText()
{
    TextItem *original = new TextItem(QPoint(7, 8), scene.data());
    original->setPlainText("Serial {%serial%}");
    original->setZValue(5);
    const QByteArray bytes = record(*original, fileVersion);
    const int textEnd = fields(fileVersion, QPointF(), 0.0, original->toPlainText()).size();

    const QList<int> cuts = {0, 20, 24, 30, textEnd, textEnd + 3, bytes.size() - 1};
    for (int cut : cuts) {
        TextItem *copy = new TextItem(QPoint(0, 0), scene.data());
        QCOMPARE(readInto(bytes.left(cut), fileVersion, copy), QDataStream::ReadPastEnd);
        QCOMPARE(copy->pos(), cut >= 16 ? QPointF(7, 8) : QPointF(0, 0));
        QCOMPARE(copy->zValue(), cut >= 24 ? 5.0 : 0.0);
        QCOMPARE(copy->toPlainText(), cut >= textEnd ? original->toPlainText() : QString());
    }
}

void TestItemRecords::truncatedQRCode()
{
    QRCodeItem *original = new QRCodeItem(QPoint(7, 8), scene.data());
    original->setShear(80, 70);
    original->setPlainText("Part {%code%}");
    const QByteArray bytes = record(*original, fileVersion);

    const QList<int> cuts = {4, 28, 40, 46, bytes.size() - 1};
    for (int cut : cuts) {
        QRCodeItem *copy = new QRCodeItem(QPoint(0, 0), scene.data());
        QCOMPARE(readInto(bytes.left(cut), fileVersion, copy), QDataStream::ReadPastEnd);
        QCOMPARE(copy->pos(), cut >= 16 ? QPointF(7, 8) : QPointF(0, 0));
        QCOMPARE(copy->shearHorizontal(), cut >= 28 ? 80 : 0);
        QCOMPARE(copy->shearVertical(), cut >= 32 ? 70 : 0);
        // A text cut short reads as empty, which encodes to nothing.
        QVERIFY(copy->plainText().isEmpty());
        QVERIFY(!copy->encodingError().isEmpty());
    }
}

TAGFORGE_TEST_MAIN(TestItemRecords)
#include "tst_itemrecords.moc"
