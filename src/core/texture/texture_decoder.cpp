#include "core/texture/texture_decoder.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/io/endian.h"
#include "core/texture/dxt_decoder.h"
#include "core/texture/rounding.h"

namespace varmelo {

namespace {

uint8_t expand(uint32_t v, uint32_t max) { return uint8_t((v * 255 + max / 2) / max); }

void put(uint8_t* px, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    px[0] = b;
    px[1] = g;
    px[2] = r;
    px[3] = a;
}

void decode16(TexFormat f, const uint8_t* src, size_t count, uint8_t* dst) {
    for (size_t i = 0; i < count; ++i, src += 2, dst += 4) {
        const uint32_t v = u16le(src);
        switch (f) {
        case TexFormat::B1555:
            put(dst, expand(v & 31, 31), expand((v >> 5) & 31, 31), expand((v >> 10) & 31, 31),
                (v & 0x8000) ? 255 : 0);
            break;
        case TexFormat::B555:
            put(dst, expand(v & 31, 31), expand((v >> 5) & 31, 31), expand((v >> 10) & 31, 31), 255);
            break;
        case TexFormat::B565:
            put(dst, expand(v & 31, 31), expand((v >> 5) & 63, 63), expand(v >> 11, 31), 255);
            break;
        default:  // 4444
            put(dst, uint8_t((v & 15) * 17), uint8_t(((v >> 4) & 15) * 17), uint8_t(((v >> 8) & 15) * 17),
                uint8_t((v >> 12) * 17));
            break;
        }
    }
}

void paletteTexel(const TTexRec& t, uint32_t index, uint8_t* dst) {
    const uint8_t* p = t.Palette.data() + size_t(index) * 4;
    // A palette of the 888 kind keeps no alpha in its fourth byte.
    const bool opaque = (t.RasterFormat & kRasterPixelMask) == 0x600;
    put(dst, p[2], p[1], p[0], opaque ? 255 : p[3]);
}

// A PAL4 level normally packs two texels per byte (low nibble first); a level that stores a
// whole byte per texel says so by its size.
bool pal4ByteIndices(const TTexRec& t) {
    return t.Width > 1 && uint64_t(t.DataSize) >= uint64_t(t.Width) * t.Height;
}

uint8_t blend(uint8_t v, uint8_t g, float w) {
    const double wd = double(w);
    return roundHalfEvenByte(float(double(v) * wd + double(g) * (1.0 - wd)));
}

uint8_t checkerGrey(int x, int y) { return ((x % 16 < 8) == (y % 16 < 8)) ? 192 : 255; }

// Colour stored premultiplied by alpha (DXT2, DXT4) divided back, rounded and held to 255;
// a texel of alpha 0 keeps what it holds.
void unpremultiply(uint8_t* bgra, size_t count) {
    for (size_t i = 0; i < count; ++i, bgra += 4) {
        const uint32_t a = bgra[3];
        if (a == 0) continue;
        for (int c = 0; c < 3; ++c) bgra[c] = uint8_t(std::min<uint32_t>(255, (bgra[c] * 255u + a / 2) / a));
    }
}

// What the header alone refuses, in the order the user is told.
DecodeStatus headerStatus(const TTexRec& t) {
    if (t.Format == TexFormat::OtherPlatform) return DecodeStatus::OtherPlatform;
    if (t.Width == 0 || t.Height == 0) return DecodeStatus::NoPixels;
    if (t.Width > kMaxImageSide || t.Height > kMaxImageSide) return DecodeStatus::TooLarge;
    return DecodeStatus::Ok;
}

bool validOutput(int w, int h) {
    return w > 0 && h > 0 && uint32_t(w) <= kMaxImageSide && uint32_t(h) <= kMaxImageSide;
}

}  // namespace

const char* decodeStatusText(DecodeStatus s) {
    switch (s) {
    case DecodeStatus::Ok: return "";
    case DecodeStatus::NoPixels: return "Texture has no pixels";
    case DecodeStatus::TooLarge: return "Texture size out of range";
    case DecodeStatus::ShortData: return "Texture data is shorter than its format needs";
    case DecodeStatus::Unsupported: return "Unsupported texture format";
    case DecodeStatus::OtherPlatform: return "Unsupported texture platform";
    }
    return "";
}

std::string decodeMessage(const TTexRec& t, DecodeStatus s) {
    std::string text = decodeStatusText(s);
    if (s == DecodeStatus::Unsupported || s == DecodeStatus::OtherPlatform) {
        const std::string name = headerFormatName(t.Platform, t.RasterFormat, t.AlphaWord, t.Compression);
        if (name != formatName(TexFormat::Unknown)) text += ": " + name;
    }
    return text;
}

TexFormat decodeLayout(const TTexRec& t) {
    if (t.Format != TexFormat::Unknown) return t.Format;
    const uint64_t pixels = uint64_t(t.Width) * t.Height;
    if (t.DataSize == pixels) return TexFormat::Dxt3;
    if (t.DataSize == pixels / 2) return TexFormat::Dxt1;
    return TexFormat::B8888;
}

uint64_t decodeBytesNeeded(const TTexRec& t) {
    const TexFormat f = decodeLayout(t);
    if (f == TexFormat::Pal4 && pal4ByteIndices(t)) return uint64_t(t.Width) * t.Height;
    return levelBytes(f, t.Width, t.Height).value_or(0);
}

DecodeStatus DecodeTexels(const TTexRec& t, std::span<const uint8_t> level, TexelImage& out) {
    out = {};
    if (const DecodeStatus s = headerStatus(t); s != DecodeStatus::Ok) return s;
    const TexFormat f = decodeLayout(t);
    if (f == TexFormat::Unsupported) return DecodeStatus::Unsupported;
    if (t.Palette.size() < paletteBytes(f)) return DecodeStatus::Unsupported;
    const uint64_t need = decodeBytesNeeded(t);
    if (need > t.DataSize || need > level.size()) return DecodeStatus::ShortData;

    const uint32_t w = t.Width, h = t.Height;
    const size_t count = size_t(w) * h;
    out.image = Image(int(w), int(h));
    uint8_t* dst = out.image.bgra.data();
    const uint8_t* src = level.data();
    switch (f) {
    case TexFormat::Dxt1: decodeDxtSurface(DxtKind::Dxt1, src, w, h, dst); break;
    case TexFormat::Dxt3:
        decodeDxtSurface(DxtKind::Dxt3, src, w, h, dst);
        out.fourBitAlpha = true;
        break;
    case TexFormat::Dxt5: decodeDxtSurface(DxtKind::Dxt5, src, w, h, dst); break;
    case TexFormat::Dxt2:
        decodeDxtSurface(DxtKind::Dxt3, src, w, h, dst);
        unpremultiply(dst, count);
        out.fourBitAlpha = true;
        break;
    case TexFormat::Dxt4:
        decodeDxtSurface(DxtKind::Dxt5, src, w, h, dst);
        unpremultiply(dst, count);
        break;
    case TexFormat::B8888: std::memcpy(dst, src, count * 4); break;
    case TexFormat::B888:
        std::memcpy(dst, src, count * 4);
        for (size_t i = 0; i < count; ++i) dst[i * 4 + 3] = 255;
        break;
    case TexFormat::B1555:
    case TexFormat::B565:
    case TexFormat::B4444:
    case TexFormat::B555: decode16(f, src, count, dst); break;
    case TexFormat::Lum8:
        for (size_t i = 0; i < count; ++i) put(dst + i * 4, src[i], src[i], src[i], 255);
        break;
    case TexFormat::Pal8:
        for (size_t i = 0; i < count; ++i) paletteTexel(t, src[i], dst + i * 4);
        break;
    case TexFormat::Pal4: {
        const bool bytes = pal4ByteIndices(t);
        const size_t stride = bytes ? w : (w + 1) / 2;
        for (uint32_t y = 0; y < h; ++y) {
            for (uint32_t x = 0; x < w; ++x) {
                const uint8_t b = src[y * stride + (bytes ? x : x / 2)];
                const uint32_t index = bytes ? (b & 31u) : ((x % 2 == 0) ? (b & 15u) : (b >> 4));
                paletteTexel(t, index, dst + (size_t(y) * w + x) * 4);
            }
        }
        break;
    }
    case TexFormat::Unknown:
    case TexFormat::Unsupported:
    case TexFormat::OtherPlatform: return DecodeStatus::Unsupported;
    }
    return DecodeStatus::Ok;
}

namespace {

// One pixel of the picture in a mode, from texel (x, y); the checkerboard counts texels.
void modePixel(const TexelImage& texels, int x, int y, TextureMode mode, uint8_t* out) {
    const uint8_t* px = texels.image.pixel(x, y);
    const uint8_t a = px[3];
    switch (mode) {
    case TextureMode::Colour: std::memcpy(out, px, 4); break;
    case TextureMode::AlphaMask: {
        const uint8_t m = texels.fourBitAlpha ? uint8_t(a / 17 * 16) : a;
        put(out, m, m, m, m);
        break;
    }
    case TextureMode::Checker: {
        const float w = texels.fourBitAlpha ? float(a / 17) / 15.0f : float(a) / 255.0f;
        const uint8_t g = checkerGrey(x, y);
        put(out, blend(px[0], g, w), blend(px[1], g, w), blend(px[2], g, w), 255);
        break;
    }
    }
}

}  // namespace

Image RenderTexels(const TexelImage& texels, int outW, int outH, TextureMode mode) {
    const Image& src = texels.image;
    if (src.empty() || !validOutput(outW, outH)) return {};
    // Nearest neighbour: each output pixel takes the texel under its centre, so only the
    // sampled texels are put through the mode (a thumbnail of a large texture stays cheap).
    Image out(outW, outH);
    for (int oy = 0; oy < outH; ++oy) {
        const int sy = int((uint64_t(2 * oy + 1) * uint64_t(src.height)) / (2 * uint64_t(outH)));
        for (int ox = 0; ox < outW; ++ox) {
            const int sx = int((uint64_t(2 * ox + 1) * uint64_t(src.width)) / (2 * uint64_t(outW)));
            modePixel(texels, sx, sy, mode, out.pixel(ox, oy));
        }
    }
    return out;
}

Image RenderTexelsInPlace(TexelImage&& texels, TextureMode mode) {
    Image& img = texels.image;
    if (mode != TextureMode::Colour)
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) modePixel(texels, x, y, mode, img.pixel(x, y));
    return std::move(img);
}

