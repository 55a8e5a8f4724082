#ifndef BENCHLABELS_H
#define BENCHLABELS_H

// The labels the measurements open, print and export, written with the
// program's own record writers.

#include <QString>

class QGraphicsScene;

extern const char *const ShortQrText;
extern const char *const LongQrText;

// The scene's items, topmost first as the window saves them.
bool writeLabel(const QString &path, QGraphicsScene *scene);
// A box, two text items and two QR codes, with placeholders.
bool writeTypicalLabel(const QString &path);
// count items of all kinds with varied properties, spread over the page.
bool writeLargeLabel(const QString &path, int count);

#endif // BENCHLABELS_H
