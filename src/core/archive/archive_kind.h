#pragma once
// The archive kinds. What each one is (how it is recognised and read, its name, its unit, its
// directory file) lives in its row of archive_kinds.cpp.
#include <cstdint>

namespace varmelo {

enum class TArchiveKind : int {
    akImgV1 = 0,  // GTA IMG, two files: data .img + directory .dir
    akSyb = 1,    // Syberia 2
    akImgV2 = 2,  // GTA IMG, single file starting with "VER2"
    akBig = 3,    // Harry Potter and the Goblet of Fire
    akPk4 = 4,    // Prey (ZIP, local headers walked)
    akBin = 5,    // «Братва и Кольцо»
    akPak = 6,    // «Санитары Подземелий»
};
inline constexpr int kArchiveKindCount = 7;

// Kinds that count Offset and Size in sectors use sectors of this many bytes.
inline constexpr uint64_t kSectorSize = 2048;

}  // namespace varmelo
