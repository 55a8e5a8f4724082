#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTranslator>

namespace {
// Generous: only a hung child (say, a message box nobody clicks) gets near it.
const int ProcessTimeout = 120000;

struct RunResult
{
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString out;
    QString err;
};

// A private home for one child: its settings land in config/ostrel/tagforge.conf.
class ChildHome
{
public:
    QString path() const { return dir.path(); }
    QString settingsFile() const { return dir.path() + "/config/ostrel/tagforge.conf"; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path());
        env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeDir());
        env.insert("LC_ALL", "C");
        return env;
    }

    void start(QProcess &process, const QStringList &arguments) const
    {
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(dir.path());
        process.start(TAGFORGE_BIN, arguments);
    }

    RunResult run(const QStringList &arguments) const
    {
        QProcess process;
        start(process, arguments);
        RunResult result;
        result.finished = process.waitForFinished(ProcessTimeout);
        if (!result.finished) {
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitCode();
        result.exitStatus = process.exitStatus();
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    // Writes values into the child's store before it starts.
    void seed(const QVariantMap &values) const
    {
        QSettings store(settingsFile(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.setValue(it.key(), it.value());
        store.sync();
    }

    QVariant stored(const QString &key) const
    {
        return QSettings(settingsFile(), QSettings::IniFormat).value(key);
    }

    QByteArray settingsBytes() const
    {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A file that exists but is no label, so loading it fails with a
    // message that names it.
    QString junkLabel() const
    {
        const QString name = dir.path() + "/junk.qlt";
        QFile file(name);
        if (file.open(QIODevice::WriteOnly))
            file.write("not a label file");
        return name;
    }

private:
    QString runtimeDir() const
    {
        const QString path = dir.path() + "/runtime";
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QTemporaryDir dir;
};

QString translationsDir()
{
    return QFileInfo(TAGFORGE_BIN).absolutePath() + "/translations";
}

QString describe(const RunResult &result)
{
    return QString("exit %1 (%2)\nstdout: %3\nstderr: %4")
        .arg(result.exitCode)
        .arg(result.exitStatus == QProcess::NormalExit ? "normal" : "crash")
        .arg(result.out, result.err);
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void help_data();
    void help();
    void version_data();
    void version();
    void commandLineError_data();
    void commandLineError();
    void printModeStoresConfig_data();
    void printModeStoresConfig();
    void interactiveStoresConfigAtOnce();
    void translationFilesBuilt();
    void translations_data();
    void translations();
};

void TestStartup::initTestCase()
{
    QVERIFY2(QFileInfo(TAGFORGE_BIN).isExecutable(), "build the tagforge target first");
}

void TestStartup::help_data()
{
    QTest::addColumn<QString>("option");

    QTest::newRow("long") << "--help";
    QTest::newRow("short") << "-h";
}

void TestStartup::help()
{
    QFETCH(QString, option);

    ChildHome home;
    const RunResult result = home.run({option});
    QVERIFY2(result.finished, "the process did not end");
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 0);

    // Qt wraps long help texts, so compare with the white space folded.
    const QString text = result.out.simplified();
    const QStringList expected{
        "Quillet",
        "-h, --help",
        "-v, --version",
        "--debug Enable the debug mode.",
        "--print Direct output to printer.",
        "--config <file> Load the specified configuration <file>.",
        "-c, --code <code> Assign the QR code <code>",
        "-s, --serial <serial> Assign the serial number <serial>",
        "-l, --level <level> Restrict the logs to level <level>. can be: quiet, panic, fatal, error, warn, info, "
        "verbose, debug, trace. Default is 'fatal'.",
    };
    int previous = -1;
    for (const QString &entry : expected) {
        const int at = text.indexOf(entry);
        QVERIFY2(at >= 0, qPrintable(QString("missing \"%1\" in:\n%2").arg(entry, result.out)));
        // Options are listed in the order they were registered.
        if (entry.startsWith("--") || entry.startsWith("-c") || entry.startsWith("-s") || entry.startsWith("-l")) {
            QVERIFY2(at > previous, qPrintable(entry));
            previous = at;
        }
    }
    QVERIFY2(text.contains("Arguments: file The label file to open, the same as --config <file>."),
             qPrintable(result.out));
    // "\nDefault" in the level text starts a line of its own.
    QVERIFY(result.out.contains(QRegularExpression("trace\\.\\s*\\n\\s*Default is 'fatal'\\.")));

    QVERIFY2(!QFileInfo::exists(home.settingsFile()), "help must not touch the settings");
}

void TestStartup::version_data()
{
    QTest::addColumn<QString>("option");

    QTest::newRow("long") << "--version";
    QTest::newRow("short") << "-v";
}

void TestStartup::version()
{
    QFETCH(QString, option);

    ChildHome home;
    const RunResult result = home.run({option});
    QVERIFY2(result.finished, "the process did not end");
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QString("tagforge 1.0.1.2\n"));
    QVERIFY2(!QFileInfo::exists(home.settingsFile()), "version must not touch the settings");
}

void TestStartup::commandLineError_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("unknown option") << QStringList{"--foo"};
    QTest::newRow("config without value") << QStringList{"--config"};
    QTest::newRow("short serial without value") << QStringList{"-s"};
    QTest::newRow("serial without value") << QStringList{"--serial"};
    QTest::newRow("short code without value") << QStringList{"-c"};
    QTest::newRow("level without value") << QStringList{"--print", "-l"};
    QTest::newRow("unknown option after config") << QStringList{"--config", "new.qlt", "--foo"};
    QTest::newRow("unknown option in print mode") << QStringList{"--print", "--config", "new.qlt", "-x"};
    QTest::newRow("two files") << QStringList{"--print", "a.qlt", "b.qlt"};
}

void TestStartup::commandLineError()
{
    QFETCH(QStringList, arguments);

    // Once without a settings file and once with one from an earlier run.
    ChildHome fresh;
    RunResult result = fresh.run(arguments);
    QVERIFY2(result.finished, "the process did not end");
    QVERIFY2(result.exitStatus == QProcess::NormalExit && result.exitCode == 1, qPrintable(describe(result)));
    QVERIFY(!result.err.isEmpty());
    QVERIFY2(!QFileInfo::exists(fresh.settingsFile()), "a failed command line created the settings file");

    ChildHome used;
    used.seed({{"Ui/MostRecentFile", "/labels/old.qlt"}, {"Ui/ShowGrid", false}});
    const QByteArray before = used.settingsBytes();
    const QDateTime modified = QFileInfo(used.settingsFile()).lastModified();
    result = used.run(arguments);
    QVERIFY2(result.exitCode == 1, qPrintable(describe(result)));
    QCOMPARE(used.settingsBytes(), before);
    QCOMPARE(QFileInfo(used.settingsFile()).lastModified(), modified);
}

void TestStartup::printModeStoresConfig_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("config");
    QTest::addColumn<bool>("plain");

    const QString missing = "missing.qlt";
    QTest::newRow("config only") << QStringList() << missing << false;
    QTest::newRow("code and serial") << QStringList{"--code", "ABC", "--serial", "0042"} << missing << false;
    QTest::newRow("short code and serial") << QStringList{"-c", "ABC", "-s", "7"} << missing << false;
    QTest::newRow("debug and level") << QStringList{"--debug", "--level", "trace"} << missing << false;
    QTest::newRow("short level") << QStringList{"-l", "quiet"} << missing << false;
    QTest::newRow("relative path, stored absolute") << QStringList() << "sub dir/Label.QLT" << false;
    QTest::newRow("no config: previous most recent file") << QStringList() << QString() << false;
    QTest::newRow("plain file argument") << QStringList() << missing << true;
    QTest::newRow("plain relative file, serial") << QStringList{"-s", "7"} << "sub dir/Label.QLT" << true;
}

// Print mode ends by itself, so it shows what start-up and the close
// handling leave in the store without killing anything. Loading a missing
// file fails, which is exit code 2.
void TestStartup::printModeStoresConfig()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, config);
    QFETCH(bool, plain);

    ChildHome home;
    const QString previous = home.path() + "/previous.qlt";
    home.seed({{"Ui/MostRecentFile", previous}});

    QString path = previous;
    QStringList arguments{"--print"};
    if (!config.isEmpty()) {
        const QString given = config.startsWith("sub") ? config : home.path() + "/" + config;
        arguments << (plain ? QStringList{given} : QStringList{"--config", given});
        // The child runs in the home folder.
        path = QDir(home.path()).absoluteFilePath(given);
    }
    const RunResult result = home.run(arguments + extra);
    QVERIFY2(result.finished, "the process did not end; a message box may be waiting");
    QVERIFY2(result.exitStatus == QProcess::NormalExit && result.exitCode == 2, qPrintable(describe(result)));

    QCOMPARE(home.stored("Ui/MostRecentFile").toString(), path);
    QVERIFY2(result.err.contains(path), qPrintable(describe(result)));
    // No window was made, so there is no window state to keep.
    QVERIFY(!home.stored("MainWindow/geometry").isValid());
    QVERIFY(!home.stored("MainWindow/windowState").isValid());
    // Nothing in the program writes the language.
    QVERIFY(!home.stored("Ui/Language").isValid());
}

