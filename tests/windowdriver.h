#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

// Drives a real main window in-process: its actions, items and scripted
// modal dialogs.

#include "testsupport.h"

#include "app/settings.h"
#include "document/itementries.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"
#include "mainwindow/graphicsview.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>

inline QAction *windowAction(QWidget *window, const QString &text)
{
    for (QAction *action : window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (action->text() == text)
            return action;
    }
    qFatal("no action named %s", qPrintable(text));
    return nullptr;
}

inline QGraphicsScene *windowScene(QWidget *window) { return window->findChild<QGraphicsScene *>(); }

inline GraphicsView *windowView(QWidget *window) { return window->findChild<GraphicsView *>(); }

// The label's items (no grid lines), topmost first.
inline QList<QGraphicsItem *> labelItems(QWidget *window) { return ItemEntries::labelItems(windowScene(window)); }

template <class T> QList<T *> labelItemsOf(QWidget *window)
{
    QList<T *> result;
    for (QGraphicsItem *item : labelItems(window)) {
        if (T *typed = dynamic_cast<T *>(item))
            result << typed;
    }
    return result;
}

inline QGraphicsItemGroup *gridGroup(QWidget *window)
{
    for (QGraphicsItem *item : windowScene(window)->items()) {
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

inline QString statusMessage(QMainWindow *window) { return window->statusBar()->currentMessage(); }

// Answers the modal dialogs that the code under test opens, each with the
// next queued handler; one without is closed (Yes, then Ok, then reject), so
// that no test waits for a human. Message box texts are recorded.
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

    static Handler answer(QMessageBox::StandardButton which)
    {
        return [which](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY2(box && box->button(which), "expected a message box with the button");
            box->button(which)->click();
        };
    }

    // Types a path into a file dialog and accepts it.
    static Handler choosePath(const QString &path)
    {
        return [path](QWidget *modal) {
            auto *edit = modal->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY2(qobject_cast<QFileDialog *>(modal) && edit, "expected a file dialog");
            edit->setText(path);
            QTest::keyClick(edit, Qt::Key_Return);
            if (modal->isVisible())
                static_cast<QDialog *>(modal)->accept();
        };
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        // A progress dialog is the program at work, shown when work is slow
        // (a sanitizer build), not a question to answer.
        if (!modal || !modal->isVisible() || qobject_cast<QProgressDialog *>(modal))
            return;
        // Handlers run from a fresh timer, so that a modal a handler opens is
        // answered too. A dialog active again after one it opened is no new
        // one; a handler that failed left its dialog open: close it.
        Handler handler = dismiss;
        if (seen.contains(modal)) {
            if (!QTest::currentTestFailed())
                return;
        } else {
            seen << modal;
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                messages << box->text();
            if (handlers.isEmpty())
                ++unexpected;
            else
                handler = handlers.takeFirst();
        }
        QTimer::singleShot(0, [handler, target = QPointer<QWidget>(modal)] {
            if (target)
                handler(target);
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
    QList<Handler> handlers;
    QList<QPointer<QWidget>> seen;
};

// Shows the window offscreen and starts a new label, as start-up does.
inline void startWindow(MainWindow &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    windowAction(&window, "New")->trigger();
    // The cursor outside the window, so new items go to the view's corner.
    QCursor::setPos(window.mapToGlobal(QPoint(-40, -40)));
}

// Adders through the real actions; each returns the new, selected item.
template <class T> T *addItem(MainWindow &window, const QString &action, const QPointF &pos = QPointF())
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
    responder.expect(
        [](QWidget *modal) { modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click(); });
    return addItem<TextItem>(window, "Add Text...");
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

// The one fixture for a started window with a new label, short alignments and
// scripted dialogs; finish(), from cleanup(), fails a test for unasked ones.
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
        window.reset();
        const QScopedPointer<ModalResponder> done(dialogs.take());
        if (done)
            QVERIFY2(!done->unexpected, qPrintable("unasked dialogs among: " + done->messages.join(" | ")));
    }

    QScopedPointer<MainWindow> window;

private:
    QScopedPointer<ModalResponder> dialogs;
};

#endif // WINDOWDRIVER_H
