#pragma once
#include <string>

#include "core/archive/archive.h"

namespace varmelo {

// The file steps of opening a chosen path, before any directory is read: a chosen ".dir"
// opens its ".img"; DirPath becomes the ".dir" companion (ArchivePath itself for akImgV2 and
// akBig); the kind is detected. Throws FileError when detection cannot read the file.
Archive locateArchive(const std::string& chosenPath);

// True when the archive needs a directory file that does not exist (akImgV1 only).
bool directoryFileMissing(const Archive& a);

// locateArchive + ReadDirectory, for callers that cannot ask for a missing directory file:
// a missing one fails with "File not found".
Archive openArchive(const std::string& chosenPath);

}  // namespace varmelo
