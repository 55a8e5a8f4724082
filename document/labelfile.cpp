// The label file and clipboard operations of the main window.

#include "mainwindow/mainwindow.h"

#include "document/itemrecords.h"
#include "document/recordscanner.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>
#include <QStatusBar>


bool MainWindow::fileSave()
{
    const QString path = windowFilePath();
    if (isUnnamed(path))
        return fileSaveAs();

    // Written beside the old file and renamed over it only when complete,
    // so a failure never leaves the user's file truncated.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QDataStream out(&file);
        out << LabelFileMagic << LabelFileVersion;
        out.setVersion(LabelStreamVersion);
        writeItems(out, scene->items(Qt::DescendingOrder));
        if (out.status() == QDataStream::Ok && file.commit()) {
            setWindowModified(false);
            updateUi();
            return true;
        }
    }
    warn(tr("Failed to save file: %1").arg(QString("%1 (%2)").arg(QDir::toNativeSeparators(path), file.errorString())));
    return false;
}

MainWindow::LoadResult MainWindow::loadLabelFile()
{
    QFile file(windowFilePath());
    QDataStream in;
    if (!openLabelFile(&file, in))
        return LoadRefused;
    // The entries are scanned before they are read; a mapped file gives
    // the scanner all of them without copying.
    const qint64 headerSize = file.pos();
    const qint64 entriesSize = file.size() - headerSize;
    const uchar *mapped = entriesSize > 0 ? file.map(headerSize, entriesSize) : nullptr;
    const QByteArray entries = mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), int(entriesSize))
                                      : file.readAll();
    clearDocument();
    const bool complete = readItems(entries, LabelStreamVersion, 0, false);
    setWindowModified(false);
    updateUi();
    if (!complete) {
        warn(tr("%1 is damaged: only part of the label could be read.").arg(file.fileName()));
        return LoadDamaged;
    }
    statusBar()->showMessage(tr("Loaded %1").arg(windowFilePath()), 10000);
    return Loaded;
}

bool MainWindow::openLabelFile(QFile *file, QDataStream &in)
{
    if (!file->open(QIODevice::ReadOnly)) {
        warn(tr("Failed to open file: %1")
                 .arg(QString("%1 (%2)").arg(QDir::toNativeSeparators(file->fileName()), file->errorString())));
        return false;
    }
    in.setDevice(file);
    qint32 magic = 0;
    in >> magic;
    if (magic != LabelFileMagic) {
        warn(tr("%1 is not a %2 file").arg(file->fileName(), QCoreApplication::applicationName()));
        return false;
    }
    qint16 version = 0;
    in >> version;
    if (version > LabelFileVersion) {
        warn(tr("%1 needs a more recent version of %2").arg(file->fileName(), QCoreApplication::applicationName()));
        return false;
    }
    return true;
}

void MainWindow::writeItems(QDataStream &out, const QList<QGraphicsItem *> &items)
{
    for (const QGraphicsItem *item : items) {
        if (isGridItem(item))
            continue;
        out << qint32(item->type());
        switch (item->type()) {
        case BoxItem::Type:
            out << *dynamic_cast<const BoxItem *>(item);
            break;
        case QRCodeItem::Type:
            out << *dynamic_cast<const QRCodeItem *>(item);
            break;
        case TextItem::Type:
            out << *dynamic_cast<const TextItem *>(item);
            break;
        default:
            break;
        }
    }
}

bool MainWindow::readItems(const QByteArray &entries, QDataStream::Version version, int offset, bool select)
{
    QDataStream in(entries);
    in.setVersion(version);
    const RecordScanner scanner(entries);
    qint64 next = 0;
    QList<QGraphicsItem *> items;
    QGraphicsItem *previous = nullptr;
    // Each new item is selected, so the record's gated setters act on it;
    // it is wired only once its record has been read.
    auto read = [&](auto *newItem) {
        in >> *newItem;
        connectItem(newItem);
        return newItem;
    };
    // Stops at the first entry that is cut short or damaged; the items
    // before it stay.
    bool complete = true;
    // Every item read scans all items for updateUi() through the selection
    // change of its constructor; the one selectionChanged() below is enough.
    uiDeferred = true;
    while (!in.atEnd()) {
        const RecordScanner::Result scan = scanner.scanEntry(&next);
        if (scan == RecordScanner::Damaged) {
            complete = false;
            break;
        }
        qint32 type = 0;
        in >> type;
        QGraphicsItem *item = nullptr;
        switch (type) {
        case BoxItem::Type:
            item = read(new BoxItem(QRect(), scene));
            break;
        case QRCodeItem::Type:
            item = read(new QRCodeItem(QPoint(0, 0), scene));
            break;
        case TextItem::Type:
            item = read(new TextItem(QPoint(0, 0), scene));
            break;
        default:
            break;
        }
        if (item) {
            item->moveBy(offset, offset);
            // Entries come topmost first; each one goes below the one before
            // it, so that a label comes back stacked as it was saved.
            if (previous)
                item->stackBefore(previous);
            previous = item;
            if (select)
                items << item;
        }
        // A cut-short entry still gives its item, with defaults for what it
        // lacks; the reading must end exactly where the scan did.
        if (scan == RecordScanner::CutShort || in.status() != QDataStream::Ok || in.device()->pos() != next) {
            complete = false;
            break;
        }
    }
    if (select) {
        scene->clearSelection();
        for (QGraphicsItem *item : qAsConst(items))
            item->setSelected(true);
    }
    uiDeferred = false;
    selectionChanged();
    return complete;
}

void MainWindow::copyItemsToClipboard(const QList<QGraphicsItem *> &items)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    writeItems(out, items);
    auto *mime = new QMimeData;
    mime->setData(ClipboardMimeType, data);
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}

void MainWindow::editPaste()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!mime)
        return;
    if (mime->hasFormat(ClipboardMimeType)) {
        // Records on the clipboard use the stream's default version, as copying does.
        readItems(mime->data(ClipboardMimeType), QDataStream::Qt_DefaultCompiledVersion, pasteOffset, true);
        pasteOffset += 5;
    } else if (mime->hasHtml() || mime->hasText()) {
        auto *item = new TextItem(insertionPoint(), scene);
        connectItem(item);
        if (mime->hasHtml())
            item->setHtml(mime->html());
        else
            item->setPlainText(mime->text());
    } else {
        return;
    }
    setWindowModified(true);
    updateUi();
}
