#ifndef FUZZMAIN_H
#define FUZZMAIN_H

// The start of every fuzz target: an offscreen application with a private
// home, made once before the first input and kept until the process ends.

#include "testsupport.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

inline void startFuzzApplication(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static TestHome home;
    // Never destroyed: libFuzzer ends the process from its own code, after
    // which Qt's globals may already be gone.
    static QApplication *app = new QApplication(*argc, *argv);
    app->setAttribute(Qt::AA_Use96Dpi, true);
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

#endif // FUZZMAIN_H
