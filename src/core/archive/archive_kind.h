#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace varmelo {

// The archive kinds; the values are the ones stored and compared elsewhere.
enum class TArchiveKind : int {
    akImgV1 = 0,  // GTA IMG, two files: data .img + directory .dir
    akSyb = 1,    // Syberia 2
    akImgV2 = 2,  // GTA IMG, single file starting with "VER2"
    akBig = 3,    // Harry Potter and the Goblet of Fire
    akPk4 = 4,    // Prey (ZIP, local headers walked)
    akBin = 5,    // «Братва и Кольцо»
    akPak = 6,    // «Санитары Подземелий»
};

// IMG kinds count Offset and Size in 2048-byte sectors, every other kind in bytes.
inline constexpr uint64_t kSectorSize = 2048;
inline bool countsSectors(TArchiveKind k) {
    return k == TArchiveKind::akImgV1 || k == TArchiveKind::akImgV2;
}
// Only the two IMG kinds can be edited and rebuilt.
inline bool isEditable(TArchiveKind k) { return countsSectors(k); }
// The name used by the command line's JSON: img1, img2, syb, big, pk4, bin, pak.
const char* kindName(TArchiveKind k);

}  // namespace varmelo
