// Drives saving, opening, the clipboard and the window state of the main
// window, and checks the bytes of what it writes.

#include "testsupport.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QDirIterator>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QTranslator>

#include <unistd.h>

namespace {

const char *const ClipboardFormat = "application/{82959F55-A005-4F9B-A468-955D521D9691}";

QByteArray header(qint16 version = 2, qint32 magic = 0x034A9F21)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << magic << version;
    return bytes;
}

// One box entry as a label file holds it.
QByteArray boxEntry(const QPointF &pos, int width = 90, int height = 30)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_13);
    out << qint32(65537) << pos << 0.0 << qint32(width) << qint32(height) << 0.0
        << QRectF(-width / 2.0, -height / 2.0, width, height) << QPen() << QBrush();
    return bytes;
}

struct ItemState
{
    int type;
    QPointF pos;
    qreal z;
    QString text;
    QString detail;
};

QString describe(QGraphicsItem *item)
{
    if (auto *box = dynamic_cast<BoxItem *>(item)) {
        QString pen;
        QDebug(&pen) << box->pen() << box->brush() << box->rect() << box->angle() << box->shearHorizontal()
                     << box->shearVertical() << box->transform();
        return pen;
    }
    if (auto *code = dynamic_cast<QRCodeItem *>(item)) {
        QString text;
        QDebug(&text) << code->plainText() << code->angle() << code->shearHorizontal() << code->shearVertical()
                      << code->boundingRect() << code->transform();
        return text;
    }
    auto *text = dynamic_cast<TextItem *>(item);
    return text->toPlainText() + "|" + text->font().toString();
}

QStringList describeAll(QWidget *window)
{
    QStringList result;
    const QList<QGraphicsItem *> items = labelItems(window);
    for (QGraphicsItem *item : items) {
        QString line;
        QDebug(&line) << item->type() << item->pos() << item->zValue();
        result << line + describe(item);
    }
    return result;
}

void loadPath(MainWindow &window, const QString &path)
{
    window.setWindowFilePath(path);
    invoke(&window, "loadFile");
}

bool isRoot()
{
    return geteuid() == 0;
}

// A tiny file system that fills up after a few kilobytes.
class SmallDevice
{
public:
    explicit SmallDevice(const QString &path)
        : path(path)
    {
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", path}) == 0;
    }
    ~SmallDevice()
    {
        if (mounted)
            QProcess::execute("umount", {path});
    }
    QString path;
    bool mounted = false;
};

} // namespace

class TestLabelFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void emptyLabelBytes();
    void boxRecordBytes();
    void roundTrip();
    void manyItemsAndStacking();
    void refusedFiles_data();
    void refusedFiles();
    void versionOneLoads();
    void damagedFile_data();
    void damagedFile();
    void copyAndPasteOffsets();
    void cutThenPaste();
    void pasteForeignText_data();
    void pasteForeignText();
    void pasteImageOnly();
    void unsavedChangesPrompt_data();
    void unsavedChangesPrompt();
    void saveFails_data();
    void saveFails();
    void saveAsNames_data();
    void saveAsNames();
    void saveAsAsksBeforeReplacing();
    void titles();
    void settingsOnClose();
    void cancelledCloseWritesNothing();
    void initialDocument_data();
    void initialDocument();
    // Last: a crash in it must not hide the results of the others.
    void pasteGarbage_data();
    void pasteGarbage();

private:
    QTemporaryDir dir;
};

void TestLabelFile::initTestCase()
{
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    QVERIFY(dir.isValid());
}

void TestLabelFile::init()
{
    clearSettings();
    QGuiApplication::clipboard()->clear();
}

void TestLabelFile::emptyLabelBytes()
{
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    const QString typed = dir.filePath("empty");
    responder.expect(ModalResponder::choosePath(typed));
    QVERIFY(invokeBool(&window, "fileSaveAs"));
    QCOMPARE(readAll(typed + ".qlt"), QByteArray::fromHex("034A9F210002"));
    QCOMPARE(window.windowFilePath(), typed + ".qlt");
    QVERIFY(!window.isWindowModified());
    QCOMPARE(responder.unexpected, 0);
}

