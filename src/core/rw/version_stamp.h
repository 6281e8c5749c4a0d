#pragma once
// The version stamp in every chunk header. Since library 3.1 it packs the version 3.a.b.c
// (written 0x3abc) and a build number: bits 30..14 hold (version - 0x30000) >> 8 in their
// upper bits and bits 21..16 the last digit, the low 16 bits the build. Older files store the
// version alone, shifted right by 8 (0x310 for 3.1.0.0).
#include <cstdint>

namespace varmelo {

// 0x36003 for the stamp 0x1803FFFF (San Andreas), 0x34003 for 0x1003FFFF (Vice City).
inline constexpr uint32_t rwLibraryVersion(uint32_t stamp) {
    if ((stamp & 0xFFFF0000u) == 0) return stamp << 8;
    return (((stamp >> 14) & 0x3FF00u) + 0x30000u) | ((stamp >> 16) & 0x3Fu);
}

inline constexpr uint32_t rwVersionStamp(uint32_t version, uint32_t build = 0xFFFF) {
    return (((version - 0x30000u) & 0x3FF00u) << 14) | ((version & 0x3Fu) << 16) | (build & 0xFFFFu);
}

}  // namespace varmelo
