#ifndef TABLE_H
#define TABLE_H

#include <QString>
#include <QStringList>
#include <QVector>

// A text table printed to standard output: the first and last columns
// flush left, the others flush right, every column as wide as its widest
// cell.
class Table
{
public:
    Table(const QString &title, const QStringList &headers);

    void addRow(const QStringList &cells);
    void print() const;

    // The columns of a table of measurements beside their floors, and one
    // such row; a floor of NaN means the row has none.
    static QStringList measurementHeaders();
    void addMeasurement(const QString &name, double value, double floor, const QString &unit, int runs,
                        const QString &note);

    // A value with its unit and as many decimals as its size deserves; "-"
    // for NaN.
    static QString value(double value, const QString &unit = QString());
    // value / floor with two decimals; "-" where there is no floor.
    static QString ratio(double value, double floor);

private:
    QString title;
    QStringList headers;
    QVector<QStringList> rows;
};

#endif // TABLE_H
