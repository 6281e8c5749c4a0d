// New, empty IMG archives. The single-file form is "VER2", a count of 0 and zeros up to
// byte 2048, which leaves room for 63 directory records before the first data sector.
#include "core/archive/create_archive.h"

#include <cstring>

#include "core/archive/archive.h"
#include "core/io/binary_file.h"
#include "core/io/file_system.h"

namespace varmelo {

std::string newArchivePath(const std::string& chosen) {
    return extensionOf(chosen).empty() ? chosen + ".img" : chosen;
}

void CreateArchive(const std::string& path, NewArchiveForm form) {
    BinaryFile f = BinaryFile::create(path);
    if (form == NewArchiveForm::SanAndreas) {
        uint8_t header[kSectorSize] = {};
        std::memcpy(header, "VER2", 4);
        f.write(header, sizeof header);
        f.sync();
        f.close();
        return;
    }
    f.close();
    BinaryFile dir = BinaryFile::create(defaultDirPath(path));
    dir.close();
}

}  // namespace varmelo
