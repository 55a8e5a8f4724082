#include "testsupport.h"

#include "items/qrcodeitem.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QInputDialog>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QTimer>

#include <qrencode.h>

namespace {

const char Sentence[] = "the quick brown fox jumps over the lazy dog ";

// The first length characters of an endless repetition of pattern.
QString repeated(const QString &pattern, int length)
{
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// Modules per side of the symbol the item's encoder settings give; used
// only to check that a test content has the symbol size it is meant to have.
int moduleCount(const QString &text)
{
    QRcode *code = QRcode_encodeString(text.toLocal8Bit().constData(), 2, QR_ECLEVEL_Q, QR_MODE_8, 1);
    const int n = code ? code->width : 0;
    QRcode_free(code);
    return n;
}

QImage filledImage(const QSize &size, const QColor &color = Qt::white)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// Renders the whole scene the way page output does, at dpi / 72 device
// pixels per scene unit.
QImage renderScene(QGraphicsScene *scene, double dpi, const QColor &background = Qt::white)
{
    const double scale = dpi / 72.0;
    QImage image = filledImage((scene->sceneRect().size() * scale).toSize(), background);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene->render(&painter, QRectF(), QRectF(), Qt::KeepAspectRatio);
    painter.end();
    return image;
}

// The bounding rectangle of the pixels with the given value.
QRect pixelBounds(const QImage &image, QRgb value)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == value)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// True when every pixel is one of the given values: no grey or partly
// covered pixels at module borders.
// The item painted alone and unselected at one pixel a point.
QImage painted(QRCodeItem *item)
{
    QImage image(item->shape().boundingRect().size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QStyleOptionGraphicsItem option;
    static_cast<QGraphicsItem *>(item)->paint(&painter, &option);
    return image;
}

QImage reference(const QString &text, int width, int height)
{
    return renderQRCode(text, width, height).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool onlyValues(const QImage &image, const QVector<QRgb> &values)
{
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!values.contains(line[x]))
                return false;
        }
    }
    return true;
}

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

} // namespace

class TestQRCodeItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void construction();
    void moduleGeometry_data();
    void moduleGeometry();
    void decodesPixmap_data();
    void decodesPixmap();
    void capacity_data();
    void capacity();
    void unencodableText_data();
    void unencodableText();
    void unusableSizes_data();
    void unusableSizes();
    void setters_data();
    void setters();
    void editDialog_data();
    void editDialog();
    void paintMatchesPixmapItem_data();
    void paintMatchesPixmapItem();
    void printResolutions_data();
    void printResolutions();
    void printedPdf_data();
    void printedPdf();

private:
    QByteArray decode(const QImage &image, int margin = 16);

    QTemporaryDir m_dir;
    QString m_zbar;
    QGraphicsScene *m_scene = nullptr;
};

void TestQRCodeItem::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_zbar = QStandardPaths::findExecutable("zbarimg");
    QVERIFY2(!m_zbar.isEmpty(), "zbarimg (zbar-tools) is needed to read the codes");
}

void TestQRCodeItem::init()
{
    m_scene = new QGraphicsScene(0, 0, 200, 200);
}

void TestQRCodeItem::cleanup()
{
    delete m_scene;
    m_scene = nullptr;
}

// Reads the code with zbar after surrounding the image with a white quiet
// zone; the raw bytes of the content, empty when nothing was read.
QByteArray TestQRCodeItem::decode(const QImage &image, int margin)
{
    QImage page = filledImage(image.size() + QSize(2 * margin, 2 * margin));
    QPainter painter(&page);
    painter.drawImage(margin, margin, image);
    painter.end();
    const QString path = m_dir.filePath("code.png");
    if (!page.save(path))
        return QByteArray();
    QProcess zbar;
    zbar.start(m_zbar, {"--raw", "-q", "-Sbinary", "--nodbus", path});
    if (!zbar.waitForFinished(120000) || zbar.exitCode() != 0)
        return QByteArray();
    QByteArray output = zbar.readAllStandardOutput();
    if (output.endsWith('\n'))
        output.chop(1);
    return output;
}

