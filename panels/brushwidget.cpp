#include "brushwidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalBlocker>
#include <QVariant>

QPixmap brushSwatch(Qt::BrushStyle style, const QColor &color, const QSize &size)
{
    const QString key = QString("BRUSHSTYLESWATCH:%1:%2:%3x%4")
                            .arg(int(style))
                            .arg(color.name())
                            .arg(size.width())
                            .arg(size.height());
    QPixmap pixmap(size);
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(color, style));
    painter.drawRect(0, 0, size.width(), size.height());
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

BrushWidget::BrushWidget(QWidget *parent)
    : QWidget(parent)
{
    const struct {
        const char *text;
        Qt::BrushStyle style;
    } styles[] = {
        {QT_TR_NOOP("No Brush"), Qt::NoBrush},
        {QT_TR_NOOP("Solid"), Qt::SolidPattern},
        {QT_TR_NOOP("Dense #1"), Qt::Dense1Pattern},
        {QT_TR_NOOP("Dense #2"), Qt::Dense2Pattern},
        {QT_TR_NOOP("Dense #3"), Qt::Dense3Pattern},
        {QT_TR_NOOP("Dense #4"), Qt::Dense4Pattern},
        {QT_TR_NOOP("Dense #5"), Qt::Dense5Pattern},
        {QT_TR_NOOP("Dense #6"), Qt::Dense6Pattern},
        {QT_TR_NOOP("Horizontal"), Qt::HorPattern},
        {QT_TR_NOOP("Vertical"), Qt::VerPattern},
        {QT_TR_NOOP("Cross"), Qt::CrossPattern},
        {QT_TR_NOOP("Diagonal /"), Qt::BDiagPattern},
        {QT_TR_NOOP("Diagonal \\"), Qt::FDiagPattern},
        {QT_TR_NOOP("Diagonal Cross"), Qt::DiagCrossPattern},
    };

    styleComboBox = new QComboBox;
    for (const auto &entry : styles)
        styleComboBox->addItem(brushSwatch(entry.style, Qt::black, QSize(24, 24)),
                               tr(entry.text), QVariant::fromValue(entry.style));
    setBrush(QBrush());

    QFormLayout *layout = new QFormLayout;
    layout->addRow(tr("Style"), styleComboBox);
    setLayout(layout);

    connect(styleComboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(updateStyle(int)));
    setFixedSize(minimumSizeHint());
}

void BrushWidget::setBrush(const QBrush &brush)
{
    if (brush == this->brush)
        return;
    this->brush = brush;
    const int index = styleComboBox->findData(int(brush.style()));
    if (index >= 0) {
        // The entry shows the brush faithfully, so whatever the box reports
        // back is the brush just given.
        styleComboBox->setCurrentIndex(index);
    } else {
        // A style without an entry (gradient, texture, Dense7) is left
        // unshown; reporting the emptied box would replace the style.
        const QSignalBlocker blocker(styleComboBox);
        styleComboBox->setCurrentIndex(-1);
    }
}

void BrushWidget::updateStyle(int index)
{
    brush.setStyle(Qt::BrushStyle(styleComboBox->itemData(index).toInt()));
    emit brushChanged(brush);
}
