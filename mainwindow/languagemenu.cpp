#include "languagemenu.h"

#include "app/settings.h"
#include "app/translations.h"

#include <QAction>
#include <QActionGroup>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTranslator>

namespace {
const char *const Context = "LanguageMenu";
const char *const AppliesNextStart = QT_TRANSLATE_NOOP("LanguageMenu", "The language changes at the next start.");
} // namespace

LanguageMenu::LanguageMenu(QMainWindow *window)
    : QMenu(window)
    , window(window)
{
    // The English word leads here a user who cannot read the current language.
    const QString title = tr("Language");
    setTitle(title == "Language" ? title : QString("%1 (Language)").arg(title));

    auto *group = new QActionGroup(this);
    const QString current = Translations::shippedLanguageFor(Settings::instance()->language());
    auto addLanguage = [this, group, &current](const QString &name, const QString &nativeName) {
        QAction *action = addAction(nativeName);
        action->setData(name);
        action->setCheckable(true);
        action->setChecked(name == current);
        group->addAction(action);
    };
    // Each language is named in itself, never translated.
    addLanguage(QString(), QStringLiteral("English"));
    for (const QString &name : Translations::shippedLanguages())
        addLanguage(name, QLocale(name).nativeLanguageName());
    connect(group, &QActionGroup::triggered, this, &LanguageMenu::choose);
}

void LanguageMenu::choose(QAction *action)
{
    const QString name = action->data().toString();
    Settings::instance()->setLanguage(name.isEmpty() ? QLocale(QLocale::English) : QLocale(name));

    // Said in the current language and in the chosen one, which the user
    // evidently reads.
    QString message = tr(AppliesNextStart);
    QString inChosen = QString::fromUtf8(AppliesNextStart);
    QTranslator chosen;
    if (!name.isEmpty())
        inChosen = Translations::load(&chosen, name) ? chosen.translate(Context, AppliesNextStart) : QString();
    if (!inChosen.isEmpty() && inChosen != message)
        message += "  " + inChosen;
    window->statusBar()->showMessage(message);
}
