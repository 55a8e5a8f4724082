// Sweeps QR code contents, item sizes and output resolutions, renders the
// item as exported images and printed pages do and reads every code back
// with zbar. Prints how many codes decode per resolution and size, in the
// image and in the printed PDF, split by whether one module spans at least
// two device pixels. Exits with 1 when any code of two or more pixels per
// module fails in either.
//
//   qrsweep [--baseline] [--all] [--step N] [dpi ...]
//
// --baseline draws a plain pixmap item with the item's pixmap instead of
// the item itself, for comparison. --step N takes every Nth length above 60
// (default 7). Without dpi arguments the resolutions of the page settings
// are swept. Reading time grows with the square of the resolution, so from
// about 1000 dpi on only every (dpi squared / 720000)th length is tried
// (every 2nd at 1200 dpi, every 22nd at 4000 dpi), unless --all is given.
// Printing a code costs several times as much as rendering it into an
// image, so the PDF column takes every 4th of those lengths, and the
// largest, unless --all is given.
//
// The image column renders each code alone into an image, as PNG export
// does. The PDF column prints the codes through QPrinter's PDF engine, which
// Qt's CUPS printing uses too, many codes to a page, rasterises each page
// with pdftoppm at the same resolution without antialiasing, as a label
// printer's rasteriser does, and reads all codes of a page at once.

#include "items/qrcodeitem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <memory>

#include <qrencode.h>
#include <zbar.h>

// zbar.h puts its C interface into this namespace when compiled as C++.
using namespace zbar;

namespace {

const char Sentence[] = "the quick brown fox jumps over the lazy dog ";

// A rasterised page is held by pdftoppm, then by the reader about three
// times over (the image, zbar's copy and its binarised copy); pages of at
// most this many pixels keep that well below 2 GB.
const double MaxPagePixels = 200e6;

// Codes on one page: zbar pairs finder patterns across the whole image, so
// many more codes make a page slow to read.
const int MaxPageCodes = 25;

// The PDF column takes every this many of the image column's lengths.
const int PdfStride = 4;

// The quiet zone around every printed code, in modules of the coarsest one.
const int QuietModules = 4;

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

// The module count of a swept content; encoding large symbols is slow and
// every length is asked for many times.
int modulesOf(int length)
{
    static QHash<int, int> counts;
    auto found = counts.find(length);
    if (found == counts.end())
        found = counts.insert(length, moduleCount(content(length)));
    return found.value();
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

struct Symbol
{
    QByteArray data;
    QPointF centre;
};

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

    // Every symbol zbar finds in the image, with the centre of its corners.
    QVector<Symbol> decode(const QImage &image)
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
        QVector<Symbol> symbols;
        if (zbar_scan_image(m_scanner, zimage) > 0) {
            for (const zbar_symbol_t *symbol = zbar_image_first_symbol(zimage); symbol;
                 symbol = zbar_symbol_next(symbol)) {
                const unsigned corners = zbar_symbol_get_loc_size(symbol);
                QPointF centre;
                for (unsigned i = 0; i < corners; ++i)
                    centre += QPointF(zbar_symbol_get_loc_x(symbol, i), zbar_symbol_get_loc_y(symbol, i));
                if (corners > 0)
                    centre /= corners;
                symbols.append({QByteArray(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol)),
                                centre});
            }
        }
        zbar_image_destroy(zimage);
        return symbols;
    }

private:
    zbar_image_scanner_t *m_scanner;
};

struct Tally
{
    int decoded = 0;
    int total = 0;
};

// Adds the code of text at its size and position: the item itself, or for
// the baseline a plain pixmap item showing the item's pixmap.
void addCode(QGraphicsScene *scene, const QString &text, const QSize &size, const QPointF &position, bool baseline)
{
    auto *item = new QRCodeItem(QPoint(0, 0), scene);
    item->setPlainText(text);
    item->setShear(size.width(), size.height());
    item->setPos(position);
    if (baseline) {
        auto *plain = new QGraphicsPixmapItem(item->pixmap());
        plain->setPos(position);
        delete item;
        scene->addItem(plain);
    }
}

