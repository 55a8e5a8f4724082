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
    if (!code)
        return {};
    const int n = qMax(code->width, 1);
    QVector<QBitArray> modules(n, QBitArray(n));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            modules[y].setBit(x, code->data[y * n + x] & 1);
    }
    QRcode_free(code);
    return modules;
}

QPixmap modulePixmap(const QVector<QBitArray> &modules, const QString &text, int width, int height)
{
    if (modules.isEmpty()) {
        qDebug().noquote() << QStringLiteral("Encoder %1 to QR code error!").arg(text);
        return QPixmap();
    }
    // QPainter refuses an empty image; such a size simply shows nothing.
    if (width <= 0 || height <= 0)
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

// Moves every edge to the nearest position that the transform maps onto a
// whole device pixel; scale is the transform's factor along this axis.
void snapEdges(QVector<double> *edges, double scale, double offset)
{
    for (double &edge : *edges)
        edge = (std::floor(scale * edge + offset + 0.5) - offset) / scale;
}

// Snaps the module edges to device pixels when the painter maps the item's
// axes onto the device's axes (scaled, mirrored or turned by quarter turns).
// Other rotations keep the exact edges. SVG output is scalable, so its
// geometry stays exact as well.
void snapToDevicePixels(const QPainter *painter, QVector<double> *columns, QVector<double> *rows)
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
    return modulePixmap(encodeModules(text), text, width, height);
}

QRCodeItem::QRCodeItem(const QPoint &position, QGraphicsScene *scene)
    : m_text(QStringLiteral("{%code%}"))
{
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
    setPos(position);
    encodeText();
    setPixmap(modulePixmap(m_modules, m_text, m_shearHorizontal, m_shearVertical));
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
    setPixmap(modulePixmap(m_modules, m_text, m_shearHorizontal, m_shearVertical));
    update();
    emit dirty();
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
    if (pixmap().isNull() || m_modules.isEmpty())
        return;

    // Modules are drawn from the symbol rather than by scaling the pixmap:
    // scaled pixmap pixels and antialiased edges both blur module borders
    // at printer resolutions until readers fail.
    const int n = m_modules.size();
    const QSizeF size = pixmap().size();
    QVector<double> columns(n + 1);
    QVector<double> rows(n + 1);
    for (int i = 0; i <= n; ++i) {
        columns[i] = i * size.width() / n;
        rows[i] = i * size.height() / n;
    }
    snapToDevicePixels(painter, &columns, &rows);

    QPainterPath dark;
    dark.setFillRule(Qt::WindingFill);
    for (int y = 0; y < n; ++y) {
        const QBitArray &row = m_modules.at(y);
        int x = 0;
        while (x < n) {
            if (!row.testBit(x)) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < n && row.testBit(end))
                ++end;
            dark.addRect(QRectF(QPointF(columns[x], rows[y]), QPointF(columns[end], rows[y + 1])));
            x = end;
        }
    }

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(QRectF(QPointF(columns[0], rows[0]), QPointF(columns[n], rows[n])), Qt::white);
    painter->fillPath(dark, Qt::black);
    painter->restore();

    if (option->state & QStyle::State_Selected) {
        painter->save();
        drawSelectionFrame(painter, option, boundingRect().adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
    }
}

void QRCodeItem::encodeText()
{
    if (m_text == m_encodedText)
        return;
    m_modules = encodeModules(m_text);
    m_encodedText = m_text;
}
