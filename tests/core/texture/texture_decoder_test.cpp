#include <gtest/gtest.h>

#include <array>

#include "core/texture/dxt_decoder.h"
#include "core/texture/texture_decoder.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bgra = std::array<int, 4>;

TTexRec rec(TexFormat f, uint16_t w, uint16_t h, size_t dataSize) {
    TTexRec t;
    t.Format = f;
    t.Width = w;
    t.Height = h;
    t.DataSize = uint32_t(dataSize);
    t.Palette.resize(paletteBytes(f));
    return t;
}

Bgra px(const Image& img, int x, int y) {
    const uint8_t* p = img.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

Image decodeOk(const TTexRec& t, const std::vector<uint8_t>& level, TextureMode mode, int w = 0, int h = 0) {
    DecodeResult r = DecodeTexture(t, level, w ? w : t.Width, h ? h : t.Height, mode);
    EXPECT_EQ(r.status, DecodeStatus::Ok) << r.message();
    return r.image;
}

// 32-bit texels from a function of (x, y).
template <class F>
std::vector<uint8_t> bgraLevel(int w, int h, F f) {
    std::vector<uint8_t> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Bgra p = f(x, y);
            for (int c : p) out.push_back(uint8_t(c));
        }
    return out;
}

TEST(TextureLayout, HeaderWithoutFormatIsDecodedByByteCount) {
    struct Row {
        size_t n;
        TexFormat layout;
    };
    for (const Row& r : {Row{4096, TexFormat::Dxt3}, Row{2048, TexFormat::Dxt1}, Row{16384, TexFormat::B8888},
                         Row{1000, TexFormat::B8888}}) {
        TTexRec t = rec(TexFormat::Unknown, 64, 64, r.n);
        EXPECT_EQ(decodeLayout(t), r.layout) << r.n;
    }
    EXPECT_EQ(decodeLayout(rec(TexFormat::Unknown, 0, 64, 0)), TexFormat::Dxt3) << "W x H = 0 takes DXT3 first";
    // A named format wins over the byte count: PAL8 64 x 64 holds exactly W x H bytes.
    EXPECT_EQ(decodeLayout(rec(TexFormat::Pal8, 64, 64, 4096)), TexFormat::Pal8);
}

TEST(TextureLayout, UnknownHeaderOfWrongByteCountGivesShortDataNotGarbage) {
    TTexRec t = rec(TexFormat::Unknown, 64, 64, 1000);  // 32-bit needs 16384
    DecodeResult r = DecodeTexture(t, std::vector<uint8_t>(1000), 48, 48, TextureMode::Colour);
    EXPECT_EQ(r.status, DecodeStatus::ShortData);
    EXPECT_TRUE(r.image.empty());
    EXPECT_EQ(r.message(), "Texture data is shorter than its format needs");
}

TEST(TextureModes, Dxt1ColourMaskAndCheckerOfAnOpaqueBlock) {
    TTexRec t = rec(TexFormat::Dxt1, 4, 4, 8);
    std::vector<uint8_t> level = dxtColourBlock(0xF800, 0x001F, 0xE4E4E4E4u);
    Image colour = decodeOk(t, level, TextureMode::Colour);
    EXPECT_EQ(px(colour, 2, 3), (Bgra{85, 0, 170, 255}));
    Image mask = decodeOk(t, level, TextureMode::AlphaMask);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(px(mask, x, y), (Bgra{255, 255, 255, 255}));
    Image checker = decodeOk(t, level, TextureMode::Checker);
    EXPECT_EQ(px(checker, 3, 1), (Bgra{170, 0, 85, 255})) << "weight 1 leaves the colour";
}