// The fraction of a unit by which a code is moved so that module edges
// meet the pixel grid at different phases for different lengths.
QPointF phase(int length)
{
    return QPointF(std::fmod(length * 0.37, 1.0), std::fmod(length * 0.61, 1.0));
}

// Renders one code with a quiet zone around it at the resolution, as image
// export does, and reads it back.
bool decodesImage(Reader *reader, const QSize &size, double dpi, int length, bool baseline)
{
    const QString text = content(length);
    const int n = modulesOf(length);
    const double scale = dpi / 72.0;
    const double margin = 4.0 * qMax(size.width(), size.height()) / n + 2.0;
    const QSizeF sceneSize(size.width() + 2 * margin + 1, size.height() + 2 * margin + 1);
    QGraphicsScene scene(QRectF(QPointF(0, 0), sceneSize));
    addCode(&scene, text, size, QPointF(margin, margin) + phase(length), baseline);
    scene.clearSelection();

    const QSizeF target = sceneSize * scale;
    QImage image(int(std::ceil(target.width())), int(std::ceil(target.height())), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), target), QRectF(), Qt::KeepAspectRatio);
    painter.end();

    const QByteArray expected = text.toLocal8Bit();
    for (const Symbol &symbol : reader->decode(image)) {
        if (symbol.data == expected)
            return true;
    }
    return false;
}

// One printed page: its size in points and where each content's code lies,
// a cell around the code and its quiet zone.
struct Page
{
    struct Placement
    {
        int length;
        QPointF position;
        QRectF cell;
    };

    QSize points;
    QVector<Placement> placements;
    QString pdf;
    QString image;
    std::unique_ptr<QProcess> rasteriser;
};

// Lays the codes of the lengths out on as few pages as the limits allow, in
// a grid whose gaps are the quiet zone of the coarsest code. Distinct
// lengths give distinct contents, so a read text tells which code it was.
std::vector<Page> planPages(const QList<int> &lengths, const QSize &size, double dpi, const QString &directory)
{
    int fewestModules = 177;
    for (int length : lengths)
        fewestModules = qMin(fewestModules, modulesOf(length));
    const double gap = QuietModules * double(qMax(size.width(), size.height())) / fewestModules + 2.0;
    const QSizeF pitch(size.width() + gap + 1, size.height() + gap + 1);
    const double scale = dpi / 72.0;

    const auto pageSize = [&](int codes) {
        const int columns = int(std::ceil(std::sqrt(double(codes))));
        const int rows = (codes + columns - 1) / columns;
        return QSize(int(std::ceil(gap + columns * pitch.width())), int(std::ceil(gap + rows * pitch.height())));
    };
    int perPage = MaxPageCodes;
    while (perPage > 1) {
        const QSize points = pageSize(perPage);
        if (points.width() * scale * points.height() * scale <= MaxPagePixels)
            break;
        --perPage;
    }

    std::vector<Page> pages;
    for (int first = 0; first < lengths.size(); first += perPage) {
        const QList<int> onPage = lengths.mid(first, perPage);
        Page page;
        page.points = pageSize(onPage.size());
        const int columns = int(std::ceil(std::sqrt(double(onPage.size()))));
        for (int i = 0; i < onPage.size(); ++i) {
            const QPointF origin(gap + (i % columns) * pitch.width(), gap + (i / columns) * pitch.height());
            page.placements.append({onPage.at(i), origin + phase(onPage.at(i)),
                                    QRectF(origin - QPointF(gap / 2, gap / 2), pitch)});
        }
        const QString name = QStringLiteral("%1/page%2").arg(directory).arg(pages.size());
        page.pdf = name + QLatin1String(".pdf");
        page.image = name + QLatin1String(".pgm");
        pages.push_back(std::move(page));
    }
    return pages;
}

