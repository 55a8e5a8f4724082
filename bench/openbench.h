#ifndef OPENBENCH_H
#define OPENBENCH_H

#include <QString>
#include <QVector>

class Table;
class QTemporaryDir;

// Opening large labels of several sizes through the window-free reader and
// through the window, beside a floor that streams the same fields and
// creates as many plain graphics items; and the peak memory of opening.
class OpenBench
{
public:
    OpenBench(const QTemporaryDir &work, int reps);

    // False when the labels cannot be written.
    bool prepare();
    // Adds the scaling table's rows to scaling and the memory row to table.
    void run(Table *scaling, Table *table);

    static QStringList scalingHeaders();
    // The --open-label child: a window opening path, then the end.
    static int openLabelChild(const QString &path);

private:
    enum Way { Floor, Reader, Window, WayCount };

    void measureMemory(Table *table);

    const QTemporaryDir &work;
    int reps;
    QVector<int> sizes{1000, 10000, 30000};
    QVector<QString> labels;
    QString emptyLabel;
    QString memoryLabel;
};

#endif // OPENBENCH_H
