// Undo and redo of the label's changes through the real window, and the
// editing commands around them: select all, exact position, stacking order.

#include "testsupport.h"
#include "windowdriver.h"

#include "document/itementries.h"
#include "panels/transformwidget.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QUndoStack>

namespace {

QByteArray entries(QWidget *window)
{
    return ItemEntries::write(labelItems(window), QDataStream::Qt_DefaultCompiledVersion);
}

QAction *shortcutAction(QWidget *window, QKeySequence::StandardKey key)
{
    const QList<QAction *> actions = window->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->shortcuts().contains(QKeySequence(key)))
            return action;
    }
    qFatal("no action for the shortcut");
    return nullptr;
}

void drag(MainWindow &window, QGraphicsItem *item, const QPoint &by)
{
    GraphicsView *view = windowView(&window);
    QWidget *viewport = view->viewport();
    QPoint at = view->mapFromScene(item->sceneBoundingRect().center());
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 4; ++i) {
        at += by / 4;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void undoRedoEachChange_data();
    void undoRedoEachChange();
    void modifiedFollowsHistory();
    void alignmentUndone();
    void newAndOpenClearHistory();
    void selectAllWithGridShown();
    void stackingOrderSurvivesSaveAndOpen();
    void positionOfSeveralItems();
    void openRecentWithDeletedFile();
};

void TestHistory::init()
{
    clearSettings();
    QGuiApplication::clipboard()->clear();
}

enum Change { Drag, ShiftKeys, PanelAngle, TextDialog, QRDialog, Cut, Paste, AddBox, ClearTransforms };

void TestHistory::undoRedoEachChange_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("drag") << int(Drag) << "Undo Move";
    QTest::newRow("shift+arrow resize") << int(ShiftKeys) << "Undo Resize";
    QTest::newRow("panel angle, two items") << int(PanelAngle) << "Undo Geometry";
    QTest::newRow("text dialog") << int(TextDialog) << "Undo Edit";
    QTest::newRow("QR content dialog") << int(QRDialog) << "Undo Edit";
    QTest::newRow("cut") << int(Cut) << "Undo Cut";
    QTest::newRow("paste") << int(Paste) << "Undo Paste";
    QTest::newRow("add box") << int(AddBox) << "Undo Add Box";
    QTest::newRow("clear transformations") << int(ClearTransforms) << "Undo Clear Transformations";
}

