#include "recordscanner.h"

#include "items/barcodeitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"

#include <QBrush>
#include <QtEndian>

namespace {
// Type numbers of the item kinds.
const quint32 BoxType = 65537;
const quint32 QRCodeType = 65538;
const quint32 TextType = 65539;
const quint32 BarcodeType = 65540;
const quint32 ImageType = 65541;

// Byte sizes of the fixed parts, as QDataStream writes them.
const qint64 CountSize = 4;
const qint64 PointSize = 16;
const qint64 DoubleSize = 8;
const qint64 TransformSize = 72;
const qint64 ColorSize = 11;
const qint64 GradientStopSize = DoubleSize + ColorSize;
// A font's fixed fields between its names and its list of families: point
// size, pixel size, style hint, strategy, character set, weight, flags, then
// the stretch.
const qint64 FontFieldsSize = 31;
const qint64 FontStretchOffset = 18;
// Far beyond the text dialog's 280 points, and Qt's own stretch limit.
const double MaximumFontSize = 2000;
const quint16 MaximumFontStretch = 4000;

// What a count may claim beyond the end of cut-short data: Qt reserves it
// before it finds the data missing.
const qint64 MaximumShortfall = 1 << 20;
// Texture images larger than this are not plausible on a label.
const quint32 MaximumTextureSide = 8192;
// The largest coordinate, size, angle or transform factor a record may hold.
const double MaximumReal = 1e9;
} // namespace

RecordScanner::RecordScanner(const QByteArray &data)
    : data(data)
{
}

RecordScanner::Result RecordScanner::scanEntry(qint64 *pos) const
{
    result = Complete;
    quint32 type = 0;
    if (!readCount(pos, &type))
        return result;
    switch (type) {
    case BoxType:
        // Position and angle, width and height, z value and rectangle.
        skipReals(pos, 3) && skip(pos, 2 * CountSize) && skipReals(pos, 5) && skipPen(pos) && skipBrush(pos);
        break;
    case QRCodeType:
        skipSize(pos, MaximumQRCodeSide) && skipReals(pos, 1) && skipString(pos);
        break;
    case TextType:
        skipReals(pos, 3) && skipString(pos) && skipFont(pos);
        break;
    case BarcodeType: {
        quint32 symbology = 0;
        // Position and angle, the size, z value, text, symbology, text line.
        if (skipSize(pos, MaximumItemSide) && skipReals(pos, 1) && skipString(pos) && readCount(pos, &symbology)
            && skip(pos, 1) && !BarcodeItem::isSymbology(qint32(symbology)))
            fail(Damaged);
        break;
    }
    case ImageType: {
        quint32 bytes = 0;
        if (skipSize(pos, MaximumItemSide) && skipReals(pos, 1) && readCount(pos, &bytes) && bytes != 0xffffffff) {
            if (bytes > quint32(MaximumImageBytes))
                fail(Damaged);
            else
                skip(pos, bytes);
        }
        break;
    }
    default:
        break;
    }
    return result;
}

bool RecordScanner::skipSize(qint64 *pos, int maximum) const
{
    quint32 width = 0;
    quint32 height = 0;
    if (!skipReals(pos, 3) || !readCount(pos, &width) || !readCount(pos, &height))
        return false;
    if (qint32(width) > maximum || qint32(height) > maximum)
        return fail(Damaged);
    return true;
}

bool RecordScanner::fail(Result why) const
{
    result = why;
    return false;
}

bool RecordScanner::skip(qint64 *pos, qint64 bytes) const
{
    if (bytes > data.size() - *pos)
        return fail(CutShort);
    *pos += bytes;
    return true;
}

bool RecordScanner::skipCounted(qint64 *pos, quint32 count, qint64 elementSize) const
{
    const qint64 bytes = qint64(count) * elementSize;
    if (bytes > data.size() - *pos)
        return fail(bytes - (data.size() - *pos) <= MaximumShortfall ? CutShort : Damaged);
    *pos += bytes;
    return true;
}

bool RecordScanner::readCount(qint64 *pos, quint32 *count) const
{
    if (data.size() - *pos < CountSize)
        return fail(CutShort);
    *count = qFromBigEndian<quint32>(data.constData() + *pos);
    *pos += CountSize;
    return true;
}

bool RecordScanner::skipString(qint64 *pos) const
{
    quint32 bytes = 0;
    if (!readCount(pos, &bytes))
        return false;
    if (bytes == 0xffffffff)
        return true;
    // Qt reads strings in bounded steps, so a long claim is only cut short.
    if (bytes % 2 != 0)
        return fail(Damaged);
    return skip(pos, bytes);
}

