#include "benchlabels.h"

#include "document/itementries.h"
#include "document/labelfile.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QFont>
#include <QGraphicsScene>
#include <QPen>

const char *const ShortQrText = "ABC-0042";
const char *const LongQrText =
    "https://labels.example.invalid/track?serial=0042&code=ABC&lot=2024-11-07&line=7&station=12"
    "&operator=4711&batch=ZX-99-001&note=handle+with+care+keep+dry+this+side+up+fragile+contents";

bool writeLabel(const QString &path, QGraphicsScene *scene)
{
    return LabelFile::write(path, ItemEntries::labelItems(scene)).isEmpty();
}

bool writeTypicalLabel(const QString &path)
{
    QGraphicsScene scene;
    auto *frame = new BoxItem(QRect(8, 8, 272, 272), &scene);
    frame->setPen(QPen(Qt::black, 2));
    auto *lot = new TextItem(QPoint(20, 20), &scene);
    lot->setPlainText("Lot {%serial%}");
    lot->setFont(QFont("DejaVu Sans", 14));
    auto *date = new TextItem(QPoint(20, 50), &scene);
    date->setPlainText("Printed {%date%}");
    date->setFont(QFont("DejaVu Sans", 10));
    auto *code = new QRCodeItem(QPoint(20, 150), &scene);
    code->setPlainText("{%code%}");
    code->setShear(100, 100);
    auto *link = new QRCodeItem(QPoint(160, 150), &scene);
    link->setPlainText(LongQrText);
    link->setShear(100, 100);
    return writeLabel(path, &scene);
}

// Half boxes, three tenths text items, one fifth QR codes, spread over the
// default page, with varied pens, brushes, angles, texts and sizes.
bool writeLargeLabel(const QString &path, int count)
{
    QGraphicsScene scene;
    const Qt::BrushStyle brushes[] = {Qt::NoBrush, Qt::SolidPattern, Qt::Dense4Pattern, Qt::CrossPattern};
    for (int i = 0; i < count; ++i) {
        const QPoint position((i * 37) % 250, (i * 53) % 260);
        switch (i % 10) {
        case 0: case 1: case 2: case 3: case 4: {
            auto *box = new BoxItem(QRect(position, QSize(10 + i % 20, 5 + i % 15)), &scene);
            box->setPen(QPen(QColor::fromHsv(i % 360, 200, 150), 1 + i % 3, Qt::PenStyle(1 + i % 5)));
            box->setBrush(QBrush(QColor::fromHsv((i * 7) % 360, 150, 200), brushes[i % 4]));
            if (i % 7 == 0)
                box->setAngle(15 * (i % 5));
            break;
        }
        case 5: case 6: case 7: {
            auto *text = new TextItem(position, &scene);
            text->setPlainText(QString("Item %1 {%serial%}").arg(i));
            text->setFont(QFont("DejaVu Sans", 4 + i % 6));
            break;
        }
        default: {
            auto *code = new QRCodeItem(position, &scene);
            code->setPlainText(QString("QR-%1-{%code%}").arg(i));
            code->setShear(20 + i % 30, 20 + i % 30);
            break;
        }
        }
    }
    return writeLabel(path, &scene);
}

