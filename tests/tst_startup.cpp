// The program as started from a shell: its command line, what start-up
// stores, and its languages, complete in every catalogue.

#include "testsupport.h"
#include "windowdriver.h"

#include "app/translations.h"
#include "mainwindow/languagemenu.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {
struct Run { int exitCode = -1; QString out; QString err; };

// Runs the program in a home of its own, whose store is seeded first.
Run run(const QTemporaryDir &home, const QStringList &arguments, const QVariantMap &seed = {})
{
    QSettings store(home.filePath("config/ostrel/tagforge.conf"), QSettings::IniFormat);
    for (auto it = seed.cbegin(); it != seed.cend(); ++it)
        store.setValue(it.key(), it.value());
    store.sync();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("CUPS_SERVER", "/nonexistent/cups.sock");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    process.start(TAGFORGE_BIN, arguments);
    if (!process.waitForFinished(120000))
        process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The translations of a .ts file by context and source; untranslated ones empty.
QMap<QPair<QString, QString>, QString> readTs(const QString &path)
{
    QMap<QPair<QString, QString>, QString> catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            catalogue.insert({context, source}, xml.attributes().value("type").isEmpty()
                                                    ? xml.readElementText(QXmlStreamReader::IncludeChildElements)
                                                    : QString());
    }
    return catalogue;
}

// The %1 markers and whether there is a keyboard accelerator.
QString markers(const QString &text)
{
    QStringList found;
    auto it = QRegularExpression("%\\d").globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found.join(' ') + (text.contains(QRegularExpression("&\\w")) ? " &" : "");
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void printModeStoresPath_data();
    void printModeStoresPath();
    void catalogues_data();
    void catalogues();
    void languageMenu_data();
    void languageMenu();
};

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "--print Direct output to printer.";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "tagforge 1.0.1.2";
    QTest::newRow("unknown option") << QStringList{"--foo"} << 1 << "";
    QTest::newRow("config without value") << QStringList{"--config"} << 1 << "";
    QTest::newRow("unknown option in print mode") << QStringList{"--print", "--config", "new.qlt", "-x"} << 1 << "";
    QTest::newRow("two files") << QStringList{"--print", "a.qlt", "b.qlt"} << 1 << "";
    QTest::newRow("print and output") << QStringList{"--print", "--output", "a.pdf", "a.qlt"} << 1 << "";
    QTest::newRow("count and data") << QStringList{"--print", "--count", "2", "--data", "a.csv"} << 1 << "";
}

// Help, version and refused command lines leave the store as it was.
void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QTemporaryDir home;
    const Run result = run(home, arguments, {{"Ui/MostRecentFile", "/labels/old.qlt"}});
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.err));
    QVERIFY2(result.out.simplified().contains(out), qPrintable(result.out));
    QVERIFY(exitCode == 0 || !result.err.isEmpty());
    QSettings store(home.filePath("config/ostrel/tagforge.conf"), QSettings::IniFormat);
    QCOMPARE(store.allKeys(), QStringList{"Ui/MostRecentFile"});
}

void TestStartup::printModeStoresPath_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("stored");
    QTest::newRow("--config") << QStringList{"--config", "sub dir/Label.qlt"} << "sub dir/Label.qlt";
    QTest::newRow("plain file, serial") << QStringList{"-s", "7", "sub dir/Label.qlt"} << "sub dir/Label.qlt";
    QTest::newRow("no file: the previous one") << QStringList{"-c", "ABC"} << "previous.qlt";
}

// The label named is stored absolute and is the one print mode reads: a
// missing one is exit code 2, named in a warning in the stored language.
void TestStartup::printModeStoresPath()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, stored);
    QTemporaryDir home;
    const QString path = home.filePath(stored);
    Run result = run(home, QStringList{"--print"} + arguments, {{"Ui/MostRecentFile", home.filePath("previous.qlt")}});
    QVERIFY2(result.exitCode == 2, qPrintable(result.err));
    QVERIFY2(result.err.contains(path), qPrintable(result.err));
    QSettings store(home.filePath("config/ostrel/tagforge.conf"), QSettings::IniFormat);
    QCOMPARE(store.value("Ui/MostRecentFile").toString(), path);
    QVERIFY(!store.contains("MainWindow/geometry"));

    QTranslator german;
    QVERIFY(Translations::load(&german, "de"));
    QVERIFY(QDir().mkpath(QFileInfo(path).path()) && writeFile(path, "not a label file"));
    result = run(home, QStringList{"--print"} + arguments, {{"Ui/Language", QLocale("de_DE")}});
    const QString warning = german.translate("LabelFile", "%1 is not a %2 file").arg(path, "tagforge");
    QVERIFY2(result.err.contains(warning), qPrintable(result.err));
}

