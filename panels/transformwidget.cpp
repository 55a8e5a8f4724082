#include "transformwidget.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QtGlobal>

namespace {
const QChar DegreeSign(0x00B0);
const QChar LeftRightArrows(0x21C6);
const QChar UpDownArrows(0x21C5);
} // namespace

TransformWidget::TransformWidget(QWidget *parent)
    : QWidget(parent)
{
    angleSpinBox = new QDoubleSpinBox;
    angleSpinBox->setRange(0.0, 360.0);
    angleSpinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    angleSpinBox->setDecimals(1);
    angleSpinBox->setSuffix(DegreeSign);

    shearHorizontalSpinBox = new QSpinBox;
    shearHorizontalSpinBox->setRange(0, 999);
    shearHorizontalSpinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shearHorizontalSpinBox->setSuffix(QString(" %1").arg(LeftRightArrows));

    shearVerticalSpinBox = new QSpinBox;
    shearVerticalSpinBox->setRange(0, 999);
    shearVerticalSpinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shearVerticalSpinBox->setSuffix(QString(" %1").arg(UpDownArrows));

    // Scene units, as the items' positions are.
    auto makeCoordinate = [] {
        auto *spinBox = new QDoubleSpinBox;
        spinBox->setRange(-99999.0, 99999.0);
        spinBox->setDecimals(1);
        spinBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return spinBox;
    };
    xSpinBox = makeCoordinate();
    ySpinBox = makeCoordinate();

    QFormLayout *layout = new QFormLayout;
    layout->addRow(tr("Angle"), angleSpinBox);
    layout->addRow(tr("Width"), shearHorizontalSpinBox);
    layout->addRow(tr("Height"), shearVerticalSpinBox);
    layout->addRow(tr("X"), xSpinBox);
    layout->addRow(tr("Y"), ySpinBox);
    setLayout(layout);

    connect(angleSpinBox, SIGNAL(valueChanged(double)), this, SIGNAL(angleChanged(double)));
    connect(shearHorizontalSpinBox, SIGNAL(valueChanged(int)), this, SIGNAL(shearHorizontalChanged(int)));
    connect(shearVerticalSpinBox, SIGNAL(valueChanged(int)), this, SIGNAL(shearVerticalChanged(int)));
    connect(xSpinBox, SIGNAL(valueChanged(double)), this, SLOT(updatePosition()));
    connect(ySpinBox, SIGNAL(valueChanged(double)), this, SLOT(updatePosition()));
    setFixedSize(minimumSizeHint());
}

void TransformWidget::setAngle(double angle)
{
    if (qFuzzyCompare(angle, angleSpinBox->value()))
        return;
    // The panel's own signals are blocked, not the spin box's: showing a
    // selection's angle must never travel back to the items.
    const QSignalBlocker blocker(this);
    angleSpinBox->setValue(angle);
}

void TransformWidget::setShear(int shearHorizontal, int shearVertical)
{
    if (shearHorizontal == shearHorizontalSpinBox->value()
        && shearVertical == shearVerticalSpinBox->value())
        return;
    const QSignalBlocker blocker(this);
    shearHorizontalSpinBox->setValue(shearHorizontal);
    shearVerticalSpinBox->setValue(shearVertical);
}

void TransformWidget::setPosition(const QPointF &position)
{
    const QSignalBlocker blocker(this);
    xSpinBox->setValue(position.x());
    ySpinBox->setValue(position.y());
}

void TransformWidget::updatePosition()
{
    emit positionChanged(QPointF(xSpinBox->value(), ySpinBox->value()));
}
