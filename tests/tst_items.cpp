// The label items and the Page Size dialog on their own: QR codes read back
// by zbar at printer resolutions, the selection gate of the items' setters,
// box keys.

#include "pdfprinter.h"
#include "testsupport.h"

#include "app/settings.h"
#include "dialogs/printersetting.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>

namespace {
QString repeated(const QString &pattern, int length)
{
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// True when every pixel is transparent, black or white: no grey between modules.
bool onlyPure(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel != 0 && pixel != 0xff000000 && pixel != 0xffffffff)
                return false;
        }
    }
    return true;
}
} // namespace

class TestItems : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void qrCodeReads_data();
    void qrCodeReads();
    void qrCodeRefusals();
    void selectionGate_data();
    void selectionGate();
    void boxKeys_data();
    void boxKeys();
    void pageSizeDialog_data();
    void pageSizeDialog();

private:
    // zbar's reading of the image on a white quiet zone; empty when none.
    QByteArray decode(const QImage &image);

    QTemporaryDir dir;
    QScopedPointer<QGraphicsScene> scene;
};

void TestItems::init()
{
    scene.reset(new QGraphicsScene(0, 0, 200, 200));
    Settings::instance();
    QSettings().clear();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

QByteArray TestItems::decode(const QImage &image)
{
    QImage page(image.size() + QSize(32, 32), QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(16, 16, image);
    const QString path = dir.filePath("code.png");
    QString error;
    const QByteArray read = page.save(path) ? runTool("zbarimg", {"--raw", "-q", "-Sbinary", path}, &error) : "";
    return read.endsWith('\n') ? read.chopped(1) : read;
}

void TestItems::qrCodeReads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("pdf");

    const QString sentence = "the quick brown fox jumps over the lazy dog ";
    const QString v7 = repeated(sentence, 80);
    const QString v9 = repeated(sentence, 115);
    QTest::newRow("new item at 300 dpi") << "{%code%}" << QSize(50, 50) << 300 << 0.0 << false;
    QTest::newRow("53 modules at 203 dpi") << v9 << QSize(50, 50) << 203 << 0.0 << false;
    // Barely more than two pixels a module: one wider module defeats the reader.
    QTest::newRow("45 modules of 2.07 pixels") << v7 << QSize(93, 93) << 72 << 0.0 << false;
    QTest::newRow("non-square at 203 dpi") << v7 << QSize(80, 50) << 203 << 0.0 << false;
    QTest::newRow("chinese at 300 dpi") << QString::fromUtf8("二维码标签打印测试") << QSize(50, 50) << 300 << 0.0
                                        << false;
    QTest::newRow("quarter turn at 300 dpi") << v9 << QSize(50, 50) << 300 << 90.0 << false;
    QTest::newRow("30 degrees at 300 dpi") << v7 << QSize(50, 50) << 300 << 30.0 << false;
    // A printer's rasteriser fills every pixel a shape touches.
    QTest::newRow("printed, 53 modules at 203 dpi") << v9 << QSize(50, 50) << 203 << 0.0 << true;
    QTest::newRow("printed, 45 modules at 300 dpi") << v7 << QSize(50, 50) << 300 << 0.0 << true;
}

void TestItems::qrCodeReads()
{
    QFETCH(QString, text);
    QFETCH(QSize, size);
    QFETCH(int, dpi);
    QFETCH(double, angle);
    QFETCH(bool, pdf);
    auto *item = new QRCodeItem(QPoint(55, 55), scene.data());
    item->setPlainText(text);
    item->setShear(size.width(), size.height());
    item->setAngle(angle);
    scene->clearSelection();
    QImage image;
    if (pdf) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("code.pdf"));
        printer.setResolution(dpi);
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QSize(200, 200), QString(), QPageSize::ExactMatch),
                                          QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&printer);
        scene->render(&painter, QRectF(0, 0, 200 * dpi / 72.0, 200 * dpi / 72.0), scene->sceneRect());
        painter.end();
        QString error;
        QVERIFY2(!runTool("pdftoppm", {"-r", QString::number(dpi), "-png", "-aa", "no", "-aaVector", "no", "-singlefile",
                                       dir.filePath("code.pdf"), dir.filePath("page")}, &error).isNull(),
                 qPrintable(error));
        image = QImage(dir.filePath("page.png"));
    } else {
        image = QImage(QSize(200, 200) * dpi / 72, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene->render(&painter);
        painter.end();
        QVERIFY2(onlyPure(image), "grey pixels between modules");
    }
    QCOMPARE(decode(image), text.toUtf8());
}

