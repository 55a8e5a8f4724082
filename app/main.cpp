#include "app/printmode.h"
#include "app/settings.h"
#include "items/placeholder.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <QTranslator>

#include <cstdlib>
#include <cstring>

namespace {
// Print mode, help and version never show a window; they run where there
// is no display at all (a print service, cron, a login over SSH).
bool needsNoDisplay(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"--print", "-print", "--help", "-help", "-h", "-?", "--help-all", "--version",
                                   "-version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    if (needsNoDisplay(argc, argv) && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Linux executables carry no version record; the build gives it.
    QCoreApplication::setApplicationVersion(TAGFORGE_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Quillet");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption debugOption("debug", "Enable the debug mode.");
    const QCommandLineOption printOption("print", "Direct output to printer.");
    const QCommandLineOption configOption("config", "Load the specified configuration <file>.", "file");
    const QCommandLineOption codeOption(QStringList() << "c" << "code", "Assign the QR code <code>", "code",
                                        "0123456789");
    const QCommandLineOption serialOption(QStringList() << "s" << "serial", "Assign the serial number <serial>",
                                          "serial", "0123456789");
    const QCommandLineOption levelOption(QStringList() << "l" << "level",
                                         "Restrict the logs to level <level>. can be: quiet, panic, fatal, error, "
                                         "warn, info, verbose, debug, trace. \nDefault is 'fatal'.",
                                         "level", "fatal");
    parser.addOptions({debugOption, printOption, configOption, codeOption, serialOption, levelOption});
    parser.process(app);

    // Stored absolute, so that the label opens again from any folder.
    if (parser.isSet(configOption)) {
        const QString path = parser.value(configOption);
        Settings::instance()->setMostRecentFile(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
    }

    Placeholder placeholder;
    for (const QString &key : {QStringLiteral("code"), QStringLiteral("serial")})
        placeholder.setValue(key, parser.value(key));

    const QStringList baseNames{QStringLiteral("qt"), QCoreApplication::applicationName()};
    for (const QString &baseName : baseNames) {
        auto *translator = new QTranslator(&app);
        if (translator->load(Settings::instance()->language(), baseName, "_",
                             QString("%1/translations").arg(QCoreApplication::applicationDirPath()), QString()))
            app.installTranslator(translator);
        else
            translator->deleteLater();
    }

    if (parser.isSet(printOption))
        return PrintMode::run(Settings::instance()->mostRecentFile(), placeholder);

    MainWindow window;
    window.setPlaceholder(&placeholder);
    window.openInitialDocument();
    window.show();
    return app.exec();
}
