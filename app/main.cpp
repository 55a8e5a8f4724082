#include "app/settings.h"
#include "app/translations.h"
#include "items/placeholder.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <QTranslator>

#include <cstdio>

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
    parser.addPositionalArgument("file", "The label file to open, the same as --config <file>.", "[file]");
    parser.process(app);

    // A plain file argument means --config; either is stored with its full path.
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        fprintf(stderr, "Unexpected argument: %s\n", qPrintable(files.at(1)));
        return 1;
    }
    if (parser.isSet(configOption) || !files.isEmpty()) {
        const QString file = parser.isSet(configOption) ? parser.value(configOption) : files.first();
        Settings::instance()->setMostRecentFile(file.isEmpty() ? file : QFileInfo(file).absoluteFilePath());
    }

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