bool RecordScanner::skipBrush(qint64 *pos) const
{
    if (data.size() - *pos < 1)
        return fail(CutShort);
    // Compared as a number: most byte values are no Qt::BrushStyle at all.
    const quint8 style = quint8(data.at(*pos));
    // Qt would take any other number as a style it cannot paint.
    if (style > Qt::ConicalGradientPattern && style != Qt::TexturePattern)
        return fail(Damaged);
    if (!skip(pos, 1 + ColorSize))
        return false;
    if (style == Qt::TexturePattern) {
        if (!skipImage(pos))
            return false;
    } else if (style == Qt::LinearGradientPattern || style == Qt::RadialGradientPattern
               || style == Qt::ConicalGradientPattern) {
        quint32 type = 0;
        quint32 spread = 0;
        quint32 coordinates = 0;
        quint32 interpolation = 0;
        quint32 stops = 0;
        // Type, spread, coordinate mode, interpolation mode, the stops.
        if (!readCount(pos, &type) || !readCount(pos, &spread) || !readCount(pos, &coordinates)
            || !readCount(pos, &interpolation))
            return false;
        if (spread > QGradient::RepeatSpread || coordinates > QGradient::ObjectMode
            || interpolation > QGradient::ComponentInterpolation)
            return fail(Damaged);
        const qint64 firstStop = *pos + CountSize;
        if (!readCount(pos, &stops) || !skipCounted(pos, stops, GradientStopSize))
            return false;
        // Qt's colour table is indexed by the stop positions.
        for (qint64 stop = firstStop; stop < *pos; stop += GradientStopSize) {
            const double at = qFromBigEndian<double>(data.constData() + stop);
            if (!(at >= 0.0 && at <= 1.0))
                return fail(Damaged);
        }
        // Linear: start and final stop; radial: centre, focal point and
        // radius; anything else is read as conical: centre and angle.
        qint64 geometry = PointSize + DoubleSize;
        if (type == QGradient::LinearGradient)
            geometry = 2 * PointSize;
        else if (type == QGradient::RadialGradient)
            geometry = 2 * PointSize + DoubleSize;
        if (!skipReals(pos, geometry / DoubleSize))
            return false;
        // Qt's raster painter crashes on a radial gradient of negative radius.
        if (type == QGradient::RadialGradient && qFromBigEndian<double>(data.constData() + *pos - DoubleSize) < 0)
            return fail(Damaged);
    }
    return skipReals(pos, TransformSize / DoubleSize);
}

bool RecordScanner::skipReals(qint64 *pos, qint64 count) const
{
    if (count * DoubleSize > data.size() - *pos)
        return fail(CutShort);
    // Qt paints with whatever geometry it is given; values past any label's
    // scale overflow its raster arithmetic (a radial gradient of radius
    // 1e166 crashes it), and NaN breaks the ordering of stacked items.
    for (qint64 i = 0; i < count; ++i) {
        const double value = qFromBigEndian<double>(data.constData() + *pos);
        if (!(qAbs(value) <= MaximumReal))
            return fail(Damaged);
        *pos += DoubleSize;
    }
    return true;
}

bool RecordScanner::skipPen(qint64 *pos) const
{
    quint32 dashes = 0;
    // Style with cap and join, cosmetic flag, width; the brush; miter limit,
    // dash pattern, dash offset and the default-width flag.
    if (!skip(pos, 2 + 1) || !skipReals(pos, 1) || !skipBrush(pos) || !skipReals(pos, 1)
        || !readCount(pos, &dashes))
        return false;
    // A count beyond the data is judged by skipCounted(); one within it
    // has each of its values checked.
    const qint64 pattern = *pos;
    if (!skipCounted(pos, dashes, DoubleSize))
        return false;
    *pos = pattern;
    return skipReals(pos, dashes) && skipReals(pos, 1) && skip(pos, 1);
}

bool RecordScanner::skipFont(qint64 *pos) const
{
    // Family, style name, the fixed fields, then the list of families.
    quint32 families = 0;
    if (!skipString(pos) || !skipString(pos))
        return false;
    const qint64 fields = *pos;
    if (!skip(pos, FontFieldsSize))
        return false;
    // Glyphs are cached as images of the font's size: a negative, huge or
    // stretched size would claim any amount of memory once the text is drawn.
    const double pointSize = qFromBigEndian<double>(data.constData() + fields);
    const qint32 pixelSize = qFromBigEndian<qint32>(data.constData() + fields + DoubleSize);
    const quint16 stretch = qFromBigEndian<quint16>(data.constData() + fields + FontStretchOffset);
    if ((pointSize != -1.0 && !(pointSize > 0.0 && pointSize <= MaximumFontSize))
        || (pixelSize != -1 && !(pixelSize > 0 && pixelSize <= MaximumFontSize)) || stretch > MaximumFontStretch)
        return fail(Damaged);
    if (!readCount(pos, &families))
        return false;
    // Each family takes at least its length; the list reserves a pointer each.
    const qint64 shortfall = qint64(families) * CountSize - (data.size() - *pos);
    if (shortfall > MaximumShortfall)
        return fail(Damaged);
    for (quint32 i = 0; i < families; ++i) {
        if (!skipString(pos))
            return false;
    }
    return true;
}

bool RecordScanner::skipImage(qint64 *pos) const
{
    quint32 present = 0;
    if (!readCount(pos, &present))
        return false;
    if (present == 0)
        return true;
    // Textures are written as PNG: walk its chunks up to IEND, checking the
    // size its header declares before anything decodes it.
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    const QByteArray start = data.mid(*pos, 8);
    if (start != QByteArray(signature, 8).left(start.size()))
        return fail(Damaged);
    if (!skip(pos, 8))
        return false;
    bool header = false;
    for (;;) {
        quint32 length = 0;
        if (!readCount(pos, &length) || data.size() - *pos < 4)
            return fail(CutShort);
        const QByteArray type = data.mid(*pos, 4);
        *pos += 4;
        if (type == "IHDR") {
            if (data.size() - *pos < 8)
                return fail(CutShort);
            const quint32 width = qFromBigEndian<quint32>(data.constData() + *pos);
            const quint32 height = qFromBigEndian<quint32>(data.constData() + *pos + 4);
            if (length < 8 || width == 0 || height == 0 || width > MaximumTextureSide || height > MaximumTextureSide)
                return fail(Damaged);
            header = true;
        } else if (!header) {
            return fail(Damaged);
        }
        // The chunk's data and its checksum.
        if (!skip(pos, qint64(length) + CountSize))
            return false;
        if (type == "IEND")
            return true;
    }
}
