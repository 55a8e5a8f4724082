#include "table.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>

Table::Table(const QString &title, const QStringList &headers)
    : title(title)
    , headers(headers)
{
}

void Table::addRow(const QStringList &cells)
{
    rows << cells;
}

void Table::print() const
{
    QVector<int> widths(headers.size());
    for (int c = 0; c < headers.size(); ++c) {
        widths[c] = headers.at(c).size();
        for (const QStringList &row : rows)
            widths[c] = std::max(widths[c], int(row.value(c).size()));
    }
    const int last = headers.size() - 1;
    const auto line = [&](const QStringList &cells) {
        QStringList padded;
        for (int c = 0; c < headers.size(); ++c) {
            const QString cell = cells.value(c);
            padded << (c == 0 || c == last ? cell.leftJustified(widths[c]) : cell.rightJustified(widths[c]));
        }
        return padded.join("  ").trimmed() + "\n";
    };
    QTextStream out(stdout);
    out << "\n" << title << "\n" << line(headers);
    int total = 2 * last;
    for (int width : widths)
        total += width;
    out << QString(total, '-') << "\n";
    for (const QStringList &row : rows)
        out << line(row);
    out.flush();
}

QString Table::value(double value, const QString &unit)
{
    if (std::isnan(value))
        return QStringLiteral("-");
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
    const QString number = QString::number(value, 'f', decimals);
    return unit.isEmpty() ? number : number + " " + unit;
}

QString Table::ratio(double value, double floor)
{
    if (std::isnan(value) || std::isnan(floor) || floor <= 0)
        return QStringLiteral("-");
    return QString::number(value / floor, 'f', 2);
}

QStringList Table::measurementHeaders()
{
    return {"measurement", "median", "floor", "ratio", "runs", "note"};
}

void Table::addMeasurement(const QString &name, double value, double floor, const QString &unit, int runs,
                           const QString &note)
{
    addRow({name, Table::value(value, unit), Table::value(floor, unit), ratio(value, floor), QString::number(runs),
            note});
}