namespace {

// Both ways of decoding: check the output size, decode the texels, render them.
template <class DecodeTexelsInto>
DecodeResult decodeAndRender(const TTexRec& t, int outW, int outH, TextureMode mode, DecodeTexelsInto&& decode) {
    DecodeResult r;
    TexelImage texels;
    // What the header refuses goes first: a page asks for a picture at the texture's own size,
    // which says nothing for a raster whose sizes are not read.
    r.status = headerStatus(t);
    if (r.status == DecodeStatus::Ok) r.status = validOutput(outW, outH) ? decode(texels) : DecodeStatus::TooLarge;
    if (r.status == DecodeStatus::Ok) r.image = RenderTexels(texels, outW, outH, mode);
    else r.text = decodeMessage(t, r.status);
    return r;
}

}  // namespace

DecodeResult DecodeTexture(const TTexRec& t, std::span<const uint8_t> level, int outW, int outH,
                           TextureMode mode) {
    return decodeAndRender(t, outW, outH, mode, [&](TexelImage& out) { return DecodeTexels(t, level, out); });
}

DecodeStatus DecodeTexels(EntryReader& entry, const TTexRec& t, TexelImage& out) {
    out = {};
    if (const DecodeStatus s = headerStatus(t); s != DecodeStatus::Ok) return s;
    const uint64_t need = decodeBytesNeeded(t);
    if (need == 0) return DecodeStatus::Unsupported;
    // Checked before reading, so a stored size from a damaged file never sizes a buffer.
    if (need > t.DataSize || t.DataOffset > entry.size() || need > entry.size() - t.DataOffset)
        return DecodeStatus::ShortData;
    const uint64_t keep = entry.pos();
    std::vector<uint8_t> level;
    try {
        entry.seek(t.DataOffset);
        level = entry.read(size_t(need));
    } catch (...) {
        entry.seek(keep);
        throw;
    }
    entry.seek(keep);
    return DecodeTexels(t, level, out);
}

DecodeResult DecodeTexture(EntryReader& entry, const TTexRec& t, int outW, int outH, TextureMode mode) {
    return decodeAndRender(t, outW, outH, mode, [&](TexelImage& out) { return DecodeTexels(entry, t, out); });
}

}  // namespace varmelo
