#include "core/archive/archive_kinds.h"
#include "core/archive/readers.h"

namespace varmelo {

void ReadDirectory(Archive& a) {
    const ArchiveKindInfo& kind = kindInfo(a.ArchiveKind);
    a.Entries.clear();
    a.ListedCount.reset();
    a.resetRowMap();
    try {
        // The count first: a read that fails part-way is still compared with it.
        if (kind.listedCount) a.ListedCount = kind.listedCount(a.ArchivePath);
        kind.read(kind.directory == DirectoryPlace::DirFile ? a.DirPath : a.ArchivePath, a.Entries);
    } catch (...) {
        a.resetRowMap();
        throw;
    }
    a.resetRowMap();
}

}  // namespace varmelo