void TestHistory::undoRedoEachChange()
{
    QFETCH(int, change);
    QFETCH(QString, undoText);
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    TextItem *text = addText(window, responder);
    QRCodeItem *code = addQRCode(window, QPointF(200, 60));
    BoxItem *box = addBox(window, QPointF(120, 150));
    box->setAngle(30);
    windowAction(&window, "&Copy")->trigger();
    QCoreApplication::processEvents();
    auto *stack = window.findChild<QUndoStack *>();
    const int steps = stack->index();
    const QByteArray before = entries(&window);

    switch (change) {
    case Drag:
        drag(window, box, QPoint(40, 20));
        break;
    case ShiftKeys:
        QTest::keyClick(windowView(&window)->viewport(), Qt::Key_Right, Qt::ShiftModifier);
        break;
    case PanelAngle:
        selectOnly(&window, {box, code});
        window.findChild<TransformWidget *>()->findChild<QDoubleSpinBox *>()->setValue(90);
        break;
    case TextDialog:
        selectOnly(&window, {text});
        responder.expect([](QWidget *modal) {
            modal->findChild<QPlainTextEdit *>()->setPlainText("changed");
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        windowAction(&window, "Edit Selected Item...")->trigger();
        break;
    case QRDialog:
        selectOnly(&window, {code});
        responder.expect([](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            QVERIFY(dialog);
            dialog->setTextValue("https://example.org");
            dialog->accept();
        });
        windowAction(&window, "Edit Selected Item...")->trigger();
        break;
    case Cut:
        windowAction(&window, "Cu&t")->trigger();
        break;
    case Paste:
        windowAction(&window, "&Paste")->trigger();
        break;
    case AddBox:
        addBox(window);
        break;
    case ClearTransforms:
        windowAction(&window, "Clear Transformations")->trigger();
        break;
    }
    QCoreApplication::processEvents();
    const QByteArray after = entries(&window);
    QVERIFY(after != before);
    // One gesture, one step.
    QCOMPARE(stack->index(), steps + 1);
    QAction *undo = shortcutAction(&window, QKeySequence::Undo);
    QCOMPARE(undo->text(), undoText);

    undo->trigger();
    QCOMPARE(entries(&window), before);
    shortcutAction(&window, QKeySequence::Redo)->trigger();
    QCOMPARE(entries(&window), after);
    QCOMPARE(responder.unexpected, 0);
}

void TestHistory::modifiedFollowsHistory()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    const QString path = QDir::home().filePath("history.qlt");
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    QVERIFY(invokeBool(&window, "fileSaveAs"));
    QVERIFY(!window.isWindowModified());

    BoxItem *box = labelItemsOf<BoxItem>(&window).first();
    drag(window, box, QPoint(20, 0));
    QCoreApplication::processEvents();
    QVERIFY(window.isWindowModified());
    QAction *undo = shortcutAction(&window, QKeySequence::Undo);
    QAction *redo = shortcutAction(&window, QKeySequence::Redo);
    undo->trigger();
    QVERIFY(!window.isWindowModified());
    QVERIFY(!windowAction(&window, "Save")->isEnabled());
    redo->trigger();
    QVERIFY(window.isWindowModified());
    undo->trigger();
    // Undone past the saved state, the label differs from the file again.
    undo->trigger();
    QVERIFY(window.isWindowModified());
}

void TestHistory::alignmentUndone()
{
    MainWindow window;
    window.setAlignmentDuration(50);
    startWindow(window);
    BoxItem *first = addBox(window, QPointF(55, 100));
    BoxItem *second = addBox(window, QPointF(120, 180));
    selectOnly(&window, {first, second});
    QCoreApplication::processEvents();
    const QByteArray before = entries(&window);
    windowAction(&window, "Left")->trigger();
    QAction *undo = shortcutAction(&window, QKeySequence::Undo);
    QTRY_COMPARE(undo->text(), QString("Undo Align"));
    QVERIFY(entries(&window) != before);
    undo->trigger();
    QCOMPARE(entries(&window), before);
    QCOMPARE(windowScene(&window)->selectedItems().size(), 2);
}

void TestHistory::newAndOpenClearHistory()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    const QString path = QDir::home().filePath("cleared.qlt");
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    QVERIFY(invokeBool(&window, "fileSaveAs"));
    QAction *undo = shortcutAction(&window, QKeySequence::Undo);
    QVERIFY(undo->isEnabled());

    invoke(&window, "fileNew");
    QVERIFY(!undo->isEnabled());
    addBox(window);
    QVERIFY(undo->isEnabled());
    responder.expect(ModalResponder::answer(QMessageBox::Discard));
    responder.expect(ModalResponder::choosePath(path));
    invoke(&window, "fileOpen");
    QCOMPARE(labelItems(&window).size(), 1);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!window.isWindowModified());
}

void TestHistory::selectAllWithGridShown()
{
    MainWindow window;
    startWindow(window);
    QAction *grid = windowAction(&window, "Show Grid");
    if (!grid->isChecked())
        grid->trigger();
    addBox(window, QPointF(100, 100));
    addQRCode(window, QPointF(200, 100));
    windowScene(&window)->clearSelection();
    shortcutAction(&window, QKeySequence::SelectAll)->trigger();
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    QCOMPARE(selected.size(), 2);
    for (QGraphicsItem *item : selected)
        QVERIFY(ItemEntries::isLabelItem(item));
    QVERIFY(gridGroup(&window)->isVisible());
}

