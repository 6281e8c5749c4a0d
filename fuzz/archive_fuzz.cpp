#include "fuzz/archive_fuzz.h"

#include <algorithm>

#include "core/archive/readers.h"
#include "core/archive/verify.h"
#include "core/preview/inspect.h"
#include "fuzz/fuzz_support.h"

namespace varmelo::fuzz {

void exerciseArchive(Archive a) {
    expectCleanErrors([&] { ReadDirectory(a); });
    if (a.RowMap.size() != a.Entries.size()) std::abort();
    expectCleanErrors([&] {
        for (const VerifyFinding& f : verifyArchive(a)) (void)describeFinding(a, f);
    });
    // Enough entries to reach every kind of record; a table of thousands adds nothing.
    const size_t shown = std::min<size_t>(a.Entries.size(), 64);
    for (size_t i = 0; i < shown; ++i) {
        expectCleanErrors([&] {
            EntryReader r = openEntryReader(a, a.Entries[i]);
            uint8_t head[16];
            r.read(head, size_t(std::min<uint64_t>(r.size(), sizeof head)));
        });
    }
}

void fuzzSingleFileArchive(TArchiveKind kind, const char* fileName, const uint8_t* data, size_t size) {
    Archive a;
    a.ArchivePath = writeScratch(fileName, data, size);
    a.DirPath = a.ArchivePath;
    a.ArchiveKind = kind;
    exerciseArchive(std::move(a));
}

}  // namespace varmelo::fuzz
