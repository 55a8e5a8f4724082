// The window's outputs to a private CUPS PDF printer and to files: the label
// alone at the page settings, placeholders filled, the window left as it was.

#include "pdfprinter.h"
#include "testsupport.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

// A formatted text with a placeholder, as copied from a web page.
const QString FormattedText = "<b style=\"color:red;font-size:20pt\">Lot</b> <i>{%serial%}</i>";

TextItem *pasteHtml(MainWindow &window, const QString &html)
{
    auto *mime = new QMimeData;
    mime->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(mime);
    windowAction(&window, "&Paste")->trigger();
    return dynamic_cast<TextItem *>(windowScene(&window)->selectedItems().value(0));
}

// An output file drawn at 4 pixels a point, and its text where it has one.
QImage raster(const QString &file, QString *text, QString *error)
{
    if (file.endsWith(".png"))
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    if (file.endsWith(".SVG")) {
        QFile svg(file);
        *text = svg.open(QIODevice::ReadOnly) ? QString::fromUtf8(svg.readAll()) : QString();
        const QStringList options{"--dpi-x", "288", "--dpi-y", "288", "-b", "white", file};
        return QImage::fromData(runTool("rsvg-convert", options, error)).convertToFormat(QImage::Format_RGB32);
    }
    *text = pdfText(file, error);
    return QImage::fromData(runTool("pdftoppm", {"-r", "288", "-singlefile", "-png", file}, error))
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        START_PRINTER(printer, PdfPrinter::DefaultQueue);
        // Before the first QPrinter: libcups reads the server once.
        printer.exportToProcess();
        table.setValue("serial", "0042");
        table.setValue("code", "ABC");
    }

    void init()
    {
        clearSettings();
        QGuiApplication::clipboard()->clear();
        QVERIFY2(printer.clear(), qPrintable(printer.errorString()));
    }

    void outputs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("modified");
        QTest::newRow("png") << "png" << true;
        QTest::newRow("svg") << "svg" << false;
        QTest::newRow("print") << "print" << true;
        QTest::newRow("preview") << "preview" << false;
    }

    // Every output has the page the page settings give, the placeholders
    // filled, and neither selection frames nor the grid: it is the same with
    // everything selected and the grid shown as with nothing selected and the
    // grid off. Afterwards the window is as it was.
    void outputs()
    {
        QFETCH(QString, kind);
        QFETCH(bool, modified);
        MainWindow window;
        window.setPlaceholder(&table);
        startWindow(window);
        ModalResponder responder;
        responder.expect([](QWidget *modal) {
            for (const char *name : {"widthLineEdit", "heightLineEdit"}) {
                auto *edit = modal->findChild<QLineEdit *>(name);
                edit->selectAll();
                QTest::keyClicks(edit, name[0] == 'w' ? "50" : "30");
            }
            auto *quality = modal->findChild<QComboBox *>("printQualityComboBox");
            quality->setCurrentIndex(quality->findText("203dpi"));
            modal->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        windowAction(&window, "Page Size...")->trigger();
        QCOMPARE(windowScene(&window)->sceneRect(), QRectF(0, 0, 142, 85));
        addBox(window, QPointF(30, 80))->setBrush(Qt::darkBlue);
        QRCodeItem *code = addQRCode(window, QPointF(85, 15));
        TextItem *text = pasteHtml(window, FormattedText);
        text->setPos(2, 2);
        const QString html = text->toHtml();
        const QList<QGraphicsItem *> all = windowScene(&window)->items();
        for (QGraphicsItem *item : all)
            item->setSelected(true);
        const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
        QMetaObject::invokeMethod(&window, "setDirty", Q_ARG(bool, modified));
        QVERIFY(gridGroup(&window)->isVisible());

        QString text1, text2, error;
        const QImage shown = raster(produce(kind, window, responder, kind + "-selected"), &text1, &error);
        QCOMPARE(window.isWindowModified(), modified);
        QCOMPARE(windowScene(&window)->selectedItems().size(), selected.size());
        QVERIFY(gridGroup(&window)->isVisible());
        QCOMPARE(text->toHtml(), html);
        QCOMPARE(code->plainText(), QString("{%code%}"));

        windowScene(&window)->clearSelection();
        windowAction(&window, "Show Grid")->trigger();
        const QString plainFile = produce(kind, window, responder, kind + "-plain");
        const QImage plain = raster(plainFile, &text2, &error);
        QCOMPARE(responder.pending(), 0);
        QCOMPARE(responder.unexpected, 0);
        // An exported bitmap has whole pixels a point at the stored resolution, 2 at 203 dpi.
        const int scale = kind == "png" ? 2 : 4;
        // The print driver rounds the page to whole points.
        QVERIFY2(qAbs(shown.width() - 142 * scale) <= scale && qAbs(shown.height() - 85 * scale) <= scale,
                 qPrintable(QString("%1 x %2 %3").arg(shown.width()).arg(shown.height()).arg(error)));
        QVERIFY(shown == plain);
        QCOMPARE(labelCodes(shown, &error), QStringList{"ABC"});
        QVERIFY2(kind == "png" || (text1.contains("0042") && !text1.contains("{%")), qPrintable(text1));
        for (int x = 0; x < shown.width(); ++x)
            QVERIFY(shown.pixel(x, 0) == qRgb(255, 255, 255));
        // A value takes its placeholder's format: as if typed in by hand.
        text->setHtml(QString(html).replace("{%serial%}", "0042"));
        QVERIFY(raster(produce(kind, window, responder, kind + "-typed"), &text2, &error) == plain);
        if (kind != "svg")
            return;

        // An independent reader draws the SVG at the label's true size: its
        // text where the PNG has it, and nothing past the page.
        QCOMPARE(statusMessage(&window), "Exported " + dir.filePath("svg-typed.SVG"));
        const QImage png = raster(produce("png", window, responder, "svg-png"), &text2, &error);
        const auto rsvg = [&](const QStringList &options) {
            const QStringList arguments{"--dpi-x", "144", "--dpi-y", "144", "-b", "white", plainFile};
            return QImage::fromData(runTool("rsvg-convert", arguments + options, &error))
                .convertToFormat(QImage::Format_RGB32);
        };
        QImage drawn = rsvg({});
        QCOMPARE(drawn.size(), png.size());
        // Glyphs come from another rasteriser: within a few pixels a side.
        const QRect glyphs = QTransform::fromScale(2, 2).mapRect(text->sceneBoundingRect()).toAlignedRect()
                             & png.rect();
        const QRect inPng = inkRect(png, glyphs), inSvg = inkRect(drawn, glyphs);
        QVERIFY(inPng.width() > 50);
        for (int edge : {inSvg.left() - inPng.left(), inSvg.right() - inPng.right(), inSvg.top() - inPng.top(),
                         inSvg.bottom() - inPng.bottom()})
            QVERIFY2(qAbs(edge) <= 2, qPrintable(QString("text's ink %1 pixels off").arg(edge)));
        const QImage sheet = rsvg({"--page-width", "5in", "--page-height", "5in"});
        QCOMPARE(sheet.size(), QSize(720, 720));
        QCOMPARE(inkRect(sheet, QRect(png.width(), 0, 720 - png.width(), 720)), QRect());
        QCOMPARE(inkRect(sheet, QRect(0, png.height(), 720, 720 - png.height())), QRect());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("codeEmpty");
        QTest::addColumn<QString>("message");
        QTest::newRow("no suffix") << "nosuffix" << false << "Failed to export: %1";
        QTest::newRow("unencodable PNG") << "code.png" << true << "QR code is empty";
        QTest::newRow("unencodable print") << "" << true << "QR code is empty";
    }

    // A label that cannot be written as it is, is not written at all.
    void refusals()
    {
        QFETCH(QString, path);
        QFETCH(bool, codeEmpty);
        QFETCH(QString, message);
        QTemporaryDir base;
        Placeholder values;
        values.setValue("code", codeEmpty ? "" : "ABC");
        MainWindow window;
        window.setPlaceholder(&values);
        startWindow(window);
        addQRCode(window, QPointF(150, 150));
        ModalResponder responder;
        if (!path.isEmpty())
            responder.expect(ModalResponder::choosePath(base.filePath(path)));
        responder.expect(ModalResponder::answer(QMessageBox::Ok));
        windowAction(&window, path.isEmpty() ? "Print" : "Export...")->trigger();
        QCOMPARE(responder.pending(), 0);
        QCOMPARE(responder.messages.size(), 1);
        QVERIFY2(responder.messages.first().contains(message.replace("%1", base.filePath(path))),
                 qPrintable(responder.messages.first()));
        QVERIFY(!statusMessage(&window).startsWith("Printed") && !statusMessage(&window).startsWith("Exported"));
        QCOMPARE(QDir(base.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
        QCOMPARE(printer.jobCount(), 0);
    }

    void printSeries_data()
    {
        QTest::addColumn<bool>("data");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("numbered series") << false << QStringList{"0007", "0008", "0009"};
        QTest::newRow("data file") << true << QStringList{"A-1", "B,2"};
    }

    // File > Print Series... prints the run the dialog was given, one page each.
    void printSeries()
    {
        QFETCH(bool, data);
        QFETCH(QStringList, codes);
        const QString csv = dir.filePath("rows.csv");
        QVERIFY(writeFile(csv, "serial,code\n0001,A-1\n0002,\"B,2\"\n"));
        MainWindow window;
        startWindow(window);
        QRCodeItem *code = addQRCode(window, QPointF(100, 100));
        code->setPlainText(data ? "{%code%}" : "{%serial%}");
        code->setShear(120, 120);
        ModalResponder responder;
        responder.expect([&](QWidget *modal) {
            if (data) {
                modal->findChild<QRadioButton *>("dataRadioButton")->setChecked(true);
                auto *path = modal->findChild<QLineEdit *>("dataLineEdit");
                path->setText(csv);
                QVERIFY(QMetaObject::invokeMethod(path, "editingFinished"));
                const auto *preview = modal->findChild<QTableWidget *>("previewTable");
                QCOMPARE(preview->horizontalHeaderItem(1)->text(), QString("code"));
                QCOMPARE(modal->findChild<QLabel *>("messageLabel")->text(), "Rows to print, one label each: 2");
            } else {
                modal->findChild<QLineEdit *>("serialLineEdit")->setText("0007");
                modal->findChild<QSpinBox *>("countSpinBox")->setValue(3);
            }
            QCOMPARE(modal->findChild<QLineEdit *>("dataLineEdit")->isEnabled(), data);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        windowAction(&window, "Print Series...")->trigger();
        QCOMPARE(responder.pending(), 0);
        QCOMPARE(responder.unexpected, 0);
        QVERIFY2(statusMessage(&window).startsWith(QString("Printed %1 labels").arg(codes.size())),
                 qPrintable(statusMessage(&window)));
        QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
        QString error;
        QCOMPARE(pdfQrCodes(printer.pdfs().value(0), 150, &error), codes);
    }

private:
    // Writes the label out as kind does; the file that shows it.
    QString produce(const QString &kind, MainWindow &window, ModalResponder &responder, const QString &name)
    {
        // A suffix in any case names the format.
        const QString path = dir.filePath(name + "." + (kind == "png" ? "png" : kind == "svg" ? "SVG" : "pdf"));
        if (kind == "png" || kind == "svg") {
            responder.expect(ModalResponder::choosePath(path));
            windowAction(&window, "Export...")->trigger();
        } else if (kind == "print") {
            windowAction(&window, "Print")->trigger();
            if (!printer.waitIdle())
                return QString();
            QFile::rename(printer.pdfs().value(0), path);
            printer.clear();
        } else {
            // What the preview shows, drawn into a PDF of the preview's page.
            responder.expect([path](QWidget *modal) {
                auto *preview = qobject_cast<QPrintPreviewDialog *>(modal);
                QVERIFY(preview);
                QPrinter pdf(QPrinter::HighResolution);
                pdf.setOutputFormat(QPrinter::PdfFormat);
                pdf.setOutputFileName(path);
                pdf.setPageLayout(preview->printer()->pageLayout());
                QCOMPARE(preview->printer()->resolution(), 203);
                emit preview->paintRequested(&pdf);
                // Nothing done in the preview outlives it.
                preview->printer()->setPageSize(QPageSize(QPageSize::A4));
                preview->printer()->setPageOrientation(QPageLayout::Landscape);
                preview->reject();
            });
            windowAction(&window, "Print Preview...")->trigger();
        }
        return path;
    }

    PdfPrinter printer;
    QTemporaryDir dir;
    Placeholder table;
};

TAGFORGE_TEST_MAIN(TestOutput)
#include "tst_output.moc"
