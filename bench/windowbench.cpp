#include "windowbench.h"

#include "benchlabels.h"
#include "entryfields.h"
#include "table.h"
#include "timing.h"
#include "windowslots.h"

#include "app/settings.h"
#include "document/itementries.h"
#include "document/itemrecords.h"
#include "panels/brushwidget.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QPainterPath>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <vector>

namespace {

// The floor of saving: the same entries streamed into a file that is
// committed as the window commits its own.
bool writeLabelBare(const QString &path, const QVector<EntryFields> &entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << LabelFileMagic << LabelFileVersion;
    out.setVersion(LabelStreamVersion);
    for (const EntryFields &entry : entries)
        writeEntryFields(out, entry);
    return out.status() == QDataStream::Ok && file.commit();
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

} // namespace

WindowBench::WindowBench(const QTemporaryDir &work, int reps)
    : work(work)
    , reps(reps)
{
}

bool WindowBench::prepare()
{
    typicalLabel = work.filePath("typical.qlt");
    largeLabel = work.filePath("window-large.qlt");
    return writeTypicalLabel(typicalLabel) && writeLargeLabel(largeLabel, 10000);
}

void WindowBench::run(Table *table)
{
    measureOutput(table);
    measureLargeLabel(table);
}

void WindowBench::measureOutput(Table *table)
{
    QTextStream(stderr) << "export and preview" << Qt::endl;
    MainWindow window;
    loadLabel(window, typicalLabel);
    if (ItemEntries::labelItems(window.findChild<QGraphicsScene *>()).size() != 5)
        QTextStream(stderr) << "the typical label did not load" << Qt::endl;

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
        table->addMeasurement(output.name, median(times), std::nan(""), "ms", int(times.size()),
                              "from the file dialog's answer to the end");
    }
    Settings::instance()->setPrintDPI(300);

    const std::vector<double> previews = previewRenders(window, reps);
    table->addMeasurement("print preview render, typical label", median(previews), std::nan(""), "ms",
                          int(previews.size()), "QPrintPreviewWidget::updatePreview");
    setClean(window);
}

void WindowBench::measureLargeLabel(Table *table)
{
    QTextStream err(stderr);
    err << "10,000-item label in the window" << Qt::endl;
    const QVector<EntryFields> entries = readLabelFields(largeLabel);
    std::vector<double> save, saveFloor, select, brush, align;
    MainWindow window;
    QGraphicsScene *scene = window.findChild<QGraphicsScene *>();
    QComboBox *brushStyle = window.findChild<BrushWidget *>()->findChild<QComboBox *>();
    QAction *alignLeft = windowAction(&window, "Left");
    const QString savePath = work.filePath("saved.qlt");
    const QString floorPath = work.filePath("floor.qlt");
    for (int i = 0; i < reps; ++i) {
        err << QString("  run %1 of %2").arg(i + 1).arg(reps) << Qt::endl;
        setClean(window);
        invoke(&window, "fileNew");
        loadLabel(window, largeLabel);
        if (ItemEntries::labelItems(scene).size() != entries.size())
            err << "the large label loaded " << ItemEntries::labelItems(scene).size() << " items" << Qt::endl;

        saveFloor.push_back(timeMs([&] { writeLabelBare(floorPath, entries); }));
        window.setWindowFilePath(savePath);
        save.push_back(timeMs([&] {
            if (!invokeBool(&window, "fileSave"))
                err << "saving the large label failed" << Qt::endl;
        }));

        // What a rubber band over the whole page does.
        QPainterPath page;
        page.addRect(scene->sceneRect());
        select.push_back(timeMs([&] { scene->setSelectionArea(page); }));
        if (scene->selectedItems().size() != entries.size())
            err << "select all selected " << scene->selectedItems().size() << " items" << Qt::endl;

        const int style = 2 + i % 2;
        brush.push_back(timeMs([&] { brushStyle->setCurrentIndex(style); }));
        align.push_back(timeMs([&] { alignLeft->trigger(); }));
    }
    setClean(window);
    invoke(&window, "fileNew");

    table->addMeasurement("save 10,000-item label", median(save), median(saveFloor), "ms", reps,
                          "floor: the same field writes");
    table->addMeasurement("select all 10,000 items (rubber band)", median(select), std::nan(""), "ms", reps, "");
    table->addMeasurement("brush style of 10,000 selected items", median(brush), std::nan(""), "ms", reps,
                          "brush panel's combo box");
    table->addMeasurement("align left 10,000 items (command)", median(align), std::nan(""), "ms", reps,
                          "until the animation has started");
}
