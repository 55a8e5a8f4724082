#ifndef ITEMRECORDS_H
#define ITEMRECORDS_H

#include <QDataStream>

class BoxItem;
class QRCodeItem;
class TextItem;

// The records of the three item kinds in label files and clipboard data,
// without the type number in front of them. The readers apply the fields
// through the items' selection-gated setters, so the item must be selected.
QDataStream &operator<<(QDataStream &out, const BoxItem &box);
QDataStream &operator>>(QDataStream &in, BoxItem &box);
QDataStream &operator<<(QDataStream &out, const QRCodeItem &item);
QDataStream &operator>>(QDataStream &in, QRCodeItem &item);
QDataStream &operator<<(QDataStream &out, const TextItem &item);
QDataStream &operator>>(QDataStream &in, TextItem &item);

#endif // ITEMRECORDS_H
