#include "labelprinter.h"

#include "output/labelrenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace {
// The resolutions a label printer can be set to in the page settings.
const int MinimumPrintDpi = 72;
const int MaximumPrintDpi = 4000;
} // namespace

bool LabelPrinter::setup(QPrinter *printer, const QSizeF &pageSizeMM, int dpi)
{
    // A page the printer does not take leaves it with its previous page.
    const bool pageTaken = printer->setPageSize(
        QPageSize(pageSizeMM, QPageSize::Millimeter, "POSTEK C168/300s", QPageSize::FuzzyMatch));
    // No resolution at all would make the printer's metrics divide by zero.
    if (dpi > 0)
        printer->setResolution(dpi);
    const bool pageValid = pageSizeMM.width() > 0 && pageSizeMM.height() > 0;
    return pageTaken && pageValid && dpi >= MinimumPrintDpi && dpi <= MaximumPrintDpi;
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

QString LabelPrinter::print(QPrinter *printer, QGraphicsScene *scene, const Placeholder *values)
{
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return tr("The label was not printed: %1").arg(unprintable);
    // Without a default printer Qt would quietly print to the first queue
    // or to nowhere; a label must go to the printer the system names.
    if (QPrinterInfo::defaultPrinter().isNull())
        return tr("No default printer is set up: the label was not printed.");
    QPainter painter;
    if (printer->printerName().isEmpty() || !painter.begin(printer))
        return tr("Failed to print on %1").arg(printer->printerName());
    paintPage(&painter, renderer, values);
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
    renderer.render(painter, QRectF(), values);
}
