#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSet>
#include <QTranslator>

#include <algorithm>

namespace {
const QString Prefix = QStringLiteral("tagforge_");

// Installs the first translation of baseNames for language found in dirs.
bool installFirst(QCoreApplication *app, const QLocale &language, const QStringList &baseNames,
                  const QStringList &dirs)
{
    for (const QString &dir : dirs) {
        for (const QString &baseName : baseNames) {
            auto *translator = new QTranslator(app);
            if (translator->load(language, baseName, "_", dir)) {
                app->installTranslator(translator);
                return true;
            }
            delete translator;
        }
    }
    return false;
}
} // namespace

QStringList Translations::searchPaths()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + "/translations", QDir::cleanPath(programDir + "/../share/tagforge/translations")};
}

void Translations::install(QCoreApplication *app, const QLocale &language)
{
    // Qt's stock buttons follow only when the window speaks the language
    // too; a language without a translation stays English throughout.
    if (!installFirst(app, language, {QStringLiteral("tagforge")}, searchPaths()))
        return;
    // "qt" gathers the catalogues of all Qt modules; some systems have
    // only qtbase's.
    installFirst(app, language, {QStringLiteral("qt"), QStringLiteral("qtbase")},
                 searchPaths() << QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

QStringList Translations::shippedLanguages()
{
    QStringList names;
    for (const QString &dir : searchPaths()) {
        const QStringList files = QDir(dir).entryList({Prefix + "*.qm"}, QDir::Files);
        for (const QString &file : files) {
            const QString name = QFileInfo(file).completeBaseName().mid(Prefix.size());
            if (!names.contains(name))
                names << name;
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

QString Translations::shippedLanguageFor(const QLocale &language)
{
    // The same lookup as install(), so the answer is the file it would load.
    for (const QString &dir : searchPaths()) {
        QTranslator translator;
        if (translator.load(language, QStringLiteral("tagforge"), "_", dir))
            return QFileInfo(translator.filePath()).completeBaseName().mid(Prefix.size());
    }
    return QString();
}

bool Translations::load(QTranslator *translator, const QString &name)
{
    const QStringList dirs = searchPaths();
    return std::any_of(dirs.cbegin(), dirs.cend(), [&](const QString &dir) {
        // The exact file: load() alone would fall back to shorter names.
        const QString path = dir + "/" + Prefix + name + ".qm";
        return QFileInfo::exists(path) && translator->load(path);
    });
}

bool Translations::isUnnamed(const QString &text)
{
    // The window names a new label in MainWindow's context; the settings
    // store's default comes from QObject's.
    static const QSet<QString> names = [] {
        QSet<QString> all{QStringLiteral("Unnamed")};
        for (const QString &name : shippedLanguages()) {
            QTranslator translator;
            if (!load(&translator, name))
                continue;
            for (const char *context : {"MainWindow", "QObject"}) {
                const QString translated = translator.translate(context, "Unnamed");
                if (!translated.isEmpty())
                    all.insert(translated);
            }
        }
        return all;
    }();
    return names.contains(text);
}