// Prints the page's codes through QPrinter's PDF engine at the resolution,
// on a page of exactly the page's size without margins.
bool printPage(const Page &page, const QSize &size, double dpi, bool baseline)
{
    QGraphicsScene scene(QRectF(QPointF(0, 0), QSizeF(page.points)));
    for (const Page::Placement &placement : page.placements)
        addCode(&scene, content(placement.length), size, placement.position, baseline);
    scene.clearSelection();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(page.pdf);
    printer.setResolution(qRound(dpi));
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(page.points, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(page.points) * (dpi / 72.0)), scene.sceneRect(),
                 Qt::IgnoreAspectRatio);
    return painter.end();
}

// Starts pdftoppm on the page's PDF; it writes the page's image as a plain
// PGM, since compressing a PNG took about as long as rasterising the page.
void startRasteriser(Page *page, const QString &pdftoppm, double dpi)
{
    page->rasteriser.reset(new QProcess);
    QString prefix = page->image;
    prefix.chop(4);
    page->rasteriser->start(pdftoppm, {QStringLiteral("-r"), QString::number(qRound(dpi)), QStringLiteral("-gray"),
                                       QStringLiteral("-aa"), QStringLiteral("no"),
                                       QStringLiteral("-aaVector"), QStringLiteral("no"),
                                       QStringLiteral("-singlefile"), page->pdf, prefix});
}

