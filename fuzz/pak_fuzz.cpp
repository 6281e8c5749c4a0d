#include "fuzz/archive_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    varmelo::fuzz::fuzzSingleFileArchive(varmelo::TArchiveKind::akPak, "a.pak", data, size);
    return 0;
}
