// Measures the program's hot paths and prints one table: print mode beside
// a bare printing Qt program, output rendering through the real window, a
// 10,000-item label beside bare stream reads and writes of the same bytes,
// QR code rendering, and peak memory. Run by `make bench`, not by CTest.
//
// Usage: tagforge_benchmark [--reps N]
//        tagforge_benchmark --open-label FILE   (child: open FILE and end)
//        tagforge_benchmark --measure-child REPORT PROGRAM [ARG...]   (child)

#include "pdfprinter.h"

#include "app/settings.h"
#include "document/itemrecords.h"
#include "items/boxitem.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"
#include "mainwindow/mainwindow.h"
#include "panels/brushwidget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSaveFile>
#include <QStyleOptionGraphicsItem>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

const int LargeLabelItems = 10000;
const char *const ShortQrText = "ABC-0042";
const char *const LongQrText =
    "https://labels.example.invalid/track?serial=0042&code=ABC&lot=2024-11-07&line=7&station=12"
    "&operator=4711&batch=ZX-99-001&note=handle+with+care+keep+dry+this+side+up+fragile+contents";

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return msSince(timer);
}

// One line of the table. A floor of NaN means the row has none.
struct Row
{
    QString name;
    double value = std::nan("");
    double floor = std::nan("");
    QString unit;
    int runs = 0;
    QString note;
};

QString formatValue(double value, const QString &unit)
{
    if (std::isnan(value))
        return QStringLiteral("-");
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : 2;
    return QString("%1 %2").arg(value, 0, 'f', decimals).arg(unit);
}

void printTable(const QList<Row> &rows, const QString &title)
{
    QTextStream out(stdout);
    const int nameWidth = 52;
    out << title << "\n";
    out << QString("%1 %2 %3 %4 %5  %6\n")
               .arg("measurement", -nameWidth)
               .arg("median", 12)
               .arg("floor", 12)
               .arg("ratio", 6)
               .arg("runs", 4)
               .arg("note");
    out << QString(nameWidth + 40, '-') << "\n";
    for (const Row &row : rows) {
        const bool hasRatio = !std::isnan(row.floor) && !std::isnan(row.value) && row.floor > 0;
        out << QString("%1 %2 %3 %4 %5  %6\n")
                   .arg(row.name, -nameWidth)
                   .arg(formatValue(row.value, row.unit), 12)
                   .arg(formatValue(row.floor, row.unit), 12)
                   .arg(hasRatio ? QString::number(row.value / row.floor, 'f', 2) : QString("-"), 6)
                   .arg(row.runs, 4)
                   .arg(row.note);
    }
    out.flush();
}

// A child process's wall time from spawn to exit and its peak memory.
struct ChildRun
{
    bool ok = false;
    double ms = 0;
    double maxRssMiB = 0;
    QString log;
};

std::vector<char *> pointers(std::vector<QByteArray> &strings)
{
    std::vector<char *> result;
    for (QByteArray &string : strings)
        result.push_back(string.data());
    result.push_back(nullptr);
    return result;
}

// Runs argv[0] with argv to its end with this process's environment and
// writes "milliseconds maxrss-KiB exit-status" to report. Linux keeps the
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
    fprintf(file, "%.3f %ld %d\n", ms, usage.ru_maxrss, status);
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
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || fields.size() != 3) {
        run.log = QString("cannot measure %1: %2").arg(program, run.log);
        return run;
    }
    run.ms = fields.at(0).toDouble();
    run.maxRssMiB = fields.at(1).toDouble() / 1024;
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

// Label files written with the program's own record writers, items in a
// scene of their own, topmost first as the window saves them.
bool writeLabel(const QString &path, QGraphicsScene *scene)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << LabelFileMagic << LabelFileVersion;
    out.setVersion(LabelStreamVersion);
    const QList<QGraphicsItem *> items = scene->items(Qt::DescendingOrder);
    for (QGraphicsItem *item : items) {
        out << qint32(item->type());
        if (auto *box = qgraphicsitem_cast<BoxItem *>(item))
            out << *box;
        else if (auto *code = qgraphicsitem_cast<QRCodeItem *>(item))
            out << *code;
        else if (auto *text = qgraphicsitem_cast<TextItem *>(item))
            out << *text;
    }
    return out.status() == QDataStream::Ok && file.commit();
}

