#ifndef QRBENCH_H
#define QRBENCH_H

class Table;

// Encoding and painting QR codes of a short and a long text.
class QrBench
{
public:
    explicit QrBench(int reps);

    void run(Table *table);

private:
    int reps;
};

#endif // QRBENCH_H
