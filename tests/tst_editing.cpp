// Drives the main window's editing commands: adding items, the enabled
// state of actions and panels, panel edits, alignment, cut and edit.

#include "testsupport.h"
#include "windowdriver.h"

#include "panels/brushwidget.h"
#include "panels/penwidget.h"
#include "panels/transformwidget.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

QStringList capturedMessages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedMessages << message;
}

QRectF sceneRectOf(QGraphicsItem *item)
{
    return item->sceneBoundingRect();
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void addSeriesOnPage_data();
    void addSeriesOnPage();
    void addBoxCursorInView();
    void addTextCancelAndOk();
    void addQRCodeItem();
    void enabledState_data();
    void enabledState();
    void pasteEnabled_data();
    void pasteEnabled();
    void selectingNeverModifies();
    void panelEditsReachSelectedOnly();
    void unshowableValuesSurviveSelection();
    void align_data();
    void align();
    void alignRotatedBox();
    void alignmentRepeatsLastChoice();
    void clearTransformations();
    void cutDuringAlignment();
    void newAndOpenDuringAlignment();
    void copyAndCut();
    void deleteKeyCuts();
    void editSelectedBoxIsSilent();
    void editSelectedText();
    void editSelectedQRCode();
};

void TestEditing::initTestCase()
{
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
}

void TestEditing::init()
{
    clearSettings();
    QGuiApplication::clipboard()->clear();
}

void TestEditing::addSeriesOnPage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<bool>("pastPage");
    QTest::newRow("box") << "box" << QSizeF(90, 30) << false;
    QTest::newRow("QR code") << "qr" << QSizeF(50, 50) << false;
    QTest::newRow("text") << "text" << QSizeF(0, 0) << false;
    QTest::newRow("box, cursor past the page") << "box" << QSizeF(90, 30) << true;
    QTest::newRow("QR code, cursor past the page") << "qr" << QSizeF(50, 50) << true;
}

// With the cursor outside, new items start at the view's corner; where the
// view reaches beyond the page (a maximised window, zoomed out), they start
// on the page instead, still in a diagonal series. They lie whole on the
// page even when the cursor points past it.
void TestEditing::addSeriesOnPage()
{
    QFETCH(QString, kind);
    QFETCH(QSizeF, size);
    QFETCH(bool, pastPage);
    MainWindow window;
    window.showMaximized();
    startWindow(window);
    for (int i = 0; i < 3; ++i)
        windowAction(&window, "Zoom Out")->trigger();
    GraphicsView *view = windowView(&window);
    const QRectF page = windowScene(&window)->sceneRect();
    QVERIFY(!page.contains(view->mapToScene(QPoint(10, 10))));
    if (pastPage) {
        const QPoint past = view->mapFromScene(page.bottomRight() + QPointF(20, 20));
        QVERIFY(view->viewport()->rect().contains(past));
        QCursor::setPos(view->viewport()->mapToGlobal(past));
    }

    ModalResponder responder;
    QList<QPointF> corners;
    for (int i = 0; i < 3; ++i) {
        QGraphicsItem *item = nullptr;
        if (kind == "box")
            item = addBox(window);
        else if (kind == "qr")
            item = addQRCode(window);
        else
            item = addText(window, responder);
        QVERIFY(item);
        const QRectF placed = kind == "box" ? item->mapRectToScene(static_cast<BoxItem *>(item)->rect())
                                            : QRectF(item->pos(), size);
        corners << placed.topLeft();
        QVERIFY2(placed.left() >= page.left() && placed.top() >= page.top() && placed.right() <= page.right()
                     && placed.bottom() <= page.bottom(),
                 qPrintable(QString("%1,%2").arg(placed.x()).arg(placed.y())));
    }
    QCOMPARE(responder.unexpected, 0);
    if (pastPage)
        return;
    const QPointF step = corners.at(1) - corners.at(0);
    QVERIFY(step.x() > 0 && step.x() == step.y());
    QCOMPARE(corners.at(2) - corners.at(1), step);
}