void TestLabelFile::boxRecordBytes()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(144, 114));
    const QString path = dir.filePath("box.qlt");
    window.setWindowFilePath(path);
    QVERIFY(invokeBool(&window, "fileSave"));
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.mid(6, 4), QByteArray::fromHex("00010001"));
    QCOMPARE(bytes, header() + boxEntry(QPointF(144, 114)));
    QVERIFY(!window.isWindowModified());
    QVERIFY(!windowAction(&window, "Save")->isEnabled());
}

void TestLabelFile::roundTrip()
{
    const QString path = dir.filePath("round.qlt");
    QStringList before;
    {
        MainWindow window;
        startWindow(window);
        ModalResponder responder;
        BoxItem *box = addBox(window, QPointF(70.5, 40.25));
        box->setZValue(2);
        box->setAngle(30);
        box->setShear(100, 40);
        box->setPen(QPen(QColor(10, 20, 30), 3, Qt::DashDotLine));
        box->setBrush(QBrush(Qt::red, Qt::Dense3Pattern));
        QRCodeItem *code = addQRCode(window, QPointF(150, 150));
        code->setZValue(1);
        code->setAngle(15);
        code->setShear(60, 80);
        code->setPlainText("ROUND {%code%}");
        TextItem *text = addText(window, responder);
        text->setPos(20, 200);
        text->setZValue(3);
        text->setPlainText("Hello\nworld");
        text->setFont(QFont("DejaVu Serif", 7, QFont::Bold, true));
        window.setWindowFilePath(path);
        QVERIFY(invokeBool(&window, "fileSave"));
        before = describeAll(&window);
    }
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    windowAction(&window, "Open...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(describeAll(&window), before);
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.windowFilePath(), path);
    QCOMPARE(statusMessage(&window), QString("Loaded %1").arg(path));
    // The last entry of the file (the lowest item) is the one selected.
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first()->zValue(), 1.0);
}

void TestLabelFile::manyItemsAndStacking()
{
    const QString path = dir.filePath("many.qlt");
    MainWindow window;
    startWindow(window);
    QGraphicsScene *scene = windowScene(&window);
    for (int i = 0; i < 200; ++i) {
        if (i % 10 == 3)
            new QRCodeItem(QPoint(i, 2 * i), scene);
        else if (i % 10 == 7)
            new TextItem(QPoint(i, 2 * i), scene);
        else
            new BoxItem(QRect(i, 2 * i, 20 + i % 7, 10), scene);
    }
    const QStringList before = describeAll(&window);
    QCOMPARE(before.size(), 200);
    window.setWindowFilePath(path);
    QVERIFY(invokeBool(&window, "fileSave"));
    invoke(&window, "fileNew");
    QVERIFY(labelItems(&window).isEmpty());
    loadPath(window, path);
    // Items of equal z come back stacked as they were saved.
    QCOMPARE(describeAll(&window), before);
}

void TestLabelFile::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong magic") << QByteArray::fromHex("504B03040002") + boxEntry(QPointF(50, 50))
                                 << "%1 is not a tagforge file";
    QTest::newRow("version 4") << header(4) + boxEntry(QPointF(50, 50)) << "%1 needs a more recent version of tagforge";
    QTest::newRow("unreadable") << QByteArray() << "Failed to open file: %1 (No such file or directory)";
}