// A box, two text items and two QR codes, with placeholders.
bool writeTypicalLabel(const QString &path)
{
    QGraphicsScene scene;
    auto *frame = new BoxItem(QRect(8, 8, 272, 272), &scene);
    frame->setPen(QPen(Qt::black, 2));
    auto *lot = new TextItem(QPoint(20, 20), &scene);
    lot->setPlainText("Lot {%serial%}");
    lot->setFont(QFont("DejaVu Sans", 14));
    auto *date = new TextItem(QPoint(20, 50), &scene);
    date->setPlainText("Printed {%date%}");
    date->setFont(QFont("DejaVu Sans", 10));
    auto *code = new QRCodeItem(QPoint(20, 150), &scene);
    code->setPlainText("{%code%}");
    code->setShear(100, 100);
    auto *link = new QRCodeItem(QPoint(160, 150), &scene);
    link->setPlainText(LongQrText);
    link->setShear(100, 100);
    return writeLabel(path, &scene);
}

// Half boxes, three tenths text items, one fifth QR codes, spread over the
// default page, with varied pens, brushes, angles, texts and sizes.
bool writeLargeLabel(const QString &path)
{
    QGraphicsScene scene;
    const Qt::BrushStyle brushes[] = {Qt::NoBrush, Qt::SolidPattern, Qt::Dense4Pattern, Qt::CrossPattern};
    for (int i = 0; i < LargeLabelItems; ++i) {
        const QPoint position((i * 37) % 250, (i * 53) % 260);
        switch (i % 10) {
        case 0: case 1: case 2: case 3: case 4: {
            auto *box = new BoxItem(QRect(position, QSize(10 + i % 20, 5 + i % 15)), &scene);
            box->setPen(QPen(QColor::fromHsv(i % 360, 200, 150), 1 + i % 3, Qt::PenStyle(1 + i % 5)));
            box->setBrush(QBrush(QColor::fromHsv((i * 7) % 360, 150, 200), brushes[i % 4]));
            if (i % 7 == 0)
                box->setAngle(15 * (i % 5));
            break;
        }
        case 5: case 6: case 7: {
            auto *text = new TextItem(position, &scene);
            text->setPlainText(QString("Item %1 {%serial%}").arg(i));
            text->setFont(QFont("DejaVu Sans", 4 + i % 6));
            break;
        }
        default: {
            auto *code = new QRCodeItem(position, &scene);
            code->setPlainText(QString("QR-%1-{%code%}").arg(i));
            code->setShear(20 + i % 30, 20 + i % 30);
            break;
        }
        }
    }
    return writeLabel(path, &scene);
}

// One item entry's fields, read without creating an item.
struct Entry
{
    qint32 type = 0;
    QPointF position;
    double angle = 0;
    qint32 width = 0;
    qint32 height = 0;
    double z = 0;
    QRectF rect;
    QPen pen;
    QBrush brush;
    QString text;
    QFont font;
};

bool readEntry(QDataStream &in, Entry *entry)
{
    in >> entry->type;
    switch (entry->type) {
    case BoxItem::Type:
        in >> entry->position >> entry->angle >> entry->width >> entry->height >> entry->z >> entry->rect
            >> entry->pen >> entry->brush;
        break;
    case QRCodeItem::Type:
        in >> entry->position >> entry->angle >> entry->width >> entry->height >> entry->z >> entry->text;
        break;
    case TextItem::Type:
        in >> entry->position >> entry->z >> entry->text >> entry->font;
        break;
    default:
        break;
    }
    return in.status() == QDataStream::Ok;
}

