#include <gtest/gtest.h>
#include <squish.h>

#include <cstdio>

#include <array>
#include <initializer_list>
#include <random>
#include <tuple>

#include "core/io/binary_file.h"
#include "core/preview/inspect.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

std::vector<uint8_t> level(size_t n, uint32_t seed) { return pattern(n, seed); }

// Dictionary with every layout the previews need, both platforms.
TxdBuilder mixedDictionary() {
    TxdBuilder b;
    const std::vector<std::pair<TexFormat, bool>> kinds = {
        {TexFormat::Dxt1, false}, {TexFormat::Dxt1, true}, {TexFormat::Dxt3, true}, {TexFormat::Dxt5, true},
        {TexFormat::B8888, true}, {TexFormat::Pal8, false}, {TexFormat::Pal4, true}, {TexFormat::B565, false},
    };
    uint32_t seed = 1;
    for (uint32_t platform : {8u, 9u}) {
        for (auto [f, alpha] : kinds) {
            const uint16_t w = 16, h = 8;
            std::string name = std::string(platform == 8 ? "p8_" : "p9_") + formatName(f) + (alpha ? "a" : "");
            std::vector<uint8_t> px = level(*levelBytes(f, w, h), seed++);
            b.add(platform == 8 ? TxdTexture::d3d8(name, f, w, h, px, alpha) : TxdTexture::d3d9(name, f, w, h, px, alpha));
        }
    }
    return b;
}

TEST(TxdTable, ReadsEveryFieldOfBothPlatforms) {
    TxdBuilder b = mixedDictionary();
    std::vector<uint8_t> bytes = b.build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    EXPECT_EQ(table.error, "");
    EXPECT_TRUE(table.countRead);
    ASSERT_EQ(table.announcedCount, 16);
    ASSERT_EQ(table.textures.size(), 16u);
    const TexFormat order[] = {TexFormat::Dxt1, TexFormat::Dxt1, TexFormat::Dxt3, TexFormat::Dxt5,
                               TexFormat::B8888, TexFormat::Pal8, TexFormat::Pal4, TexFormat::B565};
    const bool alpha[] = {false, true, true, true, true, false, true, false};
    uint32_t seed = 1;
    for (size_t i = 0; i < 16; ++i) {
        const TTexRec& t = table.textures[i];
        SCOPED_TRACE(t.Name);
        const TexFormat f = order[i % 8];
        EXPECT_EQ(t.Name, std::string(i < 8 ? "p8_" : "p9_") + formatName(f) + (alpha[i % 8] ? "a" : ""));
        EXPECT_EQ(t.MaskName, alpha[i % 8] ? t.Name + "a" : "");
        EXPECT_EQ(t.Platform, i < 8 ? 8u : 9u);
        EXPECT_EQ(t.Format, f);
        EXPECT_EQ(t.HasAlpha, alpha[i % 8]);
        EXPECT_EQ(t.Width, 16);
        EXPECT_EQ(t.Height, 8);
        EXPECT_EQ(t.MipLevels, 1);
        EXPECT_EQ(t.DataSize, *levelBytes(f, 16, 8));
        EXPECT_EQ(t.DataPos, t.DataOffset);
        EXPECT_EQ(slice(bytes, t.DataOffset, t.DataSize), level(t.DataSize, seed++)) << "DataOffset is the level";
        EXPECT_EQ(t.Palette.size(), paletteBytes(f));
        if (!t.Palette.empty()) {
            EXPECT_EQ(slice(bytes, t.DataOffset - 4 - t.Palette.size(), t.Palette.size()), t.Palette);
        }
    }
}

TEST(TxdTable, PalettisedLevelsStartAfterPaletteAndSizeWord) {
    std::vector<uint8_t> idx = level(64 * 64, 3);
    std::vector<uint8_t> bytes = TxdBuilder()
                                     .add(TxdTexture::d3d8("pal8", TexFormat::Pal8, 64, 64, idx))
                                     .add(TxdTexture::d3d9("pal4", TexFormat::Pal4, 64, 64, level(32 * 64, 4)))
                                     .build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    ASSERT_EQ(table.textures.size(), 2u);
    // dictionary header 12 + struct 12 + 4, native 12, struct 12, fixed part 88, palette, size word
    const uint64_t first = 12 + 16 + 12 + 12 + 88;
    EXPECT_EQ(table.textures[0].DataOffset, first + 1024 + 4);
    EXPECT_EQ(table.textures[0].DataSize, 4096u);
    const uint64_t second = first + 1024 + 4 + 4096 + 12 /* extension */ + 12 + 12 + 88;
    EXPECT_EQ(table.textures[1].DataOffset, second + 128 + 4);
    EXPECT_EQ(table.textures[1].DataSize, 2048u);

    // W x H bytes no longer mean DXT3 when the header says PAL8.
    DecodeResult d = DecodeTexture(r, table.textures[0], 64, 64, TextureMode::Colour);
    ASSERT_EQ(d.status, DecodeStatus::Ok);
    const uint8_t* pal = table.textures[0].Palette.data() + size_t(idx[65]) * 4;
    const uint8_t* p = d.image.pixel(1, 1);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{pal[2], pal[1], pal[0], pal[3]}));
}