void TestLabelFile::refusedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString good = dir.filePath("good.qlt");
    const QString bad = dir.filePath("bad.qlt");
    QVERIFY(writeFile(good, header() + boxEntry(QPointF(100, 100))));
    QVERIFY(writeFile(bad, content));

    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(good));
    windowAction(&window, "Open...")->trigger();
    addBox(window, QPointF(200, 200));
    const QString title = window.windowTitle();
    QCOMPARE(title, QString("Quillet - V1.0.1.2 (good.qlt)"));

    responder.expect(ModalResponder::answer(QMessageBox::Discard));
    const bool unreadable = content.isEmpty();
    responder.expect([bad, unreadable](QWidget *modal) {
        ModalResponder::choosePath(bad)(modal);
        if (unreadable)
            QFile::remove(bad);
    });
    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    windowAction(&window, "Open...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages.last(), message.contains("%1") ? message.arg(bad) : message);
    QCOMPARE(labelItems(&window).size(), 2);
    QVERIFY(window.isWindowModified());
    QCOMPARE(window.windowFilePath(), good);
    QCOMPARE(window.windowTitle(), title);
    QVERIFY(invokeBool(&window, "fileSave"));
    QCOMPARE(readAll(bad), content);
}

void TestLabelFile::versionOneLoads()
{
    const QString path = dir.filePath("v1.qlt");
    QVERIFY(writeFile(path, header(1) + boxEntry(QPointF(60, 70), 40, 20)));
    MainWindow window;
    startWindow(window);
    loadPath(window, path);
    const QList<BoxItem *> boxes = labelItemsOf<BoxItem>(&window);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->pos(), QPointF(60, 70));
    QCOMPARE(boxes.first()->rect(), QRectF(-20, -10, 40, 20));
    QVERIFY(!window.isWindowModified());
}

void TestLabelFile::damagedFile_data()
{
    QTest::addColumn<QByteArray>("tail");
    const QByteArray second = boxEntry(QPointF(150, 150));
    QTest::newRow("cut inside a record") << second.left(second.size() - 9);
    QTest::newRow("cut inside a type number") << QByteArray::fromHex("000100");
    QTest::newRow("unknown type then a stub") << QByteArray::fromHex("12345678616263");
    // What follows an unknown type number cannot be trusted, even when it
    // reads as an entry.
    QTest::newRow("unknown type then a box") << QByteArray::fromHex("12345678") + second;
    QByteArray hugeText;
    {
        QDataStream out(&hugeText, QIODevice::WriteOnly);
        out << qint32(65539) << QPointF(5, 5) << 0.0 << quint32(0x7ffffff0);
    }
    QTest::newRow("text longer than the file") << hugeText;
}

void TestLabelFile::damagedFile()
{
    QFETCH(QByteArray, tail);
    const QString path = dir.filePath("damaged.qlt");
    QVERIFY(writeFile(path, header() + boxEntry(QPointF(100, 100)) + tail));
    MainWindow window;
    startWindow(window);
    ModalResponder responder;
    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    loadPath(window, path);
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages, QStringList{QString("%1 is damaged: only part of the label could be read.").arg(path)});
    QVERIFY(!statusMessage(&window).startsWith("Loaded"));
    QVERIFY(!window.isWindowModified());
    // The complete entry comes first in the file and so ends up on top.
    const QList<BoxItem *> boxes = labelItemsOf<BoxItem>(&window);
    QVERIFY(!boxes.isEmpty());
    QCOMPARE(boxes.first()->pos(), QPointF(100, 100));
    QCOMPARE(boxes.first()->rect(), QRectF(-45, -15, 90, 30));
}

