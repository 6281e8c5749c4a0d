#pragma once
// Rewrites an IMG archive with its entries' data back to back in table order and a fresh
// directory, then reloads it. Crash-safe: the new files are complete and flushed before
// they replace the old ones by rename; any failure leaves the old archive as it was.
#include <functional>
#include <string>

#include "core/archive/archive.h"

namespace varmelo {

// Called once per entry (when there are at least two) with i * 100 / (N - 1).
using RebuildProgress = std::function<void(int percent)>;

// On success `a` is reloaded from disk (row map the identity). On failure the error is
// rethrown after `a` has been reloaded from the untouched archive on disk.
void RebuildArchive(Archive& a, const RebuildProgress& progress = {});

// The temporary file beside the archive: ArchivePath with its extension replaced by ".~new".
std::string rebuildTempPath(const std::string& archivePath);

}  // namespace varmelo
