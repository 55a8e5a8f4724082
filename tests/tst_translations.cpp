#include "testsupport.h"
#include "windowdriver.h"

#include "app/translations.h"
#include "mainwindow/languagemenu.h"

#include <QDirIterator>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {
struct Entry
{
    // The first of the plural forms where there are several.
    QString translation;
    QString type;
    QStringList pluralForms;
};
// Keyed by context and source text.
using Catalogue = QMap<QPair<QString, QString>, Entry>;

Catalogue readTs(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Entry entry{QString(), xml.attributes().value("type").toString(), QStringList()};
            while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != QLatin1String("translation")) {
                if (xml.atEnd())
                    break;
                if (xml.isCharacters())
                    entry.translation += xml.text();
                else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    entry.pluralForms << xml.readElementText();
            }
            if (!entry.pluralForms.isEmpty())
                entry.translation = entry.pluralForms.first();
            catalogue.insert({context, source}, entry);
        }
    }
    return catalogue;
}

QStringList tsFiles()
{
    QStringList files;
    QDirIterator it(PROJECT_SOURCE_DIR "/resources/translations", {"tagforge_*.ts"}, QDir::Files);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// The %1 markers and the presence of a keyboard accelerator.
QString markers(const QString &text)
{
    QStringList found;
    auto it = QRegularExpression("%\\d").globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    if (QRegularExpression("&\\w").match(text).hasMatch())
        found << "&";
    return found.join(' ');
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogues_data();
    void catalogues();
    void install_data();
    void install();
    void languageMenu_data();
    void languageMenu();

private:
    Catalogue current;
};

// The texts of the sources as lupdate finds them now.
void TestTranslations::initTestCase()
{
    QTemporaryDir dir;
    const QString ts = dir.filePath("current.ts");
    QProcess lupdate;
    lupdate.setWorkingDirectory(PROJECT_SOURCE_DIR);
    // The folders of the program's sources, as the build lists them.
    lupdate.start(LUPDATE, QStringList{"-I", ".", "-locations", "none"} + QString(SOURCE_DIRS).split(',')
                               + QStringList{"-ts", ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    current = readTs(ts);
    QVERIFY(current.size() > 100);
}

void TestTranslations::catalogues_data()
{
    QTest::addColumn<QString>("tsFile");
    for (const QString &file : tsFiles())
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
}

// Every text of the sources is translated, the built .qm file gives each
// translation, and no translation loses a %1 or the accelerator.
void TestTranslations::catalogues()
{
    QFETCH(QString, tsFile);
    const Catalogue catalogue = readTs(tsFile);

    QStringList problems;
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        if (!catalogue.contains(it.key()))
            problems << "missing (run make translations-update): " + it.key().second;
    }
    const QString language = QFileInfo(tsFile).completeBaseName().mid(QString("tagforge_").size());
    QTranslator built;
    QVERIFY2(Translations::load(&built, language), qPrintable("no .qm file for " + language));
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
        const QString &source = it.key().second;
        if (!current.contains(it.key()))
            problems << "no longer in the sources: " + source;
        else if (!it.value().type.isEmpty() || it.value().translation.isEmpty())
            problems << "not translated: " + source;
        else if (markers(it.value().translation) != markers(source))
            problems << QString("%1 and %2 differ in %N or &").arg(source, it.value().translation);
        else if (built.translate(qPrintable(it.key().first), qPrintable(source), nullptr, 1) != it.value().translation)
            problems << "not in the .qm file: " + source;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void TestTranslations::install_data()
{
    QTest::addColumn<QLocale>("language");
    QTest::addColumn<QString>("unnamed");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("German") << QLocale("de_DE") << "Unbenannt" << "Abbrechen";
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese) << "未命名" << "取消";
    // Without a translation of the window, Qt's buttons stay English too.
    QTest::newRow("French") << QLocale("fr_FR") << "Unnamed" << "Cancel";
}

// The window's texts and Qt's stock buttons, as start-up installs them.
void TestTranslations::install()
{
    QFETCH(QLocale, language);
    QFETCH(QString, unnamed);
    QFETCH(QString, cancel);

    const QString qtDir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (QDir(qtDir).entryList({"qtbase_de.qm"}).isEmpty())
        QSKIP("Qt's translations are not installed (qttranslations5-l10n)");
    Translations::install(qApp, language);
    const QString gotUnnamed = QCoreApplication::translate("MainWindow", "Unnamed");
    const QString gotCancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    qDeleteAll(qApp->findChildren<QTranslator *>(QString(), Qt::FindDirectChildrenOnly));
    QCOMPARE(gotUnnamed, unnamed);
    QCOMPARE(gotCancel, cancel);
}

void TestTranslations::languageMenu_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("uiLanguage");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("choose");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("message");

    const QString next = "The language changes at the next start.";
    QTest::newRow("new user: Chinese") << QVariant() << "zh_CN" << "语言 (Language)" << "简体中文" << "English"
                                       << "en_US" << "语言将在下次启动时更改。  " + next;
    QTest::newRow("German to Chinese") << QVariant(QLocale("de_DE")) << "de" << "Sprache (Language)" << "Deutsch"
                                       << "简体中文" << "zh_CN"
                                       << "Die Sprache wechselt beim nächsten Start.  语言将在下次启动时更改。";
    QTest::newRow("no translation: English") << QVariant(QLocale("fr_FR")) << "" << "Language" << "English"
                                             << "Deutsch" << "de_DE"
                                             << next + "  Die Sprache wechselt beim nächsten Start.";
    QTest::newRow("English to English") << QVariant(QLocale("en_GB")) << "" << "Language" << "English" << "English"
                                        << "en_US" << next;
}

void TestTranslations::languageMenu()
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
    if (!uiLanguage.isEmpty()) {
        QVERIFY(Translations::load(&translator, uiLanguage));
        QCoreApplication::installTranslator(&translator);
    }
    QMainWindow window;
    auto *menu = new LanguageMenu(&window);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(menu->title(), title);
    QStringList entries;
    QString checkedEntry;
    QAction *chosen = nullptr;
    for (QAction *action : menu->actions()) {
        entries << action->text();
        QVERIFY(action->isCheckable());
        if (action->isChecked())
            checkedEntry += action->text();
        if (action->text() == choose)
            chosen = action;
    }
    QCOMPARE(entries, (QStringList{"English", "Deutsch", "简体中文"}));
    QCOMPARE(checkedEntry, checked);

    QVERIFY(chosen);
    if (!uiLanguage.isEmpty())
        QCoreApplication::installTranslator(&translator);
    chosen->trigger();
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(chosen->isChecked());
    QCOMPARE(QSettings().value("Ui/Language").toLocale().name(), storedName);
    QCOMPARE(statusMessage(&window), message);
}

TAGFORGE_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
