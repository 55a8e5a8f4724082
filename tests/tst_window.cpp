// What only the main window and its parts do, and the program started from a
// shell in its languages.

#include "pdfprinter.h"
#include "windowdriver.h"

#include "app/translations.h"
#include "dialogs/printersetting.h"
#include "mainwindow/languagemenu.h"
#include "panels/brushwidget.h"
#include "panels/penwidget.h"
#include "panels/transformwidget.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTranslator>

namespace {
QAction *byShortcut(QWidget *window, QKeySequence::StandardKey key)
{
    const QList<QAction *> actions = window->findChildren<QAction *>();
    return *std::find_if(actions.cbegin(), actions.cend(),
                         [key](QAction *action) { return action->shortcuts().contains(QKeySequence(key)); });
}

void drag(MainWindow &window, QGraphicsItem *item, const QPoint &by, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *viewport = windowView(&window)->viewport();
    const QPoint from = windowView(&window)->mapFromScene(item->sceneBoundingRect().center());
    QTest::mousePress(viewport, Qt::LeftButton, modifiers, from);
    // QTest::mouseMove would move the cursor without the button held.
    for (const QPoint &to : {from + by / 2, from + by}) {
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, from + by);
    // The change is recorded from the event loop.
    QCoreApplication::processEvents();
}

// Types into a text's or QR code's dialog, which shows the item's text.
ModalResponder::Handler editText(const QString &text, bool accept = true)
{
    return [text, accept](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            QCOMPARE(input->textValue(), QString("{%code%}"));
            input->setTextValue(text);
        } else {
            modal->findChild<QPlainTextEdit *>()->selectAll();
            QTest::keyClicks(modal->findChild<QPlainTextEdit *>(), text);
        }
        const auto button = accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
        modal->findChild<QDialogButtonBox *>()->button(button)->click();
    };
}

QByteArray entries(const QList<QGraphicsItem *> &items)
{
    return ItemEntries::write(items, QDataStream::Qt_DefaultCompiledVersion);
}

