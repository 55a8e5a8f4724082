#include "qrcodeitem.h"

#include <QApplication>
#include <QDebug>
#include <QGraphicsScene>
#include <QImage>
#include <QInputDialog>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <cmath>

#include <qrencode.h>

namespace {

// Encodes text into its modules, one bit array per row; empty when the
// encoder refuses the text (empty, or too long for the largest symbol).
QVector<QBitArray> encodeModules(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    QRcode *code = QRcode_encodeString(bytes.constData(), 2, QR_ECLEVEL_Q, QR_MODE_8, 1);
    if (!code) {
        qDebug().noquote() << QStringLiteral("Encoder %1 to QR code error!").arg(text);
        return {};
    }
    const int n = qMax(code->width, 1);
    QVector<QBitArray> modules(n, QBitArray(n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            modules[y].setBit(x, code->data[y * n + x] & 1);
    }
    QRcode_free(code);
    return modules;
}

const QString DefaultText = QStringLiteral("{%code%}");

bool isDrawableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= MaximumQRCodeSide && height <= MaximumQRCodeSide;
}

// The pixmap of encoded modules, black on white and filling it edge to
// edge; null when the text gave no symbol.
QPixmap modulePixmap(const QVector<QBitArray> &modules, int width, int height)
{
    // QPainter refuses an empty image; such a size simply shows nothing, and
    // so does one beyond the largest code.
    if (modules.isEmpty() || !isDrawableSize(width, height))
        return QPixmap();

    const int n = modules.size();
    const double moduleWidth = double(width) / n;
    const double moduleHeight = double(height) / n;
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter.setPen(Qt::NoPen);
    painter.drawRect(0, 0, width, height);
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (modules.at(y).testBit(x)) {
                const QRectF rect(x * moduleWidth, y * moduleHeight, moduleWidth, moduleHeight);
                painter.drawRects(&rect, 1);
            }
        }
    }
    painter.end();
    return QPixmap::fromImage(image);
}

// Where modules and background lie along one axis of the item, in item
// coordinates: the n + 1 module edges and the two edges of the white
// background that covers the item.
struct Edges
{
    QVector<double> modules;
    double backgroundStart;
    double backgroundEnd;
};

Edges exactEdges(double extent, int n)
{
    Edges edges{QVector<double>(n + 1), 0.0, extent};
    for (int i = 0; i <= n; ++i)
        edges.modules[i] = i * extent / n;
    return edges;
}

// A module one pixel wider than its neighbours distorts the finder patterns
// when modules span only a few pixels, and readers then fail. For modules
// that small, while the pixels left over by whole-pixel modules stay below
// this share of a pixel per module, all modules get the same whole size and
// the code is centred on the item. Otherwise the wider modules are spread
// evenly, so that the code keeps its true size within a pixel.
const double MaxSparePerModule = 0.3;
const double FewPixelsPerModule = 4.0;

// Moves the edges of one axis onto whole device pixels; scale and offset
// map item coordinates of this axis to device coordinates.
void snapEdges(Edges *edges, double scale, double offset)
{
    const auto toDevice = [=](double x) { return std::floor(scale * x + offset + 0.5); };
    const auto toItem = [=](double d) { return (d - offset) / scale; };
    const double first = toDevice(edges->backgroundStart);
    const double last = toDevice(edges->backgroundEnd);
    const double direction = last < first ? -1.0 : 1.0;
    const int n = edges->modules.size() - 1;
    const double span = qAbs(last - first);
    const double pitch = std::floor(span / n);
    const double spare = span - pitch * n;
    if (pitch >= 1.0 && pitch < FewPixelsPerModule && spare < MaxSparePerModule * n) {
        const double start = first + direction * std::floor(spare / 2);
        for (int i = 0; i <= n; ++i)
            edges->modules[i] = toItem(start + direction * pitch * i);
    } else {
        for (double &edge : edges->modules)
            edge = toItem(toDevice(edge));
    }
    edges->backgroundStart = toItem(first);
    edges->backgroundEnd = toItem(last);
}

