#include "core/texture/texture_format.h"

#include <cstdio>

namespace varmelo {

namespace {

constexpr uint32_t fourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | (uint32_t(uint8_t(b)) << 8) | (uint32_t(uint8_t(c)) << 16) |
           (uint32_t(uint8_t(d)) << 24);
}

TexFormat fromRasterFormat(uint32_t rasterFormat) {
    switch (rasterFormat & kRasterPixelMask) {
    case 0x000: return TexFormat::Unknown;
    case 0x100: return TexFormat::B1555;
    case 0x200: return TexFormat::B565;
    case 0x300: return TexFormat::B4444;
    case 0x400: return TexFormat::Lum8;
    case 0x500: return TexFormat::B8888;
    case 0x600: return TexFormat::B888;
    case 0xA00: return TexFormat::B555;
    default: return TexFormat::Unsupported;  // depth buffers and layouts we do not draw
    }
}

// Direct3D 9 texel formats (D3DFORMAT values and FOURCCs).
TexFormat fromD3D9Format(uint32_t d3d) {
    switch (d3d) {
    case fourCC('D', 'X', 'T', '1'): return TexFormat::Dxt1;
    case fourCC('D', 'X', 'T', '2'): return TexFormat::Dxt2;
    case fourCC('D', 'X', 'T', '3'): return TexFormat::Dxt3;
    case fourCC('D', 'X', 'T', '4'): return TexFormat::Dxt4;
    case fourCC('D', 'X', 'T', '5'): return TexFormat::Dxt5;
    case 21: return TexFormat::B8888;
    case 22: return TexFormat::B888;
    case 23: return TexFormat::B565;
    case 24: return TexFormat::B555;  // X1R5G5B5: the top bit is padding, not alpha
    case 25: return TexFormat::B1555;
    case 26: return TexFormat::B4444;
    case 50: return TexFormat::Lum8;
    default: return TexFormat::Unsupported;
    }
}

std::string hexWord(const char* prefix, uint32_t v, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%s0x%0*X", prefix, digits, unsigned(v));
    return text;
}

// A texel format word as hex, with its four characters when it is a printable FOURCC.
std::string d3dFormatName(uint32_t word) {
    std::string name = hexWord("D3D format ", word, 8), chars;
    for (int i = 0; i < 4; ++i) chars += char(word >> (8 * i));
    for (char c : chars)
        if (c < 0x20 || c > 0x7E) return name;
    return name + " (" + chars + ")";
}

}  // namespace

const char* formatName(TexFormat f) {
    switch (f) {
    case TexFormat::Dxt1: return "DXT1";
    case TexFormat::Dxt2: return "DXT2";
    case TexFormat::Dxt3: return "DXT3";
    case TexFormat::Dxt4: return "DXT4";
    case TexFormat::Dxt5: return "DXT5";
    case TexFormat::B8888: return "8888";
    case TexFormat::B888: return "888";
    case TexFormat::B1555: return "1555";
    case TexFormat::B565: return "565";
    case TexFormat::B4444: return "4444";
    case TexFormat::B555: return "555";
    case TexFormat::Lum8: return "LUM8";
    case TexFormat::Pal8: return "PAL8";
    case TexFormat::Pal4: return "PAL4";
    case TexFormat::Unknown:
    case TexFormat::Unsupported:
    case TexFormat::OtherPlatform: break;
    }
    return "unknown";
}

std::string platformName(uint32_t platform) {
    switch (platform) {
    case kPlatformPS2: return "PS2";
    case kPlatformXbox: return "Xbox";
    case kPlatformGameCube: return "GameCube";
    case kPlatformD3D8: return "Direct3D 8";
    case kPlatformD3D9: return "Direct3D 9";
    default: return hexWord("platform ", platform, 1);
    }
}

TexFormat formatFromHeader(uint32_t platform, uint32_t rasterFormat, uint32_t word76, uint8_t byte87) {
    if (!isDirect3D(platform)) return TexFormat::OtherPlatform;
    if (rasterFormat & kRasterPal8) return TexFormat::Pal8;
    if (rasterFormat & kRasterPal4) return TexFormat::Pal4;
    if (platform == kPlatformD3D8) {
        switch (byte87) {
        case 0: return fromRasterFormat(rasterFormat);
        case 1: return TexFormat::Dxt1;
        case 2: return TexFormat::Dxt2;
        case 3: return TexFormat::Dxt3;
        case 4: return TexFormat::Dxt4;
        case 5: return TexFormat::Dxt5;
        default: return TexFormat::Unsupported;
        }
    }
    // A Direct3D 9 header without a texel format still has its raster format word; only when
    // that names nothing either does the byte count decide.
    return word76 == 0 ? fromRasterFormat(rasterFormat) : fromD3D9Format(word76);
}

std::string headerFormatName(uint32_t platform, uint32_t rasterFormat, uint32_t word76, uint8_t byte87) {
    if (!isDirect3D(platform)) return platformName(platform);
    const TexFormat f = formatFromHeader(platform, rasterFormat, word76, byte87);
    // Known words never give Unsupported, so a non-zero word here is the one not understood.
    if (f == TexFormat::Unsupported && platform == kPlatformD3D9 && word76 != 0) return d3dFormatName(word76);
    return formatName(f);
}

uint32_t paletteBytes(TexFormat f) {
    if (f == TexFormat::Pal8) return 256 * 4;
    if (f == TexFormat::Pal4) return 32 * 4;
    return 0;
}

std::optional<uint64_t> levelBytes(TexFormat f, uint32_t w, uint32_t h) {
    const uint64_t W = w, H = h;
    const uint64_t blocks = ((W + 3) / 4) * ((H + 3) / 4);
    switch (f) {
    case TexFormat::Dxt1: return blocks * 8;
    case TexFormat::Dxt2:
    case TexFormat::Dxt3:
    case TexFormat::Dxt4:
    case TexFormat::Dxt5: return blocks * 16;
    case TexFormat::B8888:
    case TexFormat::B888: return W * H * 4;
    case TexFormat::B1555:
    case TexFormat::B565:
    case TexFormat::B4444:
    case TexFormat::B555: return W * H * 2;
    case TexFormat::Lum8:
    case TexFormat::Pal8: return W * H;
    case TexFormat::Pal4: return (W + 1) / 2 * H;
    case TexFormat::Unknown:
    case TexFormat::Unsupported:
    case TexFormat::OtherPlatform: break;
    }
    return std::nullopt;
}

}  // namespace varmelo
