#ifndef CSVTABLE_H
#define CSVTABLE_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// A table of comma-separated values: a header row naming the columns, then
// the data rows (RFC 4180: UTF-8 with or without a byte order mark, quoted
// fields that hold commas, quotes and line breaks, CR LF or LF).
class CsvTable
{
    Q_DECLARE_TR_FUNCTIONS(CsvTable)

public:
    // Data files are read whole: a million rows of a few fields fit easily.
    static constexpr qint64 MaximumSize = 256 * 1024 * 1024;

    // Parses the bytes; on failure the table is empty and error() says why,
    // with the line number.
    static CsvTable parse(const QByteArray &bytes);
    // Reads and parses a file; "-" is standard input.
    static CsvTable read(const QString &path);

    QString error() const { return m_error; }
    QStringList header() const { return m_header; }
    int rowCount() const { return m_rows.size(); }
    QStringList row(int index) const { return m_rows.at(index); }

private:
    QString m_error;
    QStringList m_header;
    QVector<QStringList> m_rows;
};

#endif // CSVTABLE_H
