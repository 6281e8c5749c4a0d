#include "core/archive/detect.h"

#include "core/archive/archive_kinds.h"
#include "core/io/binary_file.h"

namespace varmelo {

TArchiveKind DetectKind(const std::string& path) {
    uint8_t head[8] = {};
    BinaryFile f = BinaryFile::openRead(path);
    f.readSome(head, sizeof head);  // a short file is not an error here
    for (const ArchiveKindInfo& k : archiveKinds())
        if (recognisedBy(k, head, path)) return k.kind;
    return TArchiveKind::akImgV1;
}

}  // namespace varmelo
