#ifndef FUZZDRIVER_H
#define FUZZDRIVER_H

// Feeds outside bytes to the program the way it meets them: a label file
// opened by the window, a record pasted from the clipboard, a MIME types
// list read for the export filter. Shared by the fuzz targets and the test
// that replays what they found.

#include "app/settings.h"
#include "document/itemrecords.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QGraphicsScene>
#include <QHash>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

// Sends every dialog away as soon as it shows, so that the warnings of a
// refused or damaged label never wait for a click.
class DialogCloser : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *dialog = qobject_cast<QDialog *>(watched))
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        }
        return false;
    }
};

class FuzzDriver
{
public:
    FuzzDriver()
        : labelPath(dir.filePath("fuzz.qlt"))
        , emptyPath(dir.filePath("empty.qlt"))
    {
        qApp->installEventFilter(&closer);
        QFile empty(emptyPath);
        if (empty.open(QIODevice::WriteOnly)) {
            QDataStream out(&empty);
            out << LabelFileMagic << LabelFileVersion;
        }
        paste = findAction("&Paste");
    }

    // Opens the bytes as a label file through the window's loading slot.
    void loadLabel(const QByteArray &bytes)
    {
        QFile file(labelPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(labelPath));
        file.close();
        load(labelPath);
        paint();
    }

    // Pastes the bytes as copied items with the Paste command into an empty
    // label, so that every input starts from the same window.
    void pasteRecord(const QByteArray &bytes)
    {
        load(emptyPath);
        auto *mime = new QMimeData;
        mime->setData(ClipboardMimeType, bytes);
        QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
        paste->trigger();
        paint();
    }

    // Reads the bytes as a MIME types list, as the export filter does.
    static QHash<QString, QSet<QString>> readMimeTypes(const QByteArray &bytes)
    {
        QHash<QString, QSet<QString>> table;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly | QIODevice::Text);
        QTextStream in(&buffer);
        Settings::readMimeTypes(in, table);
        return table;
    }

    MainWindow window;

private:
    // Draws every item, as showing or printing the label would.
    void paint()
    {
        QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        window.findChild<QGraphicsScene *>()->render(&painter);
    }

    void load(const QString &path)
    {
        window.setWindowFilePath(path);
        if (!QMetaObject::invokeMethod(&window, "loadFile", Qt::DirectConnection))
            qFatal("cannot load a label");
    }

    QAction *findAction(const QString &text)
    {
        const QList<QAction *> actions = window.findChildren<QAction *>();
        for (QAction *action : actions) {
            if (action->text() == text)
                return action;
        }
        qFatal("no action %s", qPrintable(text));
        return nullptr;
    }

    QTemporaryDir dir;
    DialogCloser closer;
    const QString labelPath;
    const QString emptyPath;
    QAction *paste = nullptr;
};

#endif // FUZZDRIVER_H