void TestQRCodeItem::construction()
{
    auto *first = new QRCodeItem(QPoint(5, 5), m_scene);
    auto *item = new QRCodeItem(QPoint(30, 40), m_scene);

    QCOMPARE(item->type(), int(QGraphicsItem::UserType + 2));
    QCOMPARE(int(item->flags()), 0x803);
    QCOMPARE(item->plainText(), QString("{%code%}"));
    QCOMPARE(item->shearHorizontal(), 50);
    QCOMPARE(item->shearVertical(), 50);
    QCOMPARE(item->angle(), 0.0);
    QCOMPARE(item->pos(), QPointF(30, 40));
    QVERIFY(item->transform().isIdentity());
    QVERIFY(!first->isSelected());
    QCOMPARE(m_scene->selectedItems(), QList<QGraphicsItem *>{item});
    QVERIFY(!item->hasFocus());
    QCOMPARE(painted(item), reference("{%code%}", 50, 50));
    QCOMPARE(decode(painted(item)), QByteArray("{%code%}"));
}

void TestQRCodeItem::moduleGeometry_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("50x50, 2x2 modules") << 50 << 50;
    QTest::newRow("100x50, 4x2 modules") << 100 << 50;
    QTest::newRow("50x100, 2x4 modules") << 50 << 100;
}

void TestQRCodeItem::moduleGeometry()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const QString text = "Quillet 0042";
    const int n = 25;
    QCOMPARE(moduleCount(text), n);

    const QImage image = renderQRCode(text, width, height).toImage();
    QCOMPARE(image.size(), QSize(width, height));
    QVERIFY(onlyValues(image, {0xff000000, 0xffffffff}));

    // Sampled once per module and scaled back up, the code is unchanged:
    // every module is a uniform block of width / n by height / n pixels.
    const QImage modules = image.scaled(n, n, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QCOMPARE(modules.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation), image);

    // The three finder patterns sit in the corners of the pixmap: no white
    // border around the code.
    for (const QPoint &origin : {QPoint(0, 0), QPoint(n - 7, 0), QPoint(0, n - 7)}) {
        for (int j = 0; j < 7; ++j) {
            for (int i = 0; i < 7; ++i) {
                const bool ring = qMax(qAbs(i - 3), qAbs(j - 3)) == 2;
                QCOMPARE(isDark(modules, origin.x() + i, origin.y() + j), !ring);
            }
        }
    }

    QCOMPARE(decode(image), text.toUtf8());
}

void TestQRCodeItem::decodesPixmap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("one character") << "A" << 50 << 50;
    QTest::newRow("digits") << "0123456789" << 50 << 50;
    QTest::newRow("case kept") << "AbC dEf" << 50 << 50;
    QTest::newRow("url") << "https://example.com/label?lot=4711&serial=0042" << 111 << 111;
    QTest::newRow("accents") << QString::fromUtf8("Grüße aus Ærøskøbing, café crème") << 148 << 148;
    QTest::newRow("chinese") << QString::fromUtf8("二维码标签打印测试") << 148 << 148;
    QTest::newRow("non-square") << "Quillet 0042" << 100 << 50;
    QTest::newRow("long") << repeated(Sentence, 300) << 324 << 324;
}

void TestQRCodeItem::decodesPixmap()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, height);

    const QPixmap pixmap = renderQRCode(text, width, height);
    QCOMPARE(pixmap.size(), QSize(width, height));
    QCOMPARE(decode(pixmap.toImage()), text.toUtf8());
}

void TestQRCodeItem::capacity_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("length");

    // The largest contents of a version 40 symbol at level Q.
    QTest::newRow("8-bit bytes") << "abcdefghijklmnopqrstuvwxyz" << 1663;
    QTest::newRow("digits") << "0123456789" << 3993;
    QTest::newRow("two-byte characters") << QString::fromUtf8("é") << 831;
}

void TestQRCodeItem::capacity()
{
    QFETCH(QString, pattern);
    QFETCH(int, length);
    const QString largest = repeated(pattern, length);
    const QString tooLong = repeated(pattern, length + 1);

    const QPixmap pixmap = renderQRCode(largest, 531, 531);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(decode(pixmap.toImage()), largest.toUtf8());

    QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("Encoder %1 to QR code error!").arg(tooLong)));
    QVERIFY(renderQRCode(tooLong, 531, 531).isNull());
}

void TestQRCodeItem::unencodableText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString("");
    QTest::newRow("too long") << repeated(Sentence, 1664);
}

