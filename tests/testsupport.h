#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Points HOME and the settings of this test process at a throw-away folder,
// before the settings store is first used: no test touches a user's files.
class TestHome
{
public:
    TestHome()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QByteArray root = dir.path().toLocal8Bit();
        QDir(dir.path()).mkpath("config");
        QDir(dir.path()).mkpath("Documents");
        qputenv("HOME", root);
        qputenv("XDG_CONFIG_HOME", root + "/config");
        qputenv("XDG_DOCUMENTS_DIR", root + "/Documents");
    }
    QString path() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// QTEST_MAIN with a private home for the whole test process.
#define TAGFORGE_TEST_MAIN(TestObject)           \
    int main(int argc, char *argv[])             \
    {                                            \
        TestHome testHome;                       \
        QApplication app(argc, argv);            \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        TestObject tc;                           \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return QTest::qExec(&tc, argc, argv);    \
    }

#endif // TESTSUPPORT_H
