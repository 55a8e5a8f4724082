#include "app/printmode.h"
#include "app/settings.h"
#include "app/translations.h"
#include "items/placeholder.h"
#include "mainwindow/mainwindow.h"
#include "output/labeloutput.h"
#include "output/labelvalues.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <cstdlib>
#include <cstring>

namespace {
// Print mode, file output, help and version never show a window; they run
// where there is no display at all (a print service, cron, SSH).
bool needsNoDisplay(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        // Series and merges go only with those, or are refused unseen.
        for (const char *option : {"--print", "-print", "--output", "-output", "--count", "-count", "--data",
                                   "-data", "--help", "-help", "-h", "-?", "--help-all", "--version", "-version",
                                   "-v"}) {
            const size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 && (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

int commandLineError(const QString &text)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
    return PrintMode::CommandLineError;
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
    const QCommandLineOption countOption("count", "Print <n> labels numbered from the serial number on.", "n");
    const QCommandLineOption dataOption("data",
                                        "Print one label per row of the CSV <file> (- for standard input); its "
                                        "columns fill the placeholders of their names.",
                                        "file");
    const QCommandLineOption outputOption("output",
                                          "Write the labels to <file> instead of the printer: .pdf, .svg or an "
                                          "image format.",
                                          "file");
    parser.addOptions({debugOption, printOption, configOption, codeOption, serialOption, levelOption, countOption,
                       dataOption, outputOption});
    parser.addPositionalArgument("file", "The label file to open, the same as --config <file>.", "[file]");
    parser.process(app);

    // A plain file argument means --config.
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return commandLineError(QCoreApplication::translate("main", "Unexpected argument: %1").arg(files.at(1)));

    const bool unattended = parser.isSet(printOption) || parser.isSet(outputOption);
    PrintMode::Request request;
    request.firstSerial = parser.value(serialOption);
    if (parser.isSet(printOption) && parser.isSet(outputOption))
        return commandLineError(QCoreApplication::translate("main", "--print and --output exclude each other."));
    if (parser.isSet(countOption) && parser.isSet(dataOption))
        return commandLineError(QCoreApplication::translate("main", "--count and --data exclude each other."));
    if ((parser.isSet(countOption) || parser.isSet(dataOption)) && !unattended)
        return commandLineError(QCoreApplication::translate("main", "--count and --data need --print or --output."));
    if (parser.isSet(countOption)) {
        bool number = false;
        const qint64 count = parser.value(countOption).toLongLong(&number);
        const QString error = LabelValues::seriesError(request.firstSerial, number ? count : 0);
        if (!error.isEmpty())
            return commandLineError(error);
        request.count = int(count);
    }
    if (parser.isSet(outputOption)) {
        request.outputFile = parser.value(outputOption);
        if (!LabelOutput::isSupported(request.outputFile))
            return commandLineError(
                QCoreApplication::translate("main", "%1: the suffix names no format to write (.pdf, .svg or an image format).")
                    .arg(request.outputFile));
    }
    request.dataFile = parser.value(dataOption);

    // Stored absolute, so that the label opens again from any folder.
    if (parser.isSet(configOption) || !files.isEmpty()) {
        const QString path = parser.isSet(configOption) ? parser.value(configOption) : files.first();
        Settings::instance()->setMostRecentFile(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
    }

    Placeholder placeholder;
    for (const QString &key : {QStringLiteral("code"), QStringLiteral("serial")})
        placeholder.setValue(key, parser.value(key));

    Translations::install(&app, Settings::instance()->language());

    if (unattended) {
        request.labelPath = Settings::instance()->mostRecentFile();
        return PrintMode::run(request, placeholder);
    }

    MainWindow window;
    window.setPlaceholder(&placeholder);
    window.openInitialDocument();
    window.show();
    return app.exec();
}
