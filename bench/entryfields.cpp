#include "entryfields.h"

#include "document/itemrecords.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QFile>

bool readEntryFields(QDataStream &in, EntryFields *entry)
{
    in >> entry->type;
    switch (entry->type) {
    case BoxItem::Type:
        in >> entry->position >> entry->angle >> entry->width >> entry->height >> entry->z >> entry->rect
            >> entry->pen >> entry->brush;
        break;
    case QRCodeItem::Type:
        in >> entry->position >> entry->angle >> entry->width >> entry->height >> entry->z >> entry->text;
        break;
    case TextItem::Type:
        in >> entry->position >> entry->z >> entry->text >> entry->font;
        break;
    default:
        return false;
    }
    return in.status() == QDataStream::Ok;
}

void writeEntryFields(QDataStream &out, const EntryFields &entry)
{
    out << entry.type;
    switch (entry.type) {
    case BoxItem::Type:
        out << entry.position << entry.angle << entry.width << entry.height << entry.z << entry.rect << entry.pen
            << entry.brush;
        break;
    case QRCodeItem::Type:
        out << entry.position << entry.angle << entry.width << entry.height << entry.z << entry.text;
        break;
    case TextItem::Type:
        out << entry.position << entry.z << entry.text << entry.font;
        break;
    default:
        break;
    }
}

void skipLabelHeader(QDataStream &in)
{
    qint32 magic = 0;
    qint16 version = 0;
    in >> magic >> version;
    in.setVersion(LabelStreamVersion);
}

QVector<EntryFields> readLabelFields(const QString &path)
{
    QVector<EntryFields> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QDataStream in(&file);
    skipLabelHeader(in);
    EntryFields entry;
    while (!in.atEnd() && readEntryFields(in, &entry))
        entries << entry;
    return entries;
}
