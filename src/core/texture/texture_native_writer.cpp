#include "core/texture/texture_native_writer.h"

#include <algorithm>

#include "core/io/endian.h"
#include "core/rw/chunk.h"

namespace varmelo {

namespace {

constexpr uint32_t kRasterMipmaps = 0x8000;
constexpr size_t kStructFixed = 88;

constexpr uint32_t fourCC(const char (&s)[5]) {
    return uint32_t(uint8_t(s[0])) | (uint32_t(uint8_t(s[1])) << 8) | (uint32_t(uint8_t(s[2])) << 16) |
           (uint32_t(uint8_t(s[3])) << 24);
}

struct FormatWords {
    uint32_t raster;
    uint32_t d3d9;
    uint8_t dxtType;
    uint8_t depth;
};

FormatWords wordsOf(TexFormat f, bool alpha) {
    switch (f) {
    case TexFormat::Dxt1: return {alpha ? 0x100u : 0x200u, fourCC("DXT1"), 1, 16};
    case TexFormat::Dxt3: return {0x300, fourCC("DXT3"), 3, 16};
    case TexFormat::Dxt5: return {0x300, fourCC("DXT5"), 5, 16};
    case TexFormat::B8888: return {0x500, 21, 0, 32};
    case TexFormat::B888: return {0x600, 22, 0, 32};
    case TexFormat::B565: return {0x200, 23, 0, 16};
    case TexFormat::B1555: return {0x100, 25, 0, 16};
    default: return {0x300, 26, 0, 16};  // 4444
    }
}

void add32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4];
    put32le(b, v);
    out.insert(out.end(), b, b + 4);
}

void addChunkHeader(std::vector<uint8_t>& out, uint32_t type, uint64_t size, uint32_t version) {
    add32(out, type);
    add32(out, uint32_t(size));
    add32(out, version);
}

void addName(std::vector<uint8_t>& out, const std::string& name) {
    uint8_t field[32] = {};
    std::copy_n(name.begin(), std::min<size_t>(name.size(), 31), field);
    out.insert(out.end(), field, field + sizeof field);
}

}  // namespace

uint32_t filterForMipmaps(uint32_t flags, bool mipmaps) {
    // Modes: 1 nearest, 2 linear, 3 mip nearest, 4 mip linear, 5 linear mip nearest,
    // 6 linear mip linear.
    const uint32_t mode = flags & 0xFF;
    uint32_t now = mode;
    if (mipmaps && mode == 1) now = 3;
    else if (mipmaps && mode == 2) now = 6;
    else if (!mipmaps && (mode == 3 || mode == 4)) now = 1;
    else if (!mipmaps && (mode == 5 || mode == 6)) now = 2;
    return (flags & ~0xFFu) | now;
}

WrittenTexture writeTextureNative(const NativeHeader& h, const std::vector<std::vector<uint8_t>>& levels,
                                  uint32_t version) {
    const FormatWords w = wordsOf(h.format, h.alpha);
    const bool d3d9 = h.platform == kPlatformD3D9;
    uint64_t structSize = kStructFixed;
    for (const auto& l : levels) structSize += 4 + l.size();

    WrittenTexture out;
    std::vector<uint8_t>& c = out.chunk;
    c.reserve(size_t(structSize) + 3 * kChunkHeaderSize);
    addChunkHeader(c, kChunkTextureNative, structSize + 2 * kChunkHeaderSize, version);
    addChunkHeader(c, kChunkStruct, structSize, version);
    add32(c, h.platform);
    add32(c, h.filterFlags);
    addName(c, h.name);
    addName(c, h.mask);
    const uint32_t raster = w.raster | (levels.size() > 1 ? kRasterMipmaps : 0);
    const uint32_t word76 = d3d9 ? w.d3d9 : (h.alpha ? 1 : 0);
    const uint8_t byte87 = d3d9 ? uint8_t((h.alpha ? 1 : 0) | (w.dxtType ? 8 : 0)) : w.dxtType;
    add32(c, raster);
    add32(c, word76);
    c.push_back(uint8_t(h.width));
    c.push_back(uint8_t(h.width >> 8));
    c.push_back(uint8_t(h.height));
    c.push_back(uint8_t(h.height >> 8));
    c.push_back(w.depth);
    c.push_back(uint8_t(levels.size()));
    c.push_back(4);  // a texture raster
    c.push_back(byte87);
    const uint64_t dataOffset = c.size() + 4;
    for (const auto& l : levels) {
        add32(c, uint32_t(l.size()));
        c.insert(c.end(), l.begin(), l.end());
    }
    addChunkHeader(c, kChunkExtension, 0, version);

    TTexRec& t = out.info;
    t.Name = h.name;
    t.MaskName = h.mask;
    t.Platform = h.platform;
    t.RasterFormat = raster;
    t.AlphaWord = word76;
    t.Width = h.width;
    t.Height = h.height;
    t.Depth = w.depth;
    t.MipLevels = uint8_t(levels.size());
    t.RasterType = 4;
    t.Compression = byte87;
    t.Format = formatFromHeader(t.Platform, t.RasterFormat, t.AlphaWord, t.Compression);
    t.HasAlpha = h.alpha;
    t.DataOffset = t.DataPos = dataOffset;
    t.DataSize = uint32_t(levels.front().size());
    return out;
}

}  // namespace varmelo
