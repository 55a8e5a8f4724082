#include "labeloutput.h"

#include "items/placeholder.h"
#include "output/labelexporter.h"
#include "output/labelrenderer.h"
#include "output/labelvalues.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>

namespace {

bool isPdf(const QString &fileName)
{
    return fileName.endsWith(".pdf", Qt::CaseInsensitive);
}

QPageSize labelPage(const QSizeF &pageSizeMM)
{
    return QPageSize(pageSizeMM, QPageSize::Millimeter, "Label", QPageSize::FuzzyMatch);
}

// Files written under temporary names beside their targets; removed again
// unless all of them are renamed into place.
class PendingFiles
{
public:
    ~PendingFiles()
    {
        for (const auto &file : qAsConst(files))
            QFile::remove(file.first);
    }

    QTemporaryFile *create(const QString &target)
    {
        auto *file = new QTemporaryFile(QString("%1/.%2.XXXXXX").arg(QFileInfo(target).path(), QFileInfo(target).fileName()));
        file->setAutoRemove(false);
        if (!file->open()) {
            delete file;
            return nullptr;
        }
        files.append({file->fileName(), target});
        return file;
    }

    bool commit()
    {
        for (const auto &file : qAsConst(files)) {
            // rename() replaces an existing target in one step.
            if (std::rename(QFile::encodeName(file.first).constData(), QFile::encodeName(file.second).constData()) != 0)
                return false;
        }
        files.clear();
        return true;
    }

private:
    QList<QPair<QString, QString>> files;
};

} // namespace

bool LabelOutput::isSupported(const QString &fileName)
{
    return isPdf(fileName) || LabelExporter::isSvg(fileName) || !LabelExporter::bitmapFormat(fileName).isEmpty();
}

QString LabelOutput::numberedFileName(const QString &fileName, int index, int count)
{
    if (count <= 1)
        return fileName;
    const QFileInfo info(fileName);
    const int digits = QString::number(count).size();
    const QString number = QString("%1").arg(index + 1, digits, 10, QChar('0'));
    const QString name = QString("%1-%2.%3").arg(info.completeBaseName(), number, info.suffix());
    return info.path() == "." && !fileName.startsWith("./") ? name : QDir(info.path()).filePath(name);
}

QString LabelOutput::write(const QString &fileName, QGraphicsScene *scene, const LabelValues &values,
                           const QSizeF &pageSizeMM, int dpi, const LabelPrinter::Progress &progress)
{
    const QString failed = tr("Failed to write %1").arg(fileName);
    if (!isSupported(fileName))
        return tr("%1: the suffix names no format the labels can be written in (.pdf, .svg or an image format).")
            .arg(fileName);
    const LabelRenderer renderer(scene);
    const QString unprintable = renderer.check(values);
    if (!unprintable.isEmpty())
        return QString("%1: %2").arg(failed, unprintable);

    const int count = values.count();
    if (isPdf(fileName)) {
        // One document, one vector page per label, as print gives.
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return QString("%1 (%2)").arg(failed, file.errorString());
        QPdfWriter pdf(&file);
        pdf.setCreator(QCoreApplication::applicationName());
        pdf.setResolution(dpi);
        if (!pdf.setPageSize(labelPage(pageSizeMM)) || !pdf.setPageMargins(QMarginsF()))
            return failed;
        QPainter painter;
        if (!painter.begin(&pdf))
            return failed;
        for (int i = 0; i < count; ++i) {
            if (i > 0 && !pdf.newPage())
                return failed;
            const Placeholder label = values.at(i);
            LabelPrinter::paintPage(&painter, renderer, &label);
            if (progress && !progress(i + 1, count))
                return tr("Stopped: %1 was not written.").arg(fileName);
        }
        if (!painter.end() || !file.commit())
            return QString("%1 (%2)").arg(failed, file.errorString());
        return QString();
    }

    const QSize pagePoints = labelPage(pageSizeMM).sizePoints();
    const QByteArray format = LabelExporter::bitmapFormat(fileName);
    PendingFiles pending;
    for (int i = 0; i < count; ++i) {
        const QString target = numberedFileName(fileName, i, count);
        QTemporaryFile *file = pending.create(target);
        if (!file)
            return tr("Failed to write %1").arg(target);
        const Placeholder label = values.at(i);
        const bool written = format.isEmpty() ? LabelExporter::writeSvg(file, renderer, &label, pagePoints)
                                              : LabelExporter::writeBitmap(file, format, renderer, &label, pagePoints, dpi);
        const bool flushed = file->flush();
        delete file;
        if (!written || !flushed)
            return tr("Failed to write %1").arg(target);
        if (progress && !progress(i + 1, count))
            return tr("Stopped: %1 was not written.").arg(fileName);
    }
    return pending.commit() ? QString() : failed;
}
