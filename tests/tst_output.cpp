// Drives the main window's output commands (export, print, preview) and
// the page size command, and checks what they write and what they leave.

#include "testsupport.h"
#include "windowdriver.h"

#include "items/placeholder.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QGraphicsLineItem>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

namespace {

// A formatted text with a placeholder, as copied from a web page.
const QString FormattedText = "<b style=\"color:red;font-size:20pt\">Lot</b> <i>{%serial%}</i>";

TextItem *pasteText(MainWindow &window, const QString &text, bool html = false)
{
    auto *mime = new QMimeData;
    if (html)
        mime->setHtml(text);
    else
        mime->setText(text);
    QGuiApplication::clipboard()->setMimeData(mime);
    windowAction(&window, "&Paste")->trigger();
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    return selected.size() == 1 ? dynamic_cast<TextItem *>(selected.first()) : nullptr;
}

// Runs the Export command with the given file name typed into its dialog.
void exportTo(MainWindow &window, ModalResponder &responder, const QString &path)
{
    responder.expect(ModalResponder::choosePath(path));
    windowAction(&window, "Export...")->trigger();
    QCOMPARE(responder.pending(), 0);
}

QString decodeQRCode(const QString &path)
{
    QProcess zbar;
    zbar.start("zbarimg", {"--raw", "-q", path});
    if (!zbar.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

// Pixels that differ by more than the anti-aliasing of a glyph can.
int differentPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qGray(p) - qGray(q)) > 64 || qAlpha(p) != qAlpha(q))
                ++count;
        }
    }
    return count;
}

// The bounding rectangle of the dark pixels of image within area.
QRect inkRect(const QImage &image, const QRect &area)
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

QStringList gridLines(QWidget *window)
{
    QStringList lines;
    QGraphicsItemGroup *grid = gridGroup(window);
    if (!grid)
        return lines;
    const QList<QGraphicsItem *> children = grid->childItems();
    for (QGraphicsItem *child : children) {
        auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(child);
        if (!line)
            continue;
        const QLineF l = line->line();
        lines << QString("%1,%2-%3,%4").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2());
    }
    lines.sort();
    return lines;
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void exportSizes_data();
    void exportSizes();
    void exportWithoutSuffix();
    void pageOutline();
    void exportSvg();
    void exportSvgUnwritable();
    void outputKeepsState_data();
    void outputKeepsState();
    void placeholdersInExport();
    void previewKeepsPage();
    void unencodableCodeStopsOutput_data();
    void unencodableCodeStopsOutput();
    void pageSize_data();
    void pageSize();
    void pageSizeCancelled();
    void pageSizeRefusals_data();
    void pageSizeRefusals();

private:
    QTemporaryDir dir;
};

void TestOutput::initTestCase()
{
    // No print server: printing must take its no-printer path.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    QVERIFY(dir.isValid());
}

void TestOutput::init()
{
    clearSettings();
    QGuiApplication::clipboard()->clear();
}

void TestOutput::exportSizes_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("96 dpi") << 96 << 288;
    QTest::newRow("300 dpi") << 300 << 1152;
    QTest::newRow("600 dpi") << 600 << 2304;
}

void TestOutput::exportSizes()
{
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    Settings::instance()->setPrintDPI(dpi);
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    QVERIFY(gridGroup(&window)->isVisible());
    ModalResponder responder;
    const QString path = dir.filePath(QString("size%1.png").arg(dpi));
    exportTo(window, responder, path);
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(statusMessage(&window), QString("Exported %1").arg(path));

    const QImage image(path);
    QCOMPARE(image.size(), QSize(pixels, pixels));
    const int k = pixels / 288;
    // The stored resolution is the one drawn at: the file is 101.6 mm wide.
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), k * 72);
    QCOMPARE(image.dotsPerMeterY(), image.dotsPerMeterX());
    QVERIFY(qAbs(1000.0 * pixels / image.dotsPerMeterX() - 101.6) < 0.05);
    // White, opaque background; no grid line (x = 36) in the output.
    QCOMPARE(image.pixel(2, 2), qRgba(255, 255, 255, 255));
    QCOMPARE(image.pixel(36 * k, 250 * k), qRgba(255, 255, 255, 255));
    QCOMPARE(image.pixel(pixels - 1, pixels - 1), qRgba(255, 255, 255, 255));
    // The box's left edge (scene x = 55) is drawn.
    QVERIFY(qGray(image.pixel(55 * k, 100 * k)) < 200);
    QVERIFY(gridGroup(&window)->isVisible());
}

