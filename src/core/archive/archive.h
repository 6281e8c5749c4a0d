#pragma once
// The one open archive: its files, its kind, the entry table and the row map.
#include <cstdint>
#include <optional>
#include <string>

#include "core/archive/archive_kinds.h"
#include "core/archive/entry.h"

namespace varmelo {

struct Archive {
    std::string ArchivePath;  // the file that holds the entries' data
    std::string DirPath;      // where the kind's row says its directory is (see DirectoryPlace)
    TArchiveKind ArchiveKind = TArchiveKind::akImgV1;
    TRecArray Entries;
    // RowMap has one element per entry; the list shows its first RowCount elements
    // (fewer than all while a filter is on).
    TRowMap RowMap;
    size_t RowCount = 0;
    // How many entries the archive's own index lists, for a kind that keeps one apart from the
    // records it is read by (a ZIP's central directory); unset when there is none to compare.
    std::optional<uint64_t> ListedCount;

    bool editable() const { return isEditable(ArchiveKind); }
    uint64_t byteOffset(const TEntryRec& e) const {
        return countsSectors(ArchiveKind) ? uint64_t(e.Offset) * kSectorSize : e.Offset;
    }
    uint64_t byteSize(const TEntryRec& e) const {
        return countsSectors(ArchiveKind) ? uint64_t(e.Size) * kSectorSize : e.Size;
    }
    uint64_t byteOffset(uint32_t index) const { return byteOffset(Entries.at(index)); }
    uint64_t byteSize(uint32_t index) const { return byteSize(Entries.at(index)); }

    // Row map as the identity over all entries, every entry shown.
    void resetRowMap();
    // The entry shown on a row; throws UsageError for a row that is not shown.
    uint32_t entryAtRow(size_t row) const;
};

// The path of the directory file of a two-file archive: the data file's name with ".dir".
std::string defaultDirPath(const std::string& archivePath);

}  // namespace varmelo
