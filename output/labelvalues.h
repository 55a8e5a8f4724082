#ifndef LABELVALUES_H
#define LABELVALUES_H

#include "document/csvtable.h"
#include "items/placeholder.h"

#include <QCoreApplication>

// The placeholder values of each label of a run: one label, a numbered
// series counting up from a serial, or one label per row of a data table.
class LabelValues
{
    Q_DECLARE_TR_FUNCTIONS(LabelValues)

public:
    static constexpr int MaximumCount = 1000000;
    static constexpr int MaximumSerialDigits = 18;

    explicit LabelValues(const Placeholder &base);

    // Why a series of count labels cannot start at serial; empty when it can.
    static QString seriesError(const QString &serial, qint64 count);
    // The serial of the label offset places after first, keeping its zero
    // padding: 0042 gives 0043, 0099 gives 0100, 9 gives 10.
    static QString serialAt(const QString &first, int offset);

    void setSeries(const QString &firstSerial, int count);
    // A column fills the placeholder of its name; serial and code take the
    // place of the command line's values.
    void setTable(const CsvTable &table);

    int count() const;
    Placeholder at(int index) const;

private:
    Placeholder base;
    QString firstSerial;
    int seriesCount = 1;
    CsvTable table;
    bool merge = false;
};

#endif // LABELVALUES_H
