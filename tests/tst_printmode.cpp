// The real executable with no display: printing through a private CUPS
// scheduler, series and merges to files, refusals with their exit codes.

#include "childrun.h"
#include "pdfprinter.h"
#include "testsupport.h"

#include "app/translations.h"

#include <QTranslator>

#include <cmath>

class TestPrintMode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        START_PRINTER(printer, PdfPrinter::WithLabelPrinters);
        QVERIFY(writeLabel(labels.filePath("label.qlt"), {{QPointF(20, 20), "Lot {%serial%} {%date%}"}},
                           {{QPointF(150, 150), 100, "{%code%}"}}));
        QVERIFY(writeLabel(labels.filePath("series.qlt"), {{QPointF(20, 20), "S{%serial%} {%lot%}"}},
                           {{QPointF(150, 150), 100, "{%serial%}"}}));
        QVERIFY(writeFile(labels.filePath("notalabel.qlt"), "Lot 0042\n"));
        // A text whose characters end in the middle: a partial label is a wrong label.
        QVERIFY(writeFile(labels.filePath("damaged.qlt"),
                          QByteArray::fromHex("034a9f2100020001000340340000000000004034") + QByteArray(14, '\0')
                              + QByteArray::fromHex("00000010004c006f")));
        QVERIFY(writeFile(labels.filePath("header.csv"), "serial,code\n"));
    }

    void init()
    {
        QVERIFY2(printer.setDefaultQueue(printer.queue()) && printer.clear(), qPrintable(printer.errorString()));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVariantHash>("settings");
        QTest::addColumn<QString>("scheduler");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList config{"--print", "--serial", "0042", "--code", "ABC", "--config"};
        const QStringList print = config + QStringList{"label.qlt"};
        const QStringList toPdf{"--config", "series.qlt", "--output", "out.pdf"};
        const QStringList toPng{"--config", "series.qlt", "--output", "out.png"};
        const QVariantHash none;
        const QString pageError = "page settings cannot be printed";
        QTest::newRow("not a label file") << config + QStringList{"notalabel.qlt"} << none << "" << 2
                                          << "is not a tagforge file";
        QTest::newRow("damaged file") << config + QStringList{"damaged.qlt"} << none << "" << 2 << "is damaged";
        QTest::newRow("empty code") << config + QStringList{"label.qlt", "-c", ""} << none << "" << 3 << "empty";
        QTest::newRow("code too long") << QStringList {"--print", "-c", QString(2000, 'x'), "--config", "label.qlt"}
                                       << none << "" << 3 << "2000 bytes";
        QTest::newRow("no scheduler") << print << none << "none" << 3 << "";
        QTest::newRow("scheduler without printers") << print << none << "no queue" << 3 << "";
        QTest::newRow("printer refusing jobs") << print << none << "refusing" << 3 << "";
        QTest::newRow("zero page") << print << QVariantHash {{"Printer/PageSizeMM", QSizeF(0, 0)}} << "" << 3
                                   << pageError;
        QTest::newRow("resolution 0") << print << QVariantHash{{"Printer/PrintDPI", 0}} << "" << 3 << pageError;
        QTest::newRow("resolution 100000")
            << toPdf << QVariantHash {{"Printer/PrintDPI", 100000}} << "" << 3 << pageError;
        QTest::newRow("count zero") << toPdf + QStringList{"--count", "0"} << none << "" << 1 << "count";
        QTest::newRow("count and data") << toPdf + QStringList{"--count", "3", "--data", "d.csv"} << none << "" << 1
                                        << "exclude";
        QTest::newRow("print and output") << toPdf + QStringList{"--print"} << none << "" << 1 << "exclude";
        QTest::newRow("series without output")
            << QStringList {"--config", "series.qlt", "--count", "3"} << none << "" << 1 << "need --print or --output";
        QTest::newRow("unknown format") << QStringList {"--config", "series.qlt", "--output", "out.xyz"} << none << ""
                                        << 1 << "suffix";
        QTest::newRow("missing data file") << toPdf + QStringList{"--data", "missing.csv"} << none << "" << 2
                                           << "missing.csv";
        QTest::newRow("no data rows") << toPdf + QStringList {"--data", "header.csv"} << none << "" << 2
                                      << "0 data rows";
        QTest::newRow("unwritable output")
            << QStringList {"--config", "series.qlt", "--output", "no/such/out.pdf"} << none << "" << 3 << "out.pdf";
        QTest::newRow("file taken by a folder") << toPng << none << "folder" << 3 << "out.png";
        // Checked before the first file: nothing of the series is left.
        QTest::newRow("one code of a series empty")
            << QStringList{"--config", "label.qlt", "--output", "out.png", "--count", "3", "-s", "1", "-c", ""} << none
            << "" << 3 << "Label 1 of 3";
    }

    // Nothing is printed or written, and the exit code and message say why.
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QVariantHash, settings);
        QFETCH(QString, scheduler);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir work;
        PdfPrinter empty;
        QString server = scheduler == "none" ? work.filePath("cups.sock") : QString();
        QVERIFY(scheduler != "folder" || QDir(work.path()).mkdir("out.png"));
        if (scheduler == "no queue") {
            QVERIFY2(empty.start(PdfPrinter::NoQueue), qPrintable(empty.errorString()));
            server = empty.server();
        }
        if (scheduler == "refusing")
            QVERIFY2(printer.setAcceptingJobs(false), qPrintable(printer.errorString()));
        const ChildRun child = run(arguments, work, settings, server);
        if (scheduler == "refusing")
            QVERIFY2(printer.setAcceptingJobs(true), qPrintable(printer.errorString()));
        QVERIFY2(child.finished && child.exitCode == exitCode, qPrintable(describe(child)));
        QVERIFY2(child.errorOutput.contains(message) && !child.errorOutput.trimmed().isEmpty(),
                 qPrintable(child.errorOutput));
        QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
        QCOMPARE(printer.jobCount(), 0);
        QCOMPARE(QDir(work.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void outputs_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QStringList twelve;
        for (int i = 1; i <= 12; ++i)
            twelve << QString("out-%1.png").arg(i, 2, 10, QChar('0'));
        QTest::newRow("one PNG") << QStringList{"--output", "out.png", "-s", "5"} << QStringList{"out.png"};
        QTest::newRow("numbered PNGs") << QStringList {"--output", "out.png", "--count", "12", "--serial", "1"}
                                       << twelve;
        QTest::newRow("numbered SVGs") << QStringList{"--output", "out.svg", "--count", "2", "--serial", "5"}
                                       << QStringList{"out-1.svg", "out-2.svg"};
    }

    // Each label its own file, numbered in order, at the label's true size.
    void outputs()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QTemporaryDir work;
        const ChildRun child = run(QStringList{"--config", "series.qlt"} + arguments, work);
        QVERIFY2(child.finished && child.exitCode == 0, qPrintable(describe(child)));
        QCOMPARE(QDir(work.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
        const QString last = work.filePath(files.last());
        const bool svg = last.endsWith(".svg");
        // An SVG drawn by an independent reader at the PNG's resolution.
        const QString png = svg ? last + ".png" : last;
        QString error;
        const QStringList draw{"--dpi-x", "288", "--dpi-y", "288", "-b", "white", "-o", png, last};
        QVERIFY(!svg || !runTool("rsvg-convert", draw, &error).isNull());
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1152, 1152));
        // The stored resolution is the one drawn at: 4 pixels a point.
        QVERIFY(svg
                || (qRound(image.dotsPerMeterX() * 0.0254) == 288 && image.dotsPerMeterY() == image.dotsPerMeterX()));
        QCOMPARE(imageQrCodes({png}, &error), QStringList{QString::number(files.size() == 1 ? 5 : svg ? 6 : 12)});
    }

    void mergeToPdf_data()
    {
        QTest::addColumn<bool>("standardInput");
        QTest::newRow("file") << false;
        QTest::newRow("standard input") << true;
    }

    // Every page carries its row's values, whatever quoting the row needed.
    void mergeToPdf()
    {
        QFETCH(bool, standardInput);
        const QByteArray data("\xef\xbb\xbfserial,lot\r\n0007,\"A,1\"\r\n"
                              "0008,\"say \"\"B\"\"\"\r\n0009,Gr\xc3\xb6\xc3\x9f" "e\r\n");
        QTemporaryDir work;
        QVERIFY(writeFile(work.filePath("rows"), data));
        // Options written with "=" need no display either.
        const ChildRun child = run({"--config", "series.qlt", "--output=" + work.filePath("merged.pdf"),
                                    "--data=" + (standardInput ? "-" : work.filePath("rows"))},
                                   work, {}, QString(), standardInput ? data : QByteArray());
        QVERIFY2(child.finished && child.exitCode == 0, qPrintable(describe(child)));
        QString error;
        QCOMPARE(pdfPages(work.filePath("merged.pdf"), &error),
                 (QStringList{"S0007 A,1", "S0008 say \"B\"", QString::fromUtf8("S0009 Gr\xc3\xb6\xc3\x9f" "e")}));
    }

    void trueSize_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QSizeF>("pageMM");
        QTest::addColumn<int>("dpi");
        const QSizeF square(101.6, 101.6);
        QTest::newRow("PDF 300 dpi, stored page size") << "pdf" << QSizeF(101.6, 127) << 300;
        QTest::newRow("Zebra ZPL 203 dpi") << "zebra" << square << 203;
        QTest::newRow("Zebra ZPL 300 dpi") << "zebra" << square << 300;
        // A label size the driver knows; its margins cut the box at the top edge.
        QTest::newRow("DYMO 300 dpi, margins") << "dymo" << QSizeF(57.15, 101.6) << 300;
    }

    // What the program prints measures what the label says: a 100-point code
    // and a 100 x 60 point frame drawn with a 2-point pen, each at its place
    // from the paper's corner, on the stored page, its placeholders filled.
    void trueSize()
    {
        QFETCH(QString, driver);
        QFETCH(QSizeF, pageMM);
        QFETCH(int, dpi);
#ifdef TAGFORGE_SANITIZED
        if (driver == "zebra" && dpi != 203)
            QSKIP("the sanitizer build's job reaches the driver at its default resolution");
#endif
        QTemporaryDir dir;
        const QString label = dir.filePath("label.qlt");
        const QPointF code(20, 20), frame(100, 200);
        QVERIFY(writeLabel(label, {{QPointF(20, 135), "Lot {%serial%} {%date%}"}}, {{code, 100, "{%code%}"}},
                           {{frame, QSizeF(100, 60), QPen(Qt::black, 2)}, {QPointF(143, 6), QSizeF(6, 6), QPen()}}));
        const QString queue = driver == "pdf" ? printer.queue() : printer.labelQueue(driver);
        QVERIFY2(printer.setDefaultQueue(queue), qPrintable(printer.errorString()));
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        const ChildRun child = runTagforge(
            {"--print", "--config", label, "--code", "TRUE SIZE 0042", "--serial", "0042"}, printer.server(),
            {{"Printer/PageSizeMM", pageMM}, {"Printer/PrintDPI", dpi}});
        QVERIFY2(child.finished && child.exitCode == 0, qPrintable(describe(child)));
        QCOMPARE(child.errorOutput.contains("unprintable margins"), driver == "dymo");
        QVERIFY2(printer.waitIdle(), qPrintable(printer.errorString()));
        if (driver == "dymo")
            return;
        QString error;
        QImage page;
        if (driver == "pdf") {
            // Rasterised as a label printer does: every dot an edge touches.
            const QStringList options {"-r",    QString::number(dpi), "-aa", "no", "-aaVector", "no",
                                       "-mono", "-singlefile"};
            QCOMPARE(printer.jobCount(), 1);
            const QString pdf = printer.pdfs().value(0);
            page = QImage::fromData(runTool("pdftoppm", options + QStringList{pdf}, &error));
            QCOMPARE(pdfText(pdf, &error), "Lot 0042 " + today);
        } else {
            const QList<QImage> labels = zplLabels(printer.deviceData(queue), &error);
            QVERIFY2(labels.size() == 1, qPrintable(error));
            page = labels.first();
        }
        QVERIFY2(qAbs(page.height() - pageMM.height() / 25.4 * dpi) <= 1
                     && qAbs(page.width() - pageMM.width() / 25.4 * dpi) <= 8,
                 qPrintable(QString("%1 x %2 dots").arg(page.width()).arg(page.height())));
        const qreal dots = dpi / 72.0;
        for (const QRectF &points :
             {QRectF(code, QSizeF(100, 100)), QRectF(frame - QPointF(51, 31), QSizeF(102, 62))}) {
            const QRectF expected(points.topLeft() * dots, points.size() * dots);
            const QRect area = inkRect(page, expected.adjusted(-20, -20, 20, 20).toAlignedRect() & page.rect());
            QVERIFY2(qAbs(area.left() - std::floor(expected.left())) <= 1
                         && qAbs(area.top() - std::floor(expected.top())) <= 1
                         && qAbs(area.right() + 1 - std::ceil(expected.right())) <= 1
                         && qAbs(area.bottom() + 1 - std::ceil(expected.bottom())) <= 1,
                     qPrintable(QString("%1 x %2 dots at %3, %4").arg(area.width()).arg(area.height())
                                    .arg(area.left()).arg(area.top())));
        }
        QCOMPARE(labelCodes(page, &error), QStringList{"TRUE SIZE 0042"});
    }

    void mostRecentFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stored");
        const QString previous = "previous.qlt", label = "sub dir/Label.qlt";
        QTest::newRow("unknown option") << QStringList{"--print", "--config", "new.qlt", "-x"} << 1 << previous;
        QTest::newRow("two files") << QStringList{"--print", "a.qlt", "b.qlt"} << 1 << previous;
        QTest::newRow("--config") << QStringList{"--print", "--config", label} << 2 << label;
        QTest::newRow("plain file, serial") << QStringList{"--print", "-s", "7", label} << 2 << label;
        QTest::newRow("no file: the previous one") << QStringList{"--print", "-c", "ABC"} << 2 << previous;
    }

    // Refused command lines leave the store as it was; a label named is stored
    // absolute, and a missing one is exit code 2 with a warning in the stored
    // language.
    void mostRecentFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stored);
        const QString path = QDir::current().absoluteFilePath(stored);
        const ChildRun child = runTagforge(arguments, printer.server(),
                                           {{"Ui/MostRecentFile", QDir::current().absoluteFilePath("previous.qlt")},
                                            {"Ui/Language", QLocale("de_DE")}});
        QVERIFY2(child.finished && child.exitCode == exitCode, qPrintable(describe(child)));
        QTranslator german;
        QVERIFY(Translations::load(&german, "de"));
        const QString warning = german.translate("LabelFile", "Failed to open file: %1").arg(path);
        QVERIFY2(!child.errorOutput.isEmpty() && (exitCode == 1 || child.errorOutput.contains(warning)),
                 qPrintable(child.errorOutput));
        QCOMPARE(child.settings.size(), 2);
        QCOMPARE(child.settings.value("Ui/MostRecentFile").toString(), path);
    }

private:
    // Label files and data named by their file name are the fixtures; other
    // names with a dot or slash are placed in the run's work folder.
    ChildRun run(const QStringList &arguments, const QTemporaryDir &work, const QVariantHash &settings = {},
                 const QString &server = QString(), const QByteArray &input = QByteArray())
    {
        QStringList absolute;
        for (const QString &argument : arguments) {
            if (argument.endsWith(".qlt") || argument.endsWith(".csv"))
                absolute << labels.filePath(argument);
            else
                absolute << (argument.contains('.') && !argument.startsWith('-') ? work.filePath(argument) : argument);
        }
        return runTagforge(absolute, server.isNull() ? printer.server() : server, settings, input);
    }

    PdfPrinter printer;
    QTemporaryDir labels;
};

TAGFORGE_TEST_MAIN(TestPrintMode)
#include "tst_printmode.moc"
