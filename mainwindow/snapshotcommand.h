#ifndef SNAPSHOTCOMMAND_H
#define SNAPSHOTCOMMAND_H

#include <QByteArray>
#include <QList>
#include <QUndoCommand>

#include <functional>

// One step of the label's history: the whole label before and after a
// gesture. Labels are kilobytes, and restoring whole labels needs no code
// per kind of change, so every change undoes the same way.
class SnapshotCommand : public QUndoCommand
{
public:
    struct Snapshot
    {
        // ItemEntries of the label items, topmost first.
        QByteArray entries;
        // Positions of the selected items in that order.
        QList<int> selected;
        bool operator==(const Snapshot &other) const { return entries == other.entries; }
        bool operator!=(const Snapshot &other) const { return !(*this == other); }
    };
    using Restore = std::function<void(const Snapshot &)>;

    SnapshotCommand(const QString &text, const Snapshot &before, const Snapshot &after, const Restore &restore);

    void undo() override;
    void redo() override;

private:
    Snapshot before;
    Snapshot after;
    Restore restore;
    // The change was made before the command was pushed.
    bool done = true;
};

#endif // SNAPSHOTCOMMAND_H
