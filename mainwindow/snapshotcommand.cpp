#include "snapshotcommand.h"

SnapshotCommand::SnapshotCommand(const QString &text, const Snapshot &before, const Snapshot &after,
                                 const Restore &restore)
    : QUndoCommand(text)
    , before(before)
    , after(after)
    , restore(restore)
{
}

void SnapshotCommand::undo()
{
    restore(before);
}

void SnapshotCommand::redo()
{
    // QUndoStack::push() calls redo(); the label already shows the change.
    if (done) {
        done = false;
        return;
    }
    restore(after);
}