void TestQRCodeItem::unencodableText()
{
    QFETCH(QString, text);
    const QString message = QString("Encoder %1 to QR code error!").arg(text);
    auto *item = new QRCodeItem(QPoint(20, 20), m_scene);
    QSignalSpy dirty(item, SIGNAL(dirty()));

    QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
    item->setPlainText(text);
    QCOMPARE(dirty.count(), 1);
    QCOMPARE(item->plainText(), text);
    QVERIFY(!item->encodingError().isEmpty());
    // Still there to see and to pick: an outline with a sign, no code.
    QCOMPARE(item->shape().boundingRect(), QRectF(0, 0, 50, 50));
    QVERIFY(!onlyValues(painted(item), {0}));
    QVERIFY(decode(painted(item)).isEmpty());

    item->setShear(60, 60);
    QCOMPARE(dirty.count(), 2);
    QCOMPARE(item->shape().boundingRect(), QRectF(0, 0, 60, 60));

    item->setPlainText("back again");
    QCOMPARE(dirty.count(), 3);
    QVERIFY(item->encodingError().isEmpty());
    QCOMPARE(painted(item), reference("back again", 60, 60));
    m_scene->clearSelection();
    QCOMPARE(decode(renderScene(m_scene, 300), 0), QByteArray("back again"));
}

void TestQRCodeItem::unusableSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("zero") << QSize(0, 50);
    QTest::newRow("negative") << QSize(50, -3);
    // A damaged label may claim any size; its pixmap must not take gigabytes.
    QTest::newRow("beyond the largest code") << QSize(MaximumQRCodeSide + 1, 50);
    QTest::newRow("huge") << QSize(2000000000, 2000000000);
}

void TestQRCodeItem::unusableSizes()
{
    QFETCH(QSize, size);
    QVERIFY(renderQRCode("ABC", size.width(), size.height()).isNull());
    auto *item = new QRCodeItem(QPoint(20, 20), m_scene);
    item->setShear(size.width(), size.height());
    QVERIFY(item->boundingRect().isEmpty());
    QVERIFY(onlyValues(renderScene(m_scene, 300), {0xff000000, 0xffffffff}));
    item->setShear(60, 60);
    QCOMPARE(item->shape().boundingRect(), QRectF(0, 0, 60, 60));
}

void TestQRCodeItem::setters_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("dirtyCount");

    QTest::newRow("angle unselected") << "angle" << QVariant(30.0) << false << 0;
    QTest::newRow("angle equal") << "angle" << QVariant(0.0) << true << 0;
    QTest::newRow("angle") << "angle" << QVariant(30.0) << true << 2;
    QTest::newRow("width unselected") << "shearHorizontal" << QVariant(70) << false << 0;
    QTest::newRow("width equal") << "shearHorizontal" << QVariant(50) << true << 0;
    QTest::newRow("width") << "shearHorizontal" << QVariant(70) << true << 1;
    QTest::newRow("height unselected") << "shearVertical" << QVariant(70) << false << 0;
    QTest::newRow("height equal") << "shearVertical" << QVariant(50) << true << 0;
    QTest::newRow("height") << "shearVertical" << QVariant(70) << true << 1;
    QTest::newRow("size unselected") << "shear" << QVariant(QSize(80, 60)) << false << 0;
    QTest::newRow("size equal") << "shear" << QVariant(QSize(50, 50)) << true << 0;
    QTest::newRow("size") << "shear" << QVariant(QSize(80, 60)) << true << 1;
    QTest::newRow("text unselected") << "plainText" << QVariant("LOT-7") << false << 1;
    QTest::newRow("text equal") << "plainText" << QVariant("{%code%}") << true << 0;
}

void TestQRCodeItem::setters()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(bool, selected);
    QFETCH(int, dirtyCount);

    auto *item = new QRCodeItem(QPoint(20, 20), m_scene);
    item->setSelected(selected);
    QSignalSpy dirty(item, SIGNAL(dirty()));

    if (property == "shear")
        item->setShear(value.toSize().width(), value.toSize().height());
    else
        QVERIFY(item->setProperty(qPrintable(property), value));

    QCOMPARE(dirty.count(), dirtyCount);
    const bool applied = selected || property == "plainText";
    if (property == "shear")
        QCOMPARE(QSize(item->shearHorizontal(), item->shearVertical()), applied ? value.toSize() : QSize(50, 50));
    else if (applied)
        QCOMPARE(item->property(qPrintable(property)), value);
    else
        QVERIFY(item->property(qPrintable(property)) != value);

    QCOMPARE(item->transform(), QTransform().rotate(item->angle()));
    QCOMPARE(item->shape().boundingRect().size(), QSizeF(item->shearHorizontal(), item->shearVertical()));
    QCOMPARE(decode(painted(item)), item->plainText().toUtf8());
}

