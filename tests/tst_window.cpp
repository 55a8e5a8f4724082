// What only the main window and its parts do: prompts, titles, enabling,
// panels bound to the selection, undo and the dialogs.

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
        auto *brushCombo = window.findChild<BrushWidget *>()->findChild<QComboBox *>();
        auto *penWidth = window.findChild<PenWidget *>()->findChild<QSpinBox *>();
        // The odd box shown: Dense #7 has no entry, width 25 is beyond the largest.
        QVERIFY(numbers.at(0)->value() == 20 && brushCombo->currentText().isEmpty() && penWidth->value() == 20);
        selectOnly(&window, {odd, plain, code});
        brushCombo->setCurrentIndex(brushCombo->findText("Solid"));
        penWidth->setValue(5);
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
        QTest::newRow("send to back") << "code" << "Send to Back" << "Undo Send to Back";
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
        // Aligned left, the two items' left edges meet.
        QVERIFY(gesture != "Left" || box->sceneBoundingRect().left() == items["code"]->sceneBoundingRect().left());
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
        // Opened from the file dialog, a label is the one named and saved to.
        windowAction(window, "New")->trigger();
        f.responder().expect(ModalResponder::choosePath(kept));
        windowAction(window, "Open...")->trigger();
        QCOMPARE(window->windowTitle(), Title.arg("kept.qlt"));
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
        QTest::newRow("zero") << "en_US" << "millimeter" << "0" << range << 0.0;
        QTest::newRow("letters") << "en_US" << "millimeter" << "abc" << "\"abc\" is not a number." << 0.0;
        QTest::newRow("above a metre in inches") << "en_US" << "inch" << "40"
                                                 << "Enter a size from 0.0393701 in to 39.3701 in." << 0.0;
        QTest::newRow("comma in German") << "de_DE" << "millimeter" << "50,8" << "" << 50.8;
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

    // The menu checks the language in use and stores the one chosen, saying in
    // both languages that it takes effect at the next start.
    void languageMenu()
    {
        // A new user's window in Chinese, as start-up installs it.
        QTranslator translator;
        QVERIFY(Translations::load(&translator, "zh_CN"));
        QCoreApplication::installTranslator(&translator);
        QMainWindow window;
        auto *menu = new LanguageMenu(&window);
        QCOMPARE(menu->title(), QString("语言 (Language)"));
        QString checked;
        QAction *german = nullptr;
        for (QAction *action : menu->actions()) {
            checked += action->isChecked() ? action->text() : QString();
            german = action->text() == "Deutsch" ? action : german;
        }
        QCOMPARE(checked, QString("简体中文"));
        german->trigger();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(QSettings().value("Ui/Language").toLocale().name(), QString("de_DE"));
        QCOMPARE(statusMessage(&window), QString("语言将在下次启动时更改。  Die Sprache wechselt beim nächsten Start."));
    }

private:
    WindowFixture f;
};

TAGFORGE_TEST_MAIN(TestWindow)
#include "tst_window.moc"
