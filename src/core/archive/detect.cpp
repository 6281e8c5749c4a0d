#include "core/archive/detect.h"

#include <cstring>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/file_system.h"

namespace varmelo {

TArchiveKind DetectKind(const std::string& path) {
    uint8_t head[8] = {};
    BinaryFile f = BinaryFile::openRead(path);
    f.readSome(head, sizeof head);  // a short file is not an error here

    if (std::memcmp(head, "VXBG", 4) == 0) return TArchiveKind::akSyb;
    if (std::memcmp(head, "VER2", 4) == 0) return TArchiveKind::akImgV2;
    if (std::memcmp(head, "BIGF", 4) == 0) return TArchiveKind::akBig;
    if (std::memcmp(head, "PK\x03\x04", 4) == 0) return TArchiveKind::akPk4;
    if (std::memcmp(head, "DBLD", 4) == 0) return TArchiveKind::akBin;
    if (u32le(head + 4) != 0) return TArchiveKind::akImgV1;
    if (asciiUpper(extensionOf(path)) == ".PAK") return TArchiveKind::akPak;
    return TArchiveKind::akImgV1;
}

}  // namespace varmelo
