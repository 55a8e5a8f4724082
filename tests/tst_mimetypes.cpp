#include "testsupport.h"

#include "app/settings.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QSet>
#include <QTextStream>

namespace {

typedef QHash<QString, QSet<QString>> MimeTable;

// Reads text the way the program reads a list file: text mode drops the CR
// of CR LF line ends.
MimeTable parse(const QByteArray &text)
{
    QByteArray data(text);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream in(&buffer);
    MimeTable table;
    Settings::readMimeTypes(in, table);
    return table;
}

MimeTable builtInTable()
{
    QFile file(":/mime.types");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return MimeTable();
    QTextStream in(&file);
    MimeTable table;
    Settings::readMimeTypes(in, table);
    return table;
}

// A table as one comparable string: "name:ext ext|name:..." with names and
// extensions sorted.
QString describe(const MimeTable &table)
{
    QStringList names = table.keys();
    std::sort(names.begin(), names.end());
    QStringList entries;
    for (const QString &name : qAsConst(names)) {
        QStringList extensions = table.value(name).values();
        std::sort(extensions.begin(), extensions.end());
        entries << name + ':' + extensions.join(' ');
    }
    return entries.join('|');
}

QSet<QString> words(const QString &text)
{
    const QStringList list = text.split(' ', Qt::SkipEmptyParts);
    return QSet<QString>(list.begin(), list.end());
}

const char *const iconPaths[] = {
    ":/filenew.png", ":/fileopen.png", ":/filesave.png", ":/fileexport.png",
    ":/fileprint.png", ":/filequit.png", ":/print-pagesize.png", ":/print-preview.png",
    ":/editselecteditem.png", ":/editaddtext.png", ":/editaddbox.png", ":/editaddsmiley.png",
    ":/editcopy.png", ":/editcut.png", ":/editpaste.png", ":/align-left.png",
    ":/align-right.png", ":/align-top.png", ":/align-bottom.png", ":/editcleartransforms.png",
    ":/zoom-in.png", ":/zoom-out.png", ":/zoom-fit.png", ":/showgrid.png",
};

const QSize iconSize(22, 22);

} // namespace

class TestMimeTypes : public QObject
{
    Q_OBJECT

private slots:
    void builtInListShape();
    void builtInTopLevelTypes_data();
    void builtInTopLevelTypes();
    void builtInImageEntries_data();
    void builtInImageEntries();
    void builtInImageOrder();
    void parser_data();
    void parser();
    void mergingUnitesExtensions();
    void imageFileFilter_data();
    void imageFileFilter();
    void imageFileFilterWithoutFormats();
    void icons_data();
    void icons();
    void iconsAreDistinct();
};

void TestMimeTypes::builtInListShape()
{
    QFile file(":/mime.types");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray raw = file.readAll();
    QCOMPARE(raw.count('\n'), 741);
    QCOMPARE(raw.count("\r\n"), 741);
    QVERIFY(!raw.contains('#'));

    // Every name appears once, so each line is one entry of the table.
    const MimeTable table = builtInTable();
    QCOMPARE(table.size(), 741);
    int withExtensions = 0;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        QVERIFY2(!it.key().contains('\r') && !it.key().isEmpty(), qPrintable(it.key()));
        for (const QString &extension : it.value())
            QVERIFY2(!extension.contains('\r') && !extension.isEmpty(), qPrintable(it.key()));
        if (!it.value().isEmpty())
            ++withExtensions;
    }
    QCOMPARE(withExtensions, 351);
}

void TestMimeTypes::builtInTopLevelTypes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("count");

    QTest::newRow("application") << "application" << 456;
    QTest::newRow("audio") << "audio" << 41;
    QTest::newRow("chemical") << "chemical" << 55;
    QTest::newRow("image") << "image" << 46;
    QTest::newRow("inode") << "inode" << 6;
    QTest::newRow("message") << "message" << 9;
    QTest::newRow("model") << "model" << 10;
    QTest::newRow("multipart") << "multipart" << 13;
    QTest::newRow("text") << "text" << 70;
    QTest::newRow("video") << "video" << 32;
    QTest::newRow("x-conference") << "x-conference" << 1;
    QTest::newRow("x-epoc") << "x-epoc" << 1;
    QTest::newRow("x-world") << "x-world" << 1;
}

