#pragma once
// Builds RenderWare texture dictionaries for tests and sample content (no test framework):
//   TxdBuilder().add(TxdTexture::d3d9("grass", TexFormat::Dxt1, 64, 64, blocks)).build();
// Every texture becomes a texture native chunk holding its struct (fixed part, palette, first
// level and any further levels) and an empty extension chunk; one of platform PS2 ("PS2\0")
// holds that platform's layout instead: a struct of platform and flags, string chunks of the
// names, a struct of a raster header (zeros) and the level.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/texture/dxt_decoder.h"
#include "core/texture/texture_format.h"

namespace testing_support {

struct TxdTexture {
    std::string name;
    std::string mask;
    uint32_t platform = 9;
    uint32_t filterFlags = 0x1102;
    uint32_t rasterFormat = 0;
    uint32_t word76 = 0;  // alpha flag (Direct3D 8) or texel format (Direct3D 9)
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 32;
    uint8_t mipLevels = 1;
    uint8_t rasterType = 4;
    uint8_t byte87 = 0;  // DXT type (Direct3D 8) or flags (Direct3D 9)
    std::vector<uint8_t> palette;  // written before the size word when not empty
    std::vector<uint8_t> level;    // the first level's pixels
    std::vector<std::vector<uint8_t>> moreLevels;
    std::optional<uint32_t> sizeField;  // stored first-level size instead of level.size()

    // Headers as the two Direct3D platforms write them for `format`.
    static TxdTexture d3d8(const std::string& name, varmelo::TexFormat format, uint16_t w, uint16_t h,
                           std::vector<uint8_t> level, bool hasAlpha = false);
    static TxdTexture d3d9(const std::string& name, varmelo::TexFormat format, uint16_t w, uint16_t h,
                           std::vector<uint8_t> level, bool hasAlpha = false);
};

class TxdBuilder {
public:
    TxdBuilder& add(TxdTexture t);
    // Stated texture count instead of the number added.
    TxdBuilder& count(uint16_t n);
    std::vector<uint8_t> build() const;
    // The struct body of one texture (fixed part through its levels).
    static std::vector<uint8_t> textureStruct(const TxdTexture& t);

private:
    std::vector<TxdTexture> textures_;
    std::optional<uint16_t> count_;
};

// A RenderWare chunk: 12-byte header (type, body size, version) and the body.
std::vector<uint8_t> rwChunk(uint32_t type, const std::vector<uint8_t>& body, uint32_t version = 0x1803FFFF);

// Block helpers for making DXT data by hand. Codes: 16 values 0..3 (row by row).
uint16_t rgb565(uint8_t r, uint8_t g, uint8_t b);
std::vector<uint8_t> dxtColourBlock(uint16_t c0, uint16_t c1, const uint8_t codes[16]);
std::vector<uint8_t> dxtColourBlock(uint16_t c0, uint16_t c1, uint32_t codeWord);
// DXT3: 16 alpha values 0..15 then the colour block.
std::vector<uint8_t> dxt3Block(const uint8_t alpha4[16], const std::vector<uint8_t>& colour);
// DXT5: a0, a1 and 16 alpha codes 0..7 then the colour block.
std::vector<uint8_t> dxt5Block(uint8_t a0, uint8_t a1, const uint8_t codes[16], const std::vector<uint8_t>& colour);
// `count` copies of a block.
std::vector<uint8_t> repeatBlock(const std::vector<uint8_t>& block, size_t count);

// A plain block encoder for making real-looking content: each block's colour ends are the
// corners of its colour box; DXT1 blocks holding texels with alpha below 128 use the
// three-colour mode and its transparent code. `bgra` is w x h texels, top row first.
std::vector<uint8_t> encodeDxt(varmelo::DxtKind kind, const std::vector<uint8_t>& bgra, int w, int h);

// A colourful w x h picture (blue, green, red, alpha; top row first): gradients, a ring of
// fading alpha and a bright frame, so every channel and every mode shows something.
std::vector<uint8_t> demoPicture(int w, int h, int variant);
// The picture as 8-bit indices into an RGBA palette of 256 entries (returned in `palette`).
std::vector<uint8_t> demoIndexed(int w, int h, std::vector<uint8_t>& palette);

// A dictionary with DXT1, DXT1 with alpha, DXT3, DXT5, 8888 and PAL8 textures of 64 x 64
// under both Direct3D 8 and Direct3D 9 headers.
std::vector<uint8_t> demoDictionary();

}  // namespace testing_support
