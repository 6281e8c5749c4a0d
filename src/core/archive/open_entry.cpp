#include "core/archive/open_entry.h"

namespace varmelo {

EntryReader openEntryReader(const Archive& a, const TEntryRec& e) {
    return EntryReader::open(a.ArchivePath, a.byteOffset(e), a.byteSize(e));
}

}  // namespace varmelo
