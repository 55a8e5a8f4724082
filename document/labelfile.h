#ifndef LABELFILE_H
#define LABELFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

class QGraphicsItem;

// Label files on disk: a header, then the item entries.
class LabelFile
{
    Q_DECLARE_TR_FUNCTIONS(LabelFile)

public:
    // Labels are kilobytes; anything far larger is not one of ours.
    static constexpr qint64 MaximumSize = 8 * 1024 * 1024;

    struct Contents
    {
        // Empty when the file was read and its header accepted.
        QString error;
        QByteArray entries;
    };

    // Reads the whole file into memory and checks its header.
    static Contents read(const QString &path);
    // Checks the header of a file's bytes; path names it in messages.
    static Contents fromBytes(const QByteArray &bytes, const QString &path);

    // Writes the items' entries beside the old file and renames it over it
    // only when complete; empty, or the reason it failed.
    static QString write(const QString &path, const QList<QGraphicsItem *> &items);

    static QString damagedMessage(const QString &path);
};

#endif // LABELFILE_H