void TestMimeTypes::builtInTopLevelTypes()
{
    QFETCH(QString, type);
    QFETCH(int, count);

    const QStringList names = builtInTable().keys();
    int found = 0;
    for (const QString &name : names) {
        if (name.section('/', 0, 0) == type)
            ++found;
    }
    QCOMPARE(found, count);
}

void TestMimeTypes::builtInImageEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extensions");

    const char *const entries[][2] = {
        {"image/bmp", "bmp"}, {"image/cgm", ""}, {"image/g3fax", ""}, {"image/gif", "gif"},
        {"image/ief", "ief"}, {"image/jpeg", "jpeg jpg jpe"}, {"image/naplps", ""},
        {"image/pcx", "pcx"}, {"image/png", "png"}, {"image/prs.btif", ""},
        {"image/prs.pti", ""}, {"image/svg+xml", "svg svgz"}, {"image/tiff", "tiff tif"},
        {"image/vnd.cns.inf2", ""}, {"image/vnd.djvu", "djvu djv"}, {"image/vnd.dwg", ""},
        {"image/vnd.dxf", ""}, {"image/vnd.fastbidsheet", ""}, {"image/vnd.fpx", ""},
        {"image/vnd.fst", ""}, {"image/vnd.fujixerox.edmics-mmr", ""},
        {"image/vnd.fujixerox.edmics-rlc", ""}, {"image/vnd.microsoft.icon", "ico"},
        {"image/vnd.mix", ""}, {"image/vnd.net-fpx", ""}, {"image/vnd.svf", ""},
        {"image/vnd.wap.wbmp", "wbmp"}, {"image/vnd.xiff", ""},
        {"image/x-cmu-raster", "ras"}, {"image/x-coreldraw", "cdr"},
        {"image/x-coreldrawpattern", "pat"}, {"image/x-coreldrawtemplate", "cdt"},
        {"image/x-corelphotopaint", "cpt"}, {"image/x-icon", "ico"}, {"image/x-jg", "art"},
        {"image/x-jng", "jng"}, {"image/x-ms-bmp", "bmp"}, {"image/x-photoshop", "psd"},
        {"image/x-portable-anymap", "pnm"}, {"image/x-portable-bitmap", "pbm"},
        {"image/x-portable-graymap", "pgm"}, {"image/x-portable-pixmap", "ppm"},
        {"image/x-rgb", "rgb"}, {"image/x-xbitmap", "xbm"}, {"image/x-xpixmap", "xpm"},
        {"image/x-xwindowdump", "xwd"},
    };
    for (const auto &entry : entries)
        QTest::newRow(entry[0]) << entry[0] << entry[1];
}

void TestMimeTypes::builtInImageEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, extensions);

    const MimeTable table = builtInTable();
    QVERIFY(table.contains(name));
    QCOMPARE(table.value(name), words(extensions));
}

void TestMimeTypes::builtInImageOrder()
{
    QFile file(":/mime.types");
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList images;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString name = in.readLine().section(QRegExp("\\s+"), 0, 0);
        if (name.startsWith("image/"))
            images << name;
    }
    QCOMPARE(images.size(), 46);
    QCOMPARE(images.first(), QString("image/bmp"));
    QCOMPARE(images.at(22), QString("image/vnd.microsoft.icon"));
    QCOMPARE(images.at(33), QString("image/x-icon"));
    QCOMPARE(images.last(), QString("image/x-xwindowdump"));
    QStringList sorted = images;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(images, sorted);
}

void TestMimeTypes::parser_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("table");

    QTest::newRow("tab") << QByteArray("image/png\tpng\n") << "image/png:png";
    QTest::newRow("name alone") << QByteArray("image/cgm\n") << "image/cgm:";
    QTest::newRow("no final line end") << QByteArray("image/gif\tgif") << "image/gif:gif";
    QTest::newRow("CR LF") << QByteArray("image/png\tpng\r\nimage/cgm\r\n")
                           << "image/cgm:|image/png:png";
    QTest::newRow("blanks and tabs mixed")
        << QByteArray("image/jpeg  \t jpeg\t\tjpg   jpe\n") << "image/jpeg:jpe jpeg jpg";
    QTest::newRow("trailing blank") << QByteArray("image/png png \n") << "image/png:png";
    QTest::newRow("leading white space") << QByteArray("\t  png\n") << ":png";
    QTest::newRow("empty line") << QByteArray("\n") << ":";
    QTest::newRow("comment line") << QByteArray("# image/png png\n") << "#:image/png png";
    QTest::newRow("same name twice")
        << QByteArray("image/jpeg\tjpeg jpg\nimage/jpeg\tjpe jpg\n") << "image/jpeg:jpe jpeg jpg";
    QTest::newRow("empty text") << QByteArray() << "";
}

