#include "testsupport.h"

#include "app/settings.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>
#include <QSizeF>

namespace {
// Reads a key through its typed getter, so rows can name keys as data.
QVariant readKey(const QString &key)
{
    Settings *store = Settings::instance();
    if (key == "Ui/Language")
        return store->language();
    if (key == "Ui/ShowGrid")
        return store->showGrid();
    if (key == "Ui/MostRecentFile")
        return store->mostRecentFile();
    if (key == "Printer/PageSizeMM")
        return store->pageSizeMM();
    if (key == "Printer/PrintDPI")
        return store->printDPI();
    qFatal("No getter for %s", qPrintable(key));
    return QVariant();
}

// Writes a key through its typed setter; the language has none.
void writeKey(const QString &key, const QVariant &value)
{
    Settings *store = Settings::instance();
    if (key == "Ui/ShowGrid")
        store->setShowGrid(value.toBool());
    else if (key == "Ui/MostRecentFile")
        store->setMostRecentFile(value.toString());
    else if (key == "Printer/PageSizeMM")
        store->setPageSizeMM(value.toSizeF());
    else if (key == "Printer/PrintDPI")
        store->setPrintDPI(value.toInt());
    else
        QSettings().setValue(key, value);
}

const QStringList flatKeys{"Ui/Language", "Ui/ShowGrid", "Ui/MostRecentFile", "Printer/PageSizeMM",
                           "Printer/PrintDPI"};

QMainWindow *makeWindow(const QString &name)
{
    auto *window = new QMainWindow;
    window->setObjectName(name);
    window->setCentralWidget(new QWidget(window));
    auto *dock = new QDockWidget("Panel", window);
    dock->setObjectName("panelDock");
    dock->setWidget(new QWidget(dock));
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    return window;
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void defaults_data();
    void defaults();
    void roundTrip_data();
    void roundTrip();
    void mostRecentFileSeenBeforeWriteBack();
    void unconvertibleValueGivesEmptyValue_data();
    void unconvertibleValueGivesEmptyValue();
    void windowKeysUnderObjectName_data();
    void windowKeysUnderObjectName();
    void windowStateRestored();
    void emptyWindowStateChangesNothing();
};

// The identity must be checked before anything else creates the store, as
// the store is one object for the whole process.
void TestSettings::initTestCase()
{
    QCOMPARE(QCoreApplication::applicationName(), QString("tst_settings"));
    QVERIFY(QCoreApplication::organizationName().isEmpty());

    Settings *first = Settings::instance();
    QCOMPARE(QCoreApplication::organizationName(), QString("ostrel"));
    QCOMPARE(QCoreApplication::applicationName(), QString("tagforge"));
    QCOMPARE(QCoreApplication::applicationVersion(), QString("1.0.1.2"));
    QCOMPARE(Settings::instance(), first);

    const QFileInfo file(QSettings().fileName());
    QCOMPARE(file.fileName(), QString("tagforge.conf"));
    QCOMPARE(file.dir().dirName(), QString("ostrel"));
}

void TestSettings::init()
{
    QSettings raw;
    raw.clear();
}

void TestSettings::defaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("language") << "Ui/Language" << QVariant(QLocale(QLocale::Chinese, QLocale::AnyCountry));
    QTest::newRow("grid") << "Ui/ShowGrid" << QVariant(true);
    QTest::newRow("most recent file") << "Ui/MostRecentFile" << QVariant("Unnamed");
    QTest::newRow("page size") << "Printer/PageSizeMM" << QVariant(QSizeF(101.6, 101.6));
    QTest::newRow("resolution") << "Printer/PrintDPI" << QVariant(300);
}

void TestSettings::defaults()
{
    QFETCH(QString, key);
    QFETCH(QVariant, expected);

    QCOMPARE(readKey(key), expected);
    // Reading a default does not store it.
    QVERIFY(!QSettings().contains(key));
}

void TestSettings::roundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("language German") << "Ui/Language" << QVariant(QLocale(QLocale::German, QLocale::Germany));
    QTest::newRow("grid off") << "Ui/ShowGrid" << QVariant(false);
    QTest::newRow("grid on") << "Ui/ShowGrid" << QVariant(true);
    QTest::newRow("recent file") << "Ui/MostRecentFile" << QVariant("/home/u/labels/shelf.qlt");
    QTest::newRow("recent file, not existing") << "Ui/MostRecentFile" << QVariant("no such dir/a b.QLT");
    QTest::newRow("recent file, empty") << "Ui/MostRecentFile" << QVariant(QString(""));
    QTest::newRow("page 50x30") << "Printer/PageSizeMM" << QVariant(QSizeF(50, 30));
    QTest::newRow("page fractional") << "Printer/PageSizeMM" << QVariant(QSizeF(62.5, 29.25));
    QTest::newRow("dpi 203") << "Printer/PrintDPI" << QVariant(203);
    QTest::newRow("dpi 600") << "Printer/PrintDPI" << QVariant(600);
}

