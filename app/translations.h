#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;
class QTranslator;

// Finds and installs the program's translations (tagforge_<language>.qm)
// and Qt's own for the same language. Nothing here needs a window.
class Translations
{
public:
    // Folders searched for the program's .qm files, first match first:
    // translations/ beside the executable, then the installed data folder.
    static QStringList searchPaths();

    // Installs the program's and Qt's translators for language on app.
    static void install(QCoreApplication *app, const QLocale &language);

    // Locale names of the shipped translations ("de", "zh_CN"), sorted.
    static QStringList shippedLanguages();

    // The shipped translation that language selects, or "" for English.
    static QString shippedLanguageFor(const QLocale &language);

    // Loads the shipped translation name into translator.
    static bool load(QTranslator *translator, const QString &name);

    // Whether text is the new label's name "Unnamed" in English or in any
    // shipped language, as a most recent file stored in another language.
    static bool isUnnamed(const QString &text);
};

#endif // TRANSLATIONS_H