void TestQRCodeItem::editDialog_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ok") << false << true << "SN-0042" << "SN-0042";
    QTest::newRow("cancel") << false << false << "SN-0042" << "{%code%}";
    QTest::newRow("empty answer") << false << true << "" << "{%code%}";
    QTest::newRow("same answer") << false << true << "{%code%}" << "{%code%}";
    QTest::newRow("double click ok") << true << true << "SN-0043" << "SN-0043";
    QTest::newRow("double click cancel") << true << false << "SN-0043" << "{%code%}";
}

void TestQRCodeItem::editDialog()
{
    QFETCH(bool, doubleClick);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(QString, expected);

    auto *item = new QRCodeItem(QPoint(20, 20), m_scene);
    QSignalSpy dirty(item, SIGNAL(dirty()));
    QString label;
    QString initialText;
    QTimer answerer;
    answerer.setInterval(10);
    connect(&answerer, &QTimer::timeout, [&]() {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answerer.stop();
        label = dialog->labelText();
        initialText = dialog->textValue();
        dialog->setTextValue(answer);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    answerer.start();

    if (doubleClick) {
        QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMouseDoubleClick);
        event.setButton(Qt::LeftButton);
        event.setButtons(Qt::LeftButton);
        event.setScenePos(QPointF(45, 45));
        event.setPos(QPointF(25, 25));
        QApplication::sendEvent(m_scene, &event);
    } else {
        item->edit();
    }

    QCOMPARE(label, QString("QR barcode:"));
    QCOMPARE(initialText, QString("{%code%}"));
    QCOMPARE(item->plainText(), expected);
    QCOMPARE(dirty.count(), expected == "{%code%}" ? 0 : 1);
    QCOMPARE(painted(item), reference(expected, 50, 50));
}

void TestQRCodeItem::paintMatchesPixmapItem_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("selected");

    QTest::newRow("1:1") << 1 << false;
    QTest::newRow("1:1 selected") << 1 << true;
    QTest::newRow("3:1") << 3 << false;
    QTest::newRow("3:1 selected") << 3 << true;
}

// Where whole pixmap pixels land on whole device pixels, the item looks
// exactly like a plain pixmap item, selection frame included.
void TestQRCodeItem::paintMatchesPixmapItem()
{
    QFETCH(int, scale);
    QFETCH(bool, selected);

    auto *item = new QRCodeItem(QPoint(20, 30), m_scene);
    item->setSelected(selected);
    const QImage painted = renderScene(m_scene, 72 * scale);

    QGraphicsScene reference(m_scene->sceneRect());
    auto *pixmapItem = new QGraphicsPixmapItem(renderQRCode(item->plainText(), 50, 50));
    pixmapItem->setFlags(QGraphicsItem::ItemIsSelectable);
    pixmapItem->setPos(20, 30);
    reference.addItem(pixmapItem);
    pixmapItem->setSelected(selected);
    QCOMPARE(painted, renderScene(&reference, 72 * scale));
}

void TestQRCodeItem::printResolutions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modules");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("angle");

    const QString v5 = repeated(Sentence, 50);
    const QString v7 = repeated(Sentence, 80);
    const QString v9 = repeated(Sentence, 115);
    for (double dpi : {203.0, 300.0, 600.0}) {
        const QByteArray at = " at " + QByteArray::number(dpi) + " dpi";
        QTest::newRow("37 modules" + at) << v5 << 37 << dpi << QSize(50, 50) << 0.0;
        QTest::newRow("45 modules" + at) << v7 << 45 << dpi << QSize(50, 50) << 0.0;
        QTest::newRow("53 modules" + at) << v9 << 53 << dpi << QSize(50, 50) << 0.0;
    }
    // Barely more than two pixels per module: one wider module in a finder
    // pattern already defeats the reader.
    QTest::newRow("45 modules of 2.07 pixels") << v7 << 45 << 72.0 << QSize(93, 93) << 0.0;
    QTest::newRow("53 modules of 2.06 pixels") << v9 << 53 << 72.0 << QSize(109, 109) << 0.0;
    QTest::newRow("non-square at 203 dpi") << v7 << 45 << 203.0 << QSize(80, 50) << 0.0;
    QTest::newRow("chinese at 300 dpi") << QString::fromUtf8("二维码标签打印测试二维码标签打印测试二维")
                                        << 37 << 300.0 << QSize(50, 50) << 0.0;
    QTest::newRow("quarter turn at 300 dpi") << v9 << 53 << 300.0 << QSize(50, 50) << 90.0;
    QTest::newRow("half turn at 203 dpi") << v7 << 45 << 203.0 << QSize(50, 50) << 180.0;
    QTest::newRow("30 degrees at 300 dpi") << v7 << 45 << 300.0 << QSize(50, 50) << 30.0;
}

