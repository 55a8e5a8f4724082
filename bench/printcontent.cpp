// The floor of print mode for examples/parts.qlt: a bare Qt program that
// prints the same page on the default printer, with no label file, scene,
// items or placeholders. Its texts in their fonts at their places, its
// two boxes and a QR code of the same symbol and size are written out
// here, with the values the benchmark gives print mode. The benchmark
// compares both printed pages.

#include <QApplication>
#include <QDate>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QVector>

#include <qrencode.h>

namespace {

// The label page in points: 101.6 mm square, the default page setting.
const double PagePoints = 288;

// Items lay text out at the screen's resolution; a font on the printer
// gets the printer's, so sizes are scaled to match.
QFont labelFont(double points, bool bold, double printerDpi)
{
    QFont font("DejaVu Sans");
    font.setPointSizeF(points * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / printerDpi);
    font.setBold(bold);
    return font;
}

// A text item lays its lines out inside a 4-point document margin, one
// font height apart.
void drawText(QPainter *painter, const QPointF &position, const QFont &font, const QString &text)
{
    painter->setFont(font);
    const QFontMetricsF metrics = painter->fontMetrics();
    QPointF baseline = position + QPointF(4, 4 + metrics.ascent());
    for (const QString &line : text.split('\n')) {
        painter->drawText(baseline, line);
        baseline.ry() += metrics.height();
    }
}

// The same symbol as the program's: version 2 or larger, level Q.
bool drawQrCode(QPainter *painter, const QRectF &rect, const QByteArray &text)
{
    QRcode *code = QRcode_encodeString(text.constData(), 2, QR_ECLEVEL_Q, QR_MODE_8, 1);
    if (!code)
        return false;
    const int n = code->width;
    const double module = rect.width() / n;
    QVector<QRectF> dark;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (code->data[y * n + x] & 1)
                dark << QRectF(rect.x() + x * module, rect.y() + y * module, module, module);
        }
    }
    QRcode_free(code);
    painter->fillRect(rect, Qt::white);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawRects(dark);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString code = "ABC";
    const QString serial = "0042";
    const QString date = QDate::currentDate().toString("yyyy-MM-dd");

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(
        QPageSize(QSizeF(101.6, 101.6), QPageSize::Millimeter, "POSTEK C168/300s", QPageSize::FuzzyMatch));
    printer.setResolution(300);
    QPainter painter;
    if (!painter.begin(&printer))
        return 3;
    // The page fitted into the printable area, centred, as a scene renders.
    const double scale = qMin(printer.width(), printer.height()) / PagePoints;
    painter.translate((printer.width() - PagePoints * scale) / 2, (printer.height() - PagePoints * scale) / 2);
    painter.scale(scale, scale);

    // Bottom to top, as the label stacks its items.
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(QRectF(7, 7, 272, 272));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QBrush(Qt::black, Qt::Dense4Pattern));
    painter.drawRect(QRectF(7, 7, 272, 40));
    painter.setPen(Qt::black);
    const double dpi = printer.logicalDpiY();
    drawText(&painter, QPointF(20, 60), labelFont(18, true, dpi), "QUILLET PARTS");
    drawText(&painter, QPointF(20, 100), labelFont(11, false, dpi), QString("Serial %1\nPrinted %2").arg(serial, date));
    if (!drawQrCode(&painter, QRectF(150, 150, 110, 110), code.toLocal8Bit()))
        return 3;
    painter.setPen(Qt::black);
    drawText(&painter, QPointF(20, 240), labelFont(9, false, dpi), QString("Code %1").arg(code));
    return painter.end() ? 0 : 3;
}
