// Label files: header check, entry scan and item readers, then drawing.

#include "fuzzdriver.h"
#include "fuzzmain.h"

static FuzzDriver *driver = nullptr;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    driver = new FuzzDriver;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    driver->loadLabel(fuzzBytes(data, size));
    driver->clear();
    return 0;
}
