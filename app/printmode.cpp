#include "printmode.h"

#include "app/settings.h"
#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "output/labelprinter.h"

#include <QGraphicsScene>
#include <QPrinter>
#include <QTextStream>

namespace {
void warn(const QString &text)
{
    QTextStream(stderr) << text << Qt::endl;
}
} // namespace

PrintMode::Result PrintMode::run(const QString &path, const Placeholder &values)
{
    QPrinter printer(QPrinter::HighResolution);
    const QSizeF pageSize = Settings::instance()->pageSizeMM();
    const int dpi = Settings::instance()->printDPI();
    if (!LabelPrinter::setup(&printer, pageSize, dpi)) {
        warn(LabelPrinter::pageSettingsError(pageSize, dpi));
        return PrintFailed;
    }
    const LabelFile::Contents contents = LabelFile::read(path);
    if (!contents.error.isEmpty()) {
        warn(contents.error);
        return LabelNotLoaded;
    }
    const QSize page = LabelPrinter::pageSizePoints(&printer);
    QGraphicsScene scene(0, 0, page.width(), page.height());
    // Never print a label that was not read completely.
    if (!ItemEntries::read(contents.entries, LabelStreamVersion, &scene).complete) {
        warn(LabelFile::damagedMessage(path));
        return LabelNotLoaded;
    }
    const QString error = LabelPrinter::print(&printer, &scene, &values);
    if (!error.isEmpty()) {
        warn(error);
        return PrintFailed;
    }
    // The user chose that layout: say so, but the label is printed.
    const QString margins = LabelPrinter::marginWarning(&printer, &scene);
    if (!margins.isEmpty())
        warn(margins);
    return Printed;
}
