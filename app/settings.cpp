#include "settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QMimeDatabase>
#include <QRegExp>
#include <QSettings>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include <algorithm>

namespace {
const char *const LanguageKey = "Ui/Language";
const char *const ShowGridKey = "Ui/ShowGrid";
const char *const MostRecentFileKey = "Ui/MostRecentFile";
const char *const RecentFilesKey = "Ui/RecentFiles";
const char *const PageSizeKey = "Printer/PageSizeMM";
const char *const PrintDpiKey = "Printer/PrintDPI";
const char *const GeometryKey = "geometry";
const char *const WindowStateKey = "windowState";
} // namespace

Settings *Settings::instance()
{
    static Settings theSettings;
    return &theSettings;
}

Settings::Settings()
{
    QCoreApplication::setOrganizationName("ostrel");
    QCoreApplication::setApplicationName("tagforge");
    QCoreApplication::setApplicationVersion(TAGFORGE_VERSION);
    settings.reset(new QSettings);
}

Settings::~Settings() = default;

QLocale Settings::language() const
{
    return settings->value(LanguageKey, QLocale(QLocale::Chinese, QLocale::AnyCountry)).toLocale();
}

void Settings::setLanguage(const QLocale &language)
{
    settings->setValue(LanguageKey, language);
}

bool Settings::showGrid() const
{
    return settings->value(ShowGridKey, true).toBool();
}

void Settings::setShowGrid(bool on)
{
    settings->setValue(ShowGridKey, on);
}

QString Settings::mostRecentFile() const
{
    return settings->value(MostRecentFileKey, QObject::tr("Unnamed")).toString();
}

void Settings::setMostRecentFile(const QString &path)
{
    settings->setValue(MostRecentFileKey, path);
}

QStringList Settings::recentFiles() const
{
    return settings->value(RecentFilesKey).toStringList();
}

void Settings::setRecentFiles(const QStringList &paths)
{
    settings->setValue(RecentFilesKey, paths);
}

QSizeF Settings::pageSizeMM() const
{
    return settings->value(PageSizeKey, QSizeF(101.6, 101.6)).toSizeF();
}

void Settings::setPageSizeMM(const QSizeF &size)
{
    settings->setValue(PageSizeKey, size);
}

int Settings::printDPI() const
{
    return settings->value(PrintDpiKey, 300).toInt();
}

void Settings::setPrintDPI(int dpi)
{
    settings->setValue(PrintDpiKey, dpi);
}

void Settings::restoreWindowState(QMainWindow *window)
{
    settings->beginGroup(window->objectName());
    window->restoreGeometry(settings->value(GeometryKey).toByteArray());
    window->restoreState(settings->value(WindowStateKey).toByteArray(), 0);
    settings->endGroup();
}

void Settings::saveWindowState(QMainWindow *window)
{
    settings->beginGroup(window->objectName());
    settings->setValue(GeometryKey, window->saveGeometry());
    settings->setValue(WindowStateKey, window->saveState(0));
    settings->endGroup();
}

QString Settings::imageFileFilter(const QString &label, const QList<QByteArray> &formats)
{
    if (mimeTypes.isEmpty()) {
        if (QFile::exists("/etc/mime.types"))
            loadMimeTypes("/etc/mime.types");
        loadMimeTypes(":/mime.types");
    }

    // Writer formats are bare names ("png", "jpg"); the table is keyed by
    // MIME type names, so each format is looked up through its MIME type.
    const QMimeDatabase mimeDatabase;
    QSet<QString> extensions;
    for (const QByteArray &format : formats) {
        const QString name = QString::fromLatin1(format);
        const QMimeType mime = mimeDatabase.mimeTypeForFile("image." + name, QMimeDatabase::MatchExtension);
        if (!mime.isDefault())
            extensions.unite(mimeTypes.value(mime.name()));
    }

    QStringList list = extensions.values();
    std::sort(list.begin(), list.end());
    if (list.isEmpty())
        list << "*";
    return QString("%1 (*.").arg(label) + list.join(" *.") + ")";
}

void Settings::loadMimeTypes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    readMimeTypes(in, mimeTypes);
}

void Settings::readMimeTypes(QTextStream &in, QHash<QString, QSet<QString>> &table)
{
    const QRegExp whiteSpace("\\s+");
    while (!in.atEnd()) {
        QStringList parts = in.readLine().split(whiteSpace, Qt::KeepEmptyParts);
        const QString name = parts.takeFirst();
        QSet<QString> &extensions = table[name];
        for (const QString &extension : qAsConst(parts)) {
            // A trailing blank would otherwise offer the meaningless "*."
            if (!extension.isEmpty())
                extensions.insert(extension);
        }
    }
}
