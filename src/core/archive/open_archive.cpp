#include "core/archive/open_archive.h"

#include "core/archive/archive_kinds.h"
#include "core/archive/detect.h"
#include "core/archive/readers.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

Archive locateArchive(const std::string& chosenPath) {
    Archive a;
    a.ArchivePath = chosenPath;
    if (asciiUpper(extensionOf(chosenPath)) == ".DIR") a.ArchivePath = replaceExtension(chosenPath, ".img");
    a.DirPath = defaultDirPath(a.ArchivePath);
    a.ArchiveKind = DetectKind(a.ArchivePath);
    if (kindInfo(a.ArchiveKind).directory == DirectoryPlace::InArchive) a.DirPath = a.ArchivePath;
    return a;
}

bool directoryFileMissing(const Archive& a) {
    return kindInfo(a.ArchiveKind).directory == DirectoryPlace::DirFile && !fileExists(a.DirPath);
}

Archive openArchive(const std::string& chosenPath) {
    Archive a = locateArchive(chosenPath);
    if (directoryFileMissing(a)) throw FileError(kFileNotFound);
    ReadDirectory(a);
    return a;
}

}  // namespace varmelo