void writeEntry(QDataStream &out, const Entry &entry)
{
    out << entry.type;
    switch (entry.type) {
    case BoxItem::Type:
        out << entry.position << entry.angle << entry.width << entry.height << entry.z << entry.rect << entry.pen
            << entry.brush;
        break;
    case QRCodeItem::Type:
        out << entry.position << entry.angle << entry.width << entry.height << entry.z << entry.text;
        break;
    case TextItem::Type:
        out << entry.position << entry.z << entry.text << entry.font;
        break;
    default:
        break;
    }
}

// The floor of opening: the file's bytes read and every field streamed
// into one reused entry. Returns the number of entries.
int readLabelBare(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&file);
    qint32 magic = 0;
    qint16 version = 0;
    in >> magic >> version;
    in.setVersion(LabelStreamVersion);
    Entry entry;
    int count = 0;
    while (!in.atEnd() && readEntry(in, &entry))
        ++count;
    return count;
}

QVector<Entry> readEntries(const QString &path)
{
    QVector<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QDataStream in(&file);
    qint32 magic = 0;
    qint16 version = 0;
    in >> magic >> version;
    in.setVersion(LabelStreamVersion);
    while (!in.atEnd()) {
        Entry entry;
        if (!readEntry(in, &entry))
            break;
        entries << entry;
    }
    return entries;
}

// The floor of saving: the same entries streamed into a file that is
// committed as the window commits its own.
bool writeLabelBare(const QString &path, const QVector<Entry> &entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << LabelFileMagic << LabelFileVersion;
    out.setVersion(LabelStreamVersion);
    for (const Entry &entry : entries)
        writeEntry(out, entry);
    return out.status() == QDataStream::Ok && file.commit();
}

QAction *windowAction(QWidget *window, const QString &text)
{
    const QList<QAction *> actions = window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    for (QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    qFatal("no action named %s", qPrintable(text));
    return nullptr;
}

void invoke(QObject *object, const char *slot)
{
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection))
        qFatal("cannot invoke %s", slot);
}

bool invokeBool(QObject *object, const char *slot)
{
    bool result = false;
    if (!QMetaObject::invokeMethod(object, slot, Qt::DirectConnection, Q_RETURN_ARG(bool, result)))
        qFatal("cannot invoke %s", slot);
    return result;
}

// Clears the modified flag so that New and Open ask nothing.
void setClean(MainWindow &window)
{
    QMetaObject::invokeMethod(&window, "setDirty", Qt::DirectConnection, Q_ARG(bool, false));
}

// Loads a label into the window through its own slots, as Open does after
// the file dialog.
void loadLabel(MainWindow &window, const QString &path)
{
    window.setWindowFilePath(path);
    invoke(&window, "loadFile");
}

int labelItemCount(QGraphicsScene *scene)
{
    const QList<QGraphicsItem *> items = scene->items();
    return int(std::count_if(items.cbegin(), items.cend(), [](const QGraphicsItem *item) {
        return item->type() >= BoxItem::Type && item->type() <= TextItem::Type;
    }));
}

// Runs handler on the next modal widget the window opens, from a timer, so
// that a command that asks a question can be driven like a user would.
void onNextModal(const std::function<void(QWidget *)> &handler)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        handler(modal);
    });
    timer->start(5);
}

// Exports through the Export action, answering its file dialog with path.
// Returns the time from the dialog's acceptance to the command's end, or
// NaN when the file was not written.
double exportThroughAction(MainWindow &window, const QString &path)
{
    QElapsedTimer accepted;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            qFatal("Export opened no file dialog");
        dialog->selectFile(path);
        accepted.start();
        static_cast<QDialog *>(dialog)->accept();
    });
    windowAction(&window, "Export...")->trigger();
    const double ms = msSince(accepted);
    const bool written = QFile::exists(path);
    QFile::remove(path);
    return written ? ms : std::nan("");
}

