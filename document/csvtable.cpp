#include "csvtable.h"

#include <QFile>
#include <QTextCodec>

CsvTable CsvTable::read(const QString &path)
{
    CsvTable table;
    QFile file;
    const bool opened = path == "-" ? file.open(stdin, QIODevice::ReadOnly)
                                    : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        table.m_error = tr("Failed to open the data file %1 (%2)").arg(path, file.errorString());
        return table;
    }
    const QByteArray bytes = file.read(MaximumSize + 1);
    if (bytes.size() > MaximumSize) {
        table.m_error = tr("The data file %1 is larger than %2 bytes.").arg(path).arg(MaximumSize);
        return table;
    }
    if (file.error() != QFile::NoError) {
        table.m_error = tr("Failed to read the data file %1 (%2)").arg(path, file.errorString());
        return table;
    }
    table = parse(bytes);
    if (!table.m_error.isEmpty())
        table.m_error = QString("%1: %2").arg(path, table.m_error);
    return table;
}

CsvTable CsvTable::parse(const QByteArray &bytes)
{
    CsvTable table;
    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
    QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0) {
        table.m_error = tr("The data is not UTF-8 text.");
        return table;
    }
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    QVector<QStringList> records;
    QVector<int> recordLines;
    QStringList record;
    int recordLine = 1;
    QString field;
    int line = 1;
    int i = 0;
    const int size = text.size();
    auto fail = [&](const QString &why) {
        table.m_error = tr("Line %1: %2").arg(line).arg(why);
        return table;
    };
    auto endRecord = [&] {
        record << field;
        field.clear();
        // Blank lines carry no row; a quoted empty field is not null.
        if (!(record.size() == 1 && record.first().isNull())) {
            records << record;
            recordLines << recordLine;
        }
        record.clear();
    };
    while (i < size) {
        const QChar c = text.at(i);
        if (c == '"' && field.isEmpty()) {
            // A quoted field runs to the quote that is not doubled.
            const int start = line;
            ++i;
            bool closed = false;
            while (i < size) {
                const QChar q = text.at(i);
                if (q == '"') {
                    if (i + 1 < size && text.at(i + 1) == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                if (q == '\n')
                    ++line;
                field += q;
                ++i;
            }
            if (!closed) {
                line = start;
                return fail(tr("a quoted field is never closed."));
            }
            if (i < size && text.at(i) != ',' && text.at(i) != '\n' && text.at(i) != '\r')
                return fail(tr("text follows the closing quote of a field."));
            // A quoted empty field must not look like a blank line.
            if (field.isNull())
                field = QString("");
            continue;
        }
        if (c == '"')
            return fail(tr("a quote inside a field that does not start with one."));
        if (c == ',') {
            record << field;
            field.clear();
        } else if (c == '\r' && i + 1 < size && text.at(i + 1) == '\n') {
            endRecord();
            recordLine = ++line;
            ++i;
        } else if (c == '\n') {
            endRecord();
            recordLine = ++line;
        } else {
            field += c;
        }
        ++i;
    }
    if (!field.isEmpty() || !record.isEmpty())
        endRecord();

    if (records.isEmpty())
        return fail(tr("there is no header row."));
    table.m_header = records.takeFirst();
    recordLines.removeFirst();
    for (const QString &name : qAsConst(table.m_header)) {
        if (name.trimmed().isEmpty()) {
            line = 1;
            table.m_header.clear();
            return fail(tr("a column has no name."));
        }
    }
    for (int r = 0; r < records.size(); ++r) {
        if (records.at(r).size() != table.m_header.size()) {
            line = recordLines.at(r);
            const int columns = table.m_header.size();
            table.m_header.clear();
            return fail(tr("the row has %1 fields, the header has %2.").arg(records.at(r).size()).arg(columns));
        }
    }
    table.m_rows = records;
    return table;
}
