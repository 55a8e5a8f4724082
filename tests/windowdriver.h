#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

// Helpers for tests that drive a real main window in-process: finding its
// actions and panels, answering its modal dialogs from a timer, and reading
// its label items.

#include "testsupport.h"

#include "app/settings.h"
#include "document/itementries.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"
#include "mainwindow/graphicsview.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>

inline QAction *windowAction(QWidget *window, const QString &text)
{
    const QList<QAction *> actions = window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    qFatal("no action named %s", qPrintable(text));
    return nullptr;
}

inline QGraphicsScene *windowScene(QWidget *window)
{
    return window->findChild<QGraphicsScene *>();
}

inline GraphicsView *windowView(QWidget *window)
{
    return window->findChild<GraphicsView *>();
}

// The label's items (no grid lines), topmost first.
inline QList<QGraphicsItem *> labelItems(QWidget *window)
{
    QList<QGraphicsItem *> result;
    const QList<QGraphicsItem *> items = windowScene(window)->items(Qt::DescendingOrder);
    for (QGraphicsItem *item : items) {
        if (ItemEntries::isLabelItem(item))
            result << item;
    }
    return result;
}

template <class T> QList<T *> labelItemsOf(QWidget *window)
{
    QList<T *> result;
    const QList<QGraphicsItem *> items = labelItems(window);
    for (QGraphicsItem *item : items) {
        if (T *typed = dynamic_cast<T *>(item))
            result << typed;
    }
    return result;
}

inline QGraphicsItemGroup *gridGroup(QWidget *window)
{
    const QList<QGraphicsItem *> items = windowScene(window)->items();
    for (QGraphicsItem *item : items) {
        if (auto *group = qgraphicsitem_cast<QGraphicsItemGroup *>(item))
            return group;
    }
    return nullptr;
}

inline void selectOnly(QWidget *window, const QList<QGraphicsItem *> &items)
{
    windowScene(window)->clearSelection();
    for (QGraphicsItem *item : items)
        item->setSelected(true);
}

inline bool invokeBool(QObject *object, const char *slot)
{
    bool result = false;
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection, Q_RETURN_ARG(bool, result)))
        qFatal("cannot invoke %s", slot);
    return result;
}

inline void invoke(QObject *object, const char *slot)
{
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection))
        qFatal("cannot invoke %s", slot);
}

// Parks the cursor outside the window, so new items go to the view's corner.
inline void parkCursor(QWidget *window)
{
    QCursor::setPos(window->mapToGlobal(QPoint(-40, -40)));
}

// A mouse move with the left button held; QTest::mouseMove only moves the
// cursor.
inline void dragTo(QWidget *widget, const QPoint &to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(widget, &move);
}

