// Barcodes printed through label printers read back by readers of their
// own; images kept byte for byte.

#include "pdfprinter.h"
#include "testsupport.h"
#include "windowdriver.h"

#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "items/barcodeitem.h"
#include "items/imageitem.h"
#include "output/labelrenderer.h"

#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

static QByteArray imageBytes(const QSize &size, const char *format)
{
    QImage image(size, QImage::Format_Mono);
    image.fill(1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// zbar for linear codes, ZXing for the 2D codes zbar cannot read.
static QString decode(const QImage &label, bool twoD, QString *error)
{
    if (!twoD)
        return labelCodes(label, error).join('|');
    const QImage padded = withQuietZone(label);
    return QString::fromStdString(ZXing::ReadBarcode({padded.constBits(), padded.width(), padded.height(),
                                                      ZXing::ImageFormat::Lum, int(padded.bytesPerLine())})
                                      .text());
}

class TestSymbols : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        START_PRINTER(printer, PdfPrinter::WithLabelPrinters);
        printer.exportToProcess();
    }

    void printsEverySymbology_data()
    {
        QTest::addColumn<int>("dpi");
        for (int dpi : {203, 300, 600})
            QTest::addRow("%d dpi", dpi) << dpi;
    }

    // One label of every symbology and a QR code printed by the window through the Zebra
    // driver at its resolution, each code's own placeholder filled in ("#" in
    // its text); every bar and space a whole number of modules of one
    // whole-dot width.
    void printsEverySymbology()
    {
        QFETCH(int, dpi);
        struct Code { BarcodeItem::Symbology symbology; QRect place; const char *text, *value, *read; };
        const Code codes[] = {
            {BarcodeItem::Code128, {15, 15, 120, 50}, "Lot #", "1286", "Lot 1286"},
            {BarcodeItem::Gs1_128, {15, 85, 120, 50}, "[01]0950110153000#", "3", "0109501101530003"},
            {BarcodeItem::Ean13, {15, 155, 120, 50}, "400638133393#", "1", "4006381333931"},
            {BarcodeItem::UpcA, {15, 225, 120, 50}, "03600029145#", "2", "0036000291452"},
            {BarcodeItem::Code39, {15, 295, 120, 50}, "LOT-#", "39", "LOT-39"},
            {BarcodeItem::InterleavedTwoOfFive, {15, 365, 120, 50}, "12#", "4006", "124006"},
            // The 2D codes, read by ZXing.
            {BarcodeItem::Pdf417, {155, 15, 120, 80}, "Lot #", "P417", "Lot P417"},
            {BarcodeItem::DataMatrix, {155, 125, 100, 100}, "Lot #", "DM", "Lot DM"},
            {BarcodeItem::Aztec, {155, 255, 100, 100}, "Lot #", "AZ", "Lot AZ"},
        };
        const QString queue = printer.labelQueue("zebra");
        QVERIFY2(printer.setDefaultQueue(queue) && printer.clear(), qPrintable(printer.errorString()));
        Settings::instance()->setPageSizeMM(QSizeF(101.6, 152.4));
        Settings::instance()->setPrintDPI(dpi);
        MainWindow window;
        startWindow(window);
        Placeholder values;
        window.setPlaceholder(&values);
        for (const Code &code : codes) {
            const QString key = QString("v%1").arg(&code - codes);
            values.setValue(key, code.value);
            auto *item = addItem<BarcodeItem>(window, "Add Barcode", code.place.topLeft());
            QVERIFY(item);
            item->setCode(QString(code.text).replace("#", "{%" + key + "%}"), code.symbology, true);
            item->setShear(code.place.width(), code.place.height());
        }
        // 53 modules in 50 points: under three dots a module at 203 dpi.
        const QString dense = QString("the quick brown fox jumps over the lazy dog ").repeated(3).left(115);
        QRCodeItem *qr = addQRCode(window, QPointF(170, 372));
        qr->setPlainText(dense);
        qr->setShear(50, 50);
        windowAction(&window, "Print")->trigger();
        QVERIFY2(statusMessage(&window).startsWith("Printed"), qPrintable(statusMessage(&window)));
        QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));

        QString error;
        const QList<QImage> labels = zplLabels(printer.deviceData(queue), &error);
        QVERIFY2(labels.size() == 1, qPrintable(error));
        const double dots = dpi / 72.0;
        const auto onLabel = [&](const QRectF &points) {
            return labels.first().copy(QRectF(points.topLeft() * dots, points.size() * dots).toRect());
        };
        QCOMPARE(labelCodes(onLabel(QRectF(155, 357, 80, 75)), &error), QStringList{dense});
        for (const Code &code : codes) {
            const QString name = BarcodeItem::symbologyName(code.symbology);
            // Read where a scanner aims: at the code and its quiet zone.
            const QString read = decode(onLabel(QRectF(code.place).adjusted(-15, -15, 15, 15)), &code - codes >= 6,
                                        &error);
            QVERIFY2(read == code.read, qPrintable(name + ": " + read + error));
            // Under a linear code's bars its text, not more bars.
            const QImage whole = onLabel(QRectF(code.place));
            int bare = 0;
            for (int x = 0; x < whole.width(); ++x)
                bare += qGray(whole.pixel(x, whole.height() / 2)) < 128
                        && qGray(whole.pixel(x, whole.height() * 19 / 20)) > 127;
            QVERIFY2(&code - codes >= 6 || bare > 0, qPrintable(name));
            // Runs of dots along a row through the code.
            const QImage area = onLabel(QRectF(code.place.topLeft(), QSizeF(code.place.width(), 40)));
            QList<int> runs;
            const int y = area.height() / 2;
            for (int x = 1, run = 1; x < area.width(); ++x, ++run) {
                if (area.pixelIndex(x, y) != area.pixelIndex(x - 1, y)) {
                    runs << run;
                    run = 0;
                }
            }
            runs.removeFirst();
            QVERIFY2(runs.size() > 4, qPrintable(name));
            const int module = *std::min_element(runs.cbegin(), runs.cend());
            for (int run : runs)
                QVERIFY2(run % module == 0,
                         qPrintable(QString("%1: run %2, module %3").arg(name).arg(run).arg(module)));
        }
    }

    void refusesInvalidContent_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("EAN-13 check digit") << int(BarcodeItem::Ean13) << "4006381333932" << "Invalid check digit";
        QTest::newRow("Interleaved 2 of 5 letters") << int(BarcodeItem::InterleavedTwoOfFive) << "12AB"
                                                    << "Invalid character";
    }

    // The dialog shows the encoder's reason and refuses OK; the same value
    // given to a placeholder is refused by the check before any output.
    void refusesInvalidContent()
    {
        QFETCH(int, symbology);
        QFETCH(QString, content);
        QFETCH(QString, reason);

        MainWindow window;
        startWindow(window);
        windowAction(&window, "Add Barcode")->trigger();
        ModalResponder responder;
        QString shown;
        bool okEnabled = true;
        responder.expect([&](QWidget *dialog) {
            auto *symbologies = dialog->findChild<QComboBox *>("symbologyComboBox");
            symbologies->setCurrentIndex(symbologies->findData(symbology));
            dialog->findChild<QLineEdit *>("textLineEdit")->setText(content);
            shown = dialog->findChild<QLabel *>("errorLabel")->text();
            okEnabled = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled();
            QVERIFY(dialog->findChild<QCheckBox *>("showTextCheckBox")->isChecked());
            static_cast<QDialog *>(dialog)->reject();
        });
        windowAction(&window, "Edit Selected Item...")->trigger();
        QCOMPARE(responder.pending(), 0);
        QVERIFY2(shown.contains(reason), qPrintable(shown));
        QVERIFY(!okEnabled);

        auto *code = labelItemsOf<BarcodeItem>(&window).value(0);
        code->setCode("{%code%}", BarcodeItem::Symbology(symbology), true);
        Placeholder values;
        values.setValue("code", content);
        const QString refusal = LabelRenderer(windowScene(&window)).check(&values);
        QVERIFY2(refusal.contains(reason), qPrintable(refusal));
    }

    void keepsImageBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("PNG") << imageBytes(QSize(30, 20), "PNG") << true;
        QTest::newRow("SVG") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>") << true;
        QTest::newRow("too many pixels") << imageBytes(QSize(4097, 4097), "PNG") << false;
        QTest::newRow("too many bytes") << imageBytes(QSize(30, 20), "PNG").append(MaximumImageBytes, ' ') << false;
    }

    // Added from a file, saved and opened, copied and pasted, pasted from the
    // clipboard as an image: the same bytes each time.
    void keepsImageBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);

        QTemporaryDir dir;
        const QString path = dir.filePath("picture");
        QVERIFY(writeFile(path, bytes));
        MainWindow window;
        startWindow(window);
        ModalResponder responder;
        responder.expect(ModalResponder::choosePath(path));
        windowAction(&window, "Add Image...")->trigger();
        QTRY_COMPARE(responder.pending(), 0);
        QCOMPARE(labelItemsOf<ImageItem>(&window).size(), int(accepted));
        QCOMPARE(responder.messages.size(), int(!accepted));
        if (!accepted)
            return;

        const QString label = dir.filePath("label.qlt");
        QCOMPARE(LabelFile::write(label, ItemEntries::labelItems(windowScene(&window))), QString());
        const LabelFile::Contents contents = LabelFile::read(label);
        QCOMPARE(readAll(label).mid(4, 2), QByteArray::fromHex("0003"));
        QGraphicsScene scene;
        const ItemEntries::Items read = ItemEntries::read(contents.entries, LabelStreamVersion, &scene);
        QCOMPARE(dynamic_cast<ImageItem *>(read.items.value(0))->bytes(), bytes);

        windowAction(&window, "&Copy")->trigger();
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(ClipboardMimeTypeVersion3));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(ClipboardMimeType));
        windowAction(&window, "&Paste")->trigger();
        auto *mime = new QMimeData;
        mime->setData(QString(bytes.startsWith("<svg") ? "image/svg+xml" : "image/png"), bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
        windowAction(&window, "&Paste")->trigger();
        const QList<ImageItem *> images = labelItemsOf<ImageItem>(&window);
        QCOMPARE(images.size(), 3);
        for (const ImageItem *image : images)
            QCOMPARE(image->bytes(), bytes);
    }

private:
    PdfPrinter printer;
};

TAGFORGE_TEST_MAIN(TestSymbols)
#include "tst_symbols.moc"
