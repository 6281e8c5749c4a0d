#pragma once
// Copying entry data out of the archive.
#include <cstdint>
#include <functional>
#include <string>

#include "core/archive/archive.h"

namespace varmelo {

// Creates (or truncates) dest and copies `length` bytes from byte `start` of archivePath.
// When the archive ends inside the range the destination gets the bytes up to its end.
void CopyArchiveRange(const std::string& archivePath, uint64_t start, uint64_t length, const std::string& dest);

// Copies entry e by the unit rule of the archive's kind, to a file the user named (a link
// there is followed: the user chose that path).
void SaveEntryToFile(const Archive& a, uint32_t e, const std::string& dest);

// A ZIP-style folder entry: a name ending in "/" or "\". It holds no data of its own.
bool isFolderEntry(const std::string& name);

// Copies entry e into `folder` under its name (see folderDestination) and returns the path
// written. The file is created without
// following anything already there: a symbolic link, a folder, a pipe or a hard link in its
// place is refused with a UsageError naming the entry, and nothing outside the folder is
// touched. A folder entry writes nothing and returns "". Folders are not created here.
std::string SaveEntryIntoFolder(const Archive& a, uint32_t e, const std::string& folder);

// The extension of an entry name, upper-cased (ASCII) and without its dot: "vehicle.txd" -> "TXD";
// "" when the name has none or a "\" or ":" follows the last dot.
std::string entryExtension(const std::string& name);
// The extension with its dot, as stored: "vehicle.txd" -> ".txd"; "" when none.
std::string entryDotExtension(const std::string& name);
// The name proposed by the save dialog: everything up to the last "/" or "\" removed.
std::string proposedFileName(const std::string& name);

// The destination of an entry in folder extraction: folder + "/" + the name, with "\" and "/"
// both separating folders and each part written in UTF-8, as file names are on this system.
// Throws UsageError for a name that is absolute, empty, or climbs out of the folder with "..".
std::string folderDestination(const std::string& folder, const std::string& name);
// Creates the folders that folderDestination(folder, name) needs, inside `folder` only (same
// refusals; an existing part that is not a real folder, such as a link, is refused too). For
// a folder entry that is the folder it names as well.
// Folder extraction itself never creates folders; a front end that wants them calls this.
void createParentFolders(const std::string& folder, const std::string& name);

// The temporary copy for the "open" command: <private temp folder>/img%08X<.ext>, the number
// being Offset * 2048 truncated to 32 bits whatever the archive kind.
std::string openTempPath(const Archive& a, uint32_t e);

}  // namespace varmelo