const QString Title = QStringLiteral("Quillet - V1.0.1.2 (%1)");
} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        clearSettings();
        QGuiApplication::clipboard()->clear();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup() { f.finish(); }

    void enabling_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("enabled");
        // s Save; a Save As, Export, Print, Preview, Select All; e Edit Selected
        // Item; c Copy, Cut, Clear Transformations, stacking; l Alignment; v Paste;
        // t, b, p the geometry, brush and pen panels.
        QTest::newRow("new label") << "" << "";
        QTest::newRow("formatted text alone on the clipboard") << "html" << "v";
        QTest::newRow("one box") << "box" << "saectbp";
        QTest::newRow("one text") << "text" << "saec";
        QTest::newRow("one QR code") << "qr" << "saect";
        QTest::newRow("QR code and box") << "qr box" << "salctbp";
        QTest::newRow("nothing selected") << "box qr -" << "sa";
    }

    void enabling()
    {
        QFETCH(QString, content);
        QFETCH(QString, enabled);
        MainWindow &window = f.start();
        QList<QGraphicsItem *> added;
        for (const QString &kind : content.split(' ', Qt::SkipEmptyParts)) {
            if (kind == "box")
                added << addBox(window, QPointF(60 + 30 * added.size(), 60));
            else if (kind == "qr")
                added << addQRCode(window, QPointF(60, 150));
            else if (kind == "text")
                added << addText(window, f.responder());
            else if (kind == "-")
                added.clear();
        }
        if (content == "html") {
            auto *mime = new QMimeData;
            mime->setHtml("<b>x</b>");
            QGuiApplication::clipboard()->setMimeData(mime);
        }
        selectOnly(&window, added);
        const QList<QPair<const char *, char>> actions{
            {"Save", 's'}, {"Save As...", 'a'}, {"Export...", 'a'}, {"Print", 'a'}, {"Print Series...", 'a'},
            {"Print Preview...", 'a'}, {"Select All", 'a'}, {"Edit Selected Item...", 'e'}, {"&Copy", 'c'},
            {"Cu&t", 'c'}, {"Clear Transformations", 'c'}, {"Bring to Front", 'c'}, {"Send to Back", 'c'},
            {"Alignment", 'l'}, {"&Paste", 'v'}, {"Add Box", 0}, {"Page Size...", 0}};
        for (const auto &[name, group] : actions)
            QVERIFY2(windowAction(&window, name)->isEnabled() == (!group || enabled.contains(group)), name);
        QCOMPARE(window.findChild<TransformWidget *>()->isEnabled(), enabled.contains('t'));
        QCOMPARE(window.findChild<BrushWidget *>()->isEnabled(), enabled.contains('b'));
        QCOMPARE(window.findChild<PenWidget *>()->isEnabled(), enabled.contains('p'));
    }

    // Zoomed out, new items start whole on the page in a diagonal series, also
    // with the cursor past the page.
    void newItemsOnPage()
    {
        MainWindow &window = f.start();
        window.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        windowAction(&window, "New")->trigger();
        parkCursor(&window);
        for (int i = 0; i < 3; ++i)
            windowAction(&window, "Zoom Out")->trigger();
        GraphicsView *view = windowView(&window);
        const QRectF page = windowScene(&window)->sceneRect();
        QVERIFY(!page.contains(view->mapToScene(QPoint(10, 10))));
        QList<QPointF> corners;
        for (int i = 0; i < 8; ++i) {
            if (i == 6)
                QCursor::setPos(view->viewport()->mapToGlobal(view->mapFromScene(page.bottomRight() + QPointF(9, 9))));
            QGraphicsItem *item = i % 2 ? static_cast<QGraphicsItem *>(addQRCode(window)) : addBox(window);
            // Both draw half a pixel past their rectangles.
            const QRectF placed = item->sceneBoundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
            corners << placed.topLeft();
            QVERIFY2(page.contains(placed), qPrintable(QString("item %1 at %2").arg(i).arg(placed.x())));
        }
        // Equal steps, but for rounding to whole units, boxes and codes alike.
        for (int i = 2; i < 6; ++i) {
            const QPointF step = corners.at(i) - corners.at(i - 2);
            QVERIFY(step.x() > 0 && step.x() == step.y());
            QVERIFY(qAbs(step.x() - (corners.at(2) - corners.at(0)).x()) <= 1);
        }
    }

    // Selecting writes nothing back; a panel edit reaches exactly the selected
    // items, and only the field edited.
    void panelsFollowSelection()
    {
        MainWindow &window = f.start();
        BoxItem *odd = addBox(window, QPointF(80, 60));
        QPen pen(Qt::red, 25, Qt::CustomDashLine);
        pen.setDashPattern({3.0, 2.0, 1.0, 2.0});
        odd->setPen(pen);
        odd->setBrush(QBrush(Qt::darkGreen, Qt::Dense7Pattern));
        odd->setAngle(20);
        BoxItem *plain = addBox(window, QPointF(80, 180));
        QRCodeItem *code = addQRCode(window, QPointF(200, 60));
        BoxItem *other = addBox(window, QPointF(200, 220));
        const QByteArray before = entries({odd, plain, code}), otherBefore = entries({other});
        setClean(window);
        for (QGraphicsItem *item : QList<QGraphicsItem *>{odd, plain, code, odd}) {
            drag(window, item, QPoint());
            QCOMPARE(windowScene(&window)->selectedItems(), QList<QGraphicsItem *>{item});
        }
        QVERIFY(!window.isWindowModified());
        QCOMPARE(entries({odd, plain, code}), before);
        auto *transform = window.findChild<TransformWidget *>();
        const QList<QDoubleSpinBox *> numbers = transform->findChildren<QDoubleSpinBox *>();
        QCOMPARE(numbers.at(0)->value(), 20.0);
        selectOnly(&window, {odd, plain, code});
        auto *brushCombo = window.findChild<BrushWidget *>()->findChild<QComboBox *>();
        brushCombo->setCurrentIndex(brushCombo->findText("Solid"));
        window.findChild<PenWidget *>()->findChild<QSpinBox *>()->setValue(5);
        numbers.at(0)->setValue(45);
        transform->findChildren<QSpinBox *>().at(0)->setValue(120);
        for (BoxItem *box : {odd, plain}) {
            QCOMPARE(box->brush().style(), Qt::SolidPattern);
            QCOMPARE(box->pen().width(), 5);
            QCOMPARE(QSize(box->shearHorizontal(), box->shearVertical()), QSize(120, 30));
        }
        QCOMPARE(QSize(code->shearHorizontal(), code->shearVertical()), QSize(120, 50));
        QCOMPARE(QList<double>({odd->angle(), plain->angle(), code->angle()}), QList<double>({45, 45, 45}));
        // The position shown is the topmost selected item's; all selected move.
        QCOMPARE(numbers.at(1)->value(), 200.0);
        const QPointF plainAt = plain->pos();
        numbers.at(1)->setValue(210);
        QCOMPARE(code->pos(), QPointF(210, 60));
        QCOMPARE(plain->pos(), plainAt + QPointF(10, 0));
        QCOMPARE(entries({other}), otherBefore);
        QVERIFY(window.isWindowModified());
    }

    // A box resized by mouse, then keys, shows its size in the panel. Keys
    // change the rectangle, not the position: Shift moves its bottom-right
    // corner, Control all of it, an arrow alone nothing.
    void panelFollowsResize()
    {
        MainWindow &window = f.start();
        BoxItem *box = addBox(window, QPointF(100, 100));
        addBox(window, QPointF(200, 200));
        drag(window, box, QPoint());
        QCOMPARE(windowScene(&window)->selectedItems(), QList<QGraphicsItem *>{box});
        const QList<QSpinBox *> sizes = window.findChild<TransformWidget *>()->findChildren<QSpinBox *>();
        const auto shown = [&sizes] { return QSize(sizes.at(0)->value(), sizes.at(1)->value()); };
        QCOMPARE(shown(), QSize(90, 30));
        GraphicsView *view = windowView(&window);
        const QPoint at = view->mapFromScene(box->scenePos());
        drag(window, box, view->mapFromScene(box->scenePos() + QPointF(60, 0)) - at, Qt::ShiftModifier);
        QVERIFY2(qAbs(box->shearHorizontal() - 150) <= 2, qPrintable(QString::number(box->shearHorizontal())));
        QCOMPARE(shown(), QSize(box->shearHorizontal(), box->shearVertical()));
        const QRectF dragged = box->rect();
        const QPointF pos = box->pos();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
            QTest::keyClick(view, key, Qt::ShiftModifier);
        QTest::keyClick(view, Qt::Key_Left, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(box->rect(), dragged.adjusted(-1, 0, 1, 1));
        QCOMPARE(box->pos(), pos);
        const int width = box->shearHorizontal();
        QCOMPARE(shown(), QSize(width, box->shearVertical()));
        sizes.at(1)->selectAll();
        QTest::keyClicks(sizes.at(1), "40");
        QCOMPARE(QSize(box->shearHorizontal(), box->shearVertical()), QSize(width, 40));
        QCOMPARE(sizes.at(0)->value(), width);
    }

    void undoRedo_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("undoText");
        // The box is selected unless named otherwise; gestures are actions or
        // drag, shift (Shift+Right) and panel (the angle field).
        QTest::newRow("drag") << "" << "drag" << "Undo Move";
        QTest::newRow("shift+arrow resize") << "" << "shift" << "Undo Resize";
        QTest::newRow("panel angle, two items") << "box code" << "panel" << "Undo Geometry";
        QTest::newRow("text dialog") << "text" << "Edit Selected Item..." << "Undo Edit";
        QTest::newRow("QR code dialog") << "code" << "Edit Selected Item..." << "Undo Edit";
        QTest::newRow("text dialog cancelled: no step") << "text" << "Edit Selected Item..." << "";
        QTest::newRow("box: no dialog, no step") << "" << "Edit Selected Item..." << "";
        QTest::newRow("cut") << "" << "Cu&t" << "Undo Cut";
        QTest::newRow("paste") << "" << "&Paste" << "Undo Paste";
        QTest::newRow("add box") << "" << "Add Box" << "Undo Add Box";
        QTest::newRow("clear transformations") << "" << "Clear Transformations" << "Undo Clear Transformations";
        QTest::newRow("align") << "box code" << "Left" << "Undo Align";
        QTest::newRow("bring to front") << "text" << "Bring to Front" << "Undo Bring to Front";
    }

    // Each gesture is one step; a cancelled dialog, or none, is none.
    void undoRedo()
    {
        QFETCH(QString, select);
        QFETCH(QString, gesture);
        QFETCH(QString, undoText);
        MainWindow &window = f.start();
        QMap<QString, QGraphicsItem *> items{{"text", addText(window, f.responder())},
                                             {"code", addQRCode(window, QPointF(200, 60))}};
        BoxItem *box = addBox(window, QPointF(120, 150));
        items["box"] = box;
        box->setAngle(30);
        windowAction(&window, "&Copy")->trigger();
        QCoreApplication::processEvents();
        setClean(window);
        const QByteArray before = entries(labelItems(&window));
        if (!select.isEmpty()) {
            QList<QGraphicsItem *> chosen;
            for (const QString &name : select.split(' '))
                chosen << items.value(name);
            selectOnly(&window, chosen);
        }
        if (gesture == "drag")
            drag(window, box, QPoint(40, 20));
        else if (gesture == "shift")
            QTest::keyClick(windowView(&window)->viewport(), Qt::Key_Right, Qt::ShiftModifier);
        else if (gesture == "panel")
            window.findChild<TransformWidget *>()->findChild<QDoubleSpinBox *>()->setValue(90);
        else {
            if (gesture.startsWith("Edit") && !select.isEmpty())
                f.responder().expect(editText("changed", !undoText.isEmpty()));
            windowAction(&window, gesture)->trigger();
        }
        if (undoText.isEmpty()) {
            QCoreApplication::processEvents();
            QVERIFY(entries(labelItems(&window)) == before && !window.isWindowModified());
            QCOMPARE(f.responder().pending(), 0);
            return;
        }
        QAction *undo = byShortcut(&window, QKeySequence::Undo);
        QTRY_COMPARE(undo->text(), undoText);
        const QByteArray after = entries(labelItems(&window));
        QVERIFY(after != before);
        const int selected = windowScene(&window)->selectedItems().size();
        undo->trigger();
        QCOMPARE(entries(labelItems(&window)), before);
        byShortcut(&window, QKeySequence::Redo)->trigger();
        QCOMPARE(entries(labelItems(&window)), after);
        QCOMPARE(windowScene(&window)->selectedItems().size(), selected);
    }

    // The modified flag follows the history, which New and opening restart.
    // Open Recent lists saved files, newest first; a file gone leaves the list.
    void titleHistoryAndRecentFiles()
    {
        MainWindow *window = &f.start();
        QCOMPARE(window->windowTitle(), Title.arg("Unnamed"));
        addBox(*window, QPointF(100, 100));
        QVERIFY(window->isWindowModified());
        const QString kept = QDir::home().filePath("kept.qlt");
        const QString gone = QDir::home().filePath("gone.qlt");
        for (const QString &path : {gone, kept}) {
            f.responder().expect(ModalResponder::choosePath(path));
            windowAction(window, "Save As...")->trigger();
        }
        QCOMPARE(window->windowTitle(), Title.arg("kept.qlt"));
        QVERIFY(!window->isWindowModified() && !windowAction(window, "Save")->isEnabled());
        drag(*window, labelItems(window).first(), QPoint(20, 0));
        QVERIFY(window->isWindowModified() && windowAction(window, "Save")->isEnabled());
        QAction *undo = byShortcut(window, QKeySequence::Undo);
        undo->trigger();
        QVERIFY(!window->isWindowModified());
        // Undone past the saved state, the label differs from the file again.
        undo->trigger();
        QVERIFY(window->isWindowModified());
        f.responder().expect(ModalResponder::answer(QMessageBox::Discard));
        windowAction(window, "New")->trigger();
        QCOMPARE(window->windowTitle(), Title.arg("Unnamed"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(QFile::remove(gone));
        window = &f.start();
        QMenu *menu = nullptr;
        for (QMenu *candidate : window->findChildren<QMenu *>())
            menu = candidate->title() == "Open Recent" ? candidate : menu;
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"kept.qlt", "gone.qlt", "", "Clear List"}));
        f.responder().expect(ModalResponder::answer(QMessageBox::Ok));
        menu->actions().at(1)->trigger();
        QCOMPARE(f.responder().pending(), 0);
        QCOMPARE(window->windowTitle(), Title.arg("Unnamed"));
        QCOMPARE(menu->actions().size(), 3);
        addBox(*window);
        f.responder().expect(ModalResponder::answer(QMessageBox::Discard));
        menu->actions().first()->trigger();
        QCOMPARE(labelItems(window).size(), 1);
        QVERIFY(!window->isWindowModified() && !byShortcut(window, QKeySequence::Undo)->isEnabled());
        QCOMPARE(window->windowTitle(), Title.arg("kept.qlt"));
        menu->actions().last()->trigger();
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(!menu->isEnabled());
    }

    void unsavedChangesPrompt_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("named");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("proceeds");
        QTest::newRow("New, save") << "New" << true << int(QMessageBox::Save) << true;
        QTest::newRow("New, cancel") << "New" << true << int(QMessageBox::Cancel) << false;
        QTest::newRow("New, save as not replacing") << "New" << false << int(QMessageBox::Save) << false;
        QTest::newRow("Open, cancel") << "Open..." << true << int(QMessageBox::Cancel) << false;
        QTest::newRow("Quit, cancel") << "Quit" << true << int(QMessageBox::Cancel) << false;
        QTest::newRow("Quit, discard") << "Quit" << true << int(QMessageBox::Discard) << true;
    }

    void unsavedChangesPrompt()
    {
        QFETCH(QString, command);
        QFETCH(bool, named);
        QFETCH(int, answer);
        QFETCH(bool, proceeds);
        const QString path = QDir::home().filePath("prompt.qlt");
        QVERIFY(writeFile(path, "old label"));
        MainWindow &window = f.start();
        addBox(window, QPointF(60, 60));
        if (named) {
            window.setWindowFilePath(path);
            windowAction(&window, "Save")->trigger();
        }
        const QByteArray saved = readAll(path);
        addBox(window, QPointF(160, 160));
        f.responder().expect(ModalResponder::answer(QMessageBox::StandardButton(answer)));
        if (!named) {
            // Save As asks before replacing a file, also one named without its suffix.
            f.responder().expect([](QWidget *modal) {
                auto *edit = modal->findChild<QLineEdit *>("fileNameEdit");
                edit->setText(QDir::home().filePath("prompt"));
                QTest::keyClick(edit, Qt::Key_Return);
                static_cast<QDialog *>(modal)->reject();
            });
            f.responder().expect(ModalResponder::answer(QMessageBox::No));
        }
        windowAction(&window, command)->trigger();
        QCOMPARE(f.responder().pending(), 0);
        QCOMPARE(f.responder().messages.first(), "Save unsaved changes?");
        QVERIFY(named || f.responder().messages.value(1).contains("prompt.qlt"));
        if (command == "Quit")
            QCOMPARE(window.isVisible(), !proceeds);
        else
            QCOMPARE(labelItems(&window).size(), proceeds ? 0 : 2);
        QVERIFY(proceeds || window.isWindowModified());
        QCOMPARE(readAll(path) == saved, answer != QMessageBox::Save || !named);
    }

    void align_data()
    {
        QTest::addColumn<QString>("edge");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("angle");
        QTest::newRow("left") << "Left" << QSize(90, 30) << 0.0;
        QTest::newRow("right, different widths") << "Right" << QSize(140, 30) << 0.0;
        QTest::newRow("bottom, different heights") << "Bottom" << QSize(90, 70) << 0.0;
        QTest::newRow("top") << "Top" << QSize(60, 50) << 0.0;
        QTest::newRow("left, rotated: by its bounds") << "Left" << QSize(90, 30) << 45.0;
    }

    // Items move along one axis until their edges meet the outermost one, which
    // stays put; the Alignment button then repeats the last choice.
    void align()
    {
        QFETCH(QString, edge);
        QFETCH(QSize, size);
        QFETCH(double, angle);
        MainWindow &window = f.start();
        BoxItem *first = addBox(window, QPointF(55, 100));
        BoxItem *second = addBox(window, QPointF(150, 180));
        second->setShear(size.width(), size.height());
        second->setAngle(angle);
        const bool towardsOrigin = edge == "Left" || edge == "Top";
        BoxItem *moved = towardsOrigin ? second : first;
        const QPointF start = moved->pos();
        const QPointF outermost = (towardsOrigin ? first : second)->pos();
        selectOnly(&window, {first, second});
        setClean(window);
        const auto coordinate = [&edge](QGraphicsItem *item) {
            const QRectF r = item->sceneBoundingRect();
            return edge == "Left" ? r.left() : edge == "Right" ? r.right() : edge == "Top" ? r.top() : r.bottom();
        };
        windowAction(&window, edge)->trigger();
        QVERIFY(window.isWindowModified());
        QTRY_VERIFY(qAbs(coordinate(first) - coordinate(second)) < 1e-9);
        QTest::qWait(60);
        QVERIFY(qAbs(coordinate(first) - coordinate(second)) < 1e-9);
        QCOMPARE((towardsOrigin ? first : second)->pos(), outermost);
        const QPointF aligned = moved->pos();
        QCOMPARE(edge == "Left" || edge == "Right" ? aligned.y() : aligned.x(),
                 edge == "Left" || edge == "Right" ? start.y() : start.x());
        moved->setPos(start);
        windowAction(&window, "Alignment")->trigger();
        QTRY_COMPARE(moved->pos(), aligned);
    }

    // Items cut, or dropped by New, while they move stop moving; the others
    // still arrive and still answer the panels.
    void itemsDeletedWhileAligning()
    {
        MainWindow &window = f.start();
        window.setAlignmentDuration(300);
        BoxItem *first = addBox(window, QPointF(80, 60));
        BoxItem *second = addBox(window, QPointF(180, 120));
        BoxItem *third = addBox(window, QPointF(140, 200));
        selectOnly(&window, {first, second, third});
        windowAction(&window, "Left")->trigger();
        QTest::qWait(100);
        selectOnly(&window, {second});
        windowAction(&window, "Cu&t")->trigger();
        QTRY_COMPARE(third->pos(), QPointF(80, 200));
        selectOnly(&window, {third});
        window.findChild<PenWidget *>()->findChild<QSpinBox *>()->setValue(4);
        QCOMPARE(first->pen().width(), 1);
        selectOnly(&window, {first, third});
        windowAction(&window, "Right")->trigger();
        QTest::qWait(100);
        f.responder().expect(ModalResponder::answer(QMessageBox::Discard));
        windowAction(&window, "New")->trigger();
        QTest::qWait(300);
        QVERIFY(labelItems(&window).isEmpty());
    }

    // Stacking keeps the selected items' order among themselves, above the
    // grid; a new page size rebuilds the grid and leaves the items alone.
    void stackingOrder()
    {
        MainWindow &window = f.start();
        QGraphicsItem *a = addBox(window, QPointF(100, 60));
        QGraphicsItem *b = addQRCode(window, QPointF(10, 10));
        QGraphicsItem *c = addBox(window, QPointF(120, 20));
        QGraphicsItem *d = addBox(window, QPointF(130, 70));
        setClean(window);
        f.responder().expect([](QWidget *modal) {
            for (const char *field : {"widthLineEdit", "heightLineEdit"}) {
                modal->findChild<QLineEdit *>(field)->selectAll();
                QTest::keyClicks(modal->findChild<QLineEdit *>(field), field[0] == 'w' ? "50" : "30");
            }
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        windowAction(&window, "Page Size...")->trigger();
        QCOMPARE(f.responder().pending(), 0);
        QCOMPARE(gridGroup(&window)->childItems().size(), 7);
        QCOMPARE(a->pos(), QPointF(100, 60));
        QVERIFY(!window.isWindowModified());
        using Items = QList<QGraphicsItem *>;
        for (const auto &step : QList<QPair<QString, Items>>{{"Bring to Front", {a, b}}, {"Send to Back", {d, c}}}) {
            selectOnly(&window, step.second);
            windowAction(&window, step.first)->trigger();
            QCOMPARE(labelItems(&window), (Items{b, a, d, c}));
        }
        selectOnly(&window, {b});
        windowAction(&window, "Send to Back")->trigger();
        QCOMPARE(labelItems(&window), (Items{a, d, c, b}));
        // The grid line x = 36 crosses b, which is drawn over it.
        QCOMPARE(windowScene(&window)->items(QPointF(36, 15)).value(0), b);
        QVERIFY(window.isWindowModified());
        windowAction(&window, "Show Grid")->trigger();
        QVERIFY(!gridGroup(&window)->isVisible());
    }

    void qrCodeReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("angle");
        const QString sentence = QString("the quick brown fox jumps over the lazy dog ").repeated(3);
        const QString v7 = sentence.left(80), v9 = sentence.left(115);
        QTest::newRow("53 modules at 203 dpi") << v9 << QSize(50, 50) << 203 << 0.0;
        // Barely more than two pixels a module: one wider module defeats the reader.
        QTest::newRow("45 modules of 2.07 pixels") << v7 << QSize(93, 93) << 72 << 0.0;
        QTest::newRow("non-square at 203 dpi") << v7 << QSize(80, 50) << 203 << 0.0;
        QTest::newRow("chinese at 300 dpi") << QString::fromUtf8("二维码标签打印测试") << QSize(50, 50) << 300 << 0.0;
        QTest::newRow("quarter turn at 300 dpi") << v9 << QSize(50, 50) << 300 << 90.0;
        QTest::newRow("30 degrees at 300 dpi") << v7 << QSize(50, 50) << 300 << 30.0;
    }

    void qrCodeReads()
    {
        QFETCH(QString, text);
        QFETCH(QSize, size);
        QFETCH(int, dpi);
        QFETCH(double, angle);
        QGraphicsScene scene(0, 0, 200, 200);
        auto *item = new QRCodeItem(QPoint(55, 55), &scene);
        item->setPlainText(text);
        item->setShear(size.width(), size.height());
        item->setAngle(angle);
        scene.clearSelection();
        QImage image(QSize(200, 200) * dpi / 72, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene.render(&painter);
        painter.end();
        const QList<QRgb> pure{0, 0xff000000, 0xffffffff};
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                QVERIFY2(pure.contains(image.pixel(x, y)), "grey pixels between modules");
        }
        QString error;
        QCOMPARE(labelCodes(image, &error), QStringList{text});
    }

    void selectionGate_data()
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
    void selectionGate()
    {
        QFETCH(bool, box);
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QGraphicsScene scene;
        QObject *item = box ? static_cast<QObject *>(new BoxItem(QRect(100, 100, 90, 30), &scene))
                            : new QRCodeItem(QPoint(20, 20), &scene);
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

    void pageSizeDialog_data()
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
    void pageSizeDialog()
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
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(Settings::instance()->printDPI(), 203);
        QCOMPARE(dialog.result(), int(message.isEmpty()));
        if (!message.isEmpty()) {
            QVERIFY(dialog.isVisible() && !QSettings().contains("Printer/PageSizeMM"));
            return;
        }
        QVERIFY(qAbs(Settings::instance()->pageSizeMM().width() - width) < 1e-9);
        QCOMPARE(Settings::instance()->pageSizeMM().height(), 101.6);
        dialog.findChild<QRadioButton *>("inchRadioButton")->click();
        dialog.findChild<QRadioButton *>("millimeterRadioButton")->click();
        QCOMPARE(edit->text(), QString::number(width).replace('.', QLocale().decimalPoint()));
    }

    void languageMenu_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("uiLanguage");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("choose");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QString>("message");
        const QString next = "The language changes at the next start.";
        QTest::newRow("new user: Chinese") << QVariant() << "zh_CN" << "语言 (Language)" << "简体中文" << "English" << "en_US"
                                           << "语言将在下次启动时更改。  " + next;
        QTest::newRow("no translation: English") << QVariant(QLocale("fr_FR")) << "" << "Language" << "English"
                                                 << "Deutsch" << "de_DE"
                                                 << next + "  Die Sprache wechselt beim nächsten Start.";
        QTest::newRow("English to English") << QVariant(QLocale("en_GB")) << "" << "Language" << "English" << "English"
                                            << "en_US" << next;
    }

    // The menu checks the language in use and stores the one chosen, saying in
    // both languages that it takes effect at the next start.
    void languageMenu()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, uiLanguage);
        QFETCH(QString, title);
        QFETCH(QString, checked);
        QFETCH(QString, choose);
        QFETCH(QString, storedName);
        QFETCH(QString, message);
        if (stored.isValid())
            QSettings().setValue("Ui/Language", stored);
        // The window's texts in the stored language, as start-up installs them.
        QTranslator translator;
        QVERIFY(uiLanguage.isEmpty() || Translations::load(&translator, uiLanguage));
        QCoreApplication::installTranslator(&translator);
        QMainWindow window;
        auto *menu = new LanguageMenu(&window);
        QCOMPARE(menu->title(), title);
        QString checkedEntry;
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            checkedEntry += action->isChecked() ? action->text() : QString();
            chosen = action->text() == choose ? action : chosen;
        }
        QCOMPARE(checkedEntry, checked);
        chosen->trigger();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(QSettings().value("Ui/Language").toLocale().name(), storedName);
        QCOMPARE(statusMessage(&window), message);
    }

private:
    WindowFixture f;
};

TAGFORGE_TEST_MAIN(TestWindow)
#include "tst_window.moc"