TEST(TxdTable, AlphaComesFromTheWordOnDirect3D8AndTheFlagsByteOnDirect3D9) {
    struct Row {
        uint32_t platform, word76;
        uint8_t byte87;
        bool hasAlpha;
        TexFormat format;
    };
    const Row rows[] = {
        {8, 1, 0, true, TexFormat::B8888},   {8, 2, 0, false, TexFormat::B8888},
        {8, 0, 1, false, TexFormat::Dxt1},   {8, 1, 3, true, TexFormat::Dxt3},
        {9, 21, 0, false, TexFormat::B8888}, {9, 21, 1, true, TexFormat::B8888},
        {9, 1, 0, false, TexFormat::Unsupported} /* word 1 is an unknown texel format there, not alpha */,
        {9, 0x35545844, 9, true, TexFormat::Dxt5},
        {9, 0, 0, false, TexFormat::B8888} /* no texel format: the raster format word */,
        {5, 1, 0, false, TexFormat::OtherPlatform} /* another platform: nothing read past its names */,
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.platform * 1000 + row.word76);
        TxdTexture t = TxdTexture::d3d9("t", TexFormat::B8888, 4, 4, level(64, 1));
        t.platform = row.platform;
        t.word76 = row.word76;
        t.byte87 = row.byte87;
        std::vector<uint8_t> bytes = TxdBuilder().add(t).build();
        EntryReader r(bytes);
        TxdTable table = ReadTextureTable(r);
        ASSERT_EQ(table.textures.size(), 1u);
        EXPECT_EQ(table.textures[0].HasAlpha, row.hasAlpha);
        EXPECT_EQ(table.textures[0].Format, row.format);
    }
}

