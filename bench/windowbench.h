#ifndef WINDOWBENCH_H
#define WINDOWBENCH_H

#include <QString>

class Table;
class QTemporaryDir;

// Commands of the real window: export and print preview of a typical
// label, and saving, selecting and editing a label of 10,000 items.
class WindowBench
{
public:
    WindowBench(const QTemporaryDir &work, int reps);

    // False when the labels cannot be written.
    bool prepare();
    void run(Table *table);

private:
    void measureOutput(Table *table);
    void measureLargeLabel(Table *table);

    const QTemporaryDir &work;
    int reps;
    QString typicalLabel;
    QString largeLabel;
};

#endif // WINDOWBENCH_H
