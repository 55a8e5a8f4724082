#include "labelprinter.h"

#include "document/itementries.h"
#include "items/placeholder.h"
#include "output/labelrenderer.h"
#include "output/labelvalues.h"

#include <QGraphicsItem>
#include <QGraphicsScene>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrintEngine>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {
// The resolutions a label printer can be set to in the page settings.
const int MinimumPrintDpi = 72;
const int MaximumPrintDpi = 4000;

// Qt keeps the options it hands to CUPS with a job, as name and value
// pairs, under this property of its print engine.
const auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

void setCupsOption(QPrinter *printer, const QString &name, const QString &value)
{
    QPrintEngine *engine = printer->printEngine();
    QStringList options = engine->property(CupsOptions).toStringList();
    const int at = options.indexOf(name);
    if (at >= 0 && at % 2 == 0 && at + 1 < options.size())
        options[at + 1] = value;
    else
        options << name << value;
    engine->setProperty(CupsOptions, options);
}
} // namespace

bool LabelPrinter::setup(QPrinter *printer, const QSizeF &pageSizeMM, int dpi)
{
    // The label is placed from the paper's corner, one to one; what falls
    // into the printer's unprintable margins is cut off there, never scaled.
    printer->setFullPage(true);
    // A page the printer does not take leaves it with its previous page.
    const bool pageTaken = printer->setPageSize(
        QPageSize(pageSizeMM, QPageSize::Millimeter, "POSTEK C168/300s", QPageSize::FuzzyMatch));
    // No resolution at all would make the printer's metrics divide by zero.
    if (dpi > 0)
        printer->setResolution(dpi);
    // Qt draws at the resolution but does not tell the driver; a driver that
    // offers it then rasterises the label at the same dots.
    if (printer->outputFormat() == QPrinter::NativeFormat && QPrinterInfo(*printer).supportedResolutions().contains(dpi))
        setCupsOption(printer, "Resolution", QString("%1dpi").arg(dpi));
    return pageTaken && isValid(pageSizeMM, dpi);
}

bool LabelPrinter::isValid(const QSizeF &pageSizeMM, int dpi)
{
    return pageSizeMM.width() > 0 && pageSizeMM.height() > 0 && dpi >= MinimumPrintDpi && dpi <= MaximumPrintDpi;
}

QString LabelPrinter::pageSettingsError(const QSizeF &pageSizeMM, int dpi)
{
    return tr("The page settings cannot be printed: %1 x %2 mm at %3 dpi")
        .arg(pageSizeMM.width())
        .arg(pageSizeMM.height())
        .arg(dpi);
}

QSize LabelPrinter::pageSizePoints(const QPrinter *printer)
{
    return printer->pageLayout().pageSize().sizePoints();
}

QString LabelPrinter::print(QPrinter *printer, QGraphicsScene *scene, const LabelValues &values,
                            const Progress &progress)
{
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return tr("The label was not printed: %1").arg(unprintable);
    // Without a default printer Qt would quietly print to the first queue
    // or to nowhere; a label must go to the printer the system names.
    // The name alone: a whole printer description would fetch its driver
    // file once more.
    if (QPrinterInfo::defaultPrinterName().isEmpty())
        return tr("No default printer is set up: the label was not printed.");
    QPainter painter;
    if (printer->printerName().isEmpty() || !painter.begin(printer))
        return tr("Failed to print on %1").arg(printer->printerName());
    const int count = values.count();
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !printer->newPage())
            return tr("Failed to print on %1").arg(printer->printerName());
        const Placeholder label = values.at(i);
        paintPage(&painter, renderer, &label);
        if (progress && !progress(i + 1, count))
            break;
    }
    // Qt hands the job to CUPS when the painter ends but does not look at
    // the answer; a printer that refuses the job shows only here.
    if (!painter.end())
        return tr("Failed to print on %1").arg(printer->printerName());
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return tr("Failed to print on %1: %2").arg(printer->printerName(), QString::fromLocal8Bit(cupsLastErrorString()));
    return QString();
}

void LabelPrinter::paintPage(QPainter *painter, const LabelRenderer &renderer, const Placeholder *values)
{
    // A point of the scene is a point on the paper.
    const QPaintDevice *device = painter->device();
    const QSizeF page = renderer.pageSize();
    renderer.render(painter,
                    QRectF(0, 0, page.width() * device->logicalDpiX() / 72.0, page.height() * device->logicalDpiY() / 72.0),
                    values);
}

QString LabelPrinter::marginWarning(const QPrinter *printer, const QGraphicsScene *scene)
{
    // The printable area is the paper less the margins the driver declares.
    QPageLayout layout = printer->pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    const QRectF page = scene->sceneRect();
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    for (const QGraphicsItem *item : items) {
        const QRectF printed = item->sceneBoundingRect().intersected(page);
        if (!printed.isEmpty() && !printable.contains(printed))
            return tr("Items reach into the printer's unprintable margins and are cut off there.");
    }
    return QString();
}
