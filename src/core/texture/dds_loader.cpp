#include "core/texture/dds_loader.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

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

namespace {

struct DdsHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    bool compressed = false;
    DxtKind kind = DxtKind::Dxt1;
    uint32_t bits = 0;
    uint32_t pfFlags = 0;
    uint32_t masks[4] = {};  // red, green, blue, alpha
    uint64_t need = 0;       // bytes of the top level
};

// Reads and checks the header and leaves the entry at the first pixel byte; the top level
// must fit in what the entry holds.
DdsHeader readHeader(EntryReader& entry) {
    entry.seek(0);
    if (entry.size() < kHeaderBytes) invalid();
    uint8_t h[kHeaderBytes];
    entry.read(h, sizeof h);
    if (h[0] != 'D' || h[1] != 'D' || h[2] != 'S' || h[3] != ' ') invalid();
    if ((u32le(h + 108) & kCapsTexture) == 0) throw FormatError("Unsupported DDSCAPS settings");

    DdsHeader out;
    out.height = u32le(h + 12);
    out.width = u32le(h + 16);
    out.pfFlags = u32le(h + 80);
    out.compressed = (out.pfFlags & kPfFourCC) != 0;
    if (out.compressed) {
        const std::string code = fourCCText(h + 84);
        if (code == "DXT1") out.kind = DxtKind::Dxt1;
        else if (code == "DXT3") out.kind = DxtKind::Dxt3;
        else if (code == "DXT5") out.kind = DxtKind::Dxt5;
        else throw FormatError("Unsupported compression type: " + code);
    }
    out.bits = u32le(h + 88);
    if (!out.compressed && (out.bits == 0 || out.bits > 32 || out.bits % 8 != 0)) invalid();
    if (out.width > kMaxImageSide || out.height > kMaxImageSide) invalid();
    for (int c = 0; c < 4; ++c) out.masks[c] = u32le(h + 92 + 4 * c);
    if (out.width == 0 || out.height == 0) return out;
    const uint64_t pixels = uint64_t(out.width) * out.height;
    out.need = out.compressed ? dxtSurfaceBytes(out.kind, out.width, out.height) : pixels * (out.bits / 8);
    if (out.need > entry.remaining()) throwReadBeyondEnd();
    return out;
}

bool usesAlphaMask(const DdsHeader& h) { return (h.pfFlags & kPfAlphaPixels) != 0 && h.masks[3] != 0; }

// Whether a DXT1 surface has a transparent texel inside the picture, one row of blocks at
// a time: the answer needs the blocks, not the decoded picture.
bool dxt1HasTransparency(EntryReader& entry, uint32_t w, uint32_t h) {
    const uint32_t across = (w + 3) / 4;
    std::vector<uint8_t> row(size_t(across) * 8);
    uint8_t texels[64];
    for (uint32_t by = 0; by < (h + 3) / 4; ++by) {
        entry.read(row.data(), row.size());
        for (uint32_t bx = 0; bx < across; ++bx) {
            decodeDxtBlock(DxtKind::Dxt1, &row[size_t(bx) * 8], texels);
            for (uint32_t k = 0; k < 16; ++k)
                if (bx * 4 + k % 4 < w && by * 4 + k / 4 < h && texels[k * 4 + 3] != 255) return true;
        }
    }
    return false;
}

}  // namespace

PictureInfo ReadDdsInfo(EntryReader& entry) {
    const DdsHeader h = readHeader(entry);
    if (h.width == 0 || h.height == 0) return {};
    PictureInfo out{int(h.width), int(h.height), false};
    if (!h.compressed) out.hasAlpha = usesAlphaMask(h);
    else if (h.kind != DxtKind::Dxt1) out.hasAlpha = true;
    else out.hasAlpha = dxt1HasTransparency(entry, h.width, h.height);
    return out;
}

LoadedImage LoadDds(EntryReader& entry) {
    const DdsHeader h = readHeader(entry);
    LoadedImage out;
    if (h.width == 0 || h.height == 0) return out;
    const uint64_t pixels = uint64_t(h.width) * h.height;

    out.image = Image(int(h.width), int(h.height));
    uint8_t* dst = out.image.bgra.data();
    if (h.compressed) {
        // A compressed level is a quarter to an eighth of the picture it becomes.
        const std::vector<uint8_t> data = entry.read(size_t(h.need));
        decodeDxtSurface(h.kind, data.data(), h.width, h.height, dst);
        out.hasAlpha = h.kind != DxtKind::Dxt1;
        for (size_t i = 0; h.kind == DxtKind::Dxt1 && i < pixels && !out.hasAlpha; ++i)
            out.hasAlpha = dst[i * 4 + 3] != 255;
        return out;
    }

    const bool luminance = (h.pfFlags & kPfLuminance) != 0;
    const bool useAlpha = (h.pfFlags & kPfAlphaPixels) != 0;
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const Channel alpha(useAlpha ? h.masks[3] : 0);
    out.hasAlpha = usesAlphaMask(h);
    const size_t step = h.bits / 8;
    // Uncompressed pixels are read a slice at a time, never held whole beside the picture.
    constexpr size_t kSlicePixels = size_t(1) << 18;
    std::vector<uint8_t> data;
    for (size_t done = 0; done < pixels;) {
        const size_t n = size_t(std::min<uint64_t>(pixels - done, kSlicePixels));
        data.resize(n * step);
        entry.read(data.data(), data.size());
        for (size_t i = 0; i < n; ++i) {
            uint32_t px = 0;
            for (size_t b = 0; b < step; ++b) px |= uint32_t(data[i * step + b]) << (8 * b);
            uint8_t* p = dst + (done + i) * 4;
            p[2] = red(px, 0);
            p[1] = luminance ? p[2] : green(px, 0);
            p[0] = luminance ? p[2] : blue(px, 0);
            p[3] = alpha(px, 255);
        }
        done += n;
    }
    return out;
}

}  // namespace varmelo
