#ifndef SETTINGS_H
#define SETTINGS_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QScopedPointer>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QMainWindow;
class QSettings;
class QTextStream;

// The program's one settings store. Creating it gives the application its
// identity, which decides where QSettings keeps the values.
class Settings
{
public:
    static Settings *instance();

    QLocale language() const;
    void setLanguage(const QLocale &language);
    bool showGrid() const;
    void setShowGrid(bool on);
    QString mostRecentFile() const;
    void setMostRecentFile(const QString &path);
    // Labels opened or saved, most recent first.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList &paths);
    QSizeF pageSizeMM() const;
    void setPageSizeMM(const QSizeF &size);
    int printDPI() const;
    void setPrintDPI(int dpi);

    void restoreWindowState(QMainWindow *window);
    void saveWindowState(QMainWindow *window);

    QString imageFileFilter(const QString &label, const QList<QByteArray> &formats);

    // Reads lines of the mime.types format into table: the first field of a
    // line is the MIME type name, the others its extensions.
    static void readMimeTypes(QTextStream &in, QHash<QString, QSet<QString>> &table);

private:
    Settings();
    ~Settings();
    Q_DISABLE_COPY(Settings)

    void loadMimeTypes(const QString &path);

    QScopedPointer<QSettings> settings;
    QHash<QString, QSet<QString>> mimeTypes;
};

#endif // SETTINGS_H
