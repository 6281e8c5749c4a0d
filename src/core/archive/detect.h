#pragma once
#include <string>

#include "core/archive/archive_kind.h"

namespace varmelo {

// Chooses the kind of a file from its first 8 bytes (missing bytes count as zero) and,
// for "PAK" files, its extension. Opens read-only; throws FileError when it cannot read.
TArchiveKind DetectKind(const std::string& path);

}  // namespace varmelo
