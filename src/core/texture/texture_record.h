#pragma once
// One texture of a texture dictionary, as the dictionary's table lists it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/texture/texture_format.h"

namespace varmelo {

struct TTexRec {
    std::string Name;      // raw single-byte characters, at most 32
    std::string MaskName;  // often empty
    uint32_t Platform = 0;
    uint32_t RasterFormat = 0;  // word at 72
    uint32_t AlphaWord = 0;     // word at 76: alpha flag (Direct3D 8), texel format (Direct3D 9)
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t Depth = 0;
    uint8_t MipLevels = 0;
    uint8_t RasterType = 0;
    uint8_t Compression = 0;  // byte at 87: DXT type (Direct3D 8), flags (Direct3D 9)
    // OtherPlatform: only Platform and the names are read, every other field stays 0.
    TexFormat Format = TexFormat::Unknown;
    bool HasAlpha = false;
    uint64_t DataPos = 0;     // byte position of the first level's pixels in the archive file
    uint64_t DataOffset = 0;  // the same position counted from the entry's first byte
    uint32_t DataSize = 0;    // the first level's byte count as stored
    std::vector<uint8_t> Palette;  // RGBA entries, empty unless Format is Pal8 or Pal4

    bool operator==(const TTexRec&) const = default;
};

using TTexArray = std::vector<TTexRec>;

}  // namespace varmelo