// Text no symbol can hold, or a size no pixmap can have, leaves an item
// that draws no code, until a usable text or size comes back.
void TestItems::qrCodeRefusals()
{
    auto *item = new QRCodeItem(QPoint(20, 20), scene.data());
    const auto shown = [&item]() {
        QImage image(item->boundingRect().size().toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QStyleOptionGraphicsItem option;
        static_cast<QGraphicsItem *>(item)->paint(&painter, &option);
        return image;
    };
    QCOMPARE(decode(shown()), QByteArray("{%code%}"));
    for (const QString &text : {QString(""), repeated("abc", 1664)}) {
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("Encoder %1 to QR code error!").arg(text)));
        item->setPlainText(text);
        QVERIFY(!item->encodingError().isEmpty());
        QCOMPARE(item->shape().boundingRect(), QRectF(0, 0, 50, 50));
        QVERIFY(decode(shown()).isEmpty());
    }
    item->setPlainText("back again");
    QVERIFY(item->encodingError().isEmpty());
    QCOMPARE(decode(shown()), QByteArray("back again"));

    for (const QSize &size : {QSize(0, 50), QSize(50, -3), QSize(MaximumQRCodeSide + 1, 50)}) {
        item->setShear(size.width(), size.height());
        QVERIFY(item->boundingRect().isEmpty());
        QVERIFY(renderQRCode("ABC", size.width(), size.height()).isNull());
    }
    item->setShear(60, 60);
    QCOMPARE(decode(shown()), QByteArray("back again"));
}

void TestItems::selectionGate_data()
{
    QTest::addColumn<bool>("box");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    for (const bool box : {true, false}) {
        const char *kind = box ? "box" : "QR code";
        QTest::addRow("%s angle", kind) << box << "angle" << QVariant(30.0);
        QTest::addRow("%s width", kind) << box << "shearHorizontal" << QVariant(70);
        QTest::addRow("%s height", kind) << box << "shearVertical" << QVariant(70);
    }
    QTest::newRow("box pen") << true << "pen" << QVariant(QPen(Qt::red, 2, Qt::DashLine));
    QTest::newRow("box brush") << true << "brush" << QVariant(QBrush(Qt::blue, Qt::Dense3Pattern));
}

// The panels send their values to every item; only selected items take
// them, and only a new value reports a change.
void TestItems::selectionGate()
{
    QFETCH(bool, box);
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QObject *item = box ? static_cast<QObject *>(new BoxItem(QRect(100, 100, 90, 30), scene.data()))
                        : new QRCodeItem(QPoint(20, 20), scene.data());
    auto *graphics = dynamic_cast<QGraphicsItem *>(item);
    const QByteArray name = property.toLatin1();
    const QVariant before = item->property(name);
    QSignalSpy dirty(item, SIGNAL(dirty()));

    graphics->setSelected(false);
    item->setProperty(name, value);
    QCOMPARE(item->property(name), before);
    graphics->setSelected(true);
    item->setProperty(name, before);
    QCOMPARE(dirty.count(), 0);
    item->setProperty(name, value);
    QCOMPARE(item->property(name), value);
    QVERIFY(dirty.count() > 0);
    if (property == "angle")
        QCOMPARE(graphics->transform(), QTransform().rotate(30));
}

