#pragma once
// Rewrites an IMG archive with its entries' data back to back in table order and a fresh
// directory, then reloads it. Crash-safe: the new files are complete and flushed before
// they replace the old ones by rename; any failure leaves the old archive as it was.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/archive/archive.h"

namespace varmelo {

// Called once per entry (when there are at least two) with i * 100 / (N - 1).
using RebuildProgress = std::function<void(int percent)>;

// An entry whose record claims more sectors than the file holds: the rebuilt archive keeps
// the sectors present (none when it starts past the end), rather than inventing zeros.
struct CutEntry {
    uint32_t entry = 0;
    std::string name;  // as stored
    uint32_t claimedSectors = 0;
    uint32_t keptSectors = 0;
    bool operator==(const CutEntry&) const = default;
};

// On success `a` is reloaded from disk (row map the identity) and the entries that had to be
// cut are returned. On failure the error is rethrown after `a` has been reloaded from the
// untouched archive on disk.
std::vector<CutEntry> RebuildArchive(Archive& a, const RebuildProgress& progress = {});

// "#3 'name': cut from 16387 to 1 sectors, the file ends inside it" (the name decoded to UTF-8).
std::string describeCut(const CutEntry& c);

// The temporary file beside the archive: ArchivePath with its extension replaced by ".~new".
std::string rebuildTempPath(const std::string& archivePath);

// The temporary file a rebuild of `a` writes, when one is there already: left by a rebuild
// that was killed part-way. The next rebuild writes over it and renames it, so it goes.
// Empty when there is none (or the kind is not rebuilt).
std::string leftoverRebuildFile(const Archive& a);

}  // namespace varmelo