void TestLabelFile::copyAndPasteOffsets()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(60, 60));
    QRCodeItem *code = addQRCode(window, QPointF(150, 100));
    selectOnly(&window, {box, code});
    windowAction(&window, "&Copy")->trigger();

    for (int round = 1; round <= 3; ++round) {
        const QList<QGraphicsItem *> old = labelItems(&window);
        windowAction(&window, "&Paste")->trigger();
        QList<QGraphicsItem *> added;
        for (QGraphicsItem *item : labelItems(&window)) {
            if (!old.contains(item))
                added << item;
        }
        QCOMPARE(added.size(), 2);
        const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
        QCOMPARE(QSet<QGraphicsItem *>(added.begin(), added.end()),
                 QSet<QGraphicsItem *>(selected.begin(), selected.end()));
        QSet<QString> positions;
        for (QGraphicsItem *item : added)
            positions << QString("%1 %2 %3").arg(item->type()).arg(item->pos().x()).arg(item->pos().y());
        const qreal d = 5 * round;
        QCOMPARE(positions, (QSet<QString>{QString("65537 %1 %2").arg(60 + d).arg(60 + d),
                                           QString("65538 %1 %2").arg(150 + d).arg(100 + d)}));
    }
    selectOnly(&window, {box});
    windowAction(&window, "&Copy")->trigger();
    windowAction(&window, "&Paste")->trigger();
    const QList<QGraphicsItem *> selected = windowScene(&window)->selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first()->pos(), QPointF(65, 65));
    QVERIFY(window.isWindowModified());
}

void TestLabelFile::cutThenPaste()
{
    MainWindow window;
    startWindow(window);
    BoxItem *box = addBox(window, QPointF(60, 60));
    box->setBrush(QBrush(Qt::green, Qt::SolidPattern));
    box->setAngle(12);
    addQRCode(window, QPointF(150, 100))->setPlainText("CUT");
    addBox(window, QPointF(220, 220));
    selectOnly(&window, labelItems(&window).mid(1));
    QStringList cut;
    for (QGraphicsItem *item : windowScene(&window)->selectedItems())
        cut << QString::number(item->type()) + describe(item);
    cut.sort();
    windowAction(&window, "Cu&t")->trigger();
    QCOMPARE(labelItems(&window).size(), 1);

    windowAction(&window, "&Paste")->trigger();
    QCOMPARE(labelItems(&window).size(), 3);
    QStringList pasted;
    for (QGraphicsItem *item : windowScene(&window)->selectedItems()) {
        pasted << QString::number(item->type()) + describe(item);
        QVERIFY(item->pos() == QPointF(65, 65) || item->pos() == QPointF(155, 105));
    }
    pasted.sort();
    QCOMPARE(pasted, cut);
}

void TestLabelFile::pasteForeignText_data()
{
    QTest::addColumn<bool>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain text") << false << "Lot 7";
    QTest::newRow("html") << true << "Bold text";
}

void TestLabelFile::pasteForeignText()
{
    QFETCH(bool, html);
    QFETCH(QString, expected);
    MainWindow window;
    startWindow(window);
    auto *mime = new QMimeData;
    if (html)
        mime->setHtml("<b>Bold</b> text");
    else
        mime->setText("Lot 7");
    QGuiApplication::clipboard()->setMimeData(mime);
    const QPoint point = windowView(&window)->mapToScene(QPoint(10, 10)).toPoint();
    windowAction(&window, "&Paste")->trigger();
    const QList<TextItem *> texts = labelItemsOf<TextItem>(&window);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts.first()->toPlainText(), expected);
    // At the view's corner, or on the page where the view reaches beyond it.
    QCOMPARE(texts.first()->pos(), QPointF(qMax(0, point.x()), qMax(0, point.y())));
    QCOMPARE(texts.first()->font().family(), QString("Helvetica"));
    QCOMPARE(texts.first()->font().pointSizeF(), 3.0);
    QVERIFY(window.isWindowModified());
}

