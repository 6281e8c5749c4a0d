#include "core/texture/texture_encode.h"

#include <algorithm>
#include <bit>

#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/texture/linear_resample.h"
#include "core/texture/texel_encoder.h"

namespace varmelo {

namespace {

struct FormatRow {
    const char* name;
    TargetFormat target;
    TexFormat layout;
};

constexpr FormatRow kFormats[] = {
    {"auto", TargetFormat::Auto, TexFormat::Unknown},  {"dxt1", TargetFormat::Dxt1, TexFormat::Dxt1},
    {"dxt3", TargetFormat::Dxt3, TexFormat::Dxt3},     {"dxt5", TargetFormat::Dxt5, TexFormat::Dxt5},
    {"8888", TargetFormat::B8888, TexFormat::B8888},   {"888", TargetFormat::B888, TexFormat::B888},
    {"565", TargetFormat::B565, TexFormat::B565},      {"1555", TargetFormat::B1555, TexFormat::B1555},
    {"4444", TargetFormat::B4444, TexFormat::B4444},
};

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

}  // namespace

std::optional<TargetFormat> parseTargetFormat(const std::string& text) {
    const std::string t = asciiLower(text);
    for (const FormatRow& r : kFormats)
        if (t == r.name) return r.target;
    return std::nullopt;
}

std::optional<MipmapMode> parseMipmapMode(const std::string& text) {
    if (text == "none") return MipmapMode::None;
    if (text == "full") return MipmapMode::Full;
    if (text == "keep") return MipmapMode::Keep;
    return std::nullopt;
}

ChosenFormat chooseFormat(TargetFormat target, const Image& picture) {
    bool opaque = true, binary = true, anyBelowHalf = false;
    for (size_t i = 3; i < picture.bgra.size(); i += 4) {
        const uint8_t a = picture.bgra[i];
        opaque = opaque && a == 255;
        binary = binary && (a == 0 || a == 255);
        anyBelowHalf = anyBelowHalf || a < 128;
    }
    switch (target) {
    case TargetFormat::Auto:
        if (opaque) return {TexFormat::Dxt1, false};
        return {binary ? TexFormat::Dxt3 : TexFormat::Dxt5, true};
    case TargetFormat::Dxt1: return {TexFormat::Dxt1, anyBelowHalf};
    case TargetFormat::B888:
    case TargetFormat::B565: break;
    default:
        for (const FormatRow& r : kFormats)
            if (r.target == target) return {r.layout, !opaque};
    }
    return {target == TargetFormat::B888 ? TexFormat::B888 : TexFormat::B565, false};
}

int nearestPowerOfTwo(int side) {
    if (side >= kMaxTextureSide) return kMaxTextureSide;
    if (side <= 1) return 1;
    const int up = int(std::bit_ceil(unsigned(side))), down = up / 2;
    return side - down < up - side ? down : up;
}

Image fitTextureSides(const Image& picture, bool resize) {
    const int w = picture.width, h = picture.height;
    if (isPowerOfTwo(w) && isPowerOfTwo(h) && w <= kMaxTextureSide && h <= kMaxTextureSide) return picture;
    if (!resize || w <= 0 || h <= 0)
        throw UsageError("the picture is " + std::to_string(w) + " x " + std::to_string(h) +
                         "; texture sides must be powers of two up to " + std::to_string(kMaxTextureSide));
    return resizeImage(picture, nearestPowerOfTwo(w), nearestPowerOfTwo(h));
}

WrittenTexture encodeTexture(const Image& picture, const EncodeOptions& options, NativeHeader base,
                             KeptMipmaps kept, uint32_t versionStamp) {
    const Image top = fitTextureSides(picture, options.resize);
    const int full = fullMipmapCount(top.width, top.height);
    int levels = 1;
    if (options.mipmaps == MipmapMode::Full || (options.mipmaps == MipmapMode::Keep && kept.fullChain && kept.levels > 1))
        levels = full;
    else if (options.mipmaps == MipmapMode::Keep)
        levels = std::clamp(kept.levels, 1, full);

    const ChosenFormat chosen = chooseFormat(options.format, top);
    base.format = chosen.format;
    base.alpha = chosen.alpha;
    base.width = uint16_t(top.width);
    base.height = uint16_t(top.height);
    base.filterFlags = filterForMipmaps(base.filterFlags, levels > 1);

    std::vector<std::vector<uint8_t>> encoded;
    for (const Image& level : mipmapChain(top, levels)) encoded.push_back(encodeTexels(chosen.format, level));
    return writeTextureNative(base, encoded, versionStamp);
}

}  // namespace varmelo
