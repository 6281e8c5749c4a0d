#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace varmelo {

inline constexpr size_t kMaxNameLength = 511;
inline constexpr size_t kImgNameLength = 24;

// One stored entry. Offset and Size are in the archive kind's unit (sectors or bytes);
// Name holds raw Windows-1251 bytes, at most 511 of them.
struct TEntryRec {
    uint32_t Offset = 0;
    uint32_t Size = 0;
    std::string Name;
    // Byte position of the entry's 32-byte record in the directory file (IMG kinds only).
    uint64_t DirPos = 0;

    bool operator==(const TEntryRec&) const = default;
};

using TRecArray = std::vector<TEntryRec>;

// Element r is the entry index shown on list row r.
using TRowMap = std::vector<uint32_t>;

}  // namespace varmelo
