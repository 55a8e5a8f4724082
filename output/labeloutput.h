#ifndef LABELOUTPUT_H
#define LABELOUTPUT_H

#include "output/labelprinter.h"

#include <QCoreApplication>
#include <QSizeF>
#include <QString>

class LabelValues;
class QGraphicsScene;

// Writes the labels of a run to files instead of a printer: a PDF with one
// page per label, or one bitmap or SVG file per label, numbered before the
// suffix when there are several. Nothing is left behind by a failed run:
// files are written under temporary names and renamed once all are done.
class LabelOutput
{
    Q_DECLARE_TR_FUNCTIONS(LabelOutput)

public:
    static bool isSupported(const QString &fileName);
    // The file of label index out of count.
    static QString numberedFileName(const QString &fileName, int index, int count);

    // Empty, or why nothing was written.
    static QString write(const QString &fileName, QGraphicsScene *scene, const LabelValues &values,
                         const QSizeF &pageSizeMM, int dpi, const LabelPrinter::Progress &progress);
};

#endif // LABELOUTPUT_H
