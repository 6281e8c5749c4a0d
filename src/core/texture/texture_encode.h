#pragma once
// A picture made into a dictionary texture: the layout asked for (or chosen from the picture's
// alpha), sides checked or resized to powers of two, the mipmap chain built in linear light,
// every level encoded and the texture native written.
#include <cstdint>
#include <optional>
#include <string>

#include "core/texture/image.h"
#include "core/texture/texture_native_writer.h"

namespace varmelo {

enum class TargetFormat { Auto, Dxt1, Dxt3, Dxt5, B8888, B888, B565, B1555, B4444 };
enum class MipmapMode { None, Full, Keep };

// "auto", "dxt1", "dxt3", "dxt5", "8888", "888", "565", "1555", "4444" (ASCII case ignored).
std::optional<TargetFormat> parseTargetFormat(const std::string& text);
// "none", "full", "keep".
std::optional<MipmapMode> parseMipmapMode(const std::string& text);

struct EncodeOptions {
    TargetFormat format = TargetFormat::Auto;
    MipmapMode mipmaps = MipmapMode::Keep;
    bool resize = false;  // sides that are not powers of two go to the nearest one
};

// Largest side a texture is written with.
inline constexpr int kMaxTextureSide = 4096;

// The layout a target comes to for this picture, and whether the texture is flagged as having
// alpha. Auto: DXT1 for an opaque picture, DXT3 when every texel is clear or solid, else DXT5.
// DXT1 asked for has alpha when some texel is below 128 (those become its transparent texels).
struct ChosenFormat {
    TexFormat format = TexFormat::Dxt1;
    bool alpha = false;
};
ChosenFormat chooseFormat(TargetFormat target, const Image& picture);

// The nearest power of two (the larger one on a tie), at most kMaxTextureSide.
int nearestPowerOfTwo(int side);

// The picture as a texture may hold it: unchanged when both sides are powers of two up to
// kMaxTextureSide, resized when `resize`, else UsageError
// "the picture is 300 x 200; texture sides must be powers of two up to 4096".
Image fitTextureSides(const Image& picture, bool resize);

// What "keep" keeps: the mipmap count of the texture or file the picture replaces (1 when it
// had none); a full chain there stays a full chain at the new size.
struct KeptMipmaps {
    int levels = 1;
    bool fullChain = false;
};

// `base` gives platform, filter word and names; format, alpha and size are filled in here,
// and the filter word follows whether the texture has mipmaps.
WrittenTexture encodeTexture(const Image& picture, const EncodeOptions& options, NativeHeader base,
                             KeptMipmaps kept, uint32_t versionStamp);

}  // namespace varmelo
