#ifndef PRINTMODE_H
#define PRINTMODE_H

#include <QCoreApplication>
#include <QString>

class Placeholder;

// Prints or writes the labels of one label file with no window and nobody
// watching: every warning goes to standard error and the result is the
// process's exit code.
class PrintMode
{
    Q_DECLARE_TR_FUNCTIONS(PrintMode)

public:
    // Exit codes beside Qt's 1 for a bad command line.
    enum Result { Printed = 0, CommandLineError = 1, LabelNotLoaded = 2, PrintFailed = 3 };

    struct Request
    {
        QString labelPath;
        // Empty: the default printer.
        QString outputFile;
        // One label per data row; "-" is standard input.
        QString dataFile;
        // A numbered series counting up from the first serial.
        int count = 1;
        QString firstSerial;
    };

    static Result run(const Request &request, const Placeholder &values);
};

#endif // PRINTMODE_H
