#pragma once
// A consistency check of an open archive's entry table against its data file: every entry
// inside the file, no two entries sharing bytes (an empty entry shares none), a "VER2"
// directory that stops before the data, and, for a ZIP, as many entries read from the local
// headers as its central directory lists. The order of the data is free: the program's own
// edits move entries to the end of the file.
#include <cstdint>
#include <string>
#include <vector>

#include "core/archive/archive.h"

namespace varmelo {

struct VerifyFinding {
    enum class Kind {
        PastEnd,          // the entry's data reaches past the end of the file
        Overlap,          // entry and other share bytes
        InDirectory,      // the entry's data starts inside the VER2 header and directory
        CountMismatch,    // the archive's index lists `limit` entries; `entry` of them were read
        LeftoverRebuild,  // `file`, the temporary of a rebuild that did not finish, is still there
    };
    Kind kind;
    uint32_t entry = 0;
    uint32_t other = 0;   // Overlap
    uint64_t start = 0;   // byte range of the entry's data
    uint64_t end = 0;
    uint64_t limit = 0;   // PastEnd: file length; InDirectory: end of the directory; CountMismatch
    std::string file;     // LeftoverRebuild

    bool operator==(const VerifyFinding&) const = default;
};

// Checks the table against a data file of `fileLength` bytes. Sorted by entry index, then kind.
std::vector<VerifyFinding> verifyEntries(const Archive& a, uint64_t fileLength);
// The same against the length of a.ArchivePath on disk, and a leftover of a killed rebuild
// beside it (last).
std::vector<VerifyFinding> verifyArchive(const Archive& a);

// One line describing a finding, naming entries as #index 'name' (names as stored bytes; a
// file path as it is on disk).
std::string describeFinding(const Archive& a, const VerifyFinding& f);

}  // namespace varmelo
