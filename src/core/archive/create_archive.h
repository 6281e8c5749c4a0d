#pragma once
#include <string>

namespace varmelo {

enum class NewArchiveForm {
    ViceCity,     // two files: empty .img and empty .dir
    SanAndreas,   // one 2048-byte file: "VER2", count 0, zeros
};

// Gives a name without extension ".img". Returns the path actually used.
std::string newArchivePath(const std::string& chosen);
// Creates (or empties) the files of a new empty archive at `path` (already extended).
void CreateArchive(const std::string& path, NewArchiveForm form);

}  // namespace varmelo