// Opens the print preview and renders its pages again reps times, as the
// preview does on every change; returns the times of those renders.
std::vector<double> previewRenders(MainWindow &window, int reps)
{
    std::vector<double> times;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(modal);
        if (!dialog)
            qFatal("Print Preview opened no preview dialog");
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        for (int i = 0; preview && i < reps; ++i)
            times.push_back(timeMs([preview] { preview->updatePreview(); }));
        dialog->reject();
    });
    windowAction(&window, "Print Preview...")->trigger();
    return times;
}

// Per-call times of work, run in batches of count calls.
std::vector<double> perCallUs(int reps, int count, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < reps; ++i)
        times.push_back(timeMs([&] {
                            for (int j = 0; j < count; ++j)
                                work();
                        })
                        * 1000 / count);
    return times;
}

// Paints a QR code item as the scene does onto a 300 dpi image.
void paintQrItemAt300Dpi(QRCodeItem *item, QImage *image)
{
    image->fill(Qt::white);
    QPainter painter(image);
    painter.scale(300.0 / 72, 300.0 / 72);
    QStyleOptionGraphicsItem option;
    option.exposedRect = item->boundingRect();
    static_cast<QGraphicsItem *>(item)->paint(&painter, &option, nullptr);
}

class Benchmark
{
public:
    explicit Benchmark(int reps)
        : reps(reps)
    {
    }

    int run();

private:
    void measurePrintMode();
    void measureOutput();
    void measureLargeLabel();
    void measureQrCodes();
    void measureOpenMemory();
    void progress(const QString &text) { err() << text << Qt::endl; }

    int reps;
    QTemporaryDir work;
    PdfPrinter printer;
    QString printerProblem;
    QString typicalLabel;
    QString largeLabel;
    QString emptyLabel;
    QList<Row> rows;
};

int Benchmark::run()
{
    if (!work.isValid())
        return 1;
    typicalLabel = work.filePath("typical.qlt");
    largeLabel = work.filePath("large.qlt");
    emptyLabel = work.filePath("empty.qlt");
    QGraphicsScene empty;
    if (!writeTypicalLabel(typicalLabel) || !writeLargeLabel(largeLabel) || !writeLabel(emptyLabel, &empty)) {
        err() << "cannot write the benchmark labels" << Qt::endl;
        return 1;
    }
    // The printer must be known before the first QPrinter of this process:
    // libcups reads CUPS_SERVER once.
    if (printer.start())
        printer.exportToProcess();
    else
        printerProblem = printer.errorString();

    measurePrintMode();
    measureOutput();
    measureLargeLabel();
    measureOpenMemory();
    measureQrCodes();
    printer.stop();

    const QString title = QString("tagforge benchmark: medians of %1 runs; %2-item label of %3 KiB")
                              .arg(reps)
                              .arg(LargeLabelItems)
                              .arg(QFileInfo(largeLabel).size() / 1024);
    printTable(rows, title);
    return 0;
}

void Benchmark::measurePrintMode()
{
    Row time{"print mode, typical label: start to exit", std::nan(""), std::nan(""), "ms", 0,
             "floor: blank page from a bare QPrinter"};
    Row memory{"print mode, typical label: peak RSS", std::nan(""), std::nan(""), "MiB", 0,
               "floor: the same bare program"};
    if (!printerProblem.isEmpty()) {
        time.note = memory.note = QString("not run: %1").arg(printerProblem.left(60));
        rows << time << memory;
        return;
    }
    progress("print mode");
    std::vector<double> times, floorTimes, rss, floorRss;
    const QStringList arguments{"--print", "--config", typicalLabel, "--serial", "0042", "--code", "ABC"};
    // Alternating runs share whatever else the machine does; each run
    // starts with an idle queue and a fresh home.
    for (int i = 0; i < reps; ++i) {
        for (bool floor : {true, false}) {
            QTemporaryDir home;
            if (!printer.waitIdle() || !printer.clear()) {
                time.note = QString("printer failed: %1").arg(printer.errorString());
                rows << time << memory;
                return;
            }
            const ChildRun run = floor ? runChild(PRINT_FLOOR_BIN, {}, childEnvironment(home.path()))
                                       : runChild(TAGFORGE_BIN, arguments, childEnvironment(home.path()));
            if (!run.ok) {
                err() << (floor ? "printfloor" : "tagforge") << " failed: " << run.log << Qt::endl;
                continue;
            }
            (floor ? floorTimes : times).push_back(run.ms);
            (floor ? floorRss : rss).push_back(run.maxRssMiB);
        }
    }
    printer.waitIdle();
    time.value = median(times);
    time.floor = median(floorTimes);
    time.runs = int(times.size());
    time.note += "; goal ratio <= 1.3";
    memory.value = median(rss);
    memory.floor = median(floorRss);
    memory.runs = int(rss.size());
    rows << time << memory;
}

