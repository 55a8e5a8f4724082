#ifndef LABELLANGUAGE_H
#define LABELLANGUAGE_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <cctype>
#include <cstring>

// A decoder of what CUPS's sample Zebra driver sends to the printer, back
// into one image per label (pixel index 1 where a dot is printed). It knows
// exactly the commands the driver emits and fails with the reason on anything
// else, so that a change in the driver shows as an error, not a wrong picture.

inline QImage blankLabelImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

// Zebra ZPL: a graphic per label, ~DG name,bytes,bytes per row, then hex
// digits where G-Y repeat the next 1-19 times and g-z 20-400 times, ","
// fills the row with 0 and "!" with 1, ":" repeats the row before; a ^PW
// after it cuts the image to the printed width.
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
