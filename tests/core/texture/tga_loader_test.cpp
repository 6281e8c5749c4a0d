#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/io/errors.h"
#include "core/texture/tga_loader.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/error_of.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// A 5 x 3 picture with runs (row 0 all one colour, crossing into row 1) and distinct pixels.
std::vector<uint8_t> picture() {
    std::vector<uint8_t> p;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool run = y == 0 || (y == 1 && x < 2);
            p.push_back(uint8_t(run ? 9 : x * 40));
            p.push_back(uint8_t(run ? 9 : y * 50));
            p.push_back(uint8_t(run ? 9 : 200));
            p.push_back(uint8_t(run ? 128 : x + y * 5));
        }
    return p;
}

TgaFile sampleTga(uint8_t type, uint8_t bits, bool topLeft) {
    TgaFile s;
    s.imageType = type;
    s.bits = bits;
    s.topLeft = topLeft;
    s.width = 5;
    s.height = 3;
    s.id = "made by a test";
    s.bgra = picture();
    return s;
}

std::string errorOf(const std::vector<uint8_t>& bytes) {
    return testing_support::errorOf([&] {
        EntryReader r(bytes);
        LoadTga(r);
    });
}

struct TgaCase {
    uint8_t type, bits;
    bool topLeft;
};

class TgaPictureTest : public ::testing::TestWithParam<TgaCase> {};

TEST_P(TgaPictureTest, GivesThePictureTopRowFirst) {
    const TgaCase c = GetParam();
    EntryReader r(buildTga(sampleTga(c.type, c.bits, c.topLeft)));
    LoadedImage img = LoadTga(r);
    ASSERT_EQ(img.image.width, 5);
    ASSERT_EQ(img.image.height, 3);
    EXPECT_EQ(img.hasAlpha, c.bits == 32);
    std::vector<uint8_t> expected = picture();
    if (c.bits == 24)
        for (size_t i = 3; i < expected.size(); i += 4) expected[i] = 255;
    EXPECT_EQ(img.image.bgra, expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TgaPictureTest,
                         ::testing::Values(TgaCase{2, 24, false}, TgaCase{2, 32, false}, TgaCase{2, 24, true},
                                           TgaCase{2, 32, true}, TgaCase{10, 24, false}, TgaCase{10, 32, false},
                                           TgaCase{10, 24, true}, TgaCase{10, 32, true}));

TEST(TgaLoader, RunLengthPacketsAreWhatTheBuilderWrote) {
    // The builder's packets for a top-left 24-bit picture: a run of 7 (row 0 and two pixels of
    // row 1) followed by raw pixels.
    std::vector<uint8_t> bytes = buildTga(sampleTga(10, 24, true));
    const size_t body = 18 + 14;
    EXPECT_EQ(bytes[body], 0x80 | 6);
    EXPECT_EQ(bytes[body + 4] & 0x80, 0);
}

TEST(TgaLoader, TypeZeroAndZeroSizeGiveAnEmptyPicture) {
    TgaFile s = sampleTga(0, 24, false);
    EntryReader r(buildTga(s));
    EXPECT_TRUE(LoadTga(r).image.empty());
    TgaFile noDepth = sampleTga(0, 24, false);
    noDepth.bits = 0;
    EntryReader r1(buildTga(noDepth));
    EXPECT_TRUE(LoadTga(r1).image.empty());
    TgaFile z = sampleTga(2, 32, false);
    z.width = 0;
    EntryReader r2(buildTga(z));
    EXPECT_TRUE(LoadTga(r2).image.empty());
}

TEST(TgaLoader, RefusedFilesGiveTheLoaderTexts) {
    TgaFile mapped = sampleTga(1, 24, false);
    mapped.colourMapType = 1;
    TgaFile sixteen = sampleTga(2, 16, false);
    TgaFile grey = sampleTga(3, 24, false);
    TgaFile rleGrey = sampleTga(11, 32, false);
    TgaFile big = sampleTga(2, 24, false);
    big.width = 20000;
    std::vector<uint8_t> cut = buildTga(sampleTga(2, 32, false));
    cut.resize(cut.size() - 1);
    std::vector<uint8_t> cutRle = buildTga(sampleTga(10, 24, true));
    cutRle.resize(cutRle.size() - 2);
    TgaFile hostile = sampleTga(10, 24, false);
    hostile.width = 16384;
    hostile.height = 16384;
    std::vector<uint8_t> hostileBytes = buildTga(hostile);  // 1 GiB of pixels from a few bytes
    hostileBytes.insert(hostileBytes.end(), {0xFF, 1, 2, 3});
    struct Row {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* text;
    };
    const std::vector<Row> rows = {
        {"colour map", buildTga(mapped), "ColorMapped TGA unsupported"},
        {"16 bits", buildTga(sixteen), "Unsupported TGA ImageType"},
        {"type 3", buildTga(grey), "Unsupported TGA ImageType 3"},
        {"type 11", buildTga(rleGrey), "Unsupported TGA ImageType 11"},
        {"too wide", buildTga(big), "TGA image too large"},
        {"raw cut short", cut, "Read beyond end of file"},
        {"packets cut short", cutRle, "Read beyond end of file"},
        {"header cut short", std::vector<uint8_t>(10, 0), "Read beyond end of file"},
        {"1 GiB claimed", hostileBytes, "Read beyond end of file"},
    };
    for (const auto& r : rows) EXPECT_EQ(errorOf(r.bytes), r.text) << r.what;
}

TEST(TgaLoader, RunPastTheLastPixelIsClipped) {
    TgaFile s = sampleTga(10, 24, true);
    s.width = 2;
    s.height = 1;
    std::vector<uint8_t> bytes = buildTga(s);
    bytes.resize(18 + s.id.size());
    bytes.insert(bytes.end(), {0xFF, 1, 2, 3});  // a run of 128 for a picture of 2
    EntryReader r(bytes);
    LoadedImage img = LoadTga(r);
    EXPECT_EQ(img.image.bgra, (std::vector<uint8_t>{1, 2, 3, 255, 1, 2, 3, 255}));
}

TEST(TgaLoaderRobustness, TruncationsAndBitFlipsEndCleanly) {
    std::mt19937 rng(11);
    for (const TgaFile& s : {sampleTga(2, 32, false), sampleTga(10, 24, true), sampleTga(10, 32, false)}) {
        const std::vector<uint8_t> file = buildTga(s);
        ASSERT_EQ(errorOf(file), "");
        // Every byte of a TGA without a footer is needed: the header, the id and the pixels.
        for (size_t n = 0; n < file.size(); ++n)
            EXPECT_EQ(errorOf(std::vector<uint8_t>(file.begin(), file.begin() + long(n))), "Read beyond end of file")
                << "cut at " << n;
        for (int round = 0; round < 300; ++round) {
            std::vector<uint8_t> d = file;
            for (int i = 0; i < 3; ++i) d[(rng() % 2 ? rng() % 18 : rng() % d.size())] ^= uint8_t(1u << (rng() % 8));
            errorOf(d);
        }
    }
}

}  // namespace