void TestMimeTypes::parser()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, table);

    QCOMPARE(describe(parse(text)), table);
}

void TestMimeTypes::mergingUnitesExtensions()
{
    MimeTable table;
    QByteArray system("image/jpeg\t\tjpeg jpg jfif\nimage/png\t\tpng\n");
    QByteArray builtIn("image/jpeg\tjpeg jpg jpe\r\nimage/x-ms-bmp\tbmp\r\n");
    for (QByteArray *text : {&system, &builtIn}) {
        QBuffer buffer(text);
        buffer.open(QIODevice::ReadOnly | QIODevice::Text);
        QTextStream in(&buffer);
        Settings::readMimeTypes(in, table);
    }
    QCOMPARE(describe(table), QString("image/jpeg:jfif jpe jpeg jpg|image/png:png|image/x-ms-bmp:bmp"));
}

void TestMimeTypes::imageFileFilter_data()
{
    QTest::addColumn<QList<QByteArray>>("formats");
    QTest::addColumn<QString>("required");

    QTest::newRow("png") << QList<QByteArray>{"png"} << "png";
    QTest::newRow("jpg") << QList<QByteArray>{"jpg"} << "jpe jpeg jpg";
    QTest::newRow("jpeg") << QList<QByteArray>{"jpeg"} << "jpe jpeg jpg";
    QTest::newRow("png jpg bmp") << QList<QByteArray>{"png", "jpg", "bmp"} << "bmp jpe jpeg jpg png";
    QTest::newRow("tiff") << QList<QByteArray>{"tiff"} << "tif tiff";
    QTest::newRow("pbm ppm") << QList<QByteArray>{"pbm", "ppm"} << "pbm ppm";
    QTest::newRow("writer formats") << QImageWriter::supportedImageFormats() << "bmp jpeg jpg png";
}

void TestMimeTypes::imageFileFilter()
{
    QFETCH(QList<QByteArray>, formats);
    QFETCH(QString, required);

    const QString filter = Settings::instance()->imageFileFilter(";;Bitmap image", formats);
    const QString head(";;Bitmap image (*.");
    QVERIFY2(filter.startsWith(head) && filter.endsWith(')'), qPrintable(filter));

    const QStringList extensions = filter.mid(head.size(), filter.size() - head.size() - 1).split(" *.");
    QStringList sorted = extensions;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(extensions, sorted);
    const QSet<QString> found(extensions.begin(), extensions.end());
    QCOMPARE(found.size(), extensions.size());
    QVERIFY2(!found.contains(QString()) && !found.contains("*"), qPrintable(filter));
    QVERIFY2(found.contains(words(required)), qPrintable(filter));
    // A bitmap filter never offers the extensions of other kinds of files.
    for (const char *foreign : {"bin", "exe", "txt", "html", "pdf"})
        QVERIFY2(!found.contains(foreign), qPrintable(filter));
}

void TestMimeTypes::imageFileFilterWithoutFormats()
{
    QCOMPARE(Settings::instance()->imageFileFilter(";;Bitmap image", QList<QByteArray>()),
             QString(";;Bitmap image (*.*)"));
}

void TestMimeTypes::icons_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : iconPaths)
        QTest::newRow(path) << path;
}

void TestMimeTypes::icons()
{
    QFETCH(QString, path);

    const QPixmap pixmap(path);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), iconSize);
    QVERIFY(pixmap.hasAlphaChannel());

    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(iconSize).size(), iconSize);
}

void TestMimeTypes::iconsAreDistinct()
{
    QHash<QByteArray, QString> seen;
    for (const char *path : iconPaths) {
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        const QByteArray pixels(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes()));
        QVERIFY2(!seen.contains(pixels),
                 qPrintable(QString("%1 repeats %2").arg(path, seen.value(pixels))));
        seen.insert(pixels, path);
    }
}

TAGFORGE_TEST_MAIN(TestMimeTypes)
#include "tst_mimetypes.moc"
