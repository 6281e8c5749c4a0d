#include "fuzz/archive_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    varmelo::fuzz::fuzzSingleFileArchive(varmelo::TArchiveKind::akPk4, "a.pk4", data, size);
    return 0;
}