TEST(TextureModes, Dxt1TransparentTexelsShowTheCheckerAndABlackMask) {
    TTexRec t = rec(TexFormat::Dxt1, 4, 4, 8);
    std::vector<uint8_t> level = dxtColourBlock(0x001F, 0xF800, 0xFFFFFFFFu);  // every texel code 3
    EXPECT_EQ(px(decodeOk(t, level, TextureMode::Checker), 1, 1), (Bgra{192, 192, 192, 255}));
    EXPECT_EQ(px(decodeOk(t, level, TextureMode::AlphaMask), 1, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(px(decodeOk(t, level, TextureMode::Colour), 1, 1), (Bgra{0, 0, 0, 0}));
}

TEST(TextureModes, Dxt3MaskRunsToTwoFortyAndCheckerWeighsFifteenths) {
    uint8_t a[16] = {15, 0, 7, 8};
    TTexRec t = rec(TexFormat::Dxt3, 4, 4, 16);
    // colour 5:6:5 (25, 50, 1) -> red 206, green 202, blue 8
    std::vector<uint8_t> level = dxt3Block(a, dxtColourBlock(uint16_t(25 << 11 | 50 << 5 | 1), 0, 0u));
    Image mask = decodeOk(t, level, TextureMode::AlphaMask);
    EXPECT_EQ(px(mask, 0, 0), (Bgra{240, 240, 240, 240}));
    EXPECT_EQ(px(mask, 1, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(px(mask, 2, 0), (Bgra{112, 112, 112, 112}));
    Image colour = decodeOk(t, level, TextureMode::Colour);
    EXPECT_EQ(px(colour, 0, 0), (Bgra{8, 202, 206, 255}));
    Image checker = decodeOk(t, level, TextureMode::Checker);
    EXPECT_EQ(px(checker, 0, 0), (Bgra{8, 202, 206, 255}));
    EXPECT_EQ(px(checker, 1, 0), (Bgra{192, 192, 192, 255}));
    // a = 7 over 192: 206 * 7/15 + 192 * 8/15 = 198.53 -> 199; 8 * 7/15 + 192 * 8/15 = 106.13 -> 106
    EXPECT_EQ(px(checker, 2, 0), (Bgra{106, 197, 199, 255}));
}

TEST(TextureModes, ThirtyTwoBitMaskIsAlphaAndCheckerBlendsByAlpha) {
    TTexRec t = rec(TexFormat::B8888, 16, 16, 16 * 16 * 4);
    std::vector<uint8_t> level = bgraLevel(16, 16, [](int x, int y) -> Bgra {
        if (y == 0) return {10, 100, 200, 0};      // transparent row
        if (y == 1) return {10, 100, 200, 255};    // opaque row
        if (y == 2) return {10, 100, 200, 64};     // 10 over 255 at 64/255 -> 193.5 -> 194
        return {100, 100, 100, x == 0 ? 1 : 128};  // 100 over 192 at 1/255 -> 191.6 -> 192
    });
    Image colour = decodeOk(t, level, TextureMode::Colour);
    EXPECT_EQ(px(colour, 5, 2), (Bgra{10, 100, 200, 64})) << "colour keeps the texel's alpha";
    Image mask = decodeOk(t, level, TextureMode::AlphaMask);
    EXPECT_EQ(px(mask, 5, 2), (Bgra{64, 64, 64, 64}));
    EXPECT_EQ(px(mask, 5, 1), (Bgra{255, 255, 255, 255}));
    Image checker = decodeOk(t, level, TextureMode::Checker);
    EXPECT_EQ(px(checker, 0, 0), (Bgra{192, 192, 192, 255}));
    EXPECT_EQ(px(checker, 7, 0), (Bgra{192, 192, 192, 255}));
    EXPECT_EQ(px(checker, 8, 0), (Bgra{255, 255, 255, 255}));
    EXPECT_EQ(px(checker, 3, 1), (Bgra{10, 100, 200, 255}));
    EXPECT_EQ(px(checker, 9, 2), (Bgra{194, 216, 241, 255}));
    EXPECT_EQ(px(checker, 0, 4), (Bgra{192, 192, 192, 255}));
    EXPECT_EQ(px(checker, 8, 8), (Bgra{146, 146, 146, 255})) << "100 over 192 at 128/255";
}

TEST(TextureModes, CheckerSquaresAreEightTexturePixelsWhateverTheOutputSize) {
    TTexRec t = rec(TexFormat::B8888, 32, 32, 32 * 32 * 4);
    std::vector<uint8_t> level(32 * 32 * 4, 0);  // all transparent
    Image full = decodeOk(t, level, TextureMode::Checker);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int g = ((x % 16 < 8) == (y % 16 < 8)) ? 192 : 255;
            ASSERT_EQ(px(full, x, y), (Bgra{g, g, g, 255})) << x << "," << y;
        }
    // 4 x 4 output samples texels 4, 12, 20, 28 of each axis
    Image small = decodeOk(t, level, TextureMode::Checker, 4, 4);
    EXPECT_EQ(px(small, 0, 0)[0], 192);
    EXPECT_EQ(px(small, 1, 0)[0], 255);
    EXPECT_EQ(px(small, 2, 0)[0], 192);
    EXPECT_EQ(px(small, 1, 1)[0], 192);
}

TEST(TextureScaling, NearestNeighbourRepeatsAndDropsWithoutKeepingAspect) {
    TTexRec t = rec(TexFormat::B8888, 4, 2, 4 * 2 * 4);
    std::vector<uint8_t> level = bgraLevel(4, 2, [](int x, int y) -> Bgra { return {x, y, 7, 255}; });
    Image up = decodeOk(t, level, TextureMode::Colour, 8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(px(up, x, y), (Bgra{x / 2, y / 2, 7, 255}));
    Image down = decodeOk(t, level, TextureMode::Colour, 2, 1);
    EXPECT_EQ(px(down, 0, 0), (Bgra{1, 1, 7, 255}));
    EXPECT_EQ(px(down, 1, 0), (Bgra{3, 1, 7, 255}));
    TTexRec wide = rec(TexFormat::Dxt1, 128, 32, 128 * 32 / 2);
    Image thumb = decodeOk(wide, std::vector<uint8_t>(wide.DataSize), TextureMode::Colour, 48, 48);
    EXPECT_EQ(thumb.width, 48);
    EXPECT_EQ(thumb.height, 48);
}

TEST(TextureBlocks, LargeDxt3DecodesEveryBlockFromItsOwnPlace) {
    // 512 x 256: 128 x 64 blocks, 128 KiB; the colour of block row r is r * 4 in green
    TTexRec t = rec(TexFormat::Dxt3, 512, 256, 512 * 256);
    std::vector<uint8_t> level;
    const uint8_t opaque[16] = {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15};
    for (int r = 0; r < 64; ++r) {
        std::vector<uint8_t> b = dxt3Block(opaque, dxtColourBlock(uint16_t(r << 5), uint16_t(r << 5), 0u));
        for (int c = 0; c < 128; ++c) level.insert(level.end(), b.begin(), b.end());
    }
    Image img = decodeOk(t, level, TextureMode::Colour);
    for (int y : {0, 100, 128, 200, 255}) EXPECT_EQ(px(img, 300, y)[1], dxtChannel(uint32_t(y / 4), 0, 1.0f, true)) << y;
}

TEST(TextureFormats, EachRasterLayoutGivesItsTexels) {
    struct Row {
        TexFormat f;
        std::vector<uint8_t> texel;  // first texel's bytes as stored
        Bgra expected;
    };
    const Row rows[] = {
        {TexFormat::B8888, {10, 20, 30, 40}, {10, 20, 30, 40}},
        {TexFormat::B888, {10, 20, 30, 40}, {10, 20, 30, 255}},
        {TexFormat::B1555, {0x10, 0xFC}, {132, 0, 255, 255}},  // A=1, R=31, G=0, B=16
        {TexFormat::B1555, {0x10, 0x7C}, {132, 0, 255, 0}},
        {TexFormat::B565, {0x00, 0xFC}, {0, 130, 255, 255}},  // R=31, G=32, B=0
        {TexFormat::B4444, {0x34, 0x12}, {68, 51, 34, 17}},
        {TexFormat::B555, {0x43, 0x04}, {25, 16, 8, 255}},  // R=1, G=2, B=3
        {TexFormat::Lum8, {77}, {77, 77, 77, 255}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(formatName(r.f));
        TTexRec t = rec(r.f, 2, 2, *levelBytes(r.f, 2, 2));
        std::vector<uint8_t> level(t.DataSize, 0);
        std::copy(r.texel.begin(), r.texel.end(), level.begin());
        EXPECT_EQ(px(decodeOk(t, level, TextureMode::Colour), 0, 0), r.expected);
    }
}

TEST(TextureFormats, PalettesAreRgbaAndPal4PacksTwoTexelsPerByte) {
    TTexRec t = rec(TexFormat::Pal8, 2, 1, 2);
    t.RasterFormat = 0x2500;
    for (size_t i = 0; i < 256; ++i) {
        t.Palette[i * 4] = uint8_t(i);
        t.Palette[i * 4 + 1] = 1;
        t.Palette[i * 4 + 2] = 2;
        t.Palette[i * 4 + 3] = uint8_t(255 - i);
    }
    Image img = decodeOk(t, {5, 200}, TextureMode::Colour);
    EXPECT_EQ(px(img, 0, 0), (Bgra{2, 1, 5, 250}));
    EXPECT_EQ(px(img, 1, 0), (Bgra{2, 1, 200, 55}));
    t.RasterFormat = 0x2600;  // 888 palette: no alpha
    EXPECT_EQ(px(decodeOk(t, {5, 200}, TextureMode::Colour), 0, 0), (Bgra{2, 1, 5, 255}));

    TTexRec p4 = rec(TexFormat::Pal4, 3, 2, 4);  // rows of 2 bytes
    for (size_t i = 0; i < 32; ++i) p4.Palette[i * 4] = uint8_t(i * 10);
    Image four = decodeOk(p4, {0x21, 0x03, 0x54, 0x0F}, TextureMode::Colour);
    EXPECT_EQ(px(four, 0, 0)[2], 10);
    EXPECT_EQ(px(four, 1, 0)[2], 20);
    EXPECT_EQ(px(four, 2, 0)[2], 30);
    EXPECT_EQ(px(four, 0, 1)[2], 40);
    EXPECT_EQ(px(four, 1, 1)[2], 50);
    EXPECT_EQ(px(four, 2, 1)[2], 150);
}

TEST(TextureFailures, BadSizesAndShortDataGiveAnEmptyPictureAndAStatus) {
    struct Row {
        const char* what;
        TTexRec t;
        size_t have;
        DecodeStatus status;
    };
    const Row rows[] = {
        {"zero width", rec(TexFormat::B8888, 0, 4, 0), 0, DecodeStatus::NoPixels},
        {"width beyond 16384", rec(TexFormat::Dxt1, 65535, 4, 131072), 131072, DecodeStatus::TooLarge},
        {"stored size below the layout", rec(TexFormat::Dxt1, 64, 64, 2000), 2048, DecodeStatus::ShortData},
        {"bytes below the stored size", rec(TexFormat::Dxt1, 64, 64, 2048), 2047, DecodeStatus::ShortData},
        {"huge stored size, few bytes", rec(TexFormat::B8888, 16384, 16384, 0xFFFFFFFF), 16,
         DecodeStatus::ShortData},
        {"unsupported layout", rec(TexFormat::Unsupported, 4, 4, 64), 64, DecodeStatus::Unsupported},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        DecodeResult res = DecodeTexture(r.t, std::vector<uint8_t>(r.have), 48, 48, TextureMode::Colour);
        EXPECT_EQ(res.status, r.status);
        EXPECT_TRUE(res.image.empty());
        EXPECT_FALSE(res.message().empty());
    }
    TTexRec missingPalette = rec(TexFormat::Pal8, 2, 2, 4);
    missingPalette.Palette.clear();
    EXPECT_EQ(DecodeTexture(missingPalette, std::vector<uint8_t>(4), 2, 2, TextureMode::Colour).status,
              DecodeStatus::Unsupported);
    EXPECT_EQ(DecodeTexture(rec(TexFormat::B8888, 1, 1, 4), std::vector<uint8_t>(4), 0, 48, TextureMode::Colour).status,
              DecodeStatus::TooLarge);
}

TEST(TextureFromEntry, ReadsTheLevelAtItsOffsetAndKeepsThePosition) {
    std::vector<uint8_t> bytes(10, 0xAA);
    std::vector<uint8_t> level = bgraLevel(2, 1, [](int x, int) -> Bgra { return {x, 2, 3, 4}; });
    bytes.insert(bytes.end(), level.begin(), level.end());
    EntryReader r(bytes);
    r.seek(3);
    TTexRec t = rec(TexFormat::B8888, 2, 1, 8);
    t.DataOffset = 10;
    DecodeResult res = DecodeTexture(r, t, 2, 1, TextureMode::Colour);
    ASSERT_EQ(res.status, DecodeStatus::Ok);
    EXPECT_EQ(px(res.image, 1, 0), (Bgra{1, 2, 3, 4}));
    EXPECT_EQ(r.pos(), 3u);
    t.DataOffset = 11;  // one byte past what the entry holds
    EXPECT_EQ(DecodeTexture(r, t, 2, 1, TextureMode::Colour).status, DecodeStatus::ShortData);
    t.DataOffset = 1000;
    EXPECT_EQ(DecodeTexture(r, t, 2, 1, TextureMode::Colour).status, DecodeStatus::ShortData);
    EXPECT_EQ(r.pos(), 3u);
}

}  // namespace
