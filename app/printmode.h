#ifndef PRINTMODE_H
#define PRINTMODE_H

#include <QCoreApplication>
#include <QString>

class Placeholder;

// Prints one label file with no window and nobody watching: every warning
// goes to standard error and the result is the process's exit code.
class PrintMode
{
    Q_DECLARE_TR_FUNCTIONS(PrintMode)

public:
    // Exit codes beside Qt's 1 for a bad command line.
    enum Result { Printed = 0, LabelNotLoaded = 2, PrintFailed = 3 };

    static Result run(const QString &path, const Placeholder &values);
};

#endif // PRINTMODE_H
