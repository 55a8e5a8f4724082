// MIME types lists read for the export file filter.

#include "fuzzdriver.h"
#include "fuzzmain.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzDriver::readMimeTypes(fuzzBytes(data, size));
    return 0;
}
