// Copying entry data out of the archive: to a chosen file, into a folder, or to the private
// temporary folder for opening in another program. The archive is only ever read.
#include "core/archive/extract.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// The folder parts and the file name of an entry name, "\" and "/" both separating;
// empty and "." parts dropped, ".." taken back. Refuses names that leave the folder.
std::vector<std::string> safeParts(const std::string& name) {
    auto refuse = [&](const char* why) {
        throw UsageError("Entry \"" + cp1251ToUtf8(name) + "\" cannot be extracted: " + why);
    };
    if (name.empty()) refuse("it has no name");
    if (isSeparator(name.front())) refuse("the name is an absolute path");
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= name.size()) {
        size_t j = i;
        while (j < name.size() && !isSeparator(name[j])) ++j;
        std::string part = name.substr(i, j - i);
        if (part == "..") {
            if (parts.empty()) refuse("the name leads out of the chosen folder");
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        i = j + 1;
    }
    if (parts.empty()) refuse("the name names no file");
    return parts;
}

std::string extensionStart(const std::string& name, size_t& dot) {
    dot = name.find_last_of('.');
    if (dot == std::string::npos) return {};
    // A dot followed by a folder separator or a drive colon belongs to a folder name.
    if (name.find_first_of("\\/:", dot) != std::string::npos) {
        dot = std::string::npos;
        return {};
    }
    return name.substr(dot);
}

}  // namespace

namespace {

// Copies the range into a destination made with `mode`; the archive is opened first, so a
// missing archive fails before anything is created.
void copyRange(const std::string& archivePath, uint64_t start, uint64_t length, const std::string& dest,
               BinaryFile::Mode mode) {
    BinaryFile src = BinaryFile::openRead(archivePath);
    // Creating the destination truncates it: extracting onto the archive itself would wipe it.
    if (sameFile(archivePath, dest)) throw UsageError("An entry cannot be extracted over the archive itself");
    BinaryFile out(dest, mode);
    out.copyFrom(src, start, length);  // shorter where the archive ends inside the range
    out.close();
}

void requireEntryIndex(const Archive& a, uint32_t e) {
    if (e >= a.Entries.size()) throw UsageError("No entry " + std::to_string(e));
}

}  // namespace

void CopyArchiveRange(const std::string& archivePath, uint64_t start, uint64_t length, const std::string& dest) {
    copyRange(archivePath, start, length, dest, BinaryFile::Mode::Create);
}

void SaveEntryToFile(const Archive& a, uint32_t e, const std::string& dest) {
    requireEntryIndex(a, e);
    CopyArchiveRange(a.ArchivePath, a.byteOffset(e), a.byteSize(e), dest);
}

bool isFolderEntry(const std::string& name) { return !name.empty() && isSeparator(name.back()); }

std::string SaveEntryIntoFolder(const Archive& a, uint32_t e, const std::string& folder) {
    requireEntryIndex(a, e);
    const std::string& name = a.Entries[e].Name;
    const std::string dest = folderDestination(folder, name);
    if (isFolderEntry(name)) return {};
    try {
        copyRange(a.ArchivePath, a.byteOffset(e), a.byteSize(e), dest, BinaryFile::Mode::CreatePlain);
    } catch (const UsageError& refusal) {
        throw UsageError("Entry \"" + cp1251ToUtf8(name) + "\" cannot be extracted: " + refusal.what());
    }
    return dest;
}

std::string entryExtension(const std::string& name) {
    size_t dot = 0;
    std::string ext = extensionStart(name, dot);
    return ext.empty() ? ext : asciiUpper(ext.substr(1));
}

std::string entryDotExtension(const std::string& name) {
    size_t dot = 0;
    return extensionStart(name, dot);
}

std::string proposedFileName(const std::string& name) {
    auto sep = name.find_last_of("/\\");
    return sep == std::string::npos ? name : name.substr(sep + 1);
}

std::string folderDestination(const std::string& folder, const std::string& name) {
    std::string out = folder;
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    for (const auto& part : safeParts(name)) {
        if (out.empty() || out.back() != '/') out += '/';
        out += cp1251ToUtf8(part);
    }
    return out;
}

void createParentFolders(const std::string& folder, const std::string& name) {
    std::vector<std::string> parts = safeParts(name);
    if (!isFolderEntry(name)) parts.pop_back();  // the file itself
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    for (const auto& part : parts) {
        if (path.empty() || path.back() != '/') path += '/';
        path += cp1251ToUtf8(part);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) {
            // A link inside the folder could lead anywhere: only real folders are entered.
            if (!S_ISDIR(st.st_mode))
                throw UsageError("Entry \"" + cp1251ToUtf8(name) + "\" cannot be extracted: \"" + cp1251ToUtf8(part) +
                                 "\" is not a folder");
            continue;
        }
        if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) throwErrno(errno);
    }
}

std::string openTempPath(const Archive& a, uint32_t e) {
    requireEntryIndex(a, e);
    const TEntryRec& rec = a.Entries[e];
    char number[16];
    std::snprintf(number, sizeof number, "%08X", unsigned(uint32_t(uint64_t(rec.Offset) * kSectorSize)));
    return privateTempFolder() + "img" + number + entryDotExtension(rec.Name);
}

}  // namespace varmelo
