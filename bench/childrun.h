#ifndef CHILDRUN_H
#define CHILDRUN_H

// Child processes timed from spawn to exit, with their peak memory.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ChildRun
{
    bool ok = false;
    double ms = 0;
    double maxRssMiB = 0;
    // User and system time: what the run costs whatever else the machine does.
    double cpuMs = 0;
    QString log;
};

// Runs program to its end through this executable's --measure-child mode.
ChildRun runChild(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment);

// The --measure-child mode: runs argv[0] with argv and writes
// "milliseconds maxrss-KiB exit-status cpu-milliseconds" to report.
int measureChild(const char *report, char **argv);

// The environment of a child: offscreen, a home of its own, and whatever
// printer this process uses.
QProcessEnvironment childEnvironment(const QString &home);

#endif // CHILDRUN_H