void TestHistory::stackingOrderSurvivesSaveAndOpen()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(100, 100));
    addQRCode(window, QPointF(110, 110));
    addBox(window, QPointF(120, 120));
    const QList<QGraphicsItem *> before = labelItems(&window);
    selectOnly(&window, {before.at(2)});
    windowAction(&window, "Bring to Front")->trigger();
    selectOnly(&window, {before.at(0)});
    windowAction(&window, "Send to Back")->trigger();
    const QList<QGraphicsItem *> expected{before.at(2), before.at(1), before.at(0)};
    QCOMPARE(labelItems(&window), expected);
    const QByteArray stacked = entries(&window);

    const QString path = QDir::home().filePath("stacked.qlt");
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    QVERIFY(invokeBool(&window, "fileSaveAs"));
    invoke(&window, "fileNew");
    responder.expect(ModalResponder::choosePath(path));
    invoke(&window, "fileOpen");
    QCOMPARE(entries(&window), stacked);
    QCOMPARE(labelItems(&window).first()->type(), int(BoxItem::Type));
    QCOMPARE(labelItems(&window).at(1)->type(), int(QRCodeItem::Type));
}

void TestHistory::positionOfSeveralItems()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(100, 100));
    QRCodeItem *code = addQRCode(window, QPointF(150, 80));
    // The topmost selected item is the one shown.
    selectOnly(&window, {box, code});
    auto *panel = window.findChild<TransformWidget *>();
    const QList<QDoubleSpinBox *> spinBoxes = panel->findChildren<QDoubleSpinBox *>();
    QCOMPARE(spinBoxes.size(), 3);
    QDoubleSpinBox *x = spinBoxes.at(1);
    QDoubleSpinBox *y = spinBoxes.at(2);
    QCOMPARE(x->value(), 150.0);
    QCOMPARE(y->value(), 80.0);
    QCoreApplication::processEvents();
    auto *stack = window.findChild<QUndoStack *>();
    const int steps = stack->index();

    x->setValue(160);
    QCOMPARE(code->pos(), QPointF(160, 80));
    QCOMPARE(box->pos(), QPointF(110, 100));
    QCoreApplication::processEvents();
    y->setValue(70.5);
    QCOMPARE(code->pos(), QPointF(160, 70.5));
    QCOMPARE(box->pos(), QPointF(110, 90.5));
    QCoreApplication::processEvents();
    QCOMPARE(stack->index(), steps + 2);

    drag(window, box, QPoint(20, 0));
    QCoreApplication::processEvents();
    QVERIFY(qAbs(x->value() - code->pos().x()) < 0.051);
}

void TestHistory::openRecentWithDeletedFile()
{
    const QString kept = QDir::home().filePath("kept.qlt");
    const QString gone = QDir::home().filePath("gone.qlt");
    {
        MainWindow window;
        startWindow(window);
        addBox(window, QPointF(100, 100));
        ModalResponder responder;
        responder.expect(ModalResponder::choosePath(kept));
        QVERIFY(invokeBool(&window, "fileSaveAs"));
        responder.expect(ModalResponder::choosePath(gone));
        QVERIFY(invokeBool(&window, "fileSaveAs"));
        window.close();
    }
    QCOMPARE(QSettings().value("Ui/RecentFiles").toStringList(), (QStringList{gone, kept}));
    QCOMPARE(QSettings().value("Ui/MostRecentFile").toString(), gone);
    QVERIFY(QFile::remove(gone));

    MainWindow window;
    startWindow(window);
    QMenu *menu = nullptr;
    for (QMenu *candidate : window.findChildren<QMenu *>()) {
        if (candidate->title() == "Open Recent")
            menu = candidate;
    }
    QVERIFY(menu);
    QList<QAction *> entries = menu->actions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries.at(0)->text(), QString("gone.qlt"));
    ModalResponder responder;
    entries.at(0)->trigger();
    QCOMPARE(responder.messages.size(), 1);
    QVERIFY(labelItems(&window).isEmpty());
    QCOMPARE(QSettings().value("Ui/RecentFiles").toStringList(), QStringList{kept});
    entries = menu->actions();
    QCOMPARE(entries.size(), 3);
    entries.at(0)->trigger();
    QCOMPARE(labelItems(&window).size(), 1);
    QCOMPARE(window.windowFilePath(), kept);

    menu->actions().last()->trigger();
    QVERIFY(QSettings().value("Ui/RecentFiles").toStringList().isEmpty());
    QVERIFY(!menu->isEnabled());
}

TAGFORGE_TEST_MAIN(TestHistory)
#include "tst_history.moc"
