#include "core/texture/dds_loader.h"

#include <bit>
#include <string>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/texture/dxt_decoder.h"

namespace varmelo {

namespace {

constexpr size_t kHeaderBytes = 128;
constexpr uint32_t kPfAlphaPixels = 0x1;
constexpr uint32_t kPfFourCC = 0x4;
constexpr uint32_t kPfLuminance = 0x20000;
constexpr uint32_t kCapsTexture = 0x1000;

[[noreturn]] void invalid() { throw FormatError("Invalid DDS file"); }

// One channel picked out of a pixel by its mask and spread over 0..255 with rounding, so
// that the largest value of any mask width is 255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint8_t operator()(uint32_t px, uint8_t none) const {
        if (mask == 0) return none;
        const uint64_t v = (px & mask) >> shift;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

std::string fourCCText(const uint8_t* p) {
    std::string s;
    for (int i = 0; i < 4 && p[i] != 0; ++i) s += char(p[i]);
    return s;
}

}  // namespace

LoadedImage LoadDds(EntryReader& entry) {
    entry.seek(0);
    if (entry.size() < kHeaderBytes) invalid();
    uint8_t h[kHeaderBytes];
    entry.read(h, sizeof h);
    if (h[0] != 'D' || h[1] != 'D' || h[2] != 'S' || h[3] != ' ') invalid();
    if ((u32le(h + 108) & kCapsTexture) == 0) throw FormatError("Unsupported DDSCAPS settings");

    const uint32_t height = u32le(h + 12), width = u32le(h + 16);
    const uint32_t pfFlags = u32le(h + 80);
    const bool compressed = (pfFlags & kPfFourCC) != 0;
    DxtKind kind = DxtKind::Dxt1;
    if (compressed) {
        const std::string code = fourCCText(h + 84);
        if (code == "DXT1") kind = DxtKind::Dxt1;
        else if (code == "DXT3") kind = DxtKind::Dxt3;
        else if (code == "DXT5") kind = DxtKind::Dxt5;
        else throw FormatError("Unsupported compression type: " + code);
    }
    const uint32_t bits = u32le(h + 88);
    if (!compressed && (bits == 0 || bits > 32 || bits % 8 != 0)) invalid();
    if (width > kMaxImageSide || height > kMaxImageSide) invalid();

    LoadedImage out;
    if (width == 0 || height == 0) return out;
    const uint64_t pixels = uint64_t(width) * height;
    const uint64_t need = compressed ? dxtSurfaceBytes(kind, width, height) : pixels * (bits / 8);
    if (need > entry.remaining()) throwReadBeyondEnd();
    const std::vector<uint8_t> data = entry.read(size_t(need));

    out.image = Image(int(width), int(height));
    uint8_t* dst = out.image.bgra.data();
    if (compressed) {
        decodeDxtSurface(kind, data.data(), width, height, dst);
        out.hasAlpha = kind != DxtKind::Dxt1;
        for (size_t i = 0; kind == DxtKind::Dxt1 && i < pixels && !out.hasAlpha; ++i)
            out.hasAlpha = dst[i * 4 + 3] != 255;
        return out;
    }

    const bool useAlpha = (pfFlags & kPfAlphaPixels) != 0;
    const bool luminance = (pfFlags & kPfLuminance) != 0;
    const Channel red(u32le(h + 92)), green(u32le(h + 96)), blue(u32le(h + 100));
    const Channel alpha(useAlpha ? u32le(h + 104) : 0);
    out.hasAlpha = useAlpha && alpha.mask != 0;
    const size_t step = bits / 8;
    for (size_t i = 0; i < pixels; ++i) {
        uint32_t px = 0;
        for (size_t b = 0; b < step; ++b) px |= uint32_t(data[i * step + b]) << (8 * b);
        uint8_t* p = dst + i * 4;
        p[2] = red(px, 0);
        p[1] = luminance ? p[2] : green(px, 0);
        p[0] = luminance ? p[2] : blue(px, 0);
        p[3] = alpha(px, 255);
    }
    return out;
}

}  // namespace varmelo
