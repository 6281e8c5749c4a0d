#include "core/archive/img_record.h"

#include <cstring>

#include "core/io/endian.h"

namespace varmelo {

ImgRecord encodeImgRecord(const TEntryRec& e) {
    ImgRecord r{};
    put32le(r.data(), e.Offset);
    put32le(r.data() + 4, e.Size);
    std::memcpy(r.data() + 8, e.Name.data(), std::min(e.Name.size(), kImgNameLength));
    return r;
}

}  // namespace varmelo