void Benchmark::measureOutput()
{
    progress("export and preview");
    MainWindow window;
    loadLabel(window, typicalLabel);
    if (labelItemCount(window.findChild<QGraphicsScene *>()) != 5)
        err() << "the typical label did not load" << Qt::endl;

    struct Export
    {
        QString name;
        int dpi;
        QString suffix;
    };
    const Export exports[] = {{"export PNG 300 dpi, typical label", 300, "png"},
                              {"export PNG 600 dpi, typical label", 600, "png"},
                              {"export SVG, typical label", 300, "svg"}};
    int file = 0;
    for (const Export &output : exports) {
        Settings::instance()->setPrintDPI(output.dpi);
        std::vector<double> times;
        for (int i = 0; i < reps; ++i) {
            const double ms = exportThroughAction(window, work.filePath(QString("out%1.%2").arg(file++).arg(output.suffix)));
            if (!std::isnan(ms))
                times.push_back(ms);
        }
        rows << Row{output.name, median(times), std::nan(""), "ms", int(times.size()),
                    "from the file dialog's answer to the end"};
    }
    Settings::instance()->setPrintDPI(300);

    const std::vector<double> previews = previewRenders(window, reps);
    rows << Row{"print preview render, typical label", median(previews), std::nan(""), "ms", int(previews.size()),
                "QPrintPreviewWidget::updatePreview"};
    setClean(window);
}

void Benchmark::measureLargeLabel()
{
    progress("10,000-item label");
    const QVector<Entry> entries = readEntries(largeLabel);
    std::vector<double> open, openFloor, save, saveFloor, select, brush, align;
    MainWindow window;
    QGraphicsScene *scene = window.findChild<QGraphicsScene *>();
    QComboBox *brushStyle = window.findChild<BrushWidget *>()->findChild<QComboBox *>();
    QAction *alignLeft = windowAction(&window, "Left");
    const QString savePath = work.filePath("saved.qlt");
    const QString floorPath = work.filePath("floor.qlt");
    for (int i = 0; i < reps; ++i) {
        progress(QString("  run %1 of %2").arg(i + 1).arg(reps));
        setClean(window);
        invoke(&window, "fileNew");

        openFloor.push_back(timeMs([&] { readLabelBare(largeLabel); }));
        open.push_back(timeMs([&] { loadLabel(window, largeLabel); }));
        if (labelItemCount(scene) != entries.size())
            err() << "the large label loaded " << labelItemCount(scene) << " items" << Qt::endl;

        saveFloor.push_back(timeMs([&] { writeLabelBare(floorPath, entries); }));
        window.setWindowFilePath(savePath);
        save.push_back(timeMs([&] {
            if (!invokeBool(&window, "fileSave"))
                err() << "saving the large label failed" << Qt::endl;
        }));

        // What a rubber band over the whole page does.
        QPainterPath page;
        page.addRect(scene->sceneRect());
        select.push_back(timeMs([&] { scene->setSelectionArea(page); }));
        if (scene->selectedItems().size() != entries.size())
            err() << "select all selected " << scene->selectedItems().size() << " items" << Qt::endl;

        const int style = 2 + i % 2;
        brush.push_back(timeMs([&] { brushStyle->setCurrentIndex(style); }));
        align.push_back(timeMs([&] { alignLeft->trigger(); }));
    }
    setClean(window);
    invoke(&window, "fileNew");

    rows << Row{"open 10,000-item label", median(open), median(openFloor), "ms", reps,
                "floor: the same field reads, no items"};
    rows << Row{"save 10,000-item label", median(save), median(saveFloor), "ms", reps,
                "floor: the same field writes"};
    rows << Row{"select all 10,000 items (rubber band)", median(select), std::nan(""), "ms", reps, ""};
    rows << Row{"brush style of 10,000 selected items", median(brush), std::nan(""), "ms", reps,
                "brush panel's combo box"};
    rows << Row{"align left 10,000 items (command)", median(align), std::nan(""), "ms", reps,
                "until the animation has started"};
}