void TestEditing::addBoxCursorInView()
{
    MainWindow window;
    startWindow(window);
    GraphicsView *view = windowView(&window);
    const QPoint inView(120, 90);
    QCursor::setPos(view->mapToGlobal(inView));
    QCOMPARE(window.mapFromGlobal(QCursor::pos()), view->pos() + inView);

    BoxItem *first = addBox(window);
    QVERIFY(first);
    QCOMPARE(first->pos(), QRectF(view->mapToScene(inView).toPoint(), QSizeF(90, 30)).center());
    BoxItem *second = addBox(window);
    QVERIFY(second);
    const QPoint next = view->mapToScene(inView + QPoint(5, 5)).toPoint();
    QCOMPARE(second->pos(), QRectF(next, QSizeF(90, 30)).center());

    // Moving the mouse to a new place starts the series again.
    QCursor::setPos(view->mapToGlobal(inView + QPoint(40, 0)));
    BoxItem *third = addBox(window);
    const QPoint moved = view->mapToScene(inView + QPoint(40, 0)).toPoint();
    QCOMPARE(third->pos(), QRectF(moved, QSizeF(90, 30)).center());
}

void TestEditing::addTextCancelAndOk()
{
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    responder.expect(ModalResponder::reject());
    windowAction(&window, "Add Text...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QVERIFY(labelItems(&window).isEmpty());
    QVERIFY(!window.isWindowModified());

    TextItem *text = addText(window, responder);
    QVERIFY(text);
    QCOMPARE(labelItems(&window).size(), 1);
    QVERIFY(text->toPlainText().contains("{%date%}"));
    QVERIFY(text->toPlainText().endsWith("{%date%} {%serial%}"));
    QCOMPARE(text->font().family(), QString("Microsoft Yahei"));
    QCOMPARE(text->font().pointSizeF(), 3.0);
    QCOMPARE(windowScene(&window)->selectedItems(), QList<QGraphicsItem *>{text});
    QVERIFY(window.isWindowModified());
    QCOMPARE(responder.unexpected, 0);
}

void TestEditing::addQRCodeItem()
{
    MainWindow window;
    startWindow(window);
    QRCodeItem *code = addQRCode(window);
    QVERIFY(code);
    QCOMPARE(code->plainText(), QString("{%code%}"));
    QCOMPARE(code->shearHorizontal(), 50);
    QCOMPARE(code->shearVertical(), 50);
    QVERIFY(window.isWindowModified());
    QVERIFY(window.findChild<TransformWidget *>()->isEnabled());
    QVERIFY(!window.findChild<BrushWidget *>()->isEnabled());
}

void TestEditing::enabledState_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("enabled");
    // Letters: s Save, a Save As/Export/Print/Preview, e Edit Selected Item,
    // c Copy/Cut, l Alignment, x Clear Transformations, t/b/p the panels.
    QTest::newRow("new label") << "" << "";
    QTest::newRow("one box") << "box" << "saecxtbp";
    QTest::newRow("one text") << "text" << "saecx";
    QTest::newRow("one QR code") << "qr" << "saecxt";
    QTest::newRow("two items") << "box qr" << "saclxtbp";
}

void TestEditing::enabledState()
{
    QFETCH(QString, content);
    QFETCH(QString, enabled);
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    QList<QGraphicsItem *> added;
    for (const QString &kind : content.split(' ', Qt::SkipEmptyParts)) {
        if (kind == "box")
            added << addBox(window, QPointF(60 + 30 * added.size(), 60));
        else if (kind == "qr")
            added << addQRCode(window, QPointF(60, 150 + 30 * added.size()));
        else
            added << addText(window, responder);
        QVERIFY(added.last());
    }
    selectOnly(&window, added);

    QCOMPARE(windowAction(&window, "Save")->isEnabled(), enabled.contains('s'));
    for (const char *text : {"Save As...", "Export...", "Print", "Print Preview..."})
        QVERIFY2(windowAction(&window, text)->isEnabled() == enabled.contains('a'), text);
    QCOMPARE(windowAction(&window, "Edit Selected Item...")->isEnabled(), enabled.contains('e'));
    QCOMPARE(windowAction(&window, "&Copy")->isEnabled(), enabled.contains('c'));
    QCOMPARE(windowAction(&window, "Cu&t")->isEnabled(), enabled.contains('c'));
    QCOMPARE(windowAction(&window, "Alignment")->isEnabled(), enabled.contains('l'));
    QCOMPARE(windowAction(&window, "Clear Transformations")->isEnabled(), enabled.contains('x'));
    QCOMPARE(window.findChild<TransformWidget *>()->isEnabled(), enabled.contains('t'));
    QCOMPARE(window.findChild<BrushWidget *>()->isEnabled(), enabled.contains('b'));
    QCOMPARE(window.findChild<PenWidget *>()->isEnabled(), enabled.contains('p'));
    for (const char *text : {"New", "Open...", "Quit", "Page Size...", "Add Box", "Add Text...", "Add QR Code",
                             "Zoom In", "Zoom Out", "Zoom Fit", "Show Grid"})
        QVERIFY2(windowAction(&window, text)->isEnabled(), text);
}

