#include "barcodeitem.h"

#include "dialogs/barcodeitemdialog.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

#include <cmath>

#include <zint.h>

namespace {

const QString DefaultText = QStringLiteral("{%code%}");
// The share of a linear code's height that its text line takes.
const double TextShare = 0.2;

struct Symbol
{
    QVector<QBitArray> modules;
    QString text;
    QString error;
};

Symbol encodeSymbol(BarcodeItem::Symbology symbology, const QString &text)
{
    Symbol result;
    zint_symbol *symbol = ZBarcode_Create();
    if (!symbol) {
        result.error = BarcodeItem::tr("Out of memory.");
        return result;
    }
    symbol->symbology = symbology;
    symbol->input_mode = UNICODE_MODE;
    const QByteArray bytes = text.toUtf8();
    // Warnings (below ZINT_ERROR) still give a code that reads.
    if (ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size()) >= ZINT_ERROR
        || symbol->rows < 1 || symbol->width < 1) {
        result.error = QString::fromUtf8(symbol->errtxt);
    } else {
        // libzint keeps each row's modules as bits, the first module lowest.
        result.modules.fill(QBitArray(symbol->width), symbol->rows);
        for (int y = 0; y < symbol->rows; ++y) {
            for (int x = 0; x < symbol->width; ++x)
                result.modules[y].setBit(x, (symbol->encoded_data[y][x >> 3] >> (x & 7)) & 1);
        }
        result.text = QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
    }
    ZBarcode_Delete(symbol);
    return result;
}

// Edges of n equal modules from start over extent along one axis, moved
// onto whole device pixels when the painter maps that axis onto one of the
// device's: every module then has the same whole width, and the code is
// centred where the extent leaves pixels over. scale and offset map item
// coordinates to device coordinates.
QVector<double> moduleEdges(double start, double extent, int n, double scale, double offset, bool snap)
{
    QVector<double> edges(n + 1);
    for (int i = 0; i <= n; ++i)
        edges[i] = start + i * extent / n;
    if (!snap)
        return edges;
    const double first = std::floor(scale * start + offset + 0.5);
    const double last = std::floor(scale * (start + extent) + offset + 0.5);
    const double span = qAbs(last - first);
    const double pitch = std::floor(span / n);
    // Modules under a pixel cannot be snapped, as on a zoomed-out canvas.
    if (pitch < 1.0)
        return edges;
    const double direction = last < first ? -1.0 : 1.0;
    const double origin = first + direction * std::floor((span - pitch * n) / 2);
    for (int i = 0; i <= n; ++i)
        edges[i] = (origin + direction * pitch * i - offset) / scale;
    return edges;
}

// The dashed frame that Qt's own items draw around a selected item.
void drawSelectionFrame(QPainter *painter, const QStyleOptionGraphicsItem *option, const QRectF &rect)
{
    const QColor foreground = option->palette.windowText().color();
    const QColor background(foreground.red() > 127 ? 0 : 255, foreground.green() > 127 ? 0 : 255,
                            foreground.blue() > 127 ? 0 : 255);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(background, 0, Qt::SolidLine));
    painter->drawRect(rect);
    painter->setPen(QPen(option->palette.windowText(), 0, Qt::DashLine));
    painter->drawRect(rect);
}

} // namespace

BarcodeItem::BarcodeItem(const QPoint &position, QGraphicsScene *scene)
    : SizedItem(150, 60)
    , m_text(DefaultText)
{
    setPos(position);
    encode();
    scene->clearSelection();
    scene->addItem(this);
    setSelected(true);
}

QVector<BarcodeItem::Symbology> BarcodeItem::symbologies()
{
    return {Code128, Gs1_128, Ean13, UpcA, Code39, InterleavedTwoOfFive, DataMatrix, Pdf417, Aztec};
}

bool BarcodeItem::isSymbology(int number)
{
    // Compared as numbers: a number read from a file is no Symbology
    // until it is known to be one.
    const QVector<Symbology> known = symbologies();
    return std::any_of(known.cbegin(), known.cend(), [number](Symbology symbology) { return symbology == number; });
}

QString BarcodeItem::symbologyName(Symbology symbology)
{
    switch (symbology) {
    case Code128: return tr("Code 128");
    case Gs1_128: return tr("GS1-128");
    case Ean13: return tr("EAN-13");
    case UpcA: return tr("UPC-A");
    case Code39: return tr("Code 39");
    case InterleavedTwoOfFive: return tr("Interleaved 2 of 5");
    case DataMatrix: return tr("Data Matrix");
    case Pdf417: return tr("PDF417");
    case Aztec: return tr("Aztec");
    }
    return QString();
}

QString BarcodeItem::validate(Symbology symbology, const QString &text)
{
    return encodeSymbol(symbology, text).error;
}

void BarcodeItem::setPlainText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    changed();
}

void BarcodeItem::setCode(const QString &text, Symbology symbology, bool showText)
{
    if (text == m_text && symbology == m_symbology && showText == m_showText)
        return;
    m_text = text;
    m_symbology = symbology;
    m_showText = showText;
    changed();
}

void BarcodeItem::changed()
{
    encode();
    prepareGeometryChange();
    update();
    emit dirty();
}

