#include "itementries.h"

#include "document/itemrecords.h"
#include "document/recordscanner.h"
#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QBuffer>
#include <QGraphicsScene>

#include <algorithm>

bool ItemEntries::isLabelItem(const QGraphicsItem *item)
{
    const int type = item->type();
    return type == BoxItem::Type || type == QRCodeItem::Type || type == TextItem::Type || type == BarcodeItem::Type
        || type == ImageItem::Type;
}

QList<QGraphicsItem *> ItemEntries::labelItems(const QGraphicsScene *scene)
{
    QList<QGraphicsItem *> items = scene->items(Qt::DescendingOrder);
    items.erase(std::remove_if(items.begin(), items.end(), [](const QGraphicsItem *item) { return !isLabelItem(item); }),
                items.end());
    return items;
}

qint16 ItemEntries::formatVersion(const QList<QGraphicsItem *> &items)
{
    const bool newer = std::any_of(items.cbegin(), items.cend(), [](const QGraphicsItem *item) {
        return item->type() == BarcodeItem::Type || item->type() == ImageItem::Type;
    });
    return newer ? LabelFileNewestVersion : LabelFileVersion;
}

QByteArray ItemEntries::write(const QList<QGraphicsItem *> &items, QDataStream::Version version)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(version);
    for (const QGraphicsItem *item : items) {
        switch (item->type()) {
        case BoxItem::Type:
            out << qint32(item->type()) << *static_cast<const BoxItem *>(item);
            break;
        case QRCodeItem::Type:
            out << qint32(item->type()) << *static_cast<const QRCodeItem *>(item);
            break;
        case TextItem::Type:
            out << qint32(item->type()) << *static_cast<const TextItem *>(item);
            break;
        case BarcodeItem::Type:
            out << qint32(item->type()) << *static_cast<const BarcodeItem *>(item);
            break;
        case ImageItem::Type:
            out << qint32(item->type()) << *static_cast<const ImageItem *>(item);
            break;
        default:
            break;
        }
    }
    return data;
}

namespace {

struct Entry
{
    qint64 start;
    qint64 end;
    bool cutShort;
};

// Creates the item of the entry at the stream's position and reads its
// record into it; null for an unknown type number.
QGraphicsItem *readEntry(QDataStream &in, QGraphicsScene *scene)
{
    // Each new item is selected, so the record's gated setters act on it.
    auto read = [&](auto *item) {
        in >> *item;
        return item;
    };
    qint32 type = 0;
    in >> type;
    switch (type) {
    case BoxItem::Type:
        return read(new BoxItem(QRect(), scene));
    case QRCodeItem::Type:
        return read(new QRCodeItem(QPoint(0, 0), scene));
    case TextItem::Type:
        return read(new TextItem(QPoint(0, 0), scene));
    case BarcodeItem::Type:
        return read(new BarcodeItem(QPoint(0, 0), scene));
    case ImageItem::Type:
        return read(new ImageItem(QPoint(0, 0), QByteArray(), scene));
    default:
        return nullptr;
    }
}

} // namespace

ItemEntries::Items ItemEntries::read(const QByteArray &entries, QDataStream::Version version, QGraphicsScene *scene)
{
    Items result;
    // The scan finds the entries that can be read safely before any is read.
    const RecordScanner scanner(entries);
    QList<Entry> found;
    qint64 next = 0;
    while (next < entries.size()) {
        const qint64 start = next;
        const RecordScanner::Result scan = scanner.scanEntry(&next);
        if (scan == RecordScanner::Damaged) {
            result.complete = false;
            break;
        }
        found << Entry{start, next, scan == RecordScanner::CutShort};
        if (scan == RecordScanner::CutShort) {
            result.complete = false;
            break;
        }
    }

    // Entries come topmost first. Read last to first, each new item lands on
    // top of the ones before it, so the label is stacked as it was saved
    // without restacking every item.
    QBuffer buffer;
    buffer.setData(entries);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    in.setVersion(version);
    QList<QGraphicsItem *> reversed;
    for (int i = found.size() - 1; i >= 0; --i) {
        const Entry &entry = found.at(i);
        buffer.seek(entry.start);
        in.resetStatus();
        QGraphicsItem *item = readEntry(in, scene);
        // A cut-short entry still gives its item, with defaults for what it
        // lacks; any other entry must read exactly as far as the scan went.
        const bool sound = entry.cutShort || (in.status() == QDataStream::Ok && buffer.pos() == entry.end);
        if (!sound) {
            // The items of the entries after it are dropped with it.
            delete item;
            qDeleteAll(reversed);
            reversed.clear();
            result.complete = false;
            continue;
        }
        if (item)
            reversed.prepend(item);
        else
            result.complete = false;
    }
    result.items = reversed;
    if (!result.items.isEmpty()) {
        scene->clearSelection();
        result.items.last()->setSelected(true);
    }
    return result;
}