void TestOutput::exportWithoutSuffix()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    ModalResponder responder;
    const QString path = dir.filePath("nosuffix");
    responder.expect(ModalResponder::choosePath(path));
    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    windowAction(&window, "Export...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages, QStringList{QString("Failed to export: %1").arg(path)});
    QVERIFY(!QFile::exists(path));
    QVERIFY(!statusMessage(&window).startsWith("Exported"));
}

// The page's edge shows on screen with the grid off, and never in output.
void TestOutput::pageOutline()
{
    MainWindow window;
    startWindow(window);
    windowAction(&window, "Show Grid")->trigger();
    addBox(window, QPointF(100, 100));
    GraphicsView *view = windowView(&window);
    const QImage screen = view->viewport()->grab().toImage();
    const QRect page = view->mapFromScene(windowScene(&window)->sceneRect()).boundingRect();
    // The darkest pixel across the edge near point, one pixel either side.
    const auto edge = [&screen](const QPoint &point, const QPoint &across) {
        int darkest = 255;
        for (int i = -1; i <= 1; ++i)
            darkest = qMin(darkest, qGray(screen.pixel(point + i * across)));
        return darkest;
    };
    for (int i = 1; i < 8; ++i) {
        const int x = page.left() + page.width() * i / 8;
        const int y = page.top() + page.height() * i / 8;
        for (const int darkest : {edge(QPoint(page.left(), y), QPoint(1, 0)), edge(QPoint(page.right(), y), QPoint(1, 0)),
                                  edge(QPoint(x, page.top()), QPoint(0, 1)), edge(QPoint(x, page.bottom()), QPoint(0, 1))})
            QVERIFY2(darkest < 200, qPrintable(QString::number(darkest)));
    }

    ModalResponder responder;
    const QString path = dir.filePath("outline.png");
    exportTo(window, responder, path);
    const QImage image(path);
    QCOMPARE(image.size(), QSize(1152, 1152));
    for (int i = 0; i < image.width(); ++i) {
        for (const QPoint &point : {QPoint(i, 0), QPoint(i, image.height() - 1), QPoint(0, i), QPoint(image.width() - 1, i)})
            QCOMPARE(image.pixel(point), qRgba(255, 255, 255, 255));
    }
}

