#ifndef BRUSHWIDGET_H
#define BRUSHWIDGET_H

#include <QBrush>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QComboBox;

// A swatch of the brush style, served from QPixmapCache when drawn before.
QPixmap brushSwatch(Qt::BrushStyle style, const QColor &color, const QSize &size);

// The "Brush (Fill)" panel: picks the fill style of the selected items.
class BrushWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BrushWidget(QWidget *parent = nullptr);

signals:
    void brushChanged(const QBrush &brush);

public slots:
    void setBrush(const QBrush &brush);

private slots:
    void updateStyle(int index);

private:
    QBrush brush;
    QPointer<QComboBox> styleComboBox;
};

#endif // BRUSHWIDGET_H
