#ifndef RECORDSCANNER_H
#define RECORDSCANNER_H

#include <QByteArray>

// Walks item entries in a byte array without building anything, checking
// every length and count they hold against the bytes that are left. Qt's
// own stream readers reserve memory for a count before reading what it
// counts, so damaged or hostile data must pass here first. The layouts are
// those of stream versions 5.13 and later, which labels and the clipboard
// use.
class RecordScanner
{
public:
    enum Result {
        Complete, // the entry is whole and sound
        CutShort, // the data ends inside the entry; reading it yields defaults
        Damaged,  // the entry cannot be read safely
    };

    explicit RecordScanner(const QByteArray &data);

    // Scans the entry starting at pos; for a complete entry pos then points
    // just past it.
    Result scanEntry(qint64 *pos) const;

private:
    bool skip(qint64 *pos, qint64 bytes) const;
    bool skipReals(qint64 *pos, qint64 count) const;
    bool skipCounted(qint64 *pos, quint32 count, qint64 elementSize) const;
    bool readCount(qint64 *pos, quint32 *count) const;
    bool skipString(qint64 *pos) const;
    // Position, angle, then width and height of at most maximum.
    bool skipSize(qint64 *pos, int maximum) const;
    bool skipBrush(qint64 *pos) const;
    bool skipPen(qint64 *pos) const;
    bool skipFont(qint64 *pos) const;
    bool skipImage(qint64 *pos) const;
    bool fail(Result why) const;

    const QByteArray &data;
    mutable Result result = Complete;
};

#endif // RECORDSCANNER_H