TEST(TxdTable, FormatNamesOfTheHeaderFields) {
    struct Row {
        uint32_t platform, raster, word76;
        uint8_t byte87;
        const char* name;
    };
    const Row rows[] = {
        {8, 0x0200, 0, 1, "DXT1"},  {8, 0x0300, 1, 3, "DXT3"}, {8, 0x0100, 0, 0, "1555"}, {8, 0x0200, 0, 0, "565"},
        {8, 0x0300, 0, 0, "4444"},  {8, 0x0400, 0, 0, "LUM8"}, {8, 0x0500, 0, 0, "8888"}, {8, 0x0600, 0, 0, "888"},
        {8, 0x0A00, 0, 0, "555"},   {8, 0x2500, 0, 0, "PAL8"}, {8, 0x4500, 0, 0, "PAL4"}, {8, 0x0500, 0, 7, "unknown"},
        {8, 0x0700, 0, 0, "unknown"}, {8, 0, 0, 0, "unknown"},
        {9, 0, 0x31545844, 8, "DXT1"}, {9, 0, 0x33545844, 8, "DXT3"}, {9, 0, 0x35545844, 8, "DXT5"},
        {9, 0, 21, 0, "8888"},      {9, 0, 22, 0, "888"},      {9, 0, 23, 0, "565"},      {9, 0, 25, 0, "1555"},
        {9, 0, 24, 0, "555"},       {9, 0, 26, 0, "4444"},      {9, 0, 50, 0, "LUM8"},     {9, 0x2500, 41, 0, "PAL8"}, {9, 0x4500, 41, 0, "PAL4"},
        {8, 0x0300, 1, 2, "DXT2"},  {8, 0x0300, 1, 4, "DXT4"},  {9, 0, 0x32545844, 9, "DXT2"}, {9, 0, 0x34545844, 9, "DXT4"},
        {9, 0x0500, 0x31495441, 8, "D3D format 0x31495441 (ATI1)"}, {9, 0x0100, 7, 0, "D3D format 0x00000007"},
        {0x00325350, 0x0300, 0x34545844, 4, "PS2"}, {5, 0x0300, 0, 5, "Xbox"}, {6, 0, 0, 0, "GameCube"},
        {11, 0x0500, 21, 0, "platform 0xB"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(headerFormatName(r.platform, r.raster, r.word76, r.byte87), r.name)
            << r.platform << " " << std::hex << r.raster << " " << r.word76 << " " << int(r.byte87);
}

// 16-bit texels as stored, low byte first.
std::vector<uint8_t> texels16(std::initializer_list<uint16_t> values) {
    std::vector<uint8_t> out;
    for (uint16_t v : values) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    return out;
}

std::array<int, 4> pixelAt(const Image& img, int x, int y) {
    const uint8_t* p = img.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

TEST(TxdTable, Direct3D9X1R5G5B5IsOpaqueFiveFiveFive) {
    // The top bit is padding: a set bit must not read as alpha, a clear one not as transparent.
    TxdTexture x555 = TxdTexture::d3d9("x555", TexFormat::B555, 2, 2, texels16({0x0443, 0x8000, 0x7C00, 0xFFFF}));
    // A raster word of 1555 beside it: the Direct3D texel format decides, not the raster word.
    x555.rasterFormat = 0x0100;
    std::vector<uint8_t> bytes = TxdBuilder().add(x555).build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    ASSERT_EQ(table.textures.size(), 1u);
    const TTexRec& t = table.textures[0];
    EXPECT_EQ(t.AlphaWord, 24u);
    EXPECT_EQ(t.Format, TexFormat::B555);
    EXPECT_STREQ(formatName(t.Format), "555");

    DecodeResult colour = DecodeTexture(r, t, 2, 2, TextureMode::Colour);
    ASSERT_EQ(colour.status, DecodeStatus::Ok) << colour.message();
    EXPECT_EQ(pixelAt(colour.image, 0, 0), (std::array<int, 4>{25, 16, 8, 255}));  // R=1, G=2, B=3
    EXPECT_EQ(pixelAt(colour.image, 1, 0), (std::array<int, 4>{0, 0, 0, 255}));
    EXPECT_EQ(pixelAt(colour.image, 0, 1), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(pixelAt(colour.image, 1, 1), (std::array<int, 4>{255, 255, 255, 255}));
    DecodeResult mask = DecodeTexture(r, t, 2, 2, TextureMode::AlphaMask);
    ASSERT_EQ(mask.status, DecodeStatus::Ok);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pixelAt(mask.image, i % 2, i / 2)[3], 255) << i;
}

TEST(TxdTable, Direct3D9FormatZeroFallsBackToTheRasterWordAndAnUnknownOneIsRefused) {
    struct Row {
        const char* what;
        uint32_t raster, word76;
        std::vector<uint8_t> level;  // 2 x 1 texels
        TexFormat format;            // as read from the header
        DecodeStatus status;
        std::array<int, 4> first;    // first texel when decoded
        const char* message = "Unsupported texture format";
    };
    const Row rows[] = {
        {"1555 raster word", 0x0100, 0, texels16({0x7C00, 0x801F}), TexFormat::B1555, DecodeStatus::Ok,
         {0, 0, 255, 0}},
        {"565 raster word", 0x0200, 0, texels16({0xF800, 0}), TexFormat::B565, DecodeStatus::Ok, {0, 0, 255, 255}},
        {"555 raster word", 0x0A00, 0, texels16({0x0443, 0}), TexFormat::B555, DecodeStatus::Ok, {25, 16, 8, 255}},
        {"no raster layout: byte count, 32 bits", 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}, TexFormat::Unknown,
         DecodeStatus::Ok, {1, 2, 3, 4}},
        {"raster layout we do not draw", 0x0700, 0, texels16({1, 2}), TexFormat::Unsupported,
         DecodeStatus::Unsupported, {}},
        {"unknown FOURCC", 0x0100, 0x31495441, texels16({1, 2}), TexFormat::Unsupported, DecodeStatus::Unsupported,
         {}, "Unsupported texture format: D3D format 0x31495441 (ATI1)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TxdTexture tex = TxdTexture::d3d9("t", TexFormat::B8888, 2, 1, row.level);
        tex.rasterFormat = row.raster;
        tex.word76 = row.word76;
        std::vector<uint8_t> bytes = TxdBuilder().add(tex).build();
        EntryReader r(bytes);
        TxdTable table = ReadTextureTable(r);
        ASSERT_EQ(table.textures.size(), 1u);
        EXPECT_EQ(table.textures[0].Format, row.format);
        DecodeResult d = DecodeTexture(r, table.textures[0], 2, 1, TextureMode::Colour);
        ASSERT_EQ(d.status, row.status) << d.message();
        if (row.status == DecodeStatus::Ok) {
            EXPECT_EQ(pixelAt(d.image, 0, 0), row.first);
        } else {
            EXPECT_EQ(d.message(), row.message);
        }
    }
}

// libsquish writes the DXT5 / DXT3 blocks of premultiplied colour (no tool at hand writes a
// DXT4 or DXT2 header). A row of texels: (132, 81, 41) at the case's alpha, then at alpha 0.
// Divided back: 41, 81, 132 times 255 / alpha, rounded, held to 255.
TEST(TxdTable, PremultipliedDxtColourIsDividedBackByAlpha) {
    struct Row { uint32_t platform, word76; uint8_t byte87, alpha; int squishFlags; std::array<int, 4> divided; };
    const Row rows[] = {{9, 0x34545844, 9, 128, squish::kDxt5, {82, 161, 255, 128}},  // Direct3D 9 DXT4
                        {8, 1, 2, 136, squish::kDxt3, {77, 152, 248, 136}}};         // Direct3D 8 DXT2
    for (const Row& row : rows) {
        const uint8_t texels[16] = {132, 81, 41, row.alpha, 132, 81, 41, 0, 255, 255, 255, 255, 255, 255, 255, 255};
        uint8_t rgba[64];
        for (int y = 0; y < 4; ++y) std::copy(texels, texels + 16, rgba + 16 * y);
        TxdTexture tex = TxdTexture::d3d9("p", TexFormat::Dxt5, 4, 4, std::vector<uint8_t>(16), true);
        squish::Compress(rgba, tex.level.data(), row.squishFlags);
        std::tie(tex.platform, tex.word76, tex.byte87) = std::tuple(row.platform, row.word76, row.byte87);
        EntryReader r{TxdBuilder().add(tex).build()};
        DecodeResult d = DecodeTexture(r, ReadTextureTable(r).textures.at(0), 4, 4, TextureMode::Colour);
        ASSERT_EQ(d.status, DecodeStatus::Ok) << d.message();
        EXPECT_EQ(pixelAt(d.image, 0, 3), row.divided);
        EXPECT_EQ(pixelAt(d.image, 1, 3), (std::array<int, 4>{41, 81, 132, 0})) << "alpha 0 keeps its colour";
    }
}

TEST(TxdTable, RasterOfAnotherPlatformIsNamedSteppedOverAndNotDecoded) {
    TxdTexture ps2 = TxdTexture::d3d9("ps2tex", TexFormat::B8888, 4, 4, level(64, 1), true);
    ps2.platform = kPlatformPS2;
    const std::vector<uint8_t> after = level(64, 2);
    EntryReader r{TxdBuilder().add(ps2).add(TxdTexture::d3d9("after", TexFormat::B8888, 4, 4, after)).build()};
    TxdTable table = ReadTextureTable(r);
    ASSERT_EQ(table.textures.size(), 2u) << table.error;
    const TTexRec& t = table.textures[0];
    EXPECT_EQ(std::tie(t.Name, t.MaskName, t.Format), std::tuple("ps2tex", "ps2texa", TexFormat::OtherPlatform));
    EXPECT_EQ(t.Width + t.Height + t.DataOffset + t.DataSize, 0u) << "its sizes are not read";
    EXPECT_EQ(textureInfo(t).format, "PS2");
    EXPECT_EQ(DecodeTexture(r, t, 4, 4, TextureMode::Colour).message(), "Unsupported texture platform: PS2");
    EXPECT_EQ(DecodeTexture(r, table.textures[1], 4, 4, TextureMode::Colour).image.bgra, after);
}

TEST(TxdTable, EmptyDictionaryHasNoTexturesAndNoError) {
    std::vector<uint8_t> bytes = TxdBuilder().build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    EXPECT_EQ(table.announcedCount, 0);
    EXPECT_TRUE(table.countRead);
    EXPECT_TRUE(table.textures.empty());
    EXPECT_EQ(table.error, "");
}

TEST(TxdTable, TruncatedDictionaryKeepsTheTexturesBeforeTheFailure) {
    std::vector<uint8_t> bytes = mixedDictionary().build();
    EntryReader whole(bytes);
    const TTexRec third = ReadTextureTable(whole).textures[2];
    // cut inside the fourth texture's fixed part
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(third.DataOffset + third.DataSize + 12 + 12 + 12 + 40));
    EntryReader r(cut);
    TxdTable table = ReadTextureTable(r);
    char fourth[80];  // after the third's pixels and its empty extension
    std::snprintf(fourth, sizeof fourth, "Texture Native at 0x%llX: runs past the end of the entry",
                  static_cast<unsigned long long>(third.DataOffset + third.DataSize + 12));
    EXPECT_EQ(table.error, fourth);
    EXPECT_EQ(table.announcedCount, 16);
    ASSERT_EQ(table.textures.size(), 3u);
    EXPECT_EQ(table.textures[2], third);
}

TEST(TxdTable, CountBeyondTheTexturesEndsAtTheEntryEnd) {
    std::vector<uint8_t> bytes =
        TxdBuilder().add(TxdTexture::d3d9("one", TexFormat::Dxt1, 4, 4, level(8, 1))).count(65535).build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    EXPECT_EQ(table.announcedCount, 65535);
    EXPECT_EQ(table.textures.size(), 1u);
    char end[80];
    std::snprintf(end, sizeof end, "Texture Native at 0x%zX: not found before the end of the entry", bytes.size());
    EXPECT_EQ(table.error, end);
}

TEST(TxdTable, NamesFillAllThirtyTwoBytesWithoutATerminator) {
    TxdTexture t = TxdTexture::d3d9(std::string(32, 'n'), TexFormat::Dxt1, 4, 4, level(8, 1));
    t.mask = std::string(32, 'm');
    std::vector<uint8_t> bytes = TxdBuilder().add(t).build();
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    ASSERT_EQ(table.textures.size(), 1u);
    EXPECT_EQ(table.textures[0].Name, std::string(32, 'n'));
    EXPECT_EQ(table.textures[0].MaskName, std::string(32, 'm'));
}

TEST(TxdTable, InsideAnArchiveDataPosCountsFromTheFileAndTheNextEntryIsNotRead) {
    TempDir dir;
    std::vector<uint8_t> txd = TxdBuilder().add(TxdTexture::d3d9("a", TexFormat::Dxt1, 4, 4, level(8, 5))).build();
    std::vector<uint8_t> broken(txd.begin(), txd.begin() + 40);  // stops inside the first native chunk
    ImgBuilder().add("broken.txd", broken).at(1).add("good.txd", txd).at(2).writeV2(dir.file("a.img"));
    BinaryFile f = BinaryFile::openRead(dir.file("a.img"));
    EntryReader good(f, 2 * 2048, 2048);
    TxdTable table = ReadTextureTable(good);
    ASSERT_EQ(table.textures.size(), 1u);
    EXPECT_EQ(table.textures[0].DataPos, 2 * 2048 + table.textures[0].DataOffset);
    EntryReader bad(f, 1 * 2048, broken.size());
    TxdTable none = ReadTextureTable(bad);
    EXPECT_TRUE(none.textures.empty());
    EXPECT_EQ(none.error, "Struct at 0x28: not found before the end of the entry");
}

// Reading and decoding any damaged dictionary ends, without a crash, with whatever it holds.
void readAndDecodeAll(const std::vector<uint8_t>& bytes) {
    EntryReader r(bytes);
    TxdTable table = ReadTextureTable(r);
    EXPECT_LE(table.textures.size(), size_t(table.announcedCount));
    for (const TTexRec& t : table.textures) {
        for (TextureMode m : {TextureMode::Colour, TextureMode::AlphaMask, TextureMode::Checker}) {
            DecodeResult d = DecodeTexture(r, t, 48, 48, m);
            if (d.status == DecodeStatus::Ok) {
                EXPECT_EQ(d.image.bgra.size(), 48u * 48u * 4u);
            } else {
                EXPECT_TRUE(d.image.empty());
            }
        }
    }
}

TEST(TxdTableRobustness, EveryTruncationEndsCleanly) {
    std::vector<uint8_t> bytes = mixedDictionary().build();
    for (size_t n = 0; n <= bytes.size(); n += (n < 400 ? 1 : 7)) {
        SCOPED_TRACE(n);
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
        readAndDecodeAll(cut);
    }
}

TEST(TxdTableRobustness, SeededBitFlipsEndCleanly) {
    std::vector<uint8_t> bytes = mixedDictionary().build();
    std::mt19937 rng(20261208);
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> damaged = bytes;
        const int flips = 1 + int(rng() % 8);
        for (int i = 0; i < flips; ++i) {
            // Mostly in the headers, where a flip changes sizes and counts.
            const size_t at = (rng() % 4 != 0) ? rng() % 600 : rng() % damaged.size();
            damaged[at % damaged.size()] ^= uint8_t(1u << (rng() % 8));
        }
        SCOPED_TRACE(round);
        readAndDecodeAll(damaged);
    }
}

}  // namespace
