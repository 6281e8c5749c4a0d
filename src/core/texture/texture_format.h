#pragma once
// Texel layouts of dictionary textures and how a texture native header names them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varmelo {

enum class TexFormat {
    Unknown,        // the header names no layout we know: the byte count of the data decides
    Unsupported,    // the header names a layout this program cannot decode
    OtherPlatform,  // a raster of neither Direct3D platform: laid out its own way, not decoded
    Dxt1,
    Dxt2,  // DXT3 blocks of colour premultiplied by alpha
    Dxt3,
    Dxt4,  // DXT5 blocks of colour premultiplied by alpha
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

// "DXT1", "DXT2", "DXT3", "DXT4", "DXT5", "8888", "888", "1555", "565", "4444", "555", "LUM8",
// "PAL8", "PAL4", "unknown" (also for Unsupported and OtherPlatform).
const char* formatName(TexFormat f);

inline constexpr uint32_t kPlatformXbox = 5;
inline constexpr uint32_t kPlatformGameCube = 6;
inline constexpr uint32_t kPlatformD3D8 = 8;
inline constexpr uint32_t kPlatformD3D9 = 9;
inline constexpr uint32_t kPlatformPS2 = 0x00325350;  // "PS2\0"

inline constexpr bool isDirect3D(uint32_t platform) {
    return platform == kPlatformD3D8 || platform == kPlatformD3D9;
}

// "PS2", "Xbox", "GameCube", "Direct3D 8", "Direct3D 9", else "platform 0x..." in hex.
std::string platformName(uint32_t platform);

// Raster format word bits.
inline constexpr uint32_t kRasterPixelMask = 0x0F00;
inline constexpr uint32_t kRasterPal8 = 0x2000;
inline constexpr uint32_t kRasterPal4 = 0x4000;

// The layout named by the header fields of a texture native struct: the platform word, the
// raster format word (offset 72), the word at 76 (Direct3D 9: the texel format) and the byte
// at 87 (Direct3D 8: the DXT type). A Direct3D 9 header with texel format 0 (older tools write
// no other) falls back to the raster format word, as a Direct3D 8 header without a DXT type
// does; a texel format we do not know is Unsupported.
TexFormat formatFromHeader(uint32_t platform, uint32_t rasterFormat, uint32_t word76, uint8_t byte87);

// What a dictionary's table calls the layout of those header fields: formatName() of it, the
// platform's name for a raster of neither Direct3D platform, and for a Direct3D 9 texel format
// we do not know "D3D format 0x31495441 (ATI1)" (the characters only when all are printable).
std::string headerFormatName(uint32_t platform, uint32_t rasterFormat, uint32_t word76, uint8_t byte87);

// Bytes of palette that sit before the first level's size word, 0 when none.
uint32_t paletteBytes(TexFormat f);

// Bytes the first level of a w x h texture needs in this layout; nullopt for Unknown and
// Unsupported.
std::optional<uint64_t> levelBytes(TexFormat f, uint32_t w, uint32_t h);

}  // namespace varmelo