void TestStartup::interactiveStoresConfigAtOnce()
{
    ChildHome home;
    home.seed({{"Ui/MostRecentFile", "/labels/old.qlt"}});
    const QString path = home.junkLabel();

    QProcess process;
    home.start(process, {"--config", path});
    QVERIFY(process.waitForStarted());
    // The store is written back from the event loop, long before anyone
    // could close the window; the failed load then waits in a message box.
    QTRY_COMPARE_WITH_TIMEOUT(home.stored("Ui/MostRecentFile").toString(), path, ProcessTimeout);
    QCOMPARE(process.state(), QProcess::Running);
    process.kill();
    QVERIFY(process.waitForFinished());
    // The window never closed, so nothing else was written.
    QVERIFY(!home.stored("MainWindow/geometry").isValid());
}

void TestStartup::translationFilesBuilt()
{
    if (QDir(translationsDir()).entryList({"tagforge_*.qm"}, QDir::Files).isEmpty())
        QSKIP(qPrintable("No tagforge_*.qm in " + translationsDir() + "; only the source texts can be checked"));
}

void TestStartup::translations_data()
{
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QString>("qmFile");

    // Without a file for the language the source texts remain.
    QTest::newRow("English, no file") << QVariant(QLocale(QLocale::English, QLocale::UnitedStates)) << QString();

    QDirIterator files(translationsDir(), {"tagforge_*.qm"}, QDir::Files);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString name = QFileInfo(file).completeBaseName().mid(QString("tagforge_").size());
        QTest::newRow(qPrintable(name)) << QVariant(QLocale(name)) << file;
        if (name.startsWith("zh"))
            QTest::newRow(qPrintable("empty store gives " + name)) << QVariant() << file;
    }
}

// The language shows in the text of the warning that print mode writes to
// standard error: it runs through the same translators as every menu, and
// it is the one window text a process without a screen gives away.
void TestStartup::translations()
{
    QFETCH(QVariant, language);
    QFETCH(QString, qmFile);

    const QString source = "%1 is not a %2 file";
    QString pattern = source;
    if (!qmFile.isEmpty()) {
        QTranslator translator;
        QVERIFY(translator.load(qmFile));
        pattern = translator.translate("LabelFile", qPrintable(source));
        if (pattern.isEmpty() || pattern == source)
            QSKIP("The translation file has no translation of the load warning");
    }

    ChildHome home;
    if (language.isValid())
        home.seed({{"Ui/Language", language}});
    const QString path = home.junkLabel();
    const RunResult result = home.run({"--print", "--config", path});
    QVERIFY2(result.finished, "the process did not end; a message box may be waiting");
    QVERIFY2(result.err.contains(pattern.arg(path, "tagforge")), qPrintable(describe(result)));
}

TAGFORGE_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
