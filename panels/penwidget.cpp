#include "penwidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPainter>
#include <QPixmapCache>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVariant>

QPixmap penSwatch(Qt::PenStyle style, const QColor &color, const QSize &size)
{
    const QString key = QString("PENSTYLESWATCH:%1:%2:%3x%4")
                            .arg(int(style))
                            .arg(color.name())
                            .arg(size.width())
                            .arg(size.height());
    QPixmap pixmap(size);
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QPen pen(style);
    pen.setColor(color);
    pen.setWidth(2);
    painter.setPen(pen);
    const int middle = size.height() / 2;
    painter.drawLine(0, middle, size.width(), middle);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

PenWidget::PenWidget(QWidget *parent)
    : QWidget(parent)
{
    const struct {
        const char *text;
        Qt::PenStyle style;
    } styles[] = {
        {QT_TR_NOOP("No Pen"), Qt::NoPen},
        {QT_TR_NOOP("Solid"), Qt::SolidLine},
        {QT_TR_NOOP("Dashed"), Qt::DashLine},
        {QT_TR_NOOP("Dotted"), Qt::DotLine},
        {QT_TR_NOOP("Dash-Dotted"), Qt::DashDotLine},
        {QT_TR_NOOP("Dash-Dot-Dotted"), Qt::DashDotDotLine},
    };

    widthSpinBox = new QSpinBox;
    widthSpinBox->setRange(0, 20);
    widthSpinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    widthSpinBox->setSuffix(tr(" px"));
    // Width 0 is Qt's cosmetic pen: one device pixel at any zoom.
    widthSpinBox->setSpecialValueText(tr("1 px (fine)"));

    styleComboBox = new QComboBox;
    for (const auto &entry : styles)
        styleComboBox->addItem(penSwatch(entry.style, Qt::black, QSize(24, 24)),
                               tr(entry.text), QVariant::fromValue(entry.style));

    widthSpinBox->setValue(pen.width());
    styleComboBox->setCurrentIndex(styleComboBox->findData(int(pen.style())));

    QFormLayout *layout = new QFormLayout;
    layout->addRow(tr("Width"), widthSpinBox);
    layout->addRow(tr("Style"), styleComboBox);
    setLayout(layout);

    connect(widthSpinBox, SIGNAL(valueChanged(int)), this, SLOT(updateWidth(int)));
    connect(styleComboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(updateLineStyle(int)));
    setFixedSize(minimumSizeHint());
}

void PenWidget::setPen(const QPen &pen)
{
    if (pen == this->pen)
        return;
    this->pen = pen;

    // A widget that shows its part of the pen faithfully reports back the
    // pen just given. One that cannot (a fractional width or one above the
    // range, a custom dash pattern) is updated silently, so that merely
    // showing a pen never replaces its width or style.
    const bool widthShown = pen.widthF() == pen.width() && pen.width() <= widthSpinBox->maximum();
    {
        const QSignalBlocker blocker(widthShown ? nullptr : widthSpinBox.data());
        widthSpinBox->setValue(pen.width());
    }
    const int index = styleComboBox->findData(int(pen.style()));
    {
        const QSignalBlocker blocker(index >= 0 ? nullptr : styleComboBox.data());
        styleComboBox->setCurrentIndex(index);
    }
}

void PenWidget::updateWidth(int value)
{
    pen.setWidth(value);
    emit penChanged(pen);
}

void PenWidget::updateLineStyle(int index)
{
    pen.setStyle(Qt::PenStyle(styleComboBox->itemData(index).toInt()));
    emit penChanged(pen);
}