void BarcodeItem::encode()
{
    const Symbol symbol = encodeSymbol(m_symbology, m_text);
    m_modules = symbol.modules;
    m_humanText = symbol.text;
    m_error = symbol.error.isEmpty() ? QString()
                                     : tr("The %1 barcode \"%2\" cannot be encoded: %3")
                                           .arg(symbologyName(m_symbology), m_text, symbol.error);
}

void BarcodeItem::edit()
{
    QWidget *parent = nullptr;
    if (scene() && !scene()->views().isEmpty())
        parent = scene()->views().first()->window();
    BarcodeItemDialog dialog(m_text, m_symbology, m_showText, parent);
    if (dialog.exec() == QDialog::Accepted)
        setCode(dialog.text(), dialog.symbology(), dialog.showText());
}

void BarcodeItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *)
{
    edit();
}

void BarcodeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const QRectF code = sizeRect();
    if (code.isEmpty())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (m_modules.isEmpty()) {
        // An outline with a cross, as for a QR code that cannot be encoded.
        painter->setPen(QPen(Qt::red, 0));
        painter->drawRect(code);
        painter->drawLine(code.topLeft(), code.bottomRight());
        painter->drawLine(code.topRight(), code.bottomLeft());
    } else {
        painter->fillRect(code, Qt::white);
        QRectF bars = code;
        if (isLinear() && m_showText && !m_humanText.isEmpty()) {
            bars.setHeight(code.height() * (1.0 - TextShare));
            paintText(painter, QRectF(bars.bottomLeft(), code.bottomRight()));
        }
        paintModules(painter, bars);
    }
    if (option->state & QStyle::State_Selected)
        drawSelectionFrame(painter, option, code);
    painter->restore();
}

void BarcodeItem::paintModules(QPainter *painter, const QRectF &bars) const
{
    const int rows = m_modules.size();
    const int columns = m_modules.first().size();
    // Snapped where the item's axes lie along the device's, never in
    // scalable SVG; other rotations keep the exact geometry.
    const QTransform t = painter->deviceTransform();
    const QPaintEngine::Type engine = painter->paintEngine()->type();
    const bool upright = qFuzzyIsNull(t.m12()) && qFuzzyIsNull(t.m21());
    const bool turned = qFuzzyIsNull(t.m11()) && qFuzzyIsNull(t.m22());
    const bool snap = engine != QPaintEngine::SVG && t.isAffine() && (upright || turned);
    const QVector<double> xs = moduleEdges(bars.left(), bars.width(), columns, upright ? t.m11() : t.m12(),
                                           upright ? t.dx() : t.dy(), snap);
    // A linear code's one row of bars is not snapped as modules: its height
    // matters to no reader.
    const QVector<double> ys = rows == 1 ? QVector<double>{bars.top(), bars.bottom()}
                                         : moduleEdges(bars.top(), bars.height(), rows, upright ? t.m22() : t.m21(),
                                                       upright ? t.dy() : t.dx(), snap);

    // Rasterisers of printed pages fill every pixel a shape touches; dark
    // edges that face light move inwards by a sixteenth of a device pixel
    // so that bars keep their width there, as a QR code's modules do.
    const bool inset = engine != QPaintEngine::Raster && engine != QPaintEngine::SVG;
    const double insetX = inset ? 1.0 / 16 / std::hypot(t.m11(), t.m12()) : 0.0;
    const double insetY = inset ? 1.0 / 16 / std::hypot(t.m21(), t.m22()) : 0.0;
    const auto isDark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < columns && y < rows && m_modules.at(y).testBit(x);
    };
    QPainterPath dark;
    dark.setFillRule(Qt::WindingFill);
    for (int y = 0; y < rows; ++y) {
        int x = 0;
        while (x < columns) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            // One rectangle per stretch of dark modules with the same
            // neighbours above and below.
            const bool lightAbove = !isDark(x, y - 1);
            const bool lightBelow = !isDark(x, y + 1);
            int end = x + 1;
            while (isDark(end, y) && !isDark(end, y - 1) == lightAbove && !isDark(end, y + 1) == lightBelow)
                ++end;
            const double left = xs[x] + (isDark(x - 1, y) ? 0.0 : insetX);
            const double right = xs[end] - (isDark(end, y) ? 0.0 : insetX);
            const double top = ys[y] + (lightAbove ? insetY : 0.0);
            const double bottom = ys[y + 1] - (lightBelow ? insetY : 0.0);
            dark.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
            x = end;
        }
    }
    painter->fillPath(dark, Qt::black);
}

void BarcodeItem::paintText(QPainter *painter, const QRectF &band) const
{
    // Drawn as outlines of a font in pixels: a font in points would be sized
    // by each device's resolution, and the line must fit the band anywhere.
    QFont font("DejaVu Sans");
    font.setPixelSize(100);
    QPainterPath text;
    text.addText(0, 0, font, m_humanText);
    const QRectF glyphs = text.boundingRect();
    if (glyphs.isEmpty())
        return;
    const double scale = qMin(band.height() * 0.8 / glyphs.height(), band.width() / glyphs.width());
    QTransform place;
    place.translate(band.center().x() - glyphs.center().x() * scale, band.bottom() - glyphs.bottom() * scale);
    place.scale(scale, scale);
    painter->fillPath(place.map(text), Qt::black);
}
