#ifndef LANGUAGEMENU_H
#define LANGUAGEMENU_H

#include <QMenu>

class QAction;
class QMainWindow;

// Lists English and every shipped translation, each in its own language,
// and stores the one chosen for the next start.
class LanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit LanguageMenu(QMainWindow *window);

private slots:
    void choose(QAction *action);

private:
    QMainWindow *window;
};

#endif // LANGUAGEMENU_H