void TestQRCodeItem::printResolutions()
{
    QFETCH(QString, text);
    QFETCH(int, modules);
    QFETCH(double, dpi);
    QFETCH(QSize, size);
    QFETCH(double, angle);
    QCOMPARE(moduleCount(text), modules);

    auto *item = new QRCodeItem(QPoint(55, 55), m_scene);
    item->setPlainText(text);
    item->setShear(size.width(), size.height());
    item->setAngle(angle);
    m_scene->clearSelection();
    const QImage image = renderScene(m_scene, dpi, Qt::transparent);

    QCOMPARE(decode(image, 0), text.toUtf8());
    QVERIFY2(onlyValues(image, {0, 0xff000000, 0xffffffff}), "grey pixels between modules");

    if (angle == 0.0) {
        // The white background covers the item's rectangle rounded to whole
        // pixels; the modules fill it but for less than 0.3 pixels per
        // module, shared evenly between both sides.
        const double scale = image.width() / m_scene->width();
        const QRect itemRect(QPoint(qRound(55 * scale), qRound(55 * scale)),
                             QPoint(qRound((55 + size.width()) * scale) - 1,
                                    qRound((55 + size.height()) * scale) - 1));
        const QRect background = pixelBounds(image, 0xffffffff) | pixelBounds(image, 0xff000000);
        const QRect code = pixelBounds(image, 0xff000000);
        QCOMPARE(background, itemRect);
        QVERIFY(itemRect.contains(code));
        QVERIFY(code.width() > itemRect.width() - 0.3 * modules);
        QVERIFY(code.height() > itemRect.height() - 0.3 * modules);
        QVERIFY(qAbs((code.left() - itemRect.left()) - (itemRect.right() - code.right())) <= 1);
        QVERIFY(qAbs((code.top() - itemRect.top()) - (itemRect.bottom() - code.bottom())) <= 1);
    }
}

void TestQRCodeItem::printedPdf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modules");
    QTest::addColumn<int>("dpi");

    const QString v5 = repeated(Sentence, 50);
    const QString v7 = repeated(Sentence, 80);
    const QString v9 = repeated(Sentence, 115);
    QTest::newRow("37 modules at 203 dpi") << v5 << 37 << 203;
    QTest::newRow("53 modules at 203 dpi") << v9 << 53 << 203;
    QTest::newRow("45 modules at 300 dpi") << v7 << 45 << 300;
    QTest::newRow("53 modules at 300 dpi") << v9 << 53 << 300;
    QTest::newRow("45 modules at 600 dpi") << v7 << 45 << 600;
}

// Printing on Linux renders through Qt's PDF engine; a printer's rasteriser
// turns the page into pixels at the printer's resolution without
// antialiasing, which pdftoppm does here.
void TestQRCodeItem::printedPdf()
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("pdftoppm (poppler-utils) is needed to rasterise printed pages");
        QSKIP("pdftoppm (poppler-utils) is not installed");
    }
    QFETCH(QString, text);
    QFETCH(int, modules);
    QFETCH(int, dpi);
    QCOMPARE(moduleCount(text), modules);

    auto *item = new QRCodeItem(QPoint(55, 55), m_scene);
    item->setPlainText(text);
    m_scene->clearSelection();

    const QString pdf = m_dir.filePath("code.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(dpi);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(m_scene->sceneRect().size().toSize(), QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    QVERIFY(painter.begin(&printer));
    m_scene->render(&painter, QRectF(QPointF(0, 0), m_scene->sceneRect().size() * (dpi / 72.0)), m_scene->sceneRect());
    QVERIFY(painter.end());

    QProcess rasteriser;
    rasteriser.start(pdftoppm, {"-r", QString::number(dpi), "-png", "-aa", "no", "-aaVector", "no",
                                "-singlefile", pdf, m_dir.filePath("page")});
    QVERIFY(rasteriser.waitForFinished(120000));
    QCOMPARE(rasteriser.exitCode(), 0);
    const QImage page(m_dir.filePath("page.png"));
    QCOMPARE(page.size(), QSize(qCeil(200 * dpi / 72.0), qCeil(200 * dpi / 72.0)));
    QCOMPARE(decode(page, 0), text.toUtf8());
}

TAGFORGE_TEST_MAIN(TestQRCodeItem)
#include "tst_qrcodeitem.moc"