void TestItems::boxKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QRectF>("rect");
    QTest::newRow("Shift+Right widens") << int(Qt::Key_Right) << int(Qt::ShiftModifier) << QRectF(-45, -15, 91, 30);
    QTest::newRow("Shift+Up shortens") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << QRectF(-45, -15, 90, 29);
    QTest::newRow("Shift+Down lengthens") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << QRectF(-45, -15, 90, 31);
    QTest::newRow("Control+Left moves") << int(Qt::Key_Left) << int(Qt::ControlModifier) << QRectF(-46, -15, 90, 30);
    QTest::newRow("plain arrow does nothing") << int(Qt::Key_Right) << 0 << QRectF(-45, -15, 90, 30);
}

// Keys change the box's rectangle, never its position.
void TestItems::boxKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QRectF, rect);
    auto *box = new BoxItem(QRect(100, 100, 90, 30), scene.data());
    QGraphicsView view(scene.data());
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QSignalSpy dirty(box, SIGNAL(dirty()));
    QTest::keyClick(view.viewport(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(box->rect(), rect);
    QCOMPARE(QSize(box->shearHorizontal(), box->shearVertical()), rect.size().toSize());
    QCOMPARE(box->pos(), QPointF(144, 114));
    QCOMPARE(dirty.isEmpty(), modifiers == 0);
}

void TestItems::pageSizeDialog_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("width");

    const QString range = "Enter a size from 1 mm to 1000 mm.";
    QTest::newRow("empty") << "en_US" << "millimeter" << "" << "Enter a size." << 0.0;
    QTest::newRow("letters") << "en_US" << "millimeter" << "abc" << "\"abc\" is not a number." << 0.0;
    QTest::newRow("zero") << "en_US" << "millimeter" << "0" << range << 0.0;
    QTest::newRow("above a metre in inches") << "en_US" << "inch" << "40"
                                             << "Enter a size from 0.0393701 in to 39.3701 in." << 0.0;
    QTest::newRow("comma in German") << "de_DE" << "millimeter" << "50,8" << "" << 50.8;
    QTest::newRow("a metre") << "en_US" << "millimeter" << "1000" << "" << 1000.0;
    QTest::newRow("points") << "en_US" << "point" << "144" << "" << 50.8;
}

// Refused sizes are named beside the field and never stored; a stored
// 203 dpi is shown and kept, and switching units loses nothing.
void TestItems::pageSizeDialog()
{
    QFETCH(QString, locale);
    QFETCH(QString, unit);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(double, width);
    Settings::instance()->setPrintDPI(203);
    QLocale::setDefault(QLocale(locale));
    PrinterSetting dialog;
    dialog.show();
    QCOMPARE(dialog.findChild<QComboBox *>("printQualityComboBox")->currentText(), QString("203dpi"));
    dialog.findChild<QRadioButton *>(unit + "RadioButton")->click();
    auto *edit = dialog.findChild<QLineEdit *>("widthLineEdit");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    auto *label = dialog.findChild<QLabel *>("widthMessageLabel");
    QCOMPARE(label->isVisible() ? label->text() : QString(), message);
    QCOMPARE(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled(), message.isEmpty());
    if (message.isEmpty()) {
        dialog.findChild<QRadioButton *>("inchRadioButton")->click();
        dialog.findChild<QRadioButton *>("millimeterRadioButton")->click();
        QCOMPARE(edit->text(), QString::number(width).replace('.', QLocale().decimalPoint()));
    }
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Settings::instance()->printDPI(), 203);
    if (message.isEmpty()) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(qAbs(Settings::instance()->pageSizeMM().width() - width) < 1e-9);
        QCOMPARE(Settings::instance()->pageSizeMM().height(), 101.6);
    } else {
        QVERIFY(dialog.isVisible());
        QVERIFY(!QSettings().contains("Printer/PageSizeMM"));
    }
}

TAGFORGE_TEST_MAIN(TestItems)
#include "tst_items.moc"
