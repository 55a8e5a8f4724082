#include "childrun.h"

#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

std::vector<char *> pointers(std::vector<QByteArray> &strings)
{
    std::vector<char *> result;
    for (QByteArray &string : strings)
        result.push_back(string.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

// Runs argv[0] with argv to its end with this process's environment and
// writes "milliseconds maxrss-KiB exit-status cpu-milliseconds" to report. Linux keeps the
// memory high-water mark of the process that spawns across exec, so the
// benchmark, whose own memory would show, spawns through this small
// process, started before Qt is set up.
int measureChild(const char *report, char **argv)
{
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return 1;
    int status = 0;
    struct rusage usage = {};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return 1;
    }
    const double ms = msSince(timer);
    FILE *file = fopen(report, "w");
    if (!file)
        return 1;
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    fprintf(file, "%.3f %ld %d %.3f\n", ms, usage.ru_maxrss, status, cpuMs);
    return fclose(file) == 0 ? 0 : 1;
}

ChildRun runChild(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    ChildRun run;
    QTemporaryDir logDir;
    const QByteArray logPath = logDir.filePath("log").toLocal8Bit();
    const QString reportPath = logDir.filePath("report");
    std::vector<QByteArray> argStrings{QCoreApplication::applicationFilePath().toLocal8Bit(), "--measure-child",
                                       reportPath.toLocal8Bit(), program.toLocal8Bit()};
    for (const QString &argument : arguments)
        argStrings.push_back(argument.toLocal8Bit());
    std::vector<char *> argv = pointers(argStrings);
    std::vector<QByteArray> envStrings;
    for (const QString &variable : environment.toStringList())
        envStrings.push_back(variable.toLocal8Bit());
    std::vector<char *> envp = pointers(envStrings);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.log = QString("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(spawned)));
        return run;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            run.log = QString("waitpid: %1").arg(QString::fromLocal8Bit(strerror(errno)));
            return run;
        }
    }
    QFile log(QString::fromLocal8Bit(logPath));
    if (log.open(QIODevice::ReadOnly))
        run.log = QString::fromLocal8Bit(log.readAll()).trimmed();
    QFile report(reportPath);
    const QStringList fields = report.open(QIODevice::ReadOnly)
        ? QString::fromLatin1(report.readAll()).split(' ', Qt::SkipEmptyParts)
        : QStringList();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || fields.size() != 4) {
        run.log = QString("cannot measure %1: %2").arg(program, run.log);
        return run;
    }
    run.ms = fields.at(0).toDouble();
    run.maxRssMiB = fields.at(1).toDouble() / 1024;
    run.cpuMs = fields.at(3).toDouble();
    const int childStatus = fields.at(2).toInt();
    run.ok = WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0;
    if (!run.ok)
        run.log = QString("exit status %1: %2").arg(childStatus).arg(run.log);
    return run;
}

// The environment of a child: offscreen, a home of its own, the printer
// this process uses.
QProcessEnvironment childEnvironment(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/config");
    environment.remove("XDG_DOCUMENTS_DIR");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("PRINTER");
    environment.remove("LPDEST");
    return environment;
}