// Snaps the edges to device pixels when the painter maps the item's axes
// onto the device's axes (scaled, mirrored or turned by quarter turns).
// Other rotations keep the exact edges. SVG output is scalable, so its
// geometry stays exact as well.
void snapToDevicePixels(const QPainter *painter, Edges *columns, Edges *rows)
{
    if (painter->paintEngine()->type() == QPaintEngine::SVG)
        return;
    const QTransform t = painter->deviceTransform();
    if (!t.isAffine())
        return;
    const double tolerance = 1e-9 * (qAbs(t.m11()) + qAbs(t.m12()) + qAbs(t.m21()) + qAbs(t.m22()));
    if (qAbs(t.m12()) <= tolerance && qAbs(t.m21()) <= tolerance) {
        if (qAbs(t.m11()) <= tolerance || qAbs(t.m22()) <= tolerance)
            return;
        snapEdges(columns, t.m11(), t.dx());
        snapEdges(rows, t.m22(), t.dy());
    } else if (qAbs(t.m11()) <= tolerance && qAbs(t.m22()) <= tolerance) {
        if (qAbs(t.m12()) <= tolerance || qAbs(t.m21()) <= tolerance)
            return;
        snapEdges(columns, t.m12(), t.dy());
        snapEdges(rows, t.m21(), t.dx());
    }
}

// The dashed frame that QGraphicsPixmapItem draws around a selected pixmap.
void drawSelectionFrame(QPainter *painter, const QStyleOptionGraphicsItem *option, const QRectF &rect)
{
    const QColor foreground = option->palette.windowText().color();
    const QColor background(foreground.red() > 127 ? 0 : 255,
                            foreground.green() > 127 ? 0 : 255,
                            foreground.blue() > 127 ? 0 : 255);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(background, 0, Qt::SolidLine));
    painter->drawRect(rect);
    painter->setPen(QPen(option->palette.windowText(), 0, Qt::DashLine));
    painter->drawRect(rect);
}

} // namespace

QPixmap renderQRCode(const QString &text, int width, int height)
{
    return modulePixmap(encodeModules(text), width, height);
}

QRCodeItem::QRCodeItem(const QPoint &position, QGraphicsScene *scene)
    : m_text(DefaultText)
{
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
    setPos(position);
    encodeText();
    scene->clearSelection();
    scene->addItem(this);
    setSelected(true);
}

void QRCodeItem::setPlainText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updatePixmap();
}

void QRCodeItem::updatePixmap()
{
    encodeText();
    prepareGeometryChange();
    update();
    emit dirty();
}

QString QRCodeItem::encodingError() const
{
    if (!m_modules.isEmpty())
        return QString();
    if (m_text.isEmpty())
        return tr("A QR code is empty: there is nothing to encode.");
    return tr("A QR code's content of %1 bytes is longer than a QR code holds.").arg(m_text.toLocal8Bit().size());
}

QRectF QRCodeItem::codeRect() const
{
    if (!isDrawableSize(m_shearHorizontal, m_shearVertical))
        return QRectF();
    return QRectF(0, 0, m_shearHorizontal, m_shearVertical);
}

QRectF QRCodeItem::boundingRect() const
{
    // Half a pixel around the code for the selection frame, as a selectable
    // pixmap item has.
    const QRectF code = codeRect();
    return code.isEmpty() ? code : code.adjusted(-0.5, -0.5, 0.5, 0.5);
}

QPainterPath QRCodeItem::shape() const
{
    QPainterPath path;
    path.addRect(codeRect());
    return path;
}

bool QRCodeItem::contains(const QPointF &point) const
{
    return codeRect().contains(point);
}

void QRCodeItem::setAngle(double angle)
{
    if (!isSelected() || qFuzzyCompare(m_angle, angle))
        return;
    m_angle = angle;
    setTransform(QTransform().rotate(angle, Qt::ZAxis));
}

void QRCodeItem::setShearHorizontal(int shearHorizontal)
{
    setShear(shearHorizontal, m_shearVertical);
}

void QRCodeItem::setShearVertical(int shearVertical)
{
    setShear(m_shearHorizontal, shearVertical);
}

void QRCodeItem::setShear(int shearHorizontal, int shearVertical)
{
    if (!isSelected() || (shearHorizontal == m_shearHorizontal && shearVertical == m_shearVertical))
        return;
    m_shearHorizontal = shearHorizontal;
    m_shearVertical = shearVertical;
    updatePixmap();
}

