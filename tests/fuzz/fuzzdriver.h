#ifndef FUZZDRIVER_H
#define FUZZDRIVER_H

// Feeds outside bytes to the program the way it meets them: a label file
// read into a scene, a record pasted from the clipboard, a MIME types list
// read for the export filter; each label is then drawn as output draws it.
// Shared by the fuzz targets and the test that replays what they found.

#include "app/settings.h"
#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "items/placeholder.h"
#include "output/labelrenderer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTextStream>

class FuzzDriver
{
public:
    // Reads the bytes as a label file; true when it was read completely.
    bool loadLabel(const QByteArray &bytes)
    {
        scene.clear();
        const LabelFile::Contents contents = LabelFile::fromBytes(bytes, "fuzz.qlt");
        const bool complete =
            contents.error.isEmpty() && ItemEntries::read(contents.entries, LabelStreamVersion, &scene).complete;
        paint();
        return complete;
    }

    // Reads the bytes as copied items, as pasting does.
    void pasteRecord(const QByteArray &bytes)
    {
        scene.clear();
        ItemEntries::read(bytes, QDataStream::Qt_DefaultCompiledVersion, &scene);
        paint();
    }

    static QHash<QString, QSet<QString>> readMimeTypes(const QByteArray &bytes)
    {
        QHash<QString, QSet<QString>> table;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly | QIODevice::Text);
        QTextStream in(&buffer);
        Settings::readMimeTypes(in, table);
        return table;
    }

    // Frees what an input made: libFuzzer scans the whole heap for leaks
    // held after an input, which costs far more than the input itself.
    void clear()
    {
        scene.clear();
        QCoreApplication::sendPostedEvents();
    }

    QGraphicsScene scene{0, 0, 288, 288};

private:
    void paint()
    {
        const LabelRenderer renderer(&scene);
        renderer.check(&values);
        QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(), &values);
    }

    Placeholder values;
};

#endif // FUZZDRIVER_H