void TestEditing::pasteEnabled_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("image") << "image" << true;
    QTest::newRow("text") << "text" << true;
    QTest::newRow("html") << "html" << true;
    QTest::newRow("items") << "items" << true;
}

void TestEditing::pasteEnabled()
{
    QFETCH(QString, format);
    QFETCH(bool, enabled);
    MainWindow window;
    startWindow(window);
    auto *mime = new QMimeData;
    if (format == "image")
        mime->setImageData(QImage(4, 4, QImage::Format_RGB32));
    else if (format == "text")
        mime->setText("plain");
    else if (format == "html")
        mime->setHtml("<b>bold</b>");
    else if (format == "items")
        mime->setData("application/{82959F55-A005-4F9B-A468-955D521D9691}", QByteArray());
    QGuiApplication::clipboard()->setMimeData(mime);
    QCOMPARE(windowAction(&window, "&Paste")->isEnabled(), enabled);
}

void TestEditing::selectingNeverModifies()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(80, 60));
    box->setPen(QPen(Qt::red, 3, Qt::DashLine));
    box->setBrush(QBrush(Qt::blue, Qt::CrossPattern));
    box->setAngle(20);
    QRCodeItem *code = addQRCode(window, QPointF(60, 160));
    code->setAngle(10);
    BoxItem *plain = addBox(window, QPointF(200, 200));
    setClean(window);
    QVERIFY(!window.isWindowModified());

    GraphicsView *view = windowView(&window);
    for (QGraphicsItem *item : QList<QGraphicsItem *>{box, code, plain, box}) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->mapFromScene(item->mapToScene(item->boundingRect().center())));
        QCOMPARE(windowScene(&window)->selectedItems(), QList<QGraphicsItem *>{item});
        QVERIFY(!window.isWindowModified());
    }
    selectOnly(&window, {box, code, plain});
    QVERIFY(!window.isWindowModified());
    QCOMPARE(box->pen(), QPen(Qt::red, 3, Qt::DashLine));
    QCOMPARE(box->brush(), QBrush(Qt::blue, Qt::CrossPattern));
    QCOMPARE(plain->pen(), QPen());
}

void TestEditing::panelEditsReachSelectedOnly()
{
    MainWindow window;
    startWindow(window);
    BoxItem *first = addBox(window, QPointF(60, 60));
    BoxItem *second = addBox(window, QPointF(60, 120));
    QRCodeItem *code = addQRCode(window, QPointF(160, 60));
    BoxItem *other = addBox(window, QPointF(200, 200));
    // The panels show the values of the last single selection.
    selectOnly(&window, {second});
    selectOnly(&window, {first, second, code});

    auto *brushCombo = window.findChild<BrushWidget *>()->findChild<QComboBox *>();
    brushCombo->setCurrentIndex(brushCombo->findText("Solid"));
    window.findChild<PenWidget *>()->findChild<QSpinBox *>()->setValue(5);
    auto *transform = window.findChild<TransformWidget *>();
    transform->findChild<QDoubleSpinBox *>()->setValue(45);
    const QList<QSpinBox *> sizes = transform->findChildren<QSpinBox *>();
    QCOMPARE(sizes.size(), 2);
    sizes.at(0)->setValue(120);

    for (BoxItem *box : {first, second}) {
        QCOMPARE(box->brush().style(), Qt::SolidPattern);
        QCOMPARE(box->pen().width(), 5);
        QCOMPARE(box->angle(), 45.0);
        QCOMPARE(box->shearHorizontal(), 120);
        QCOMPARE(box->shearVertical(), 30);
    }
    QCOMPARE(code->angle(), 45.0);
    QCOMPARE(code->shearHorizontal(), 120);
    QCOMPARE(code->shearVertical(), 30);
    QCOMPARE(other->brush(), QBrush());
    QCOMPARE(other->pen(), QPen());
    QCOMPARE(other->angle(), 0.0);
    QCOMPARE(other->shearHorizontal(), 90);
    QVERIFY(window.isWindowModified());
}