// An independent reader draws the SVG at the label's true size: at the
// PNG export's stored resolution it gives the PNG's pixels.
void TestOutput::exportSvg()
{
    if (QStandardPaths::findExecutable("rsvg-convert").isEmpty())
        QSKIP("rsvg-convert is not installed");
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100))->setBrush(Qt::black);
    // Half past the page's right edge: nothing of it is drawn past the page.
    addBox(window, QPointF(288, 200))->setBrush(Qt::black);
    TextItem *text = pasteText(window, "Lot 42");
    text->setFont(QFont("DejaVu Sans", 20));
    text->setPos(20, 150);
    ModalResponder responder;
    const QString png = dir.filePath("drawing.png");
    const QString svg = dir.filePath("drawing.SVG");
    exportTo(window, responder, png);
    exportTo(window, responder, svg);
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(statusMessage(&window), QString("Exported %1").arg(svg));

    const QImage bitmap(png);
    // The resolution the PNG was drawn at, 4 pixels a point.
    const int dpi = 288;
    const auto rsvg = [&](const QStringList &options) {
        const QString rendered = dir.filePath("drawing-rsvg.png");
        QFile::remove(rendered);
        QProcess process;
        process.start("rsvg-convert", QStringList{"--dpi-x", QString::number(dpi), "--dpi-y", QString::number(dpi),
                                                  "--background-color", "white", "--output", rendered, svg}
                                          + options);
        process.waitForFinished(60000);
        return QImage(rendered).convertToFormat(bitmap.format());
    };
    QImage drawn = rsvg({});
    QCOMPARE(drawn.size(), bitmap.size());
    // Glyphs are drawn by another rasteriser: the text has its size and
    // place within a pixel or two a side; everything else is the same.
    const double scale = dpi / 72.0;
    const QRect textArea = QTransform::fromScale(scale, scale).mapRect(text->sceneBoundingRect()).toAlignedRect();
    const QRect inPng = inkRect(bitmap, textArea);
    const QRect inSvg = inkRect(drawn, textArea);
    QVERIFY(inPng.width() > 200);
    for (const int difference : {inSvg.left() - inPng.left(), inSvg.right() - inPng.right(),
                                 inSvg.top() - inPng.top(), inSvg.bottom() - inPng.bottom()})
        QVERIFY2(qAbs(difference) <= 4, qPrintable(QString::number(difference)));
    QImage withoutText = bitmap;
    for (QImage *image : {&drawn, &withoutText}) {
        QPainter painter(image);
        painter.fillRect(textArea, Qt::white);
    }
    QCOMPARE(differentPixels(drawn, withoutText), 0);

    // On a larger sheet the reader shows what lies past the page's edge.
    const QImage sheet = rsvg({"--page-width", "5in", "--page-height", "5in"});
    QCOMPARE(sheet.size(), QSize(5 * dpi, 5 * dpi));
    QImage past(sheet.width() - bitmap.width(), sheet.height(), bitmap.format());
    past.fill(Qt::white);
    QCOMPARE(differentPixels(sheet.copy(QRect(QPoint(bitmap.width(), 0), past.size())), past), 0);
}

void TestOutput::exportSvgUnwritable()
{
    QVERIFY(writeFile(dir.filePath("plainfile"), "x"));
    const QString path = dir.filePath("plainfile/drawing.svg");
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    windowAction(&window, "Export...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages, QStringList{QString("Failed to export: %1").arg(path)});
    QVERIFY(!statusMessage(&window).startsWith("Exported"));
}

void TestOutput::outputKeepsState_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("grid");
    for (const char *output : {"png", "svg", "print", "preview"}) {
        QTest::newRow(qPrintable(QString("%1, modified").arg(output))) << output << true << true;
        QTest::newRow(qPrintable(QString("%1, unmodified").arg(output))) << output << false << true;
    }
    QTest::newRow("png, grid off") << "png" << false << false;
    QTest::newRow("failed export") << "unwritable" << false << true;
}

void TestOutput::outputKeepsState()
{
    QFETCH(QString, output);
    QFETCH(bool, modified);
    QFETCH(bool, grid);
    Placeholder table;
    table.setValue("serial", "0042");
    table.setValue("code", "ABC");
    MainWindow window;
    window.setPlaceholder(&table);
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(100, 100));
    QRCodeItem *code = addQRCode(window, QPointF(150, 150));
    TextItem *text = pasteText(window, FormattedText, true);
    QVERIFY(text);
    const QString html = text->toHtml();
    QVERIFY(html.contains("color:#ff0000"));
    if (!grid)
        windowAction(&window, "Show Grid")->trigger();
    selectOnly(&window, {box, code});
    if (modified)
        QMetaObject::invokeMethod(&window, "setDirty", Q_ARG(bool, true));
    else
        setClean(window);

    ModalResponder responder;
    if (output == "unwritable") {
        responder.expect(ModalResponder::choosePath(dir.filePath("no such folder/state.png")));
        responder.expect(ModalResponder::answer(QMessageBox::Ok));
        windowAction(&window, "Export...")->trigger();
        QCOMPARE(responder.messages.size(), 1);
    } else if (output == "png" || output == "svg") {
        const QString path = dir.filePath(QString("state %1.%2").arg(QTest::currentDataTag(), output));
        exportTo(window, responder, path);
        QCOMPARE(statusMessage(&window), QString("Exported %1").arg(path));
    } else if (output == "print") {
        responder.expect(ModalResponder::answer(QMessageBox::Ok));
        windowAction(&window, "Print")->trigger();
        QCOMPARE(responder.messages,
                 QStringList{"No default printer is set up: the label was not printed."});
        QVERIFY(!statusMessage(&window).startsWith("Printed"));
    } else {
        bool painted = false;
        responder.expect([&painted](QWidget *modal) {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
            QVERIFY(preview);
            painted = true;
            preview->reject();
        });
        windowAction(&window, "Print Preview...")->trigger();
        QVERIFY(painted);
    }
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(window.isWindowModified(), modified);
    QCOMPARE(windowAction(&window, "Save")->isEnabled(), modified);
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    QCOMPARE(QSet<QGraphicsItem *>(selected.begin(), selected.end()), (QSet<QGraphicsItem *>{box, code}));
    QVERIFY(windowAction(&window, "Alignment")->isEnabled());
    // The text is given back whole: characters and formatting.
    QCOMPARE(text->toHtml(), html);
    QCOMPARE(code->plainText(), QString("{%code%}"));
    QCOMPARE(gridGroup(&window)->isVisible(), grid);
    QCOMPARE(windowAction(&window, "Show Grid")->isChecked(), grid);
}

