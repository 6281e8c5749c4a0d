#include "fuzz/archive_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    varmelo::fuzz::fuzzSingleFileArchive(varmelo::TArchiveKind::akImgV2, "a.img", data, size);
    return 0;
}