void QRCodeItem::edit()
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activePopupWidget(),
                                               QCoreApplication::applicationName(),
                                               tr("QR barcode:"), QLineEdit::Normal, m_text, &ok);
    if (!ok || text.isEmpty() || text == m_text)
        return;
    m_text = text;
    updatePixmap();
}

QVariant QRCodeItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    switch (change) {
    case ItemPositionChange:
    case ItemPositionHasChanged:
    case ItemTransformChange:
    case ItemTransformHasChanged:
        emit dirty();
        break;
    default:
        break;
    }
    return QGraphicsItem::itemChange(change, value);
}

void QRCodeItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *)
{
    edit();
}

void QRCodeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const QRectF code = codeRect();
    if (code.isEmpty())
        return;
    if (m_modules.isEmpty())
        paintUnencodable(painter, code);
    else
        paintModules(painter, code.size());
    if (option->state & QStyle::State_Selected) {
        painter->save();
        drawSelectionFrame(painter, option, code);
        painter->restore();
    }
}

void QRCodeItem::paintUnencodable(QPainter *painter, const QRectF &bounds) const
{
    // An outline with a cross keeps the item visible and easy to pick while
    // its content gives no code.
    painter->save();
    painter->setPen(QPen(Qt::red, 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(bounds);
    painter->drawLine(bounds.topLeft(), bounds.bottomRight());
    painter->drawLine(bounds.topRight(), bounds.bottomLeft());
    painter->restore();
}

void QRCodeItem::paintModules(QPainter *painter, const QSizeF &size) const
{
    // Modules are drawn from the symbol rather than by scaling a pixmap:
    // scaled pixmap pixels and antialiased edges both blur module borders
    // at printer resolutions until readers fail.
    const int n = m_modules.size();
    Edges columns = exactEdges(size.width(), n);
    Edges rows = exactEdges(size.height(), n);
    snapToDevicePixels(painter, &columns, &rows);

    // Rasterisers of printed pages (poppler, Ghostscript) fill every pixel a
    // shape touches, its far edge included, so a dark area would grow by a
    // pixel and distort modules only a few pixels wide. For such devices the
    // dark edges that face light modules move inwards by a sixteenth of a
    // device pixel; dark neighbours still meet without a seam.
    const QPaintEngine::Type engine = painter->paintEngine()->type();
    const bool inset = engine != QPaintEngine::Raster && engine != QPaintEngine::SVG;
    const QTransform t = painter->deviceTransform();
    const double insetX = inset ? 1.0 / 16 / std::hypot(t.m11(), t.m12()) : 0.0;
    const double insetY = inset ? 1.0 / 16 / std::hypot(t.m21(), t.m22()) : 0.0;
    const auto isDark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < n && y < n && m_modules.at(y).testBit(x);
    };

    QPainterPath dark;
    dark.setFillRule(Qt::WindingFill);
    for (int y = 0; y < n; ++y) {
        int x = 0;
        while (x < n) {
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
            const double left = columns.modules[x] + (isDark(x - 1, y) ? 0.0 : insetX);
            const double right = columns.modules[end] - (isDark(end, y) ? 0.0 : insetX);
            const double top = rows.modules[y] + (lightAbove ? insetY : 0.0);
            const double bottom = rows.modules[y + 1] - (lightBelow ? insetY : 0.0);
            dark.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
            x = end;
        }
    }

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(QRectF(QPointF(columns.backgroundStart, rows.backgroundStart),
                             QPointF(columns.backgroundEnd, rows.backgroundEnd)).normalized(),
                      Qt::white);
    painter->fillPath(dark, Qt::black);
    painter->restore();
}

void QRCodeItem::encodeText()
{
    if (m_text == m_encodedText)
        return;
    // Every new item starts with the default text, and a label being read
    // replaces it at once: one shared encoding serves them all.
    static const QVector<QBitArray> defaultModules = encodeModules(DefaultText);
    m_modules = m_text == DefaultText ? defaultModules : encodeModules(m_text);
    m_encodedText = m_text;
}