void TestOutput::placeholdersInExport()
{
    if (QStandardPaths::findExecutable("zbarimg").isEmpty())
        QSKIP("zbarimg is not installed");
    Placeholder table;
    table.setValue("serial", "0042");
    table.setValue("code", "ABC");
    MainWindow window;
    window.setPlaceholder(&table);
    startWindow(window);
    QRCodeItem *code = addQRCode(window, QPointF(170, 170));
    TextItem *text = pasteText(window, FormattedText, true);
    text->setFont(QFont("DejaVu Sans", 14));
    text->setPos(20, 20);
    const QString html = text->toHtml();
    ModalResponder responder;

    const QString substituted = dir.filePath("substituted.png");
    exportTo(window, responder, substituted);
    QCOMPARE(decodeQRCode(substituted), QString("ABC"));
    QCOMPARE(text->toHtml(), html);
    QCOMPARE(code->plainText(), QString("{%code%}"));

    // The same label written out by hand renders identically: each value
    // has its placeholder's format.
    text->setHtml(QString(FormattedText).replace("{%serial%}", "0042"));
    code->setPlainText("ABC");
    const QString literal = dir.filePath("literal.png");
    exportTo(window, responder, literal);
    QCOMPARE(differentPixels(QImage(substituted), QImage(literal)), 0);

    // And differs from one whose placeholders were left alone.
    text->setHtml(FormattedText);
    code->setPlainText("{%code%}");
    window.setPlaceholder(nullptr);
    const QString untouched = dir.filePath("untouched.png");
    exportTo(window, responder, untouched);
    QVERIFY(differentPixels(QImage(untouched), QImage(substituted)) > 100);
    QCOMPARE(decodeQRCode(untouched), QString("{%code%}"));
    QCOMPARE(responder.unexpected, 0);
}

// The preview offers no page setup or orientation of its own, and nothing
// done in it (its print dialog may set any paper) outlives it: the next
// export still has the label's page.
void TestOutput::previewKeepsPage()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    ModalResponder responder;
    QStringList shown;
    responder.expect([&shown](QWidget *modal) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
        QVERIFY(preview);
        const QList<QToolBar *> bars = preview->findChildren<QToolBar *>();
        for (QToolBar *bar : bars) {
            const QList<QAction *> actions = bar->actions();
            for (QAction *action : actions) {
                if (action->isVisible())
                    shown << action->text();
            }
        }
        preview->printer()->setPageSize(QPageSize(QPageSize::A4));
        preview->printer()->setPageOrientation(QPageLayout::Landscape);
        preview->reject();
    });
    windowAction(&window, "Print Preview...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QVERIFY2(shown.contains("Print") && shown.contains("Zoom in"), qPrintable(shown.join('|')));
    for (const char *text : {"Page setup", "Portrait", "Landscape"})
        QVERIFY2(!shown.contains(text), text);

    const QString path = dir.filePath("afterpreview.png");
    exportTo(window, responder, path);
    QCOMPARE(QImage(path).size(), QSize(1152, 1152));
    QCOMPARE(responder.unexpected, 0);
}

