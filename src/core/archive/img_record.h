#pragma once
// The 32-byte IMG directory record, shared by both IMG forms:
//   0  u32  Offset, first sector of the data (sector n starts at byte n * 2048)
//   4  u32  Size, length in sectors
//   8  24   Name, zero-padded; a 24-character name has no terminator
#include <array>
#include <cstdint>

#include "core/archive/entry.h"

namespace varmelo {

inline constexpr size_t kImgRecordSize = 32;
inline constexpr uint64_t kVer2HeaderSize = 8;  // "VER2" + entry count

using ImgRecord = std::array<uint8_t, kImgRecordSize>;

ImgRecord encodeImgRecord(const TEntryRec& e);

}  // namespace varmelo
