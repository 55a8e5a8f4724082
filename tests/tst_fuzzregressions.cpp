// Replays the inputs that fuzzing found harmful, and the seeds it starts
// from, through the same code the fuzz targets drive: each must load or
// paste without a crash and without building anything oversized.

#include "fuzz/fuzzdriver.h"
#include "items/qrcodeitem.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QGraphicsScene>
#include <QScopedPointer>

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelFile_data();
    void labelFile();
    void clipboard_data();
    void clipboard();
    void mimeTypes_data();
    void mimeTypes();

private:
    void addInputs(const QString &target);
    void checkItems();

    QScopedPointer<FuzzDriver> driver;
};

void TestFuzzRegressions::initTestCase()
{
    driver.reset(new FuzzDriver);
}

void TestFuzzRegressions::addInputs(const QString &target)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("seed");
    const QString fuzzDir = QStringLiteral(TESTS_SOURCE_DIR "/fuzz/");
    int rows = 0;
    for (const QString &kind : {QStringLiteral("regressions/"), QStringLiteral("corpus/")}) {
        QDirIterator files(fuzzDir + kind + target, QDir::Files);
        while (files.hasNext()) {
            const QString path = files.next();
            QTest::newRow(qPrintable(kind + target + "/" + files.fileName())) << path << (kind == "corpus/");
            ++rows;
        }
    }
    QVERIFY2(rows > 0, "no inputs found");
}

// Nothing crashed; no QR code may be drawn larger than any label
// could hold, whatever sizes the input claimed.
void TestFuzzRegressions::checkItems()
{
    const QList<QGraphicsItem *> items = driver->scene.items();
    for (QGraphicsItem *item : items) {
        if (auto *code = dynamic_cast<QRCodeItem *>(item)) {
            const QRectF bounds = code->shape().boundingRect();
            QVERIFY2(bounds.width() <= 1024 && bounds.height() <= 1024,
                     qPrintable(QString("QR code of %1 x %2").arg(bounds.width()).arg(bounds.height())));
        }
    }
}

static QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void TestFuzzRegressions::labelFile_data()
{
    addInputs("labelfile");
}

void TestFuzzRegressions::labelFile()
{
    QFETCH(QString, path);
    QFETCH(bool, seed);
    const bool complete = driver->loadLabel(contents(path));
    // The seeds were written by the program: every check must let them pass.
    if (seed)
        QVERIFY(complete);
    checkItems();
}

void TestFuzzRegressions::clipboard_data()
{
    addInputs("clipboard");
}

void TestFuzzRegressions::clipboard()
{
    QFETCH(QString, path);
    driver->pasteRecord(contents(path));
    checkItems();
}

void TestFuzzRegressions::mimeTypes_data()
{
    addInputs("mimetypes");
}

void TestFuzzRegressions::mimeTypes()
{
    QFETCH(QString, path);
    const QHash<QString, QSet<QString>> table = FuzzDriver::readMimeTypes(contents(path));
    for (const QSet<QString> &extensions : table)
        QVERIFY(!extensions.contains(QString()));
}

TAGFORGE_TEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