void TestOutput::unencodableCodeStopsOutput_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
    QTest::newRow("print") << "print";
}

// A code whose filled-in content cannot be encoded would be left out of the
// output: the command says so instead of writing or printing a wrong label.
void TestOutput::unencodableCodeStopsOutput()
{
    QFETCH(QString, output);
    Placeholder table;
    table.setValue("code", QString());
    MainWindow window;
    window.setPlaceholder(&table);
    startWindow(window);
    addQRCode(window, QPointF(150, 150));
    const QString path = dir.filePath("unencodable." + output);
    ModalResponder responder;
    if (output != "print")
        responder.expect(ModalResponder::choosePath(path));
    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    windowAction(&window, output == "print" ? "Print" : "Export...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages.size(), 1);
    QVERIFY2(responder.messages.first().contains("QR code is empty"), qPrintable(responder.messages.first()));
    QVERIFY(!statusMessage(&window).startsWith("Printed") && !statusMessage(&window).startsWith("Exported"));
    QVERIFY(!QFile::exists(path));
}

void TestOutput::pageSize_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("unmodified") << false;
    QTest::newRow("modified") << true;
}

void TestOutput::pageSize()
{
    QFETCH(bool, modified);
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(100, 60));
    QRCodeItem *code = addQRCode(window, QPointF(20, 20));
    if (!modified)
        setClean(window);
    QCOMPARE(windowScene(&window)->sceneRect(), QRectF(0, 0, 288, 288));
    QCOMPARE(gridLines(&window).size(), 18);

    ModalResponder responder;
    responder.expect([](QWidget *modal) {
        for (const auto &field : {qMakePair(QString("widthLineEdit"), QString("50")),
                                  qMakePair(QString("heightLineEdit"), QString("30"))}) {
            auto *edit = modal->findChild<QLineEdit *>(field.first);
            QVERIFY(edit);
            QCOMPARE(edit->text(), QString("101.6"));
            edit->selectAll();
            QTest::keyClicks(edit, field.second);
        }
        auto *buttons = modal->findChild<QDialogButtonBox *>("buttonBox");
        QVERIFY(buttons);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    windowAction(&window, "Page Size...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.unexpected, 0);

    QCOMPARE(Settings::instance()->pageSizeMM(), QSizeF(50, 30));
    QCOMPARE(windowScene(&window)->sceneRect(), QRectF(0, 0, 142, 85));
    QStringList expected{"0,0-0,72", "36,0-36,72", "72,0-72,72", "108,0-108,72",
                         "0,0-108,0", "0,36-108,36", "0,72-108,72"};
    expected.sort();
    QCOMPARE(gridLines(&window), expected);
    QVERIFY(gridGroup(&window)->isVisible());
    // The rebuilt grid stays under the items: the line x = 108 crosses the
    // box, which is drawn over it.
    QCOMPARE(windowScene(&window)->items(QPointF(108, 60)).value(0), box);
    QCOMPARE(box->pos(), QPointF(100, 60));
    QCOMPARE(code->pos(), QPointF(20, 20));
    QCOMPARE(window.isWindowModified(), modified);
    QCOMPARE(labelItems(&window).size(), 2);

    // The next export has the new page size.
    const QString path = dir.filePath(QString("small%1.png").arg(modified));
    exportTo(window, responder, path);
    QCOMPARE(QImage(path).size(), QSize(142 * 4, 85 * 4));
}

void TestOutput::pageSizeCancelled()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 60));
    setClean(window);
    const QStringList lines = gridLines(&window);
    QGraphicsItemGroup *grid = gridGroup(&window);
    ModalResponder responder;
    responder.expect([](QWidget *modal) {
        auto *edit = modal->findChild<QLineEdit *>("widthLineEdit");
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, "50");
        ModalResponder::reject()(modal);
    });
    windowAction(&window, "Page Size...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(windowScene(&window)->sceneRect(), QRectF(0, 0, 288, 288));
    QCOMPARE(gridGroup(&window), grid);
    QCOMPARE(gridLines(&window), lines);
    QVERIFY(!window.isWindowModified());
    QSettings settings;
    QVERIFY(!settings.contains("Printer/PageSizeMM"));
    QVERIFY(!settings.contains("Printer/PrintDPI"));
}

