// Label files and clipboard records without a window, and the values filled
// into labels: placeholders, data tables, serials.

#include "fuzz/fuzzdriver.h"
#include "testsupport.h"

#include "document/recordscanner.h"
#include "output/labelvalues.h"
#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"

#include <QConicalGradient>
#include <QRandomGenerator>

#include <unistd.h>

namespace {

const char *const SaveLoopVariable = "TAGFORGE_TEST_SAVE_LOOP";

// A box, a QR code and a text as the add commands make them, saved in that order.
const QByteArray Version2 = QByteArray::fromHex(
    "034a9f210002"
    "000100014062000000000000405c80000000000000000000000000000000005a0000001e0000000000000000c046800000000000"
    "c02e0000000000004056800000000000403e0000000000000051003ff00000000000000101ffff00000000000000003ff0000000"
    "0000000000000000000000000000000000000000000000000000003ff00000000000000000000000000000000000000000000000"
    "000000000000003ff00000000000004000000000000000000000000000000000000000010001ffff00000000000000003ff00000"
    "000000000000000000000000000000000000000000000000000000003ff000000000000000000000000000000000000000000000"
    "00000000000000003ff0000000000000"
    "000100024040000000000000404400000000000000000000000000000000003200000032000000000000000000000010007b0025"
    "0063006f006400650025007d"
    "000100034024000000000000406f40000000000000000000000000000000001c004c006f00740020007b00250073006500720069"
    "0061006c0025007d0000001200480065006c007600650074006900630061ffffffff4008000000000000ffffffff050001003210"
    "0000010000000000000000000000000000");

QByteArray entryOf(QGraphicsItem *item)
{
    return ItemEntries::write({item}, LabelStreamVersion);
}

QList<QGraphicsItem *> readBack(const QByteArray &entries, QGraphicsScene *scene, bool *complete = nullptr)
{
    const ItemEntries::Items items = ItemEntries::read(entries, LabelStreamVersion, scene);
    if (complete)
        *complete = items.complete;
    return items.items;
}

BarcodeItem *barcode(QGraphicsScene *scene)
{
    auto *item = new BarcodeItem(QPoint(3, 4), scene);
    item->setCode("4006381333931", BarcodeItem::Ean13, false);
    return item;
}

ImageItem *image(QGraphicsScene *scene)
{
    return new ImageItem(QPoint(3, 4), "<svg xmlns='http://www.w3.org/2000/svg'/>", scene);
}

QImage texture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

class TestLabelFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName("tagforge"); }
    void init() { scene.clear(); }

    void version2Bytes()
    {
        QTemporaryDir dir;
        auto *box = new BoxItem(QRect(100, 100, 90, 30), &scene);
        auto *code = new QRCodeItem(QPoint(32, 40), &scene);
        auto *text = new TextItem(QPoint(10, 250), &scene);
        text->setPlainText("Lot {%serial%}");
        QCOMPARE(LabelFile::write(dir.filePath("a.qlt"), {box, code, text}), QString());
        QCOMPARE(readAll(dir.filePath("a.qlt")).toHex(), Version2.toHex());
        QCOMPARE(LabelFile::write(dir.filePath("empty.qlt"), {}), QString());
        QCOMPARE(readAll(dir.filePath("empty.qlt")), QByteArray::fromHex("034A9F210002"));
        // A barcode or an image needs version 3.
        QCOMPARE(ItemEntries::formatVersion({box, barcode(&scene)}), qint16(3));

        QGraphicsScene other;
        const LabelFile::Contents contents = LabelFile::fromBytes(Version2, "a.qlt");
        QCOMPARE(contents.error, QString());
        bool complete = false;
        const QList<QGraphicsItem *> items = readBack(contents.entries, &other, &complete);
        QVERIFY(complete);
        // Stacked as saved, topmost first; the last entry's item alone is selected.
        QCOMPARE(ItemEntries::labelItems(&other), items);
        QCOMPARE(other.selectedItems(), QList<QGraphicsItem *>{items.last()});
        QCOMPARE(items.at(0)->pos(), QPointF(144, 114));
        QCOMPARE(static_cast<BoxItem *>(items.at(0))->rect(), QRectF(-45, -15, 90, 30));
        QCOMPARE(static_cast<QRCodeItem *>(items.at(1))->plainText(), QString("{%code%}"));
        QCOMPARE(static_cast<TextItem *>(items.at(2))->toPlainText(), QString("Lot {%serial%}"));
        QCOMPARE(ItemEntries::write(items, LabelStreamVersion), contents.entries);
    }

    void scannerAgreesWithQt_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QRectF>("bounds");
        const auto row = [](const char *name, QGraphicsItem *item) {
            item->setZValue(item->zValue() + 2);
            QTest::newRow(name) << entryOf(item) << item->sceneBoundingRect();
        };
        const auto box = [this](const QPen &pen, const QBrush &brush) {
            auto *item = new BoxItem(QRect(10, 10, 90, 30), &scene);
            item->setPen(pen);
            item->setBrush(brush);
            return item;
        };
        QLinearGradient linear(0, 0, 10, 10);
        linear.setColorAt(0, Qt::red);
        linear.setColorAt(1, Qt::blue);
        QRadialGradient radial(5, 5, 3, 2, 2);
        radial.setColorAt(0.5, Qt::green);
        QPen dashed(QBrush(linear), 3, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin);
        dashed.setDashPattern({1, 2, 3, 4, 5, 6});
        BoxItem *turned = box(dashed, QBrush(radial));
        turned->setPos(10.5, -20.25);
        turned->setAngle(370);
        turned->setShear(120, 40);
        turned->setZValue(7);
        turned->setRect(turned->rect().translated(3, -2));
        auto *text = new TextItem(QPoint(3, 4), &scene);
        text->setPlainText("Zeile 1\nZeile 2 \u4e2d {%date%}");
        QFont font("DejaVu Serif", 7.5, QFont::Bold, true);
        font.setStyleName("Bold Italic");
        font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
        font.setFamilies({"Noto Sans", "Liberation Sans"});
        text->setFont(font);
        text->setZValue(-4);
        auto *code = new QRCodeItem(QPoint(20, 30), &scene);
        code->setPlainText("https://example.org/{%serial%}");
        code->setAngle(90);
        code->setShear(100, 50);
        row("box turned, sheared, dashed linear gradient pen, radial brush", turned);
        row("box, conical gradient pen, widest texture", box(QPen(QBrush(QConicalGradient(5, 5, 45)), 2),
                                                             QBrush(texture(8192, 1))));
        row("text, styled font, families", text);
        row("QR code turned, sheared", code);
        row("barcode", barcode(&scene));
        row("image", image(&scene));
    }

    // The scanner walks exactly the bytes Qt wrote: a whole entry is complete
    // up to the next, every prefix cut short; read back, it writes the same.
    void scannerAgreesWithQt()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QRectF, bounds);
        const QByteArray data = entry + entry;
        qint64 pos = 0;
        QCOMPARE(RecordScanner(data).scanEntry(&pos), RecordScanner::Complete);
        QCOMPARE(pos, qint64(entry.size()));
        QCOMPARE(RecordScanner(data).scanEntry(&pos), RecordScanner::Complete);
        QCOMPARE(pos, qint64(data.size()));
        for (int size = 1; size < qMin(entry.size(), 400); ++size) {
            pos = 0;
            QVERIFY2(RecordScanner(entry.left(size)).scanEntry(&pos) == RecordScanner::CutShort,
                     qPrintable(QString::number(size)));
        }
        bool complete = false;
        const QList<QGraphicsItem *> read = readBack(entry, &scene, &complete);
        QVERIFY(complete);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first()->sceneBoundingRect(), bounds);
        QCOMPARE(entryOf(read.first()).toHex(), entry.toHex());
    }

    void hostileCounts_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<int>("result");
        const QByteArray box = entryOf(new BoxItem(QRect(10, 10, 90, 30), &scene));
        const QByteArray picture = entryOf(image(&scene));
        const auto patched = [](QByteArray entry, int at, const char *hex) {
            const QByteArray bytes = QByteArray::fromHex(hex);
            return entry.replace(at < 0 ? entry.size() + at : at, bytes.size(), bytes);
        };
        const auto stream = [](const std::function<void(QDataStream &)> &write) {
            QByteArray bytes;
            QDataStream out(&bytes, QIODevice::WriteOnly);
            write(out);
            return bytes;
        };
        const int damaged = RecordScanner::Damaged;
        // The pen's dash count follows the fixed fields, the pen's head, its brush and miter limit.
        QTest::newRow("a billion dashes") << patched(box, 4 + 72 + 11 + 84 + 8, "40000000") << damaged;
        QTest::newRow("pen brush of no known style") << patched(box, 4 + 72 + 11, "7f") << damaged;
        QTest::newRow("font with endless families") << stream([](QDataStream &out) {
            out << qint32(TextItem::Type) << QPointF() << 0.0 << QString("x") << QString("DejaVu Sans") << QString();
            out.writeRawData(QByteArray(31, '\0').constData(), 31);
            out << quint32(0x7fffffff);
        }) << damaged;
        const QByteArray oddText = stream([](QDataStream &out) {
            out << qint32(QRCodeItem::Type) << QPointF() << 0.0 << qint32(50) << qint32(50) << 0.0 << quint32(3)
                << quint8(0x41) << quint8(0) << quint8(0x42);
        });
        QTest::newRow("text of odd byte length") << oddText << damaged;
        QTest::newRow("text longer than the data") << oddText.left(oddText.size() - 7) + QByteArray::fromHex("7ffffff0")
                                                   << int(RecordScanner::CutShort);
        QTest::newRow("barcode, no offered symbology") << patched(entryOf(barcode(&scene)), -5, "00000058") << damaged;
        QTest::newRow("image over the byte bound") << patched(picture, 4 + 40, "00200001") << damaged;
        QTest::newRow("image wider than an item") << patched(picture, 4 + 24, "00000401") << damaged;
        auto *textured = new BoxItem(QRect(), &scene);
        textured->setBrush(QBrush(texture(8193, 1)));
        QTest::newRow("texture too wide") << entryOf(textured) << damaged;
    }

    void hostileCounts()
    {
        QFETCH(QByteArray, entry);
        QFETCH(int, result);
        qint64 pos = 0;
        QCOMPARE(int(RecordScanner(entry).scanEntry(&pos)), result);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("items");
        const QByteArray box = Version2.mid(6, 276);
        const QByteArray v2 = Version2.left(6);
        QTest::newRow("version 1") << QByteArray::fromHex("034A9F210001") + box << "" << 1;
        QTest::newRow("version 3") << QByteArray::fromHex("034A9F210003") + entryOf(barcode(&scene)) << "" << 1;
        QTest::newRow("version 4") << QByteArray::fromHex("034A9F210004") + box
                                   << "%1 needs a more recent version of tagforge" << 0;
        QTest::newRow("wrong magic") << QByteArray::fromHex("504B03040002") + box << "%1 is not a tagforge file" << 0;
        QTest::newRow("missing") << QByteArray() << "Failed to open file: %1 (No such file or directory)" << 0;
        QTest::newRow("too large") << v2 + QByteArray(LabelFile::MaximumSize, '\0')
                                   << "%1 is too large for a label: 8388614 bytes, at most 8388608." << 0;
        QTest::newRow("largest") << v2 + QByteArray(LabelFile::MaximumSize - 6, '\0') << "damaged" << 0;
        // Damaged: what was read before stays, nothing after.
        QTest::newRow("cut inside a type number") << v2 + box + QByteArray::fromHex("000100") << "damaged" << 1;
        QTest::newRow("unknown type") << v2 + box + QByteArray::fromHex("12345678") << "damaged" << 1;
        const QByteArray text = QByteArray::fromHex("000100034014000000000000401400000000000000000000000000007ffffff0");
        QTest::newRow("text longer than the file") << v2 + box + text << "damaged" << 2;
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QFETCH(int, items);
        QTemporaryDir dir;
        const QString path = dir.filePath("label.qlt");
        if (!content.isEmpty())
            QVERIFY(writeFile(path, content));
        const LabelFile::Contents contents = LabelFile::read(path);
        const bool damaged = error == "damaged";
        QCOMPARE(contents.error, damaged ? QString() : error.contains("%1") ? error.arg(path) : error);
        bool complete = true;
        QCOMPARE(readBack(contents.entries, &scene, &complete).size(), items);
        QCOMPARE(complete, !damaged);
        if (damaged)
            QCOMPARE(LabelFile::damagedMessage(path),
                     QString("%1 is damaged: only part of the label could be read.").arg(path));
    }

    // A save failing on a full device says why and leaves the old file alone.
    void saveFails()
    {
        QTemporaryDir base;
        const QString path = base.filePath("label.qlt");
        for (int i = 0; i < 200; ++i)
            new BoxItem(QRect(i, i, 20, 10), &scene);
        const QList<QGraphicsItem *> items = ItemEntries::labelItems(&scene);
        if (geteuid() != 0 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", base.path()}) != 0)
            QSKIP("cannot mount a small file system here");
        QCOMPARE(LabelFile::write(path, items.mid(0, 1)), QString());
        const QString error = LabelFile::write(path, items);
        const QStringList left = QDir(base.path()).entryList(QDir::Files | QDir::Hidden);
        const QByteArray old = readAll(path);
        QProcess::execute("umount", {base.path()});
        const QString prefix = QString("Failed to save file: %1 (").arg(path);
        QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size() + 3, qPrintable(error));
        QCOMPARE(left, QStringList{"label.qlt"});
        QCOMPARE(old.size(), 6 + 276);
        qDeleteAll(items);
    }

    // A save killed at any moment leaves the file whole, old or new.
    void killedWhileSaving()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("label.qlt");
        QRandomGenerator random(20261206);
        QSet<QByteArray> seen;
        for (int round = 0; round < 8; ++round) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(SaveLoopVariable, target);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), {"saveLoop"});
            // "saving" once both versions and the target are written.
            QByteArray line;
            while (line.trimmed() != "saving") {
                while (!child.canReadLine())
                    QVERIFY2(child.waitForReadyRead(60000), "the saving child did not start");
                line = child.readLine();
            }
            QThread::msleep(random.bounded(5, 400));
            child.kill();
            QVERIFY(child.waitForFinished(60000));
            const QByteArray versions[] = {readAll(target + ".first"), readAll(target + ".second")};
            const QByteArray content = readAll(target);
            QVERIFY(!versions[0].isEmpty() && versions[0] != versions[1]);
            QVERIFY2(content == versions[0] || content == versions[1], qPrintable(QString("round %1").arg(round)));
            seen << content;
        }
        QCOMPARE(seen.size(), 2);
    }

    // killedWhileSaving's child: saves a large label over and over until killed.
    void saveLoop()
    {
        const QString target = qEnvironmentVariable(SaveLoopVariable);
        if (target.isEmpty())
            QSKIP("runs only as the child of killedWhileSaving");
        QPen pen(Qt::darkGray, 1, Qt::DashLine);
        pen.setDashPattern({1, 2, 3, 4});
        for (int i = 0; i < 1500; ++i)
            (new BoxItem(QRect(0, 0, 10 + i % 50, 10 + i % 30), &scene))->setPen(pen);
        const QList<QGraphicsItem *> items = ItemEntries::labelItems(&scene);
        QCOMPARE(LabelFile::write(target + ".first", items), QString());
        items.first()->moveBy(1, 1);
        QCOMPARE(LabelFile::write(target + ".second", items), QString());
        QCOMPARE(LabelFile::write(target, items), QString());
        QTextStream(stdout) << "saving" << Qt::endl;
        for (int step = 1;; step = -step) {
            items.first()->moveBy(-step, -step);
            QCOMPARE(LabelFile::write(target, items), QString());
        }
    }

    void fuzzReplays_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator files(QStringLiteral(TESTS_SOURCE_DIR "/fuzz"), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.contains("/corpus/") || path.contains("/regressions/"))
                QTest::newRow(qPrintable(path.section('/', -3))) << path;
        }
    }

    // What fuzzing found harmful and the seeds it starts from: no crash, no
    // code drawn larger than a label can hold, every seed read whole.
    void fuzzReplays()
    {
        QFETCH(QString, path);
        FuzzDriver driver;
        const QByteArray bytes = readAll(path);
        if (path.contains("/mimetypes/")) {
            for (const QSet<QString> &extensions : FuzzDriver::readMimeTypes(bytes))
                QVERIFY(!extensions.contains(QString()));
            return;
        }
        if (path.contains("/clipboard/"))
            driver.pasteRecord(bytes);
        else
            QVERIFY(driver.loadLabel(bytes) || !path.contains("/corpus/"));
        for (QGraphicsItem *item : driver.scene.items()) {
            if (auto *code = dynamic_cast<QRCodeItem *>(item))
                QVERIFY(code->shape().boundingRect().width() <= 1024 && code->shape().boundingRect().height() <= 1024);
        }
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("changed");
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        QTest::newRow("any case") << "No. {%serial%}/{%SeRiAl%}" << "No. 42/42" << true;
        QTest::newRow("two keys") << "{%code%}-{%serial%}-{%code%}" << "ABC-42-ABC" << true;
        QTest::newRow("date of a fresh table") << "Made {%DATE%}" << "Made " + today << true;
        QTest::newRow("unknown placeholder") << "Lot {%batch%}" << "Lot {%batch%}" << false;
        QTest::newRow("incomplete placeholder") << "{%serial}" << "{%serial}" << false;
        QTest::newRow("four characters") << "{%x}" << "{%x}" << false;
        QTest::newRow("markers around a placeholder") << "{%x{%code%}%}" << "{%xABC%}" << true;
        // One pass over the original text: a value that looks like a placeholder stays.
        QTest::newRow("values not substituted again") << "{%self%}/{%loop%}" << "{%loop%}/{%self%}" << true;
    }

    void placeholders()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, changed);
        Placeholder table;
        table.setValue("code", "first");
        table.setValue("code", "ABC");
        table.setValue("serial", "42");
        table.setValue("self", "{%loop%}");
        table.setValue("loop", "{%self%}");
        // Start from the opposite so that a missing write is seen.
        bool reported = !changed;
        QCOMPARE(table.replace(text, &reported), expected);
        QCOMPARE(reported, changed);
        QCOMPARE(table.replace(text), expected);
    }

    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("error");
        QTest::newRow("BOM, CR LF, blank last line")
            << QByteArray("\xef\xbb\xbfserial,code\r\n1,A\r\n2,B\r\n\r\n") << QStringList{"serial|code", "1|A", "2|B"}
            << "";
        QTest::newRow("quoted comma, quote, line break, UTF-8")
            << QByteArray("a,b\n\"x,y\",\"say \"\"hi\"\"\"\n\"two\nlines\",\xc3\xa4\n")
            << QStringList{"a|b", "x,y|say \"hi\"", "two\nlines|\xc3\xa4"} << "";
        QTest::newRow("empty fields, no final line break")
            << QByteArray("a,b,c\n,\"\",") << QStringList{"a|b|c", "||"} << "";
        QTest::newRow("quote never closed") << QByteArray("a\n1\n\"open\n\n") << QStringList() << "Line 3:";
        QTest::newRow("text after closing quote") << QByteArray("a,b\n\"x\"y,1\n") << QStringList() << "Line 2:";
        QTest::newRow("quote inside a field") << QByteArray("a\nx\"y\n") << QStringList() << "Line 2:";
        QTest::newRow("row of other width after a quoted line break")
            << QByteArray("a,b\n\"1\n2\",3\n4\n") << QStringList() << "Line 4:";
        QTest::newRow("unnamed column") << QByteArray("a,,c\n1,2,3\n") << QStringList() << "Line 1:";
        QTest::newRow("not UTF-8") << QByteArray("a\n\xff\xfe\n") << QStringList() << "UTF-8";
        QTest::newRow("nothing") << QByteArray() << QStringList() << "header";
    }

    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QFETCH(QString, error);
        const CsvTable table = CsvTable::parse(bytes);
        QVERIFY2(error.isEmpty() ? table.error().isEmpty() : table.error().contains(error), qPrintable(table.error()));
        QStringList read;
        if (!table.header().isEmpty())
            read << table.header().join('|');
        for (int i = 0; i < table.rowCount(); ++i)
            read << table.row(i).join('|');
        QCOMPARE(read, rows);
    }

    void serials_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("serials");
        QTest::newRow("zero padding kept") << "0042" << 3 << QStringList{"0042", "0043", "0044"};
        QTest::newRow("padding grows into a digit") << "0099" << 2 << QStringList{"0099", "0100"};
        QTest::newRow("eighteen digits") << "999999999999999998" << 2
                                         << QStringList{"999999999999999998", "999999999999999999"};
        QTest::newRow("one label keeps any serial") << "Lot-7" << 1 << QStringList{"Lot-7"};
        QTest::newRow("letters in a series") << "12a" << 2 << QStringList();
        QTest::newRow("nineteen digits") << "1234567890123456789" << 2 << QStringList();
        QTest::newRow("no serial") << "" << 2 << QStringList();
        QTest::newRow("count zero") << "1" << 0 << QStringList();
        QTest::newRow("count beyond a million") << "1" << 1000001 << QStringList();
    }

    void serials()
    {
        QFETCH(QString, first);
        QFETCH(int, count);
        QFETCH(QStringList, serials);
        QCOMPARE(LabelValues::seriesError(first, count).isEmpty(), !serials.isEmpty());
        if (serials.isEmpty())
            return;
        Placeholder base;
        base.setValue("code", "ABC");
        base.setValue("serial", first);
        LabelValues values(base);
        values.setSeries(first, count);
        QStringList made;
        for (int i = 0; i < values.count(); ++i)
            made << values.at(i).value("serial") + values.at(i).value("code");
        QCOMPARE(made, serials.replaceInStrings(QRegularExpression("$"), "ABC"));
    }

private:
    QGraphicsScene scene{0, 0, 288, 288};
};

TAGFORGE_TEST_MAIN(TestLabelFile)
#include "tst_labelfile.moc"
