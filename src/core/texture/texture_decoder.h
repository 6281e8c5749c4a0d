#pragma once
// Turns the first mipmap level of a dictionary texture into a picture of a requested size in
// one of three display modes. Decoding runs in two steps so a caller that needs several
// pictures of one texture (a colour and an alpha thumbnail) decodes the texels only once.
#include <cstdint>
#include <span>
#include <string>

#include "core/io/entry_reader.h"
#include "core/texture/image.h"
#include "core/texture/texture_record.h"

namespace varmelo {

enum class TextureMode : int {
    Colour = 0,     // blue, green, red of the texels; the fourth byte keeps the texel's alpha
    AlphaMask = 1,  // alpha as grey in all four bytes: opaque white, transparent black
    Checker = 2,    // colour laid by its alpha over 8 x 8 grey (192) and white squares; opaque
};

enum class DecodeStatus {
    Ok,
    NoPixels,       // width or height is 0
    TooLarge,       // a side beyond kMaxImageSide (or a requested output size out of range)
    ShortData,      // the level holds fewer bytes than its layout needs
    Unsupported,    // the header names a layout this program cannot decode
    OtherPlatform,  // a raster of neither Direct3D platform
};

// The status as the user reads it ("" for Ok).
const char* decodeStatusText(DecodeStatus s);
// The same for texture t, naming its layout or platform when the status refuses it:
// "Unsupported texture platform: PS2".
std::string decodeMessage(const TTexRec& t, DecodeStatus s);

// Texels of a texture at its own size, alpha in the fourth byte.
struct TexelImage {
    Image image;
    // DXT3 alpha is 4 bits; its mask is drawn as a * 16 (0..240), the dictionary preview's look.
    bool fourBitAlpha = false;
};

// The layout the level is decoded by: the header's format, or for a header that names none,
// the byte count: n = W * H is DXT3, n = W * H / 2 is DXT1, anything else 32-bit BGRA.
TexFormat decodeLayout(const TTexRec& t);

// Bytes of the level the decoder reads (0 when the layout has no size: Unsupported).
uint64_t decodeBytesNeeded(const TTexRec& t);

// Decodes the level's bytes (at least decodeBytesNeeded) to texels.
DecodeStatus DecodeTexels(const TTexRec& t, std::span<const uint8_t> level, TexelImage& out);

// Reads the level from the entry at t.DataOffset (the reader's position is kept) and decodes
// it. A level reaching beyond the entry's end gives ShortData without reading; file failures
// throw FileError.
DecodeStatus DecodeTexels(EntryReader& entry, const TTexRec& t, TexelImage& out);

// Applies the mode at the texture's size (the checkerboard counts texture pixels) and scales
// by nearest-neighbour sampling to outW x outH (aspect not kept). Empty for out-of-range sizes.
Image RenderTexels(const TexelImage& texels, int outW, int outH, TextureMode mode);
// The same at the texture's own size, over the texels themselves: a full-size export holds
// one picture, not two.
Image RenderTexelsInPlace(TexelImage&& texels, TextureMode mode);

struct DecodeResult {
    Image image;  // empty unless status is Ok
    DecodeStatus status = DecodeStatus::Ok;
    std::string text;  // decodeMessage() of the status, empty when Ok
    const std::string& message() const { return text; }
};

DecodeResult DecodeTexture(const TTexRec& t, std::span<const uint8_t> level, int outW, int outH,
                           TextureMode mode);

// Reads the level from the entry at t.DataOffset; the reader's position is kept. Data beyond
// the entry's end gives ShortData; file failures throw FileError.
DecodeResult DecodeTexture(EntryReader& entry, const TTexRec& t, int outW, int outH, TextureMode mode);

}  // namespace varmelo
