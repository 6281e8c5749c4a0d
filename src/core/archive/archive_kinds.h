#pragma once
// One row per archive kind: how a file of that kind is recognised, how its directory is read,
// the name the command line shows, whether it can be edited, the unit of its Offset and Size
// fields, where its directory lives and how the desktop and the open dialog show its files.
// The association commands, the open dialog's filter and the installed MIME, desktop, AppStream
// and manual files follow from the rows. A new kind is an enum value, a reader file and a row.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/archive/archive_file_type.h"
#include "core/archive/archive_kind.h"
#include "core/archive/entry.h"

namespace varmelo {

// Where a kind keeps its directory, and so what Archive::DirPath names.
enum class DirectoryPlace {
    DirFile,    // a ".dir" file beside the data file, which must exist
    InArchive,  // inside the archive file: DirPath is the archive itself
    Unused,     // inside the archive file; DirPath keeps the ".dir" name and nothing reads it
};

struct ArchiveKindInfo {
    TArchiveKind kind;
    const char* name;  // img1, img2, syb, big, pk4, bin, pak
    // The bytes (at most 8) a file of this kind starts with; empty for a kind without them.
    std::string_view magic = {};
    // Whether a file is of this kind, from its first 8 bytes (missing ones zero) and its path;
    // null: whether it starts with `magic`. Rows are asked in table order; a file no row
    // claims is a two-file IMG.
    bool (*recognises)(const uint8_t* head, const std::string& path) = nullptr;
    // Appends the directory's entries to an empty table, reading the directory file or the
    // archive as `directory` says; throws on failure, keeping what it read.
    void (*read)(const std::string& path, TRecArray& out);
    DirectoryPlace directory;
    bool countsSectors;  // Offset and Size in kSectorSize units, otherwise in bytes
    bool editable;
    // How many entries an index apart from the records lists, for a check of the read; null
    // for a kind without one.
    std::optional<uint64_t> (*listedCount)(const std::string& path) = nullptr;
    ArchiveFileType files;
};

// The rows in recognition order.
std::span<const ArchiveKindInfo> archiveKinds();
const ArchiveKindInfo& kindInfo(TArchiveKind k);
// Whether a file with these first 8 bytes and this path is of the row's kind.
bool recognisedBy(const ArchiveKindInfo& row, const uint8_t* head, const std::string& path);

inline bool countsSectors(TArchiveKind k) { return kindInfo(k).countsSectors; }
inline bool isEditable(TArchiveKind k) { return kindInfo(k).editable; }
inline const char* kindName(TArchiveKind k) { return kindInfo(k).name; }

}  // namespace varmelo
