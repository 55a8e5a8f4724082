#include "qrbench.h"

#include "benchlabels.h"
#include "table.h"
#include "timing.h"

#include "items/qrcodeitem.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTextStream>

#include <cmath>

namespace {

// Paints a QR code item as the scene does onto a 300 dpi image.
void paintQrItemAt300Dpi(QRCodeItem *item, QImage *image)
{
    image->fill(Qt::white);
    QPainter painter(image);
    painter.scale(300.0 / 72, 300.0 / 72);
    QStyleOptionGraphicsItem option;
    option.exposedRect = item->boundingRect();
    static_cast<QGraphicsItem *>(item)->paint(&painter, &option, nullptr);
}

} // namespace

QrBench::QrBench(int reps)
    : reps(reps)
{
}

void QrBench::run(Table *table)
{
    QTextStream(stderr) << "QR codes" << Qt::endl;
    const int calls = 50;
    const QString shortText = ShortQrText;
    const QString longText = LongQrText;
    for (const QString &text : {shortText, longText}) {
        table->addMeasurement(QString("renderQRCode, %1 text, 100x100").arg(text == shortText ? "short" : "long"),
                              median(perCallUs(reps, calls, [&] { renderQRCode(text, 100, 100); })),
                              std::nan(""), "us", reps, "per item");
    }

    QGraphicsScene scene;
    auto *item = new QRCodeItem(QPoint(0, 0), &scene);
    item->setShear(100, 100);
    scene.clearSelection();
    QImage image(QSize(100, 100) * 300 / 72, QImage::Format_ARGB32_Premultiplied);
    for (const QString &text : {shortText, longText}) {
        item->setPlainText(text);
        table->addMeasurement(QString("paint QRCodeItem at 300 dpi, %1 text").arg(text == shortText ? "short" : "long"),
                              median(perCallUs(reps, calls, [&] { paintQrItemAt300Dpi(item, &image); })),
                              std::nan(""), "us", reps, "per item");
    }
}