void TestLabelFile::pasteImageOnly()
{
    MainWindow window;
    startWindow(window);
    auto *mime = new QMimeData;
    mime->setImageData(QImage(8, 8, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(mime);
    invoke(&window, "editPaste");
    QCOMPARE(labelItems(&window).size(), 1);
    QVERIFY(window.isWindowModified());
}

void TestLabelFile::pasteGarbage_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("minimumItems");
    QByteArray clipBox;
    {
        QDataStream out(&clipBox, QIODevice::WriteOnly);
        out << qint32(65537) << QPointF(40, 40) << 0.0 << qint32(90) << qint32(30) << 0.0
            << QRectF(-45, -15, 90, 30) << QPen() << QBrush();
    }
    QTest::newRow("record cut short") << clipBox.left(30) << 1;
    QTest::newRow("record then stub") << clipBox + QByteArray::fromHex("0001") << 1;
    for (quint32 seed = 1; seed <= 12; ++seed) {
        QRandomGenerator random(seed);
        QByteArray bytes(int(random.bounded(1, 400)), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.bounded(256));
        // Half of them start like a real entry, to get past the type number.
        if (seed % 2 == 0)
            bytes.replace(0, 4, QByteArray::fromHex(seed % 4 ? "00010001" : "00010003"));
        QTest::newRow(qPrintable(QString("random %1").arg(seed))) << bytes << 0;
    }
}

void TestLabelFile::pasteGarbage()
{
    QFETCH(QByteArray, data);
    QFETCH(int, minimumItems);
    MainWindow window;
    startWindow(window);
    auto *mime = new QMimeData;
    mime->setData(ClipboardFormat, data);
    QGuiApplication::clipboard()->setMimeData(mime);
    windowAction(&window, "&Paste")->trigger();
    QVERIFY(labelItems(&window).size() >= minimumItems);
    QCoreApplication::processEvents();
    // The window goes on working.
    QVERIFY(addBox(window, QPointF(100, 100)));
}

void TestLabelFile::unsavedChangesPrompt_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("proceeds");
    QTest::newRow("save") << true << int(QMessageBox::Save) << true;
    QTest::newRow("discard") << true << int(QMessageBox::Discard) << true;
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("save, save as cancelled") << false << int(QMessageBox::Save) << false;
}

void TestLabelFile::unsavedChangesPrompt()
{
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, proceeds);
    const QString path = dir.filePath("prompt.qlt");
    QFile::remove(path);
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(60, 60));
    if (named) {
        window.setWindowFilePath(path);
        QVERIFY(invokeBool(&window, "fileSave"));
    }
    const QByteArray saved = readAll(path);
    addBox(window, QPointF(160, 160));
    const QString title = window.windowTitle();

    ModalResponder responder;
    responder.expect([answer](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QString("tagforge - Unsaved changes"));
        QCOMPARE(box->text(), QString("Save unsaved changes?"));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Save));
        ModalResponder::clickButton(modal, QMessageBox::StandardButton(answer));
    });
    if (!named)
        responder.expect(ModalResponder::reject());
    windowAction(&window, "New")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.unexpected, 0);

    if (proceeds) {
        QVERIFY(labelItems(&window).isEmpty());
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (Unnamed)"));
    } else {
        QCOMPARE(labelItems(&window).size(), 2);
        QVERIFY(window.isWindowModified());
        QCOMPARE(window.windowTitle(), title);
    }
    if (answer == QMessageBox::Save && named)
        QCOMPARE(readAll(path), header() + boxEntry(QPointF(160, 160)) + boxEntry(QPointF(60, 60)));
    else
        QCOMPARE(readAll(path), saved);
}

void TestLabelFile::saveFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("parent is a file") << "parentfile";
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("device full") << "full";
}

