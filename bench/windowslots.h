#ifndef WINDOWSLOTS_H
#define WINDOWSLOTS_H

// Driving the real main window in-process through its slots and actions,
// as a user's commands do.

#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

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

inline void invoke(QObject *object, const char *slot)
{
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection))
        qFatal("cannot invoke %s", slot);
}

inline bool invokeBool(QObject *object, const char *slot)
{
    bool result = false;
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection, Q_RETURN_ARG(bool, result)))
        qFatal("cannot invoke %s", slot);
    return result;
}

// Clears the modified flag so that New and Open ask nothing.
inline void setClean(MainWindow &window)
{
    QMetaObject::invokeMethod(&window, "setDirty", Qt::DirectConnection, Q_ARG(bool, false));
}

// Loads a label into the window through its own slots, as Open does after
// the file dialog.
inline void loadLabel(MainWindow &window, const QString &path)
{
    window.setWindowFilePath(path);
    invoke(&window, "loadFile");
}

// Runs handler on the next modal widget the window opens, from a timer, so
// that a command that asks a question can be driven like a user would.
inline void onNextModal(const std::function<void(QWidget *)> &handler)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        handler(modal);
    });
    timer->start(5);
}

#endif // WINDOWSLOTS_H
