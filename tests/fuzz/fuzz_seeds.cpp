// Writes the seed inputs of the fuzz targets with the program's own writers:
// labels saved by the window and records it copied to the clipboard.
// Usage: fuzz_seeds <labelfile dir> <clipboard dir>

#include "fuzzmain.h"
#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"
#include "document/itemrecords.h"
#include "mainwindow/mainwindow.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QBuffer>
#include <QGraphicsScene>
#include <QLinearGradient>
#include <QMimeData>
#include <QRadialGradient>
#include <functional>

namespace {

using Builder = std::function<void(QGraphicsScene *)>;

void dashedGradientBox(QGraphicsScene *scene)
{
    auto *box = new BoxItem(QRect(-45, -15, 90, 30), scene);
    box->setPos(144, 114);
    box->setAngle(30);
    QPen pen(Qt::darkBlue, 2, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin);
    pen.setDashPattern({3, 1, 5, 2});
    box->setPen(pen);
    QLinearGradient gradient(0, 0, 90, 30);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(0.5, Qt::yellow);
    gradient.setColorAt(1, Qt::red);
    box->setBrush(gradient);
}

void textureAndRadialBoxes(QGraphicsScene *scene)
{
    QImage texture(4, 4, QImage::Format_ARGB32);
    texture.fill(Qt::green);
    texture.setPixel(1, 1, qRgb(0, 0, 0));
    auto *box = new BoxItem(QRect(0, 0, 40, 40), scene);
    box->setPos(20, 20);
    box->setBrush(QBrush(texture));
    auto *round = new BoxItem(QRect(0, 0, 60, 20), scene);
    round->setPos(100, 200);
    QRadialGradient gradient(30, 10, 20, 25, 12);
    gradient.setColorAt(0, Qt::blue);
    gradient.setColorAt(1, Qt::transparent);
    round->setBrush(gradient);
    round->setPen(QPen(Qt::NoPen));
}

void qrCode(QGraphicsScene *scene)
{
    auto *code = new QRCodeItem(QPoint(50, 60), scene);
    code->setPlainText("https://example.org/{%serial%}");
    code->setShear(120, 120);
    code->setAngle(90);
}

void text(QGraphicsScene *scene)
{
    auto *item = new TextItem(QPoint(10, 250), scene);
    item->setPlainText("Batch {%code%}\nPacked {%date%}");
    QFont font("DejaVu Sans", 9, QFont::Bold);
    font.setItalic(true);
    item->setFont(font);
}

void mixed(QGraphicsScene *scene)
{
    text(scene);
    qrCode(scene);
    auto *box = new BoxItem(QRect(-10, -10, 20, 20), scene);
    box->setPos(200, 200);
    box->setZValue(-1);
    box->setBrush(QBrush(Qt::cyan, Qt::Dense4Pattern));
}

void barcodes(QGraphicsScene *scene)
{
    auto *linear = new BarcodeItem(QPoint(20, 20), scene);
    linear->setCode("4006381333931", BarcodeItem::Ean13, true);
    linear->setAngle(90);
    auto *matrix = new BarcodeItem(QPoint(150, 20), scene);
    matrix->setCode("LOT {%serial%}", BarcodeItem::DataMatrix, false);
    matrix->setShear(60, 60);
}

void images(QGraphicsScene *scene)
{
    QImage logo(6, 4, QImage::Format_ARGB32);
    logo.fill(Qt::darkRed);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    new ImageItem(QPoint(10, 10), png, scene);
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                           "<circle cx='4' cy='4' r='3' fill='orange'/></svg>";
    new ImageItem(QPoint(100, 10), svg, scene);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    startFuzzApplication(&argc, &argv);
    if (argc != 3)
        qFatal("usage: fuzz_seeds <labelfile dir> <clipboard dir>");
    const QDir labels(argv[1]);
    const QDir clipboard(argv[2]);
    const QList<QPair<QString, Builder>> seeds = {
        {"empty", [](QGraphicsScene *) {}},
        {"gradientbox", dashedGradientBox},
        {"textureboxes", textureAndRadialBoxes},
        {"qrcode", qrCode},
        {"text", text},
        {"mixed", mixed},
        {"barcodes", barcodes},
        {"images", images},
    };
    for (const auto &seed : seeds) {
        MainWindow window;
        QGraphicsScene *scene = window.findChild<QGraphicsScene *>();
        seed.second(scene);
        window.setWindowFilePath(labels.filePath(seed.first + ".qlt"));
        bool saved = false;
        QMetaObject::invokeMethod(&window, "fileSave", Qt::DirectConnection, Q_RETURN_ARG(bool, saved));
        if (!saved)
            qFatal("cannot save %s", qPrintable(seed.first));
        for (QGraphicsItem *item : scene->items()) {
            if (item->type() >= BoxItem::Type && item->type() <= ImageItem::Type)
                item->setSelected(true);
        }
        if (scene->selectedItems().isEmpty())
            continue;
        QMetaObject::invokeMethod(&window, "editCopy", Qt::DirectConnection);
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        const QString format = mime && mime->hasFormat(ClipboardMimeTypeVersion3) ? ClipboardMimeTypeVersion3
                                                                                    : ClipboardMimeType;
        if (!mime || !writeFile(clipboard.filePath(seed.first), mime->data(format)))
            qFatal("cannot copy %s", qPrintable(seed.first));
    }
    return 0;
}