void TestEditing::unshowableValuesSurviveSelection()
{
    MainWindow window;
    startWindow(window);
    BoxItem *odd = addBox(window, QPointF(80, 60));
    const QBrush brush(Qt::darkGreen, Qt::Dense7Pattern);
    QPen pen(Qt::red, 25, Qt::CustomDashLine);
    pen.setDashPattern({3.0, 2.0, 1.0, 2.0});
    odd->setBrush(brush);
    odd->setPen(pen);
    BoxItem *plain = addBox(window, QPointF(200, 200));
    setClean(window);

    GraphicsView *view = windowView(&window);
    for (QGraphicsItem *item : QList<QGraphicsItem *>{odd, plain, odd}) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->mapFromScene(item->sceneBoundingRect().center()));
        QCOMPARE(windowScene(&window)->selectedItems(), QList<QGraphicsItem *>{item});
    }
    QCOMPARE(odd->brush(), brush);
    QCOMPARE(odd->pen(), pen);
    QCOMPARE(plain->brush(), QBrush());
    QCOMPARE(plain->pen(), QPen());
    QVERIFY(!window.isWindowModified());
}

void TestEditing::align_data()
{
    QTest::addColumn<QString>("edge");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::newRow("left") << "Left" << 30 << 90;
    QTest::newRow("right, different widths") << "Right" << 30 << 140;
    QTest::newRow("bottom, different heights") << "Bottom" << 70 << 90;
    QTest::newRow("top") << "Top" << 50 << 60;
}

void TestEditing::align()
{
    QFETCH(QString, edge);
    QFETCH(int, height);
    QFETCH(int, width);
    MainWindow window;
    startWindow(window);
    BoxItem *first = addBox(window, QPointF(55, 100));
    BoxItem *second = addBox(window, QPointF(120, 180));
    second->setShear(width, height);
    const QPointF firstPos = first->pos();
    const QPointF secondPos = second->pos();
    selectOnly(&window, {first, second});
    setClean(window);

    windowAction(&window, edge)->trigger();
    QVERIFY(window.isWindowModified());

    auto coordinate = [&edge](const QRectF &r) {
        if (edge == "Left")
            return r.left();
        if (edge == "Right")
            return r.right();
        if (edge == "Top")
            return r.top();
        return r.bottom();
    };
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(coordinate(sceneRectOf(first)) - coordinate(sceneRectOf(second))) < 1e-9, 5000);
    // The animation has ended exactly on the targets.
    QTest::qWait(200);
    QVERIFY(qAbs(coordinate(sceneRectOf(first)) - coordinate(sceneRectOf(second))) < 1e-9);
    const bool horizontal = edge == "Left" || edge == "Right";
    // Only one axis moves, and the outermost item stays put.
    if (horizontal) {
        QCOMPARE(first->pos().y(), firstPos.y());
        QCOMPARE(second->pos().y(), secondPos.y());
    } else {
        QCOMPARE(first->pos().x(), firstPos.x());
        QCOMPARE(second->pos().x(), secondPos.x());
    }
    const bool firstOutermost = edge == "Left" || edge == "Top";
    if (firstOutermost)
        QCOMPARE(first->pos(), firstPos);
    else
        QCOMPARE(second->pos(), secondPos);
}

