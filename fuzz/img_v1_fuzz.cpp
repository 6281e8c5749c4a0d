// A two-file IMG: the input's first two bytes (little-endian) are the length of the .dir part,
// the bytes after it are the .img data file.
#include <algorithm>

#include "fuzz/archive_fuzz.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    if (size < 2) return 0;
    const size_t dirLength = std::min<size_t>(size - 2, size_t(data[0]) | size_t(data[1]) << 8);
    Archive a;
    a.DirPath = fuzz::writeScratch("a.dir", data + 2, dirLength);
    a.ArchivePath = fuzz::writeScratch("a.img", data + 2 + dirLength, size - 2 - dirLength);
    a.ArchiveKind = TArchiveKind::akImgV1;
    fuzz::exerciseArchive(std::move(a));
    return 0;
}
