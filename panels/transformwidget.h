#ifndef TRANSFORMWIDGET_H
#define TRANSFORMWIDGET_H

#include <QPointer>
#include <QWidget>

class QDoubleSpinBox;
class QSpinBox;

// The "Geometry" panel: angle, width and height of the selected items.
// The width and height travel as shearHorizontal and shearVertical.
class TransformWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TransformWidget(QWidget *parent = nullptr);

    // Show values without emitting anything.
    void setAngle(double angle);
    void setShear(int shearHorizontal, int shearVertical);

signals:
    void angleChanged(double angle);
    void shearChanged(int shearHorizontal, int shearVertical);

private slots:
    void updateShear();

private:
    QPointer<QDoubleSpinBox> angleSpinBox;
    QPointer<QSpinBox> shearHorizontalSpinBox;
    QPointer<QSpinBox> shearVerticalSpinBox;
};

#endif // TRANSFORMWIDGET_H