void TestStartup::catalogues_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : Translations::shippedLanguages())
        QTest::newRow(qPrintable(language)) << language;
    QVERIFY(Translations::shippedLanguages().size() >= 2);
}

// Every text of the sources, as lupdate finds them now, is translated in
// the catalogue and in its built file, keeping its %1 and accelerator.
void TestStartup::catalogues()
{
    QFETCH(QString, language);
    QTemporaryDir dir;
    QProcess lupdate;
    lupdate.setWorkingDirectory(PROJECT_SOURCE_DIR);
    lupdate.start(LUPDATE, QStringList{"-I", ".", "-locations", "none"} + QString(SOURCE_DIRS).split(',')
                               + QStringList{"-ts", dir.filePath("now.ts")});
    QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
    const auto now = readTs(dir.filePath("now.ts"));
    QVERIFY(now.size() > 100);
    const auto catalogue = readTs(PROJECT_SOURCE_DIR "/resources/translations/tagforge_" + language + ".ts");
    QTranslator built;
    QVERIFY(Translations::load(&built, language));

    QStringList problems;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const QString translated = catalogue.value(it.key());
        const QString source = it.key().second;
        if (translated.isEmpty())
            problems << "not translated (make translations-update): " + source;
        else if (markers(translated) != markers(source))
            problems << QString("%1 and %2 differ in %N or &").arg(source, translated);
        else if (built.translate(qPrintable(it.key().first), qPrintable(source), nullptr, 1) != translated
                 && !source.contains("%n"))
            problems << "not in the .qm file: " + source;
    }
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
        if (!now.contains(it.key()))
            problems << "no longer in the sources: " + it.key().second;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void TestStartup::languageMenu_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("uiLanguage");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("choose");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("message");
    const QString next = "The language changes at the next start.";
    QTest::newRow("new user: Chinese") << QVariant() << "zh_CN" << "语言 (Language)" << "简体中文" << "English" << "en_US"
                                       << "语言将在下次启动时更改。  " + next;
    QTest::newRow("no translation: English") << QVariant(QLocale("fr_FR")) << "" << "Language" << "English" << "Deutsch" << "de_DE"
                                             << next + "  Die Sprache wechselt beim nächsten Start.";
    QTest::newRow("English to English") << QVariant(QLocale("en_GB")) << "" << "Language" << "English" << "English" << "en_US" << next;
}

// The menu checks the language in use and stores the one chosen, saying in
// both languages that it takes effect at the next start.
void TestStartup::languageMenu()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, uiLanguage);
    QFETCH(QString, title);
    QFETCH(QString, checked);
    QFETCH(QString, choose);
    QFETCH(QString, storedName);
    QFETCH(QString, message);
    clearSettings();
    if (stored.isValid())
        QSettings().setValue("Ui/Language", stored);
    // The window's texts in the stored language, as start-up installs them.
    QTranslator translator;
    QVERIFY(uiLanguage.isEmpty() || Translations::load(&translator, uiLanguage));
    QCoreApplication::installTranslator(&translator);
    QMainWindow window;
    auto *menu = new LanguageMenu(&window);
    QCOMPARE(menu->title(), title);
    QStringList entries;
    QString checkedEntry;
    QAction *chosen = nullptr;
    for (QAction *action : menu->actions()) {
        entries << action->text();
        if (action->isChecked())
            checkedEntry += action->text();
        if (action->text() == choose)
            chosen = action;
    }
    QCOMPARE(entries, (QStringList{"English", "Deutsch", "简体中文"}));
    QCOMPARE(checkedEntry, checked);
    chosen->trigger();
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(chosen->isChecked());
    QCOMPARE(QSettings().value("Ui/Language").toLocale().name(), storedName);
    QCOMPARE(statusMessage(&window), message);
}

TAGFORGE_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
