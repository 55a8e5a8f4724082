#ifndef LABELLANGUAGE_H
#define LABELLANGUAGE_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QVector>

#include <cctype>
#include <cstring>

// Decoders of what CUPS's sample label drivers (rastertolabel) send to the
// printer, back into one image per label: 1 bit per dot, pixel index 1
// (black) where the printer prints. They know exactly the commands that the
// drivers emit and fail with the reason on anything else, so that a change
// in the drivers shows up as an error rather than as a wrong picture.

inline QImage blankLabelImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

// DYMO LabelWriter: per label ESC L (label length), ESC D (bytes per line),
// then lines as SYN + bytes (most significant bit leftmost) or ESC f 1 n
// (n blank lines), and ESC E at its end. ESC B sets a left offset in bytes.
// Row 0 is the first line the driver sent, at the top of the printable
// area; blank lines after the last printed one are not sent, so a label
// with nothing on it is a null image. The label length in dots is the
// image's text "label-length".
inline QList<QImage> dymoLabels(const QByteArray &data, QString *error)
{
    QList<QImage> labels;
    QVector<QByteArray> lines;
    int bytesPerLine = -1, dotTab = 0, labelLength = -1;
    auto fail = [&](int at, const QString &reason) {
        *error = QString("DYMO data at byte %1: %2").arg(at).arg(reason);
        return QList<QImage>();
    };
    for (int i = 0; i < data.size();) {
        const int at = i;
        const char byte = data.at(i++);
        if (byte == 0x16) {
            if (bytesPerLine < 0)
                return fail(at, "a line before ESC D");
            if (i + bytesPerLine > data.size())
                return fail(at, "a line cut short");
            lines << QByteArray(dotTab, '\0') + data.mid(i, bytesPerLine);
            i += bytesPerLine;
            continue;
        }
        if (byte != 0x1b)
            return fail(at, QString("unexpected byte 0x%1").arg(uchar(byte), 2, 16, QChar('0')));
        // The driver starts with a run of ESC to resynchronise the printer.
        if (i < data.size() && data.at(i) == 0x1b)
            continue;
        const QByteArray command = data.mid(i, 1);
        auto argument = [&](int n) { return i + n < data.size() ? int(uchar(data.at(i + n))) : -1; };
        if (command == "@" || command == "e" || command == "c" || command == "d" || command == "g") {
            i += 1; // reset; print density light to dark
        } else if (command == "q" && argument(1) >= 0) {
            i += 2; // roll
        } else if (command == "B" && argument(1) >= 0) {
            dotTab = argument(1);
            i += 2;
        } else if (command == "D" && argument(1) >= 0) {
            bytesPerLine = argument(1);
            i += 2;
        } else if (command == "L" && argument(2) >= 0) {
            labelLength = argument(1) * 256 + argument(2);
            i += 3;
        } else if (command == "f" && argument(1) == 1 && argument(2) >= 0) {
            lines.insert(lines.size(), argument(2), QByteArray());
            i += 3;
        } else if (command == "E") {
            i += 1;
            int width = (dotTab + qMax(bytesPerLine, 0)) * 8;
            for (const QByteArray &line : qAsConst(lines))
                width = qMax(width, int(line.size()) * 8);
            QImage label = blankLabelImage(width, lines.size());
            for (int y = 0; y < lines.size(); ++y)
                memcpy(label.scanLine(y), lines.at(y).constData(), size_t(lines.at(y).size()));
            label.setText("label-length", QString::number(labelLength));
            labels << label;
            lines.clear();
        } else {
            return fail(at, QString("unknown command ESC %1").arg(QString::fromLatin1(command.toHex())));
        }
    }
    if (!lines.isEmpty())
        return fail(data.size(), "lines after the last ESC E");
    return labels;
}

// Zebra ZPL: each label is a graphic downloaded with ~DG name,bytes,bytes
// per row, then hexadecimal digits, compressed: G-Y repeat the next digit
// 1-19 times and g-z 20-400 times (counts add up), "," ends the row with
// 0 and "!" with 1, ":" repeats the row before. The ^PW (print width)
// after the graphic cuts the image to the dots the printer prints. Other
// commands only place that graphic at the origin (^XA ^PO ^LH ^MN ^FO ^XG
// ^FS ^XZ ^ID).
inline QList<QImage> zplLabels(const QByteArray &data, QString *error)
{
    QList<QImage> labels;
    const QRegularExpression download("~DG[^,]*,(\\d+),(\\d+),");
    const QRegularExpression printWidth("\\^PW(\\d+)");
    const QString text = QString::fromLatin1(data);
    int at = 0;
    for (QRegularExpressionMatch match = download.match(text); match.hasMatch();
         match = download.match(text, at)) {
        const int total = match.captured(1).toInt(), bytesPerRow = match.captured(2).toInt();
        if (bytesPerRow <= 0 || total % bytesPerRow != 0) {
            *error = QString("ZPL graphic of %1 bytes in rows of %2").arg(total).arg(bytesPerRow);
            return QList<QImage>();
        }
        const int digits = bytesPerRow * 2;
        QImage label = blankLabelImage(bytesPerRow * 8, total / bytesPerRow);
        QByteArray row, previous;
        int count = 0, y = 0;
        at = match.capturedEnd();
        for (; y < label.height() && at < text.size(); ++at) {
            const char c = text.at(at).toLatin1();
            if (c >= 'G' && c <= 'Y') {
                count += c - 'F';
                continue;
            } else if (c >= 'g' && c <= 'z') {
                count += (c - 'f') * 20;
                continue;
            } else if (isxdigit(uchar(c))) {
                row += QByteArray(qMax(count, 1), c);
            } else if (c == ',' || c == '!') {
                row += QByteArray(qMax(digits - row.size(), 0), c == ',' ? '0' : 'F');
            } else if (c == ':' && row.isEmpty() && !previous.isNull()) {
                row = previous;
            } else if (c != '\r' && c != '\n') {
                *error = QString("unexpected \"%1\" in ZPL graphic row %2").arg(c).arg(y);
                return QList<QImage>();
            }
            count = 0;
            if (row.size() > digits) {
                *error = QString("ZPL graphic row %1 has %2 digits, not %3").arg(y).arg(row.size()).arg(digits);
                return QList<QImage>();
            }
            if (row.size() == digits) {
                const QByteArray bytes = QByteArray::fromHex(row);
                memcpy(label.scanLine(y++), bytes.constData(), size_t(bytes.size()));
                previous = row;
                row.clear();
            }
        }
        if (y < label.height()) {
            *error = QString("ZPL graphic ends after %1 of %2 rows").arg(y).arg(label.height());
            return QList<QImage>();
        }
        const QRegularExpressionMatch width = printWidth.match(text, at);
        const int next = text.indexOf("~DG", at);
        if (width.hasMatch() && (next < 0 || width.capturedStart() < next))
            label = label.copy(0, 0, qMin(width.captured(1).toInt(), label.width()), label.height());
        labels << label;
    }
    if (labels.isEmpty())
        *error = "no ZPL graphic";
    return labels;
}

#endif // LABELLANGUAGE_H