void TestLabelFile::saveFails()
{
    QFETCH(QString, kind);
    QTemporaryDir base;
    QString path = base.filePath("label.qlt");
    QScopedPointer<SmallDevice> device;
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(60, 60));
    ModalResponder responder;

    if (kind == "readonly") {
        if (isRoot())
            QSKIP("permissions do not stop root");
        window.setWindowFilePath(path);
        QVERIFY(invokeBool(&window, "fileSave"));
        QVERIFY(QFile::setPermissions(base.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    } else if (kind == "parentfile") {
        QVERIFY(writeFile(base.filePath("plain"), "x"));
        path = base.filePath("plain/label.qlt");
    } else if (kind == "folder") {
        QVERIFY(QDir(base.path()).mkdir("label.qlt"));
    } else {
        if (!isRoot())
            QSKIP("mounting a small file system needs root");
        device.reset(new SmallDevice(base.path()));
        if (!device->mounted)
            QSKIP("cannot mount a tmpfs here");
        window.setWindowFilePath(path);
        QVERIFY(invokeBool(&window, "fileSave"));
        auto *mime = new QMimeData;
        mime->setText(QString(30000, QChar('W')));
        QGuiApplication::clipboard()->setMimeData(mime);
        windowAction(&window, "&Paste")->trigger();
    }
    const QByteArray old = readAll(path);
    addBox(window, QPointF(160, 160));
    window.setWindowFilePath(path);

    responder.expect(ModalResponder::answer(QMessageBox::Ok));
    const bool saved = invokeBool(&window, "fileSave");
    if (kind == "readonly")
        QFile::setPermissions(base.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!saved);
    QCOMPARE(responder.messages.size(), 1);
    const QString prefix = QString("Failed to save file: %1").arg(QDir::toNativeSeparators(path));
    QVERIFY2(responder.messages.first().startsWith(prefix), qPrintable(responder.messages.first()));
    QVERIFY2(responder.messages.first().size() > prefix.size() + 3, "the reason is missing");
    QVERIFY(window.isWindowModified());
    QVERIFY(windowAction(&window, "Save")->isEnabled());
    if (!old.isEmpty()) {
        QCOMPARE(readAll(path), old);
        const QStringList left = QDir(QFileInfo(path).path()).entryList(QDir::Files);
        QCOMPARE(left, QStringList{"label.qlt"});
    }
}

void TestLabelFile::saveAsNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "box" << "box.qlt";
    QTest::newRow("upper-case suffix") << "box.QLT" << "box.QLT";
    QTest::newRow("other suffix") << "box.qlt.bak" << "box.qlt.bak.qlt";
}