void TestOutput::pageSizeRefusals_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("storedWidth");

    const QString range = "Enter a size from 1 mm to 1000 mm.";
    QTest::newRow("empty") << "en_US" << "millimeterRadioButton" << "" << "Enter a size." << 0.0;
    QTest::newRow("letters") << "en_US" << "millimeterRadioButton" << "abc" << "\"abc\" is not a number." << 0.0;
    QTest::newRow("zero") << "en_US" << "millimeterRadioButton" << "0" << range << 0.0;
    QTest::newRow("negative") << "en_US" << "millimeterRadioButton" << "-5" << range << 0.0;
    QTest::newRow("above a metre") << "en_US" << "millimeterRadioButton" << "1000.5" << range << 0.0;
    QTest::newRow("above a metre in inches")
        << "en_US" << "inchRadioButton" << "40" << "Enter a size from 0.0393701 in to 39.3701 in." << 0.0;
    QTest::newRow("comma in English") << "en_US" << "millimeterRadioButton" << "50,8"
                                      << "\"50,8\" is not a number." << 0.0;
    QTest::newRow("infinite") << "en_US" << "millimeterRadioButton" << "inf" << range << 0.0;
    QTest::newRow("comma in German") << "de_DE" << "millimeterRadioButton" << "50,8" << "" << 50.8;
    QTest::newRow("point in German") << "de_DE" << "millimeterRadioButton" << "50.8" << "" << 50.8;
    QTest::newRow("a metre") << "en_US" << "millimeterRadioButton" << "1000" << "" << 1000.0;
}

// The Page Size dialog refuses, beside the field, what is no label size,
// and offers OK only for sizes it can store; numbers are read in the
// user's locale or in C notation. A stored 203 dpi is shown and kept.
void TestOutput::pageSizeRefusals()
{
    QFETCH(QString, locale);
    QFETCH(QString, unit);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(double, storedWidth);
    const QLocale previousLocale;
    QLocale::setDefault(QLocale(locale));
    Settings::instance()->setPrintDPI(203);
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    QString shownDpi;
    bool okEnabled = true;
    QString shownMessage;
    responder.expect([&](QWidget *modal) {
        auto *combo = modal->findChild<QComboBox *>("printQualityComboBox");
        auto *radio = modal->findChild<QRadioButton *>(unit);
        auto *edit = modal->findChild<QLineEdit *>("widthLineEdit");
        auto *label = modal->findChild<QLabel *>("widthMessageLabel");
        QVERIFY(combo && radio && edit && label);
        shownDpi = combo->currentText();
        radio->click();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        shownMessage = label->isVisible() ? label->text() : QString();
        okEnabled = modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled();
        // Return presses OK, which takes nothing refused.
        QTest::keyClick(edit, Qt::Key_Return);
        if (modal->isVisible())
            ModalResponder::reject()(modal);
    });
    windowAction(&window, "Page Size...")->trigger();
    QLocale::setDefault(previousLocale);
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(shownDpi, QString("203dpi"));
    QCOMPARE(shownMessage, message);
    QCOMPARE(okEnabled, message.isEmpty());
    QCOMPARE(Settings::instance()->printDPI(), 203);
    if (message.isEmpty()) {
        QCOMPARE(Settings::instance()->pageSizeMM(), QSizeF(storedWidth, 101.6));
        QCOMPARE(windowScene(&window)->sceneRect().width(), qRound(storedWidth * 72 / 25.4) * 1.0);
    } else {
        QVERIFY(!QSettings().contains("Printer/PageSizeMM"));
        QCOMPARE(windowScene(&window)->sceneRect(), QRectF(0, 0, 288, 288));
    }
}

TAGFORGE_TEST_MAIN(TestOutput)
#include "tst_output.moc"
