// Opening a file the way the program does: detection picks the kind (a "PAK" file also by its
// extension, chosen by the input's first byte), then that kind's reader runs.
#include "core/archive/open_archive.h"
#include "fuzz/archive_fuzz.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    if (size < 1) return 0;
    const char* name = (data[0] & 1) ? "a.pak" : "a.img";
    const std::string path = fuzz::writeScratch(name, data + 1, size - 1);
    Archive a;
    fuzz::expectCleanErrors([&] { a = locateArchive(path); });
    if (a.ArchivePath.empty() || directoryFileMissing(a)) return 0;
    fuzz::exerciseArchive(std::move(a));
    return 0;
}