void TestLabelFile::saveAsNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir base;
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(60, 60));
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(base.filePath(typed)));
    windowAction(&window, "Save As...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.unexpected, 0);
    QCOMPARE(QDir(base.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(window.windowFilePath(), base.filePath(written));
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (%1)").arg(written));
    QVERIFY(!window.isWindowModified());
}

// Typing "box" where "box.qlt" exists must ask before replacing it.
void TestLabelFile::saveAsAsksBeforeReplacing()
{
    QTemporaryDir base;
    const QString existing = base.filePath("box.qlt");
    QVERIFY(writeFile(existing, "old label"));
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(60, 60));
    ModalResponder responder;
    responder.expect([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(dialog, "expected a file dialog");
        auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(edit);
        edit->setText(base.filePath("box"));
        QTest::keyClick(edit, Qt::Key_Return);
        dialog->reject();
    });
    responder.expect(ModalResponder::answer(QMessageBox::No));
    windowAction(&window, "Save As...")->trigger();
    QCOMPARE(responder.pending(), 0);
    QCOMPARE(responder.messages.size(), 1);
    QVERIFY2(responder.messages.first().contains("box.qlt"), qPrintable(responder.messages.first()));
    QCOMPARE(readAll(existing), QByteArray("old label"));
    QVERIFY(window.isWindowModified());
}

void TestLabelFile::titles()
{
    const QString path = dir.filePath("shelf.qlt");
    MainWindow window;
    startWindow(window);
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (Unnamed)"));
    QCOMPARE(window.windowFilePath(), QString("Unnamed"));
    addBox(window, QPointF(60, 60));
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (Unnamed)"));
    window.setWindowFilePath(path);
    QVERIFY(invokeBool(&window, "fileSave"));
    invoke(&window, "fileNew");
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (Unnamed)"));
    ModalResponder responder;
    responder.expect(ModalResponder::choosePath(path));
    windowAction(&window, "Open...")->trigger();
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (shelf.qlt)"));
    addBox(window, QPointF(100, 100));
    QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (shelf.qlt)"));
}

void TestLabelFile::settingsOnClose()
{
    const QString path = dir.filePath("closing.qlt");
    QVERIFY(writeFile(path, header() + boxEntry(QPointF(80, 80))));
    {
        MainWindow window;
        startWindow(window);
        loadPath(window, path);
        QAction *grid = windowAction(&window, "Show Grid");
        QVERIFY(grid->isChecked());
        grid->trigger();
        QVERIFY(!gridGroup(&window)->isVisible());
        ModalResponder responder;
        QVERIFY(window.close());
        QCOMPARE(responder.unexpected, 0);
        QSettings settings;
        QCOMPARE(settings.value("Ui/ShowGrid").toBool(), false);
        QCOMPARE(settings.value("Ui/MostRecentFile").toString(), path);
        QVERIFY(!settings.value("MainWindow/geometry").toByteArray().isEmpty());
        QVERIFY(!settings.value("MainWindow/windowState").toByteArray().isEmpty());
    }
    // The next window restores the state and finds the grid switched off.
    MainWindow next;
    QVERIFY(!windowAction(&next, "Show Grid")->isChecked());
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    invoke(&next, "fileNew");
    QVERIFY(next.close());
    QCOMPARE(QSettings().value("Ui/MostRecentFile").toString(), QString("Unnamed"));
}

void TestLabelFile::cancelledCloseWritesNothing()
{
    MainWindow window;
    startWindow(window);
    addBox(window, QPointF(80, 80));
    ModalResponder responder;
    responder.expect(ModalResponder::answer(QMessageBox::Cancel));
    QVERIFY(!window.close());
    QCOMPARE(responder.pending(), 0);
    QVERIFY(window.isVisible());
    QVERIFY(window.isWindowModified());
    QSettings settings;
    for (const char *key : {"Ui/ShowGrid", "Ui/MostRecentFile", "MainWindow/geometry", "MainWindow/windowState"})
        QVERIFY2(!settings.contains(key), key);
    responder.expect(ModalResponder::answer(QMessageBox::Discard));
    QVERIFY(window.close());
}

void TestLabelFile::initialDocument_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("warning");
    QTest::newRow("existing file") << "initial.qlt" << 1 << "";
    QTest::newRow("unreadable file") << "missing.qlt" << 0 << "Failed to open file: %1 (No such file or directory)";
    QTest::newRow("Unnamed") << "Unnamed" << 0 << "";
    // Stored by a window in another language.
    QDirIterator files(QCoreApplication::applicationDirPath() + "/translations", {"tagforge_*.qm"}, QDir::Files);
    while (files.hasNext()) {
        QTranslator translator;
        QVERIFY(translator.load(files.next()));
        QTest::newRow(qPrintable("Unnamed, " + files.fileName())) << translator.translate("MainWindow", "Unnamed")
                                                                  << 0 << "";
    }
}

void TestLabelFile::initialDocument()
{
    QFETCH(QString, stored);
    QFETCH(int, items);
    QFETCH(QString, warning);
    QString path = stored;
    if (items || !warning.isEmpty())
        path = dir.filePath(stored);
    if (items)
        QVERIFY(writeFile(path, header() + boxEntry(QPointF(70, 70))));
    Settings::instance()->setMostRecentFile(path);

    ModalResponder responder;
    MainWindow window;
    window.openInitialDocument();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(gridGroup(&window));
    QTRY_COMPARE(labelItems(&window).size(), items);
    QCOMPARE(responder.messages, warning.isEmpty() ? QStringList() : QStringList{warning.arg(path)});
    QVERIFY(!window.isWindowModified());
    if (items) {
        QCOMPARE(window.windowFilePath(), path);
        QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (initial.qlt)"));
        QCOMPARE(statusMessage(&window), QString("Loaded %1").arg(path));
    } else {
        QCOMPARE(window.windowFilePath(), QString("Unnamed"));
        QCOMPARE(window.windowTitle(), QString("Quillet - V1.0.1.2 (Unnamed)"));
    }
}

TAGFORGE_TEST_MAIN(TestLabelFile)
#include "tst_labelfile.moc"
