#include "openbench.h"

#include "benchlabels.h"
#include "childrun.h"
#include "entryfields.h"
#include "table.h"
#include "timing.h"
#include "windowslots.h"

#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>
#include <vector>

#include <malloc.h>

namespace {

// The floor of opening: the file's bytes, every entry's fields streamed,
// and one plain graphics item each with the fields it can show. Returns the
// number of items.
int openBare(const QString &path, QGraphicsScene *scene)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    skipLabelHeader(in);
    EntryFields entry;
    int count = 0;
    while (!in.atEnd() && readEntryFields(in, &entry)) {
        QAbstractGraphicsShapeItem *item = nullptr;
        if (entry.type == TextItem::Type) {
            auto *text = new QGraphicsSimpleTextItem(entry.text);
            text->setFont(entry.font);
            item = text;
        } else if (entry.type == BoxItem::Type) {
            item = new QGraphicsRectItem(entry.rect);
            item->setPen(entry.pen);
            item->setBrush(entry.brush);
        } else {
            item = new QGraphicsRectItem(0, 0, entry.width, entry.height);
        }
        item->setPos(entry.position);
        item->setRotation(entry.angle);
        item->setZValue(entry.z);
        scene->addItem(item);
        ++count;
    }
    return count;
}

// The window-free reader, as print mode opens a label.
int openWithReader(const QString &path, QGraphicsScene *scene)
{
    const LabelFile::Contents contents = LabelFile::read(path);
    if (!contents.error.isEmpty())
        return -1;
    return ItemEntries::read(contents.entries, LabelStreamVersion, scene).items.size();
}

// Work that opening left queued (index updates, redraws) counts as
// opening.
void settle()
{
    QCoreApplication::processEvents();
}

// Deletions left by clearing the previous label, and the memory it gave
// back, so that every way starts from the same heap whatever ran before.
void dropDeleted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
}

} // namespace

OpenBench::OpenBench(const QTemporaryDir &work, int reps)
    : work(work)
    , reps(reps)
{
}

bool OpenBench::prepare()
{
    for (int size : qAsConst(sizes)) {
        labels << work.filePath(QString("large%1.qlt").arg(size));
        if (!writeLargeLabel(labels.last(), size))
            return false;
        if (size == 10000)
            memoryLabel = labels.last();
    }
    emptyLabel = work.filePath("empty.qlt");
    QGraphicsScene empty;
    return writeLabel(emptyLabel, &empty);
}

QStringList OpenBench::scalingHeaders()
{
    return {"items", "KiB", "floor", "reader", "window", "reader/floor", "window/floor", "floor/1k", "reader/1k",
            "window/1k", "runs"};
}

void OpenBench::run(Table *scaling, Table *table)
{
    QTextStream err(stderr);
    std::vector<std::vector<double>> times(sizes.size() * WayCount);
    const auto timesOf = [&](int size, int way) -> std::vector<double> & { return times[size * WayCount + way]; };
    MainWindow window;
    QGraphicsScene *windowScene = window.findChild<QGraphicsScene *>();
    dropDeleted();
    // Run 0 only warms up fonts, caches and the encoder on the smallest label.
    for (int i = 0; i <= reps; ++i) {
        err << QString("opening labels: run %1 of %2").arg(i).arg(reps) << Qt::endl;
        for (int s = 0; s < (i == 0 ? 1 : sizes.size()); ++s) {
            // The three ways alternate in an order that turns each run.
            for (int k = 0; k < WayCount; ++k) {
                const int way = (i + k) % WayCount;
                int count = 0;
                double ms = 0;
                if (way == Window) {
                    ms = timeMs([&] {
                        loadLabel(window, labels.at(s));
                        settle();
                    });
                    count = ItemEntries::labelItems(windowScene).size();
                    setClean(window);
                    invoke(&window, "fileNew");
                } else {
                    auto scene = std::make_unique<QGraphicsScene>(0, 0, 288, 288);
                    ms = timeMs([&] {
                        count = way == Floor ? openBare(labels.at(s), scene.get())
                                             : openWithReader(labels.at(s), scene.get());
                        settle();
                    });
                }
                dropDeleted();
                if (count != sizes.at(s))
                    err << "opening " << labels.at(s) << " gave " << count << " items" << Qt::endl;
                if (i > 0)
                    timesOf(s, way).push_back(ms);
            }
        }
    }

    for (int s = 0; s < sizes.size(); ++s) {
        const double floor = median(timesOf(s, Floor));
        const double reader = median(timesOf(s, Reader));
        const double inWindow = median(timesOf(s, Window));
        const double thousands = sizes.at(s) / 1000.0;
        scaling->addRow({QString::number(sizes.at(s)), QString::number(QFileInfo(labels.at(s)).size() / 1024),
                         Table::value(floor, "ms"), Table::value(reader, "ms"), Table::value(inWindow, "ms"),
                         Table::ratio(reader, floor), Table::ratio(inWindow, floor),
                         Table::value(floor / thousands, "ms"), Table::value(reader / thousands, "ms"),
                         Table::value(inWindow / thousands, "ms"), QString::number(timesOf(s, Floor).size())});
    }
    measureMemory(table);
}

void OpenBench::measureMemory(Table *table)
{
    QTextStream(stderr) << "peak memory of opening" << Qt::endl;
    std::vector<double> large, empty;
    for (int i = 0; i < reps; ++i) {
        for (bool floor : {true, false}) {
            QTemporaryDir home;
            const ChildRun run = runChild(QCoreApplication::applicationFilePath(),
                                          {"--open-label", floor ? emptyLabel : memoryLabel},
                                          childEnvironment(home.path()));
            if (!run.ok) {
                QTextStream(stderr) << "opening child failed: " << run.log << Qt::endl;
                continue;
            }
            (floor ? empty : large).push_back(run.maxRssMiB);
        }
    }
    table->addMeasurement("open 10,000-item label in the window: peak RSS", median(large), median(empty), "MiB",
                          int(large.size()), "floor: the same window opening an empty label");
}

int OpenBench::openLabelChild(const QString &path)
{
    MainWindow window;
    loadLabel(window, path);
    return window.windowFilePath() == path ? 0 : 1;
}
