#ifndef ENTRYFIELDS_H
#define ENTRYFIELDS_H

// The fields of one item entry streamed with plain QDataStream, without any
// label item: what the floors of opening and saving read and write.

#include <QBrush>
#include <QDataStream>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

struct EntryFields
{
    qint32 type = 0;
    QPointF position;
    double angle = 0;
    qint32 width = 0;
    qint32 height = 0;
    double z = 0;
    QRectF rect;
    QPen pen;
    QBrush brush;
    QString text;
    QFont font;
};

// False at an unknown type or a stream error.
bool readEntryFields(QDataStream &in, EntryFields *entry);
void writeEntryFields(QDataStream &out, const EntryFields &entry);

// Positions in at the first entry of a label file's bytes.
void skipLabelHeader(QDataStream &in);
QVector<EntryFields> readLabelFields(const QString &path);

#endif // ENTRYFIELDS_H
