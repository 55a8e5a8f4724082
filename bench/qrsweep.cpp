// Sweeps QR code contents, item sizes and output resolutions, renders the
// item as page output does and reads every code back with zbar. Prints how
// many codes decode per resolution and size, split by whether one module
// spans at least two device pixels.
//
//   qrsweep [--baseline] [--all] [--step N] [dpi ...]
//
// --baseline draws a plain pixmap item with the item's pixmap instead of
// the item itself, for comparison. --step N takes every Nth length above 60
// (default 7). Without dpi arguments the resolutions of the page settings
// are swept. Reading time grows with the square of the resolution, so from
// about 1000 dpi on only every (dpi squared / 720000)th length is tried
// (every 2nd at 1200 dpi, every 22nd at 4000 dpi), unless --all is given.

#include "items/qrcodeitem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cmath>

#include <qrencode.h>
#include <zbar.h>

// zbar.h puts its C interface into this namespace when compiled as C++.
using namespace zbar;

namespace {

const char Sentence[] = "the quick brown fox jumps over the lazy dog ";

QString content(int length)
{
    QString text;
    while (text.size() < length)
        text += QLatin1String(Sentence);
    return text.left(length);
}

// Modules per side with the item's encoder settings, 0 when not encodable.
int moduleCount(const QString &text)
{
    QRcode *code = QRcode_encodeString(text.toLocal8Bit().constData(), 2, QR_ECLEVEL_Q, QR_MODE_8, 1);
    const int n = code ? code->width : 0;
    QRcode_free(code);
    return n;
}

// Longer contents need at least as many bytes, so a bisection finds the
// largest one that still encodes.
int largestLength()
{
    int fits = 1;
    int fails = 8192;
    while (fails - fits > 1) {
        const int middle = (fits + fails) / 2;
        if (moduleCount(content(middle)) > 0)
            fits = middle;
        else
            fails = middle;
    }
    return fits;
}

class Reader
{
public:
    Reader() : m_scanner(zbar_image_scanner_create())
    {
        zbar_image_scanner_set_config(m_scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
        zbar_image_scanner_set_config(m_scanner, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
        zbar_image_scanner_set_config(m_scanner, ZBAR_QRCODE, ZBAR_CFG_BINARY, 1);
    }
    ~Reader() { zbar_image_scanner_destroy(m_scanner); }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    QByteArray decode(const QImage &image)
    {
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        QByteArray pixels;
        pixels.reserve(grey.width() * grey.height());
        for (int y = 0; y < grey.height(); ++y)
            pixels.append(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());

        zbar_image_t *zimage = zbar_image_create();
        zbar_image_set_format(zimage, zbar_fourcc('Y', '8', '0', '0'));
        zbar_image_set_size(zimage, grey.width(), grey.height());
        zbar_image_set_data(zimage, pixels.constData(), pixels.size(), nullptr);
        QByteArray result;
        if (zbar_scan_image(m_scanner, zimage) > 0) {
            const zbar_symbol_t *symbol = zbar_image_first_symbol(zimage);
            result = QByteArray(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol));
        }
        zbar_image_destroy(zimage);
        return result;
    }

private:
    zbar_image_scanner_t *m_scanner;
};

struct Tally
{
    int decoded = 0;
    int total = 0;
};

struct Case
{
    QSize size;
    double dpi;
    int length;
};

// Renders one code with a quiet zone around it at the case's resolution
// and reads it back; the position's fraction of a unit varies with the
// length so that module edges meet the pixel grid at different phases.
bool decodes(Reader *reader, const Case &c, bool baseline, double *modulePixels)
{
    const QString text = content(c.length);
    const int n = moduleCount(text);
    const double scale = c.dpi / 72.0;
    *modulePixels = qMin(c.size.width(), c.size.height()) * scale / n;

    const double margin = 4.0 * qMax(c.size.width(), c.size.height()) / n + 2.0;
    const QPointF position(margin + std::fmod(c.length * 0.37, 1.0), margin + std::fmod(c.length * 0.61, 1.0));
    const QSizeF sceneSize(c.size.width() + 2 * margin + 1, c.size.height() + 2 * margin + 1);
    QGraphicsScene scene(QRectF(QPointF(0, 0), sceneSize));
    auto *item = new QRCodeItem(QPoint(0, 0), &scene);
    item->setPlainText(text);
    item->setShear(c.size.width(), c.size.height());
    item->setPos(position);
    if (baseline) {
        auto *plain = new QGraphicsPixmapItem(item->pixmap());
        plain->setPos(position);
        delete item;
        scene.addItem(plain);
    }
    scene.clearSelection();

    const QSizeF target = sceneSize * scale;
    QImage image(int(std::ceil(target.width())), int(std::ceil(target.height())), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), target), QRectF(), Qt::KeepAspectRatio);
    painter.end();

