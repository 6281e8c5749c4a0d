#pragma once
// Texel layouts of dictionary textures and how a texture native header names them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varmelo {

enum class TexFormat {
    Unknown,      // the header names no layout we know: the byte count of the data decides
    Unsupported,  // the header names a layout this program cannot decode
    Dxt1,
    Dxt3,
    Dxt5,
    B8888,  // 32 bits: blue, green, red, alpha
    B888,   // 32 bits: blue, green, red, unused
    B1555,
    B565,
    B4444,
    B555,
    Lum8,
    Pal8,  // 8-bit indices into 256 RGBA palette entries
    Pal4,  // 4-bit indices into 32 RGBA palette entries (16 used)
};

// "DXT1", "DXT3", "DXT5", "8888", "888", "1555", "565", "4444", "555", "LUM8", "PAL8", "PAL4",
// "unknown" (also for Unsupported).
const char* formatName(TexFormat f);

inline constexpr uint32_t kPlatformD3D8 = 8;
inline constexpr uint32_t kPlatformD3D9 = 9;

// Raster format word bits.
inline constexpr uint32_t kRasterPixelMask = 0x0F00;
inline constexpr uint32_t kRasterPal8 = 0x2000;
inline constexpr uint32_t kRasterPal4 = 0x4000;

// The layout named by the header fields of a texture native struct: the platform word, the
// raster format word (offset 72), the word at 76 (Direct3D 9: the texel format) and the byte
// at 87 (Direct3D 8: the DXT type). A Direct3D 9 texel format we do not know falls back to the
// raster format word, as a Direct3D 8 header without a DXT type does.
TexFormat formatFromHeader(uint32_t platform, uint32_t rasterFormat, uint32_t word76, uint8_t byte87);

// Bytes of palette that sit before the first level's size word, 0 when none.
uint32_t paletteBytes(TexFormat f);

// Bytes the first level of a w x h texture needs in this layout; nullopt for Unknown and
// Unsupported.
std::optional<uint64_t> levelBytes(TexFormat f, uint32_t w, uint32_t h);

}  // namespace varmelo