void TestEditing::alignRotatedBox()
{
    MainWindow window;
    startWindow(window);
    BoxItem *plain = addBox(window, QPointF(80, 60));
    BoxItem *rotated = addBox(window, QPointF(180, 180));
    rotated->setAngle(45);
    const QRectF before = rotated->sceneBoundingRect();
    // Its rotated bounds differ from its unrotated rectangle.
    QVERIFY(qAbs(before.left() - (rotated->pos().x() - 45.5)) > 1);
    selectOnly(&window, {plain, rotated});
    windowAction(&window, "Left")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(rotated->sceneBoundingRect().left() - plain->sceneBoundingRect().left()) < 1e-9,
                             5000);
    QTest::qWait(200);
    QVERIFY(qAbs(rotated->sceneBoundingRect().left() - plain->sceneBoundingRect().left()) < 1e-9);
    QCOMPARE(rotated->pos().y(), 180.0);
}

void TestEditing::alignmentRepeatsLastChoice()
{
    MainWindow window;
    startWindow(window);
    BoxItem *first = addBox(window, QPointF(80, 60));
    BoxItem *second = addBox(window, QPointF(180, 180));
    selectOnly(&window, {first, second});
    QAction *alignment = windowAction(&window, "Alignment");
    QAction *top = windowAction(&window, "Top");
    QCOMPARE(alignment->data().toInt(), int(Qt::AlignLeft));

    top->trigger();
    QCOMPARE(alignment->data().toInt(), int(Qt::AlignTop));
    QCOMPARE(alignment->icon().cacheKey(), top->icon().cacheKey());
    QTRY_COMPARE_WITH_TIMEOUT(second->pos().y(), 60.0, 5000);

    second->setPos(180, 220);
    alignment->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(second->pos().y(), 60.0, 5000);
    QCOMPARE(second->pos().x(), 180.0);
    QCOMPARE(first->pos(), QPointF(80, 60));
}

void TestEditing::clearTransformations()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(100, 100));
    box->setAngle(30);
    QRCodeItem *code = addQRCode(window, QPointF(200, 200));
    selectOnly(&window, {box});
    auto *angleBox = window.findChild<TransformWidget *>()->findChild<QDoubleSpinBox *>();
    QCOMPARE(angleBox->value(), 30.0);
    setClean(window);

    windowAction(&window, "Clear Transformations")->trigger();
    QCOMPARE(box->angle(), 0.0);
    QVERIFY(box->transform().isIdentity());
    QCOMPARE(box->shearHorizontal(), 90);
    QCOMPARE(box->shearVertical(), 30);
    QCOMPARE(box->rect(), QRectF(-45, -15, 90, 30));
    QCOMPARE(angleBox->value(), 0.0);
    QVERIFY(window.isWindowModified());
    QCOMPARE(code->angle(), 0.0);
}

