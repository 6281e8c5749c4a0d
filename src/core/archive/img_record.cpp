#include "core/archive/img_record.h"

#include <cstring>

#include "core/io/endian.h"

namespace varmelo {

TEntryRec decodeImgRecord(const uint8_t* p, uint64_t dirPos) {
    TEntryRec e;
    e.Offset = u32le(p);
    e.Size = u32le(p + 4);
    const auto* name = reinterpret_cast<const char*>(p + 8);
    e.Name.assign(name, strnlen(name, kImgNameLength));
    e.DirPos = dirPos;
    return e;
}

ImgRecord encodeImgRecord(const TEntryRec& e) {
    ImgRecord r{};
    put32le(r.data(), e.Offset);
    put32le(r.data() + 4, e.Size);
    std::memcpy(r.data() + 8, e.Name.data(), std::min(e.Name.size(), kImgNameLength));
    return r;
}

}  // namespace varmelo
