#ifndef PENWIDGET_H
#define PENWIDGET_H

#include <QPen>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QSpinBox;

// A swatch of the line style, served from QPixmapCache when drawn before.
QPixmap penSwatch(Qt::PenStyle style, const QColor &color, const QSize &size);

// The "Pen (Outline)" panel: sets outline width and style of the selected items.
class PenWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PenWidget(QWidget *parent = nullptr);

signals:
    void penChanged(const QPen &pen);

public slots:
    void setPen(const QPen &pen);

private slots:
    void updateWidth(int value);
    void updateLineStyle(int index);

private:
    QPointer<QSpinBox> widthSpinBox;
    QPointer<QComboBox> styleComboBox;
    QPen pen;
};

#endif // PENWIDGET_H
