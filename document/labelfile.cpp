#include "labelfile.h"

#include "document/itementries.h"
#include "document/itemrecords.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
QString fileError(const QString &path, const QString &reason)
{
    return QString("%1 (%2)").arg(QDir::toNativeSeparators(path), reason);
}
} // namespace

LabelFile::Contents LabelFile::read(const QString &path)
{
    Contents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.error = tr("Failed to open file: %1").arg(fileError(path, file.errorString()));
        return contents;
    }
    if (file.size() > MaximumSize) {
        contents.error = tr("%1 is too large for a label: %2 bytes, at most %3.")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(file.size())
                             .arg(MaximumSize);
        return contents;
    }
    // Read, not mapped: another program truncating the file must not be
    // able to kill this one.
    const QByteArray bytes = file.read(MaximumSize + 1);
    if (bytes.size() > MaximumSize || file.error() != QFile::NoError) {
        contents.error = tr("Failed to open file: %1").arg(fileError(path, file.errorString()));
        return contents;
    }
    return fromBytes(bytes, path);
}

LabelFile::Contents LabelFile::fromBytes(const QByteArray &bytes, const QString &path)
{
    Contents contents;
    QDataStream in(bytes);
    qint32 magic = 0;
    in >> magic;
    if (magic != LabelFileMagic) {
        contents.error = tr("%1 is not a %2 file").arg(path, QCoreApplication::applicationName());
        return contents;
    }
    qint16 version = 0;
    in >> version;
    if (version > LabelFileNewestVersion) {
        contents.error = tr("%1 needs a more recent version of %2").arg(path, QCoreApplication::applicationName());
        return contents;
    }
    const int headerSize = sizeof(magic) + sizeof(version);
    contents.entries = bytes.mid(headerSize);
    return contents;
}

QString LabelFile::write(const QString &path, const QList<QGraphicsItem *> &items)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QDataStream out(&file);
        out << LabelFileMagic << ItemEntries::formatVersion(items);
        const QByteArray entries = ItemEntries::write(items, LabelStreamVersion);
        if (out.writeRawData(entries.constData(), entries.size()) == entries.size() && out.status() == QDataStream::Ok
            && file.commit())
            return QString();
    }
    return tr("Failed to save file: %1").arg(fileError(path, file.errorString()));
}

QString LabelFile::damagedMessage(const QString &path)
{
    return tr("%1 is damaged: only part of the label could be read.").arg(path);
}
