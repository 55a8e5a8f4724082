#ifndef ITEMENTRIES_H
#define ITEMENTRIES_H

#include <QByteArray>
#include <QDataStream>
#include <QList>

class QGraphicsItem;
class QGraphicsScene;

// Item entries, the body of label files and clipboard records: a type
// number and the record of that kind, one after another.
class ItemEntries
{
public:
    struct Items
    {
        // In the order of their entries, topmost first.
        QList<QGraphicsItem *> items;
        // False when an entry was cut short, damaged or of an unknown kind.
        bool complete = true;
    };

    // The items of the label's own kinds; grid lines, outlines and other
    // helpers of a view are never label items.
    static bool isLabelItem(const QGraphicsItem *item);
    static QList<QGraphicsItem *> labelItems(const QGraphicsScene *scene);

    // The oldest label file version that holds these items.
    static qint16 formatVersion(const QList<QGraphicsItem *> &items);

    static QByteArray write(const QList<QGraphicsItem *> &items, QDataStream::Version version);

    // Creates the items of the entries in scene, stacked as they were saved,
    // the last entry's item the only one selected. Reading stops before an
    // entry that cannot be read safely; the items before it stay.
    static Items read(const QByteArray &entries, QDataStream::Version version, QGraphicsScene *scene);
};

#endif // ITEMENTRIES_H