inline QString statusMessage(QMainWindow *window)
{
    return window->statusBar()->currentMessage();
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Answers the modal dialogs that the code under test opens. Each modal
// widget that appears is handed to the next queued handler; a modal that
// finds no handler is closed (Yes, then Ok, then reject) so that no test can
// wait for a human. The texts of all message boxes are recorded.
class ModalResponder
{
public:
    using Handler = std::function<void(QWidget *)>;

    ModalResponder()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(20);
    }

    void expect(const Handler &handler) { handlers << handler; }
    int pending() const { return handlers.size(); }
    QStringList messages;
    int unexpected = 0;

    static void clickButton(QWidget *modal, QMessageBox::StandardButton which)
    {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY2(box, "expected a message box");
        QAbstractButton *button = box->button(which);
        QVERIFY2(button, "message box lacks the button");
        button->click();
    }

    static Handler answer(QMessageBox::StandardButton which)
    {
        return [which](QWidget *modal) { clickButton(modal, which); };
    }

    // Types a path into a file dialog and accepts it.
    static Handler choosePath(const QString &path)
    {
        return [path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY2(dialog, "expected a file dialog");
            auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY(edit);
            edit->setText(path);
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->accept();
        };
    }

    static Handler reject()
    {
        return [](QWidget *modal) {
            auto *dialog = qobject_cast<QDialog *>(modal);
            QVERIFY(dialog);
            dialog->reject();
        };
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (modal == current) {
            // A handler that failed left its dialog open: close it.
            if (QTest::currentTestFailed() && !dismissing) {
                dismissing = true;
                QTimer::singleShot(0, [this, target = QPointer<QWidget>(modal)] {
                    dismissing = false;
                    if (target)
                        dismiss(target);
                });
            }
            return;
        }
        current = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            messages << box->text();
        // Handlers run from a fresh timer, so that this poll can answer a
        // modal that a handler opens in turn.
        const QPointer<QWidget> target(modal);
        if (!handlers.isEmpty()) {
            const Handler handler = handlers.takeFirst();
            QTimer::singleShot(0, [handler, target] {
                if (target)
                    handler(target);
            });
            return;
        }
        ++unexpected;
        QTimer::singleShot(0, [target] {
            if (target)
                dismiss(target);
        });
    }

    static void dismiss(QWidget *modal)
    {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            for (QMessageBox::StandardButton which : {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Cancel}) {
                if (QAbstractButton *button = box->button(which)) {
                    button->click();
                    return;
                }
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer timer;
    bool dismissing = false;
    QList<Handler> handlers;
    QPointer<QWidget> current;
};

// Shows the window offscreen and starts a new label, as start-up does.
inline void startWindow(MainWindow &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    invoke(&window, "fileNew");
    parkCursor(&window);
}

// Adders through the real actions; each returns the new, selected item.
template <class T> T *addItem(MainWindow &window, const QString &action, const QPointF &pos)
{
    windowAction(&window, action)->trigger();
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    auto *item = selected.size() == 1 ? dynamic_cast<T *>(selected.first()) : nullptr;
    if (item && !pos.isNull())
        item->setPos(pos);
    return item;
}

inline BoxItem *addBox(MainWindow &window, const QPointF &pos = QPointF())
{
    return addItem<BoxItem>(window, "Add Box", pos);
}

inline QRCodeItem *addQRCode(MainWindow &window, const QPointF &pos = QPointF())
{
    return addItem<QRCodeItem>(window, "Add QR Code", pos);
}

inline TextItem *addText(MainWindow &window, ModalResponder &responder)
{
    responder.expect([](QWidget *modal) {
        auto *buttons = modal->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    windowAction(&window, "Add Text...")->trigger();
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    return selected.size() == 1 ? dynamic_cast<TextItem *>(selected.first()) : nullptr;
}

// Clears the modified flag as a save would.
inline void setClean(MainWindow &window)
{
    QMetaObject::invokeMethod(&window, "setDirty", Q_ARG(bool, false));
}

// Forgets everything a previous test stored in the settings.
inline void clearSettings()
{
    Settings::instance();
    QSettings settings;
    settings.clear();
    settings.sync();
}

// The one fixture for tests of a started window: the window shown with a new
// label and short alignments, its modal dialogs scripted. A test's cleanup()
// calls finish(), which fails the test for any dialog that came unasked.
class WindowFixture
{
public:
    MainWindow &start()
    {
        if (!dialogs)
            dialogs.reset(new ModalResponder);
        window.reset(new MainWindow);
        window->setAlignmentDuration(30);
        startWindow(*window);
        return *window;
    }
    ModalResponder &responder() { return *dialogs; }
    void finish()
    {
        const QStringList unasked = dialogs && dialogs->unexpected ? dialogs->messages : QStringList();
        const int unexpected = dialogs ? dialogs->unexpected : 0;
        window.reset();
        dialogs.reset();
        QVERIFY2(unexpected == 0, qPrintable("unasked dialogs: " + unasked.join(" | ")));
    }

    QScopedPointer<MainWindow> window;

private:
    QScopedPointer<ModalResponder> dialogs;
};

#endif // WINDOWDRIVER_H
