#pragma once
#include <string>

#include "core/archive/archive.h"

namespace varmelo {

// The file steps of opening a chosen path, before any directory is read: a chosen ".dir"
// opens its ".img"; the kind is detected; DirPath becomes the ".dir" companion, or the
// archive itself for a kind whose row keeps the directory inside. Throws FileError when detection cannot read the file.
Archive locateArchive(const std::string& chosenPath);

// True when the archive's kind needs a directory file that does not exist.
bool directoryFileMissing(const Archive& a);

// locateArchive + ReadDirectory, for callers that cannot ask for a missing directory file:
// a missing one fails with "File not found".
Archive openArchive(const std::string& chosenPath);

}  // namespace varmelo