void TestSettings::roundTrip()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);

    writeKey(key, value);
    QCOMPARE(readKey(key), value);
    // The value sits under the flat key, where another run will find it.
    QCOMPARE(QSettings().value(key), value);

    // Keys do not leak into each other.
    for (const QString &other : flatKeys) {
        if (other != key)
            QVERIFY2(!QSettings().contains(other), qPrintable(other));
    }
}

void TestSettings::mostRecentFileSeenBeforeWriteBack()
{
    Settings::instance()->setMostRecentFile("/tmp/first.qlt");
    Settings::instance()->setMostRecentFile("/tmp/second.qlt");
    QCOMPARE(Settings::instance()->mostRecentFile(), QString("/tmp/second.qlt"));
}

void TestSettings::unconvertibleValueGivesEmptyValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("dpi text") << "Printer/PrintDPI" << QVariant("abc") << QVariant(0);
    QTest::newRow("page size text") << "Printer/PageSizeMM" << QVariant("abc") << QVariant(QSizeF());
    QTest::newRow("grid from a size") << "Ui/ShowGrid" << QVariant(QSizeF(1, 1)) << QVariant(false);
    QTest::newRow("language from a size") << "Ui/Language" << QVariant(QSizeF(1, 1)) << QVariant(QLocale());
}

void TestSettings::unconvertibleValueGivesEmptyValue()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);

    QSettings().setValue(key, stored);
    QCOMPARE(readKey(key), expected);
}

void TestSettings::windowKeysUnderObjectName_data()
{
    QTest::addColumn<QString>("objectName");

    QTest::newRow("main window") << "MainWindow";
    QTest::newRow("other window") << "PreviewWindow";
}

void TestSettings::windowKeysUnderObjectName()
{
    QFETCH(QString, objectName);

    QScopedPointer<QMainWindow> window(makeWindow(objectName));
    window->resize(640, 480);
    Settings::instance()->saveWindowState(window.data());

    QSettings raw;
    QCOMPARE(raw.childGroups(), QStringList{objectName});
    raw.beginGroup(objectName);
    QStringList keys = raw.childKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"geometry", "windowState"}));
    QCOMPARE(raw.value("geometry").toByteArray(), window->saveGeometry());
    QCOMPARE(raw.value("windowState").toByteArray(), window->saveState(0));
    raw.endGroup();
    QVERIFY(!raw.contains("geometry"));
    QVERIFY(!raw.contains("windowState"));
}

void TestSettings::windowStateRestored()
{
    QScopedPointer<QMainWindow> first(makeWindow("MainWindow"));
    first->setGeometry(40, 50, 700, 500);
    auto *dock = first->findChild<QDockWidget *>("panelDock");
    first->addDockWidget(Qt::LeftDockWidgetArea, dock);
    Settings::instance()->saveWindowState(first.data());
    first.reset();

    QScopedPointer<QMainWindow> second(makeWindow("MainWindow"));
    Settings::instance()->restoreWindowState(second.data());
    QCOMPARE(second->size(), QSize(700, 500));
    QCOMPARE(second->dockWidgetArea(second->findChild<QDockWidget *>("panelDock")), Qt::LeftDockWidgetArea);

    // A window of another name has no state of its own.
    QScopedPointer<QMainWindow> other(makeWindow("OtherWindow"));
    other->resize(333, 222);
    Settings::instance()->restoreWindowState(other.data());
    QCOMPARE(other->size(), QSize(333, 222));
    QCOMPARE(other->dockWidgetArea(other->findChild<QDockWidget *>("panelDock")), Qt::RightDockWidgetArea);
}

void TestSettings::emptyWindowStateChangesNothing()
{
    QScopedPointer<QMainWindow> window(makeWindow("MainWindow"));
    window->resize(400, 300);
    Settings::instance()->restoreWindowState(window.data());
    QCOMPARE(window->size(), QSize(400, 300));
    QCOMPARE(window->dockWidgetArea(window->findChild<QDockWidget *>("panelDock")), Qt::RightDockWidgetArea);
    // Restoring writes nothing.
    QVERIFY(QSettings().allKeys().isEmpty());
}

TAGFORGE_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
