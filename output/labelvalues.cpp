#include "labelvalues.h"

LabelValues::LabelValues(const Placeholder &base)
    : base(base)
{
}

QString LabelValues::seriesError(const QString &serial, qint64 count)
{
    if (count < 1 || count > MaximumCount)
        return tr("The count must be a whole number from 1 to %1.").arg(MaximumCount);
    if (count == 1)
        return QString();
    const bool digits = !serial.isEmpty() && serial.size() <= MaximumSerialDigits
        && std::all_of(serial.cbegin(), serial.cend(), [](QChar c) { return c >= '0' && c <= '9'; });
    if (!digits)
        return tr("A series needs a serial of digits only, at most %1: \"%2\".").arg(MaximumSerialDigits).arg(serial);
    return QString();
}

QString LabelValues::serialAt(const QString &first, int offset)
{
    return QString::number(first.toULongLong() + quint64(offset)).rightJustified(first.size(), '0');
}

void LabelValues::setSeries(const QString &serial, int count)
{
    firstSerial = serial;
    seriesCount = count;
    merge = false;
}

void LabelValues::setTable(const CsvTable &data)
{
    table = data;
    merge = true;
}

int LabelValues::count() const
{
    return merge ? table.rowCount() : seriesCount;
}

Placeholder LabelValues::at(int index) const
{
    Placeholder values = base;
    if (merge) {
        const QStringList header = table.header();
        const QStringList row = table.row(index);
        for (int column = 0; column < header.size(); ++column)
            values.setValue(header.at(column).trimmed(), row.at(column));
    } else if (seriesCount > 1) {
        values.setValue("serial", serialAt(firstSerial, index));
    }
    return values;
}
