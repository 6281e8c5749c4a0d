#pragma once
// Whole-file operations with the program's error texts.
#include <cstdint>
#include <string>

namespace varmelo {

bool fileExists(const std::string& path);       // a regular file (or a link to one)
bool directoryExists(const std::string& path);
uint64_t fileSize(const std::string& path);      // throws FileError
void renameFile(const std::string& from, const std::string& to);  // a write step
void removeFile(const std::string& path);        // a write step; a missing file is no error
void removeFileQuietly(const std::string& path) noexcept;
// Gives `to` the permission bits of `from`, for a file written anew in another's place; quiet
// when either is gone.
void keepMode(const std::string& from, const std::string& to) noexcept;
// Checks that the file may be opened for writing, without changing it.
void requireWritable(const std::string& path);
// Flushes a folder's entries (after a rename) so the new name survives a crash.
void syncDirectoryOf(const std::string& path) noexcept;

// Path pieces, '/' as the separator of the host.
std::string fileNameOf(const std::string& path);       // after the last '/'
std::string folderOf(const std::string& path);         // up to the last '/', or "."
// Replaces the extension of the last path component (from its last '.') or appends one.
std::string replaceExtension(const std::string& path, const std::string& ext);
// The extension of the last component, dot included, or "" when none.
std::string extensionOf(const std::string& path);

// A folder only this user can use, for temporary copies: $XDG_RUNTIME_DIR/varmelo or
// $TMPDIR/varmelo-<uid>, created with mode 0700 and refused if someone else owns it.
std::string privateTempFolder();

}  // namespace varmelo
