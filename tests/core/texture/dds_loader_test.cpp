#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/io/errors.h"
#include "core/texture/dds_loader.h"
#include "support/dds_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"
#include "support/error_of.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bgra = std::array<int, 4>;

LoadedImage load(const DdsFile& s) {
    EntryReader r(buildDds(s));
    return LoadDds(r);
}

Bgra px(const Image& img, int x, int y) {
    const uint8_t* p = img.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

std::string errorOf(const std::vector<uint8_t>& bytes) {
    return testing_support::errorOf([&] {
        EntryReader r(bytes);
        LoadDds(r);
    });
}

TEST(DdsLoader, Dxt1BlocksIncludingTheThreeColourMode) {
    std::vector<uint8_t> blocks = dxtColourBlock(0xF800, 0x001F, 0xE4E4E4E4u);
    std::vector<uint8_t> b2 = dxtColourBlock(0x001F, 0xF800, 0xE4E4E4E4u);
    blocks.insert(blocks.end(), b2.begin(), b2.end());
    LoadedImage img = load(DdsFile::dxt("DXT1", 8, 4, blocks));
    ASSERT_EQ(img.image.width, 8);
    ASSERT_EQ(img.image.height, 4);
    EXPECT_EQ(px(img.image, 2, 1), (Bgra{85, 0, 170, 255}));
    EXPECT_EQ(px(img.image, 6, 1), (Bgra{127, 0, 127, 255}));
    EXPECT_EQ(px(img.image, 7, 3), (Bgra{0, 0, 0, 0}));
    EXPECT_TRUE(img.hasAlpha) << "a transparent texel gives the picture alpha";
    LoadedImage opaque = load(DdsFile::dxt("DXT1", 4, 4, dxtColourBlock(0xF800, 0x001F, 0u)));
    EXPECT_FALSE(opaque.hasAlpha);
}

TEST(DdsLoader, Dxt3AndDxt5CarryAlpha) {
    uint8_t a4[16] = {15, 0};
    uint8_t codes[16] = {0, 1, 6, 7};
    LoadedImage d3 = load(DdsFile::dxt("DXT3", 4, 4, dxt3Block(a4, dxtColourBlock(0xFFFF, 0, 0u))));
    EXPECT_EQ(px(d3.image, 0, 0), (Bgra{255, 255, 255, 255}));
    EXPECT_EQ(px(d3.image, 1, 0)[3], 0);
    EXPECT_TRUE(d3.hasAlpha);
    LoadedImage d5 = load(DdsFile::dxt("DXT5", 4, 4, dxt5Block(10, 20, codes, dxtColourBlock(0, 0, 0u))));
    EXPECT_EQ(px(d5.image, 0, 0)[3], 10);
    EXPECT_EQ(px(d5.image, 1, 0)[3], 20);
    EXPECT_EQ(px(d5.image, 2, 0)[3], 0);
    EXPECT_EQ(px(d5.image, 3, 0)[3], 255);
    EXPECT_TRUE(d5.hasAlpha);
}

TEST(DdsLoader, UncompressedPixelsAreReadByTheirMasks) {
    LoadedImage argb = load(DdsFile::argb32(2, 1, {1, 2, 3, 4, 50, 60, 70, 80}));
    EXPECT_EQ(px(argb.image, 0, 0), (Bgra{1, 2, 3, 4}));
    EXPECT_EQ(px(argb.image, 1, 0), (Bgra{50, 60, 70, 80}));
    EXPECT_TRUE(argb.hasAlpha);

    DdsFile noAlphaFlag = DdsFile::argb32(1, 1, {1, 2, 3, 4});
    noAlphaFlag.pixelFlags = 0x40;  // the alpha mask is there but not switched on
    LoadedImage x = load(noAlphaFlag);
    EXPECT_EQ(px(x.image, 0, 0), (Bgra{1, 2, 3, 255}));
    EXPECT_FALSE(x.hasAlpha);

    // 5:6:5 white is white (255, not 248 and 252), half values round
    LoadedImage rgb = load(DdsFile::rgb565(2, 1, {0xFF, 0xFF, 0x10, 0x84}));  // 0xFFFF, 0x8410
    EXPECT_EQ(px(rgb.image, 0, 0), (Bgra{255, 255, 255, 255}));
    EXPECT_EQ(px(rgb.image, 1, 0), (Bgra{132, 130, 132, 255}));

    DdsFile bgr24;
    bgr24.width = 1;
    bgr24.height = 2;
    bgr24.pixelFlags = 0x40;
    bgr24.bits = 24;
    bgr24.masks[0] = 0xFF0000;
    bgr24.masks[1] = 0x00FF00;
    bgr24.masks[2] = 0x0000FF;
    bgr24.data = {9, 8, 7, 6, 5, 4};
    LoadedImage p24 = load(bgr24);
    EXPECT_EQ(px(p24.image, 0, 1), (Bgra{6, 5, 4, 255}));
}

TEST(DdsLoader, OnlyTheTopLevelIsRead) {
    std::vector<uint8_t> data = dxtColourBlock(0xF800, 0xF800, 0u);
    std::vector<uint8_t> mip = dxtColourBlock(0x001F, 0x001F, 0u);
    data.insert(data.end(), mip.begin(), mip.end());
    LoadedImage img = load(DdsFile::dxt("DXT1", 4, 4, data));
    EXPECT_EQ(px(img.image, 3, 3), (Bgra{0, 0, 255, 255}));
}

TEST(DdsLoader, RefusedFilesGiveTheLoaderTexts) {
    DdsFile ok = DdsFile::dxt("DXT1", 4, 4, std::vector<uint8_t>(8));
    DdsFile badMagic = ok;
    badMagic.magic = "DDS_";
    DdsFile noTexture = ok;
    noTexture.caps = 0x8;
    DdsFile ati2 = DdsFile::dxt("ATI2", 4, 4, std::vector<uint8_t>(16));
    DdsFile dx10 = DdsFile::dxt("DX10", 4, 4, std::vector<uint8_t>(16));
    DdsFile zeroBits = DdsFile::argb32(1, 1, {1, 2, 3, 4});
    zeroBits.bits = 0;
    DdsFile huge = DdsFile::argb32(100000, 1, {});
    DdsFile shortData = DdsFile::dxt("DXT5", 8, 8, std::vector<uint8_t>(63));
    DdsFile hostile = DdsFile::argb32(16384, 16384, {1, 2, 3, 4});
    const std::vector<uint8_t> okBytes = buildDds(ok);
    struct Row {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* text;
    };
    const std::vector<Row> rows = {
        {"magic", buildDds(badMagic), "Invalid DDS file"},
        {"header cut short", std::vector<uint8_t>(okBytes.begin(), okBytes.begin() + 100), "Invalid DDS file"},
        {"empty", {}, "Invalid DDS file"},
        {"caps", buildDds(noTexture), "Unsupported DDSCAPS settings"},
        {"ATI2", buildDds(ati2), "Unsupported compression type: ATI2"},
        {"DX10", buildDds(dx10), "Unsupported compression type: DX10"},
        {"bit count", buildDds(zeroBits), "Invalid DDS file"},
        {"width", buildDds(huge), "Invalid DDS file"},
        {"short pixels", buildDds(shortData), "Read beyond end of file"},
        {"1 GiB claimed, 4 bytes there", buildDds(hostile), "Read beyond end of file"},
    };
    for (const auto& r : rows) EXPECT_EQ(errorOf(r.bytes), r.text) << r.what;
}

TEST(DdsLoader, ZeroSizeGivesAnEmptyPicture) {
    LoadedImage img = load(DdsFile::dxt("DXT1", 0, 16, {}));
    EXPECT_TRUE(img.image.empty());
}

TEST(DdsLoaderRobustness, TruncationsAndBitFlipsEndCleanly) {
    uint8_t codes[16] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7};
    const std::vector<std::vector<uint8_t>> files = {
        buildDds(DdsFile::dxt("DXT5", 8, 8, repeatBlock(dxt5Block(3, 200, codes, dxtColourBlock(1, 2, 0x1234u)), 4))),
        buildDds(DdsFile::argb32(4, 4, pattern(64, 2))),
    };
    std::mt19937 rng(7);
    for (const auto& file : files) {
        ASSERT_EQ(errorOf(file), "");
        // A cut header is no DDS file; a cut surface is read beyond the end.
        for (size_t n = 0; n < file.size(); ++n) {
            std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
            EXPECT_EQ(errorOf(cut), n < 128 ? "Invalid DDS file" : "Read beyond end of file") << "cut at " << n;
        }
        for (int round = 0; round < 300; ++round) {
            std::vector<uint8_t> d = file;
            for (int i = 0; i < 4; ++i) d[(rng() % 2 ? rng() % 128 : rng() % d.size())] ^= uint8_t(1u << (rng() % 8));
            errorOf(d);
        }
    }
}

}  // namespace
