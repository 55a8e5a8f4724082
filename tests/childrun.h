#ifndef CHILDRUN_H
#define CHILDRUN_H

// Runs the real program as a print service would, and writes the label
// files it reads independently of the program's writer.

#include <QBrush>
#include <QDataStream>
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QPen>
#include <QProcess>
#include <QRectF>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantHash>

// The settings the program left behind with its exit.
struct ChildRun { bool finished = false; int exitCode = -1; QString errorOutput; QVariantHash settings; };

// A home of its own with the given settings (English messages), no display,
// only the given scheduler to print to, and input on standard input.
inline ChildRun runTagforge(const QStringList &arguments, const QString &cupsServer,
                            const QVariantHash &settings = {}, const QByteArray &input = QByteArray())
{
    ChildRun run;
    QTemporaryDir home;
    {
        QSettings file(home.filePath("config/ostrel/tagforge.conf"), QSettings::IniFormat);
        file.setValue("Ui/Language", QLocale(QLocale::English));
        for (auto it = settings.cbegin(); it != settings.cend(); ++it)
            file.setValue(it.key(), it.value());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    for (const char *variable :
         {"XDG_DOCUMENTS_DIR", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "PRINTER", "LPDEST"})
        environment.remove(variable);
    if (!cupsServer.isEmpty())
        environment.insert("CUPS_SERVER", cupsServer);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TAGFORGE_BIN, arguments);
    process.write(input);
    process.closeWriteChannel();
    run.finished = process.waitForFinished(120000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(10000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errorOutput = QString::fromLocal8Bit(process.readAllStandardError());
    const QSettings after(home.filePath("config/ostrel/tagforge.conf"), QSettings::IniFormat);
    for (const QString &key : after.allKeys())
        run.settings.insert(key, after.value(key));
    return run;
}

inline QString describe(const ChildRun &run)
{
    return QString("exit code %1: %2").arg(run.exitCode).arg(run.errorOutput);
}

// The fields a test sets; the others have the add commands' values.
struct BoxRecord { QPointF position; QSizeF size; QPen pen; };
struct TextRecord { QPointF position; QString text; };
struct QrRecord { QPointF position; int size; QString text; };

// Header, then item entries in stream version 19.
inline bool writeLabel(const QString &path, const QList<TextRecord> &texts, const QList<QrRecord> &codes,
                       const QList<BoxRecord> &boxes = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << qint32(0x034A9F21) << qint16(2);
    out.setVersion(QDataStream::Qt_5_13);
    for (const BoxRecord &box : boxes) {
        const QSizeF &size = box.size;
        out << qint32(65537) << box.position << 0.0 << qint32(size.width()) << qint32(size.height()) << 0.0
            << QRectF(QPointF(-size.width() / 2, -size.height() / 2), size) << box.pen << QBrush();
    }
    for (const TextRecord &text : texts)
        out << qint32(65539) << text.position << 0.0 << text.text << QFont("DejaVu Sans", 12);
    for (const QrRecord &code : codes)
        out << qint32(65538) << code.position << 0.0 << qint32(code.size) << qint32(code.size) << 0.0 << code.text;
    return out.status() == QDataStream::Ok;
}

#endif // CHILDRUN_H