// Waits for the page's image and reads it; the lengths whose exact content
// was read within the code's own cell.
QSet<int> readPage(Reader *reader, Page *page, double dpi, QTextStream &out)
{
    QSet<int> decoded;
    const bool rasterised = page->rasteriser->waitForFinished(-1)
        && page->rasteriser->exitStatus() == QProcess::NormalExit && page->rasteriser->exitCode() == 0;
    if (!rasterised) {
        out << "       pdftoppm failed on " << page->pdf << ": "
            << page->rasteriser->readAllStandardError().trimmed() << '\n';
    } else {
        const QImage image(page->image);
        const double scale = dpi / 72.0;
        const QVector<Symbol> symbols = reader->decode(image);
        for (const Page::Placement &placement : page->placements) {
            const QByteArray expected = content(placement.length).toLocal8Bit();
            const QRectF cell(placement.cell.topLeft() * scale, placement.cell.size() * scale);
            for (const Symbol &symbol : symbols) {
                if (symbol.data == expected && cell.contains(symbol.centre)) {
                    decoded.insert(placement.length);
                    break;
                }
            }
        }
    }
    page->rasteriser.reset();
    QFile::remove(page->pdf);
    QFile::remove(page->image);
    return decoded;
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

    QTextStream out(stdout);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir directory;
    if (pdftoppm.isEmpty() || !directory.isValid()) {
        out << "pdftoppm (poppler-utils) and a temporary folder are needed for the PDF column\n";
        return 2;
    }

    const int largest = largestLength();
    QList<int> lengths;
    for (int length = 1; length <= largest; length += length < 60 ? 1 : step)
        lengths << length;
    if (lengths.last() != largest)
        lengths << largest;
    const QList<QSize> sizes = {QSize(50, 50), QSize(100, 100), QSize(80, 50)};

    out << (baseline ? "Plain pixmap item" : "QR code item") << ", up to " << lengths.size()
        << " content lengths from 1 to " << largest << " bytes\n";
    out << QString("%1 %2 %3 %4 %5 %6 %7 %8\n").arg("dpi", 6).arg("size", 8).arg("PNG >= 2 px", 12)
               .arg("PDF >= 2 px", 12).arg("PNG < 2 px", 12).arg("PDF < 2 px", 12).arg("pages", 6)
               .arg("seconds", 8);
    out.flush();

    Reader reader;
    bool complete = true;
    QStringList strides;
    for (double dpi : resolutions) {
        const int stride = all ? 1 : qMax(1, qRound(dpi * dpi / 720000.0));
        if (stride > 1)
            strides << QStringLiteral("%1 at %2 dpi").arg(stride).arg(dpi);
        QList<int> tried;
        for (int i = 0; i < lengths.size(); ++i) {
            if (i % stride == 0 || i == lengths.size() - 1)
                tried << lengths.at(i);
        }
        for (const QSize &size : sizes) {
            QElapsedTimer timer;
            timer.start();

            // pdftoppm rasterises the next page while this process reads.
            QList<int> printed;
            for (int i = 0; i < tried.size(); ++i) {
                if (all || i % PdfStride == 0 || i == tried.size() - 1)
                    printed << tried.at(i);
            }
            std::vector<Page> pages = planPages(printed, size, dpi, directory.path());
            for (Page &page : pages) {
                if (!printPage(page, size, dpi, baseline)) {
                    out << "Cannot print " << page.pdf << '\n';
                    return 2;
                }
            }
            startRasteriser(&pages.front(), pdftoppm, dpi);

            Tally image[2];
            Tally pdf[2];
            QStringList imageFailures;
            QStringList pdfFailures;
            QSet<int> imageDecoded;
            for (int length : tried) {
                if (decodesImage(&reader, size, dpi, length, baseline))
                    imageDecoded.insert(length);
            }
            QSet<int> pdfDecoded;
            for (size_t i = 0; i < pages.size(); ++i) {
                if (i + 1 < pages.size())
                    startRasteriser(&pages[i + 1], pdftoppm, dpi);
                pdfDecoded += readPage(&reader, &pages[i], dpi, out);
            }

            for (int length : tried) {
                const double modulePixels = qMin(size.width(), size.height()) * dpi / 72.0
                    / modulesOf(length);
                const bool large = modulePixels >= 2.0;
                ++image[large].total;
                if (imageDecoded.contains(length))
                    ++image[large].decoded;
                else if (large)
                    imageFailures << QString::number(length);
                if (!printed.contains(length))
                    continue;
                ++pdf[large].total;
                if (pdfDecoded.contains(length))
                    ++pdf[large].decoded;
                else if (large)
                    pdfFailures << QString::number(length);
            }
            complete = complete && imageFailures.isEmpty() && pdfFailures.isEmpty();
            out << QString("%1 %2 %3 %4 %5 %6 %7 %8\n").arg(dpi, 6)
                       .arg(QString("%1x%2").arg(size.width()).arg(size.height()), 8)
                       .arg(ratio(image[1]), 12).arg(ratio(pdf[1]), 12).arg(ratio(image[0]), 12)
                       .arg(ratio(pdf[0]), 12).arg(pages.size(), 6).arg(timer.elapsed() / 1000.0, 8, 'f', 1);
            if (!imageFailures.isEmpty())
                out << "       PNG failed lengths: " << imageFailures.join(' ') << '\n';
            if (!pdfFailures.isEmpty())
                out << "       PDF failed lengths: " << pdfFailures.join(' ') << '\n';
            out.flush();
        }
    }
    out << "PNG: each code alone in an image rendered at the resolution. PDF: QPrinter PDF pages at the\n"
           "resolution, at most " << MaxPageCodes << " codes and " << MaxPagePixels / 1e6
        << " million pixels a page, each code with a quiet zone of at least " << QuietModules << " modules,\n"
           "rasterised by pdftoppm -r <dpi> -gray -aa no -aaVector no (no antialiasing, as label printers).\n";
    if (!strides.isEmpty())
        out << "Every Nth length only, in both columns: N = " << strides.join(QLatin1String(", ")) << ".\n";
    if (!all)
        out << "PDF: every " << PdfStride << "th length of the PNG column's and the largest (--all: every one).\n";
    return complete ? 0 : 1;
}