void Benchmark::measureOpenMemory()
{
    progress("peak memory of opening");
    std::vector<double> large, empty;
    for (int i = 0; i < reps; ++i) {
        for (bool floor : {true, false}) {
            QTemporaryDir home;
            const ChildRun run = runChild(QCoreApplication::applicationFilePath(),
                                          {"--open-label", floor ? emptyLabel : largeLabel},
                                          childEnvironment(home.path()));
            if (!run.ok) {
                err() << "opening child failed: " << run.log << Qt::endl;
                continue;
            }
            (floor ? empty : large).push_back(run.maxRssMiB);
        }
    }
    rows << Row{"open 10,000-item label: peak RSS", median(large), median(empty), "MiB", int(large.size()),
                "floor: the same window opening an empty label"};
}

void Benchmark::measureQrCodes()
{
    progress("QR codes");
    const int calls = 50;
    const QString shortText = ShortQrText;
    const QString longText = LongQrText;
    rows << Row{"renderQRCode, short text, 100x100", median(perCallUs(reps, calls, [&] {
                    renderQRCode(shortText, 100, 100);
                })),
                std::nan(""), "us", reps, "per item"};
    rows << Row{"renderQRCode, long text, 100x100", median(perCallUs(reps, calls, [&] {
                    renderQRCode(longText, 100, 100);
                })),
                std::nan(""), "us", reps, "per item"};

    QGraphicsScene scene;
    auto *item = new QRCodeItem(QPoint(0, 0), &scene);
    item->setShear(100, 100);
    scene.clearSelection();
    QImage image(QSize(100, 100) * 300 / 72, QImage::Format_ARGB32_Premultiplied);
    for (const QString &text : {shortText, longText}) {
        item->setPlainText(text);
        rows << Row{QString("paint QRCodeItem at 300 dpi, %1 text").arg(text == shortText ? "short" : "long"),
                    median(perCallUs(reps, calls, [&] { paintQrItemAt300Dpi(item, &image); })), std::nan(""),
                    "us", reps, "per item"};
    }
}

// The child whose peak memory is that of opening a label.
int openLabelChild(const QString &path)
{
    MainWindow window;
    loadLabel(window, path);
    return window.windowFilePath() == path ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], "--measure-child") == 0)
        return measureChild(argv[2], argv + 3);
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's complaints about window hints are noise here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg || type == QtCriticalMsg)
            err() << message << Qt::endl;
    });
    if (arguments.size() == 2 && arguments.first() == "--open-label") {
        QApplication app(argc, argv);
        return openLabelChild(arguments.at(1));
    }

    int reps = 7;
    if (arguments.size() == 2 && arguments.first() == "--reps")
        reps = qBound(1, arguments.at(1).toInt(), 101);
    else if (!arguments.isEmpty()) {
        err() << "usage: tagforge_benchmark [--reps N]" << Qt::endl;
        return 2;
    }

    // A private home, so that no user's settings are read or written.
    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    QDir(home.path()).mkpath("config");
    QDir(home.path()).mkpath("Documents");
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DOCUMENTS_DIR", root + "/Documents");
    QApplication app(argc, argv);
    Benchmark benchmark(reps);
    return benchmark.run();
}