    return reader->decode(image) == text.toLocal8Bit();
}

QString ratio(const Tally &tally)
{
    if (tally.total == 0)
        return QStringLiteral("-");
    return QStringLiteral("%1/%2").arg(tally.decoded).arg(tally.total);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bool baseline = false;
    bool all = false;
    int step = 7;
    QList<double> resolutions;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--baseline"))
            baseline = true;
        else if (arguments.at(i) == QLatin1String("--all"))
            all = true;
        else if (arguments.at(i) == QLatin1String("--step") && i + 1 < arguments.size())
            step = qMax(1, arguments.at(++i).toInt());
        else
            resolutions << arguments.at(i).toDouble();
    }
    if (resolutions.isEmpty())
        resolutions = {72, 96, 144, 300, 600, 1200, 2400, 3600, 4000};

    const int largest = largestLength();
    QList<int> lengths;
    for (int length = 1; length <= largest; length += length < 60 ? 1 : step)
        lengths << length;
    if (lengths.last() != largest)
        lengths << largest;
    const QList<QSize> sizes = {QSize(50, 50), QSize(100, 100), QSize(80, 50)};

    QTextStream out(stdout);
    out << (baseline ? "Plain pixmap item" : "QR code item") << ", up to " << lengths.size()
        << " content lengths from 1 to " << largest << " bytes\n";
    out << QString("%1 %2 %3 %4 %5\n").arg("dpi", 6).arg("size", 8).arg("module >= 2 px", 16)
               .arg("module < 2 px", 16).arg("seconds", 8);
    out.flush();

    Reader reader;
    bool complete = true;
    for (double dpi : resolutions) {
        const int stride = all ? 1 : qMax(1, qRound(dpi * dpi / 720000.0));
        QList<int> tried;
        for (int i = 0; i < lengths.size(); ++i) {
            if (i % stride == 0 || i == lengths.size() - 1)
                tried << lengths.at(i);
        }
        for (const QSize &size : sizes) {
            QElapsedTimer timer;
            timer.start();
            Tally large;
            Tally small;
            QStringList failures;
            for (int length : tried) {
                double modulePixels = 0.0;
                const bool ok = decodes(&reader, {size, dpi, length}, baseline, &modulePixels);
                Tally &tally = modulePixels >= 2.0 ? large : small;
                ++tally.total;
                if (ok)
                    ++tally.decoded;
                else if (modulePixels >= 2.0)
                    failures << QString::number(length);
            }
            complete = complete && large.decoded == large.total;
            out << QString("%1 %2 %3 %4 %5\n").arg(dpi, 6).arg(QString("%1x%2").arg(size.width()).arg(size.height()), 8)
                       .arg(ratio(large), 16).arg(ratio(small), 16).arg(timer.elapsed() / 1000.0, 8, 'f', 1);
            if (!failures.isEmpty())
                out << "       failed lengths: " << failures.join(' ') << '\n';
            out.flush();
        }
    }
    return complete ? 0 : 1;
}