void TestEditing::cutDuringAlignment()
{
    MainWindow window;
    startWindow(window);
    BoxItem *first = addBox(window, QPointF(80, 60));
    BoxItem *second = addBox(window, QPointF(180, 120));
    BoxItem *third = addBox(window, QPointF(140, 200));
    selectOnly(&window, {first, second, third});
    windowAction(&window, "Left")->trigger();
    QTest::qWait(100);
    selectOnly(&window, {second});
    windowAction(&window, "Cu&t")->trigger();
    QCOMPARE(labelItems(&window).size(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(third->pos(), QPointF(80, 200), 5000);
    QTest::qWait(200);
    QCOMPARE(third->pos(), QPointF(80, 200));
    QCOMPARE(first->pos(), QPointF(80, 60));
    // The remaining items still answer the panels.
    selectOnly(&window, {third});
    window.findChild<PenWidget *>()->findChild<QSpinBox *>()->setValue(4);
    QCOMPARE(third->pen().width(), 4);
    QCOMPARE(first->pen().width(), 1);
}

void TestEditing::newAndOpenDuringAlignment()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("two.qlt");
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    addBox(window, QPointF(80, 60));
    addBox(window, QPointF(180, 120));
    window.setWindowFilePath(path);
    QVERIFY(invokeBool(&window, "fileSave"));

    for (const QString &command : {QString("New"), QString("Open...")}) {
        if (labelItems(&window).isEmpty()) {
            addBox(window, QPointF(60, 60));
            addBox(window, QPointF(150, 150));
        }
        selectOnly(&window, labelItems(&window));
        windowAction(&window, "Right")->trigger();
        QTest::qWait(100);
        responder.expect(ModalResponder::answer(QMessageBox::Discard));
        if (command == "Open...")
            responder.expect(ModalResponder::choosePath(path));
        windowAction(&window, command)->trigger();
        QCOMPARE(responder.pending(), 0);
        QTest::qWait(1300);
        QCOMPARE(responder.unexpected, 0);
        QCOMPARE(labelItems(&window).size(), command == "New" ? 0 : 2);
        QVERIFY(!window.isWindowModified());
    }
    // The loaded items sit where the file has them, untouched by the animation.
    const QList<BoxItem *> boxes = labelItemsOf<BoxItem>(&window);
    QCOMPARE(boxes.size(), 2);
    QSet<qreal> xs{boxes.at(0)->pos().x(), boxes.at(1)->pos().x()};
    QCOMPARE(xs, (QSet<qreal>{80, 180}));
}

void TestEditing::copyAndCut()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(80, 60));
    addQRCode(window, QPointF(200, 200));
    selectOnly(&window, {box});
    setClean(window);

    windowAction(&window, "&Copy")->trigger();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime->hasFormat("application/{82959F55-A005-4F9B-A468-955D521D9691}"));
    QVERIFY(!mime->hasText());
    QVERIFY(!window.isWindowModified());
    QCOMPARE(labelItems(&window).size(), 2);
    QVERIFY(windowAction(&window, "&Paste")->isEnabled());

    windowAction(&window, "Cu&t")->trigger();
    QCOMPARE(labelItems(&window).size(), 1);
    QVERIFY(window.isWindowModified());
    QVERIFY(!windowAction(&window, "Cu&t")->isEnabled());
}

void TestEditing::deleteKeyCuts()
{
    MainWindow window;
    startWindow(window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    addBox(window, QPointF(80, 60));
    BoxItem *box = addBox(window, QPointF(200, 200));
    QVERIFY(box->isSelected());
    QTest::keyClick(windowView(&window), Qt::Key_Delete);
    QCOMPARE(labelItems(&window).size(), 1);
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(
        "application/{82959F55-A005-4F9B-A468-955D521D9691}"));
    QVERIFY(window.isWindowModified());
}

void TestEditing::editSelectedBoxIsSilent()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(80, 60));
    setClean(window);
    ModalResponder responder;
    capturedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    windowAction(&window, "Edit Selected Item...")->trigger();
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);
    QVERIFY2(capturedMessages.isEmpty(), qPrintable(capturedMessages.join('\n')));
    QCOMPARE(responder.unexpected, 0);
    QVERIFY(!window.isWindowModified());
}

void TestEditing::editSelectedText()
{
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    TextItem *text = addText(window, responder);
    QVERIFY(text);
    setClean(window);

    responder.expect([](QWidget *modal) {
        auto *edit = modal->findChild<QPlainTextEdit *>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, "Edited");
        modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    windowAction(&window, "Edit Selected Item...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(text->toPlainText(), QString("Edited"));
    QVERIFY(window.isWindowModified());

    setClean(window);
    responder.expect(ModalResponder::reject());
    windowAction(&window, "Edit Selected Item...")->trigger();
    QCOMPARE(text->toPlainText(), QString("Edited"));
    QVERIFY(!window.isWindowModified());
}

void TestEditing::editSelectedQRCode()
{
    MainWindow window;
    startWindow(window);
    QRCodeItem *code = addQRCode(window, QPointF(80, 60));
    setClean(window);
    ModalResponder responder;
    responder.expect([](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->textValue(), QString("{%code%}"));
        dialog->setTextValue("HELLO");
        dialog->accept();
    });
    windowAction(&window, "Edit Selected Item...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(code->plainText(), QString("HELLO"));
    QVERIFY(window.isWindowModified());
}

TAGFORGE_TEST_MAIN(TestEditing)
#include "tst_editing.moc"
