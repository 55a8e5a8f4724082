#ifndef LABELPRINTER_H
#define LABELPRINTER_H

#include <QCoreApplication>

#include <functional>
#include <QSize>
#include <QSizeF>
#include <QString>

class LabelRenderer;
class LabelValues;
class Placeholder;
class QGraphicsScene;
class QPainter;
class QPrinter;

// Prints label pages on the system's default printer, straight away.
class LabelPrinter
{
    Q_DECLARE_TR_FUNCTIONS(LabelPrinter)

public:
    // Gives the printer the label page; false when the page settings cannot
    // give the right label (the printer keeps what it could take).
    static bool setup(QPrinter *printer, const QSizeF &pageSizeMM, int dpi);
    static QString pageSettingsError(const QSizeF &pageSizeMM, int dpi);

    // The label page as the printer took it, in whole points.
    static QSize pageSizePoints(const QPrinter *printer);

    // Told how many labels of how many are done; false stops the run.
    using Progress = std::function<bool(int done, int total)>;

    // The page settings are usable: a positive size, a resolution a label
    // printer can have.
    static bool isValid(const QSizeF &pageSizeMM, int dpi);

    // Prints one page per label of the values, in one job; empty, or why
    // nothing was printed. Every label is checked before the first page.
    // A run stopped by progress sends the pages done so far.
    static QString print(QPrinter *printer, QGraphicsScene *scene, const LabelValues &values,
                         const Progress &progress = Progress());

    // Draws the page as printing does, on a painter open on the printer:
    // scene point (x, y) lands at (x, y) points from the paper's corner.
    static void paintPage(QPainter *painter, const LabelRenderer &renderer, const Placeholder *values);

    // Says when items reach into the margins the printer cannot print;
    // empty when everything printed lies inside its printable area.
    static QString marginWarning(const QPrinter *printer, const QGraphicsScene *scene);
};

#endif // LABELPRINTER_H
