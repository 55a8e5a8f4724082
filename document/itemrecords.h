#ifndef ITEMRECORDS_H
#define ITEMRECORDS_H

#include <QDataStream>

// Label files start with this magic number and format version; the item
// entries after them are written in a fixed stream version.
constexpr qint32 LabelFileMagic = 0x034A9F21;
constexpr qint16 LabelFileVersion = 2;
// Labels holding barcodes or images: older programs refuse them rather
// than read them as something else.
constexpr qint16 LabelFileNewestVersion = 3;
constexpr QDataStream::Version LabelStreamVersion = QDataStream::Qt_5_13;

// The clipboard format of item entries copied from a label.
inline constexpr char ClipboardMimeType[] = "application/{82959F55-A005-4F9B-A468-955D521D9691}";
// Copied items that include barcodes or images: a format older programs
// do not take, as they refuse such a label file.
inline constexpr char ClipboardMimeTypeVersion3[] = "application/{82959F55-A005-4F9B-A468-955D521D9691}.3";

class BarcodeItem;
class BoxItem;
class ImageItem;
class QRCodeItem;
class TextItem;

// The records of the item kinds in label files and clipboard data,
// without the type number in front of them. The readers apply the fields
// through the items' selection-gated setters, so the item must be selected.
QDataStream &operator<<(QDataStream &out, const BoxItem &box);
QDataStream &operator>>(QDataStream &in, BoxItem &box);
QDataStream &operator<<(QDataStream &out, const QRCodeItem &item);
QDataStream &operator>>(QDataStream &in, QRCodeItem &item);
QDataStream &operator<<(QDataStream &out, const TextItem &item);
QDataStream &operator>>(QDataStream &in, TextItem &item);
QDataStream &operator<<(QDataStream &out, const BarcodeItem &item);
QDataStream &operator>>(QDataStream &in, BarcodeItem &item);
QDataStream &operator<<(QDataStream &out, const ImageItem &item);
QDataStream &operator>>(QDataStream &in, ImageItem &item);

#endif // ITEMRECORDS_H
