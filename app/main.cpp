#include "app/settings.h"
#include "app/translations.h"
#include "items/placeholder.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <QTranslator>

int main(int argc, char *argv[])
{
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

    if (parser.isSet(configOption))
        Settings::instance()->setMostRecentFile(parser.value(configOption));

    Placeholder placeholder;
    for (const QString &key : {QStringLiteral("code"), QStringLiteral("serial")})
        placeholder.setValue(key, parser.value(key));

    Translations::install(&app, Settings::instance()->language());

    MainWindow window;
    window.setPlaceholder(&placeholder);
    if (!parser.isSet(printOption)) {
        window.openInitialDocument();
        window.show();
        return app.exec();
    }
    const int result = window.printDirectly();
    window.close();
    return result;
}
