// One libFuzzer target per FUZZ_TARGET: 1 label files, 2 clipboard records,
// 3 MIME types lists.

#include "fuzzdriver.h"
#include "testsupport.h"

#include <cstdint>

static FuzzDriver *driver = nullptr;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static TestHome home;
    // Never destroyed: libFuzzer ends the process after Qt's globals may be gone.
    new QApplication(*argc, *argv);
    driver = new FuzzDriver;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    if (FUZZ_TARGET == 1)
        driver->loadLabel(bytes);
    else if (FUZZ_TARGET == 2)
        driver->pasteRecord(bytes);
    else
        FuzzDriver::readMimeTypes(bytes);
    driver->clear();
    return 0;
}
