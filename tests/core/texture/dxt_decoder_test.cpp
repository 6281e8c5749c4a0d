#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/texture/dxt_decoder.h"
#include "core/texture/rounding.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Texels = std::array<uint8_t, 64>;
using Rgba = std::array<int, 4>;

Texels decode(DxtKind k, const std::vector<uint8_t>& block) {
    Texels t{};
    decodeDxtBlock(k, block.data(), t.data());
    return t;
}

// red, green, blue, alpha of texel (i, j)
Rgba at(const Texels& t, int i, int j) {
    const uint8_t* p = &t[size_t(j * 4 + i) * 4];
    return {p[2], p[1], p[0], p[3]};
}

TEST(DxtColour, FourColourBlockGivesTheTwoEndsAndTheThirds) {
    // codes 0, 1, 2, 3 in block columns 0..3 of every row
    Texels t = decode(DxtKind::Dxt1, dxtColourBlock(0xF800, 0x001F, 0xE4E4E4E4u));
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(at(t, 0, j), (Rgba{255, 0, 0, 255}));
        EXPECT_EQ(at(t, 1, j), (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(at(t, 2, j), (Rgba{170, 0, 85, 255}));
        EXPECT_EQ(at(t, 3, j), (Rgba{85, 0, 170, 255}));
    }
}

TEST(DxtColour, Dxt1WithFirstColourNotGreaterUsesThreeColoursAndTransparency) {
    for (uint16_t c1 : {uint16_t(0xF800), uint16_t(0x001F)}) {
        SCOPED_TRACE(c1);
        Texels t = decode(DxtKind::Dxt1, dxtColourBlock(0x001F, c1, 0xE4E4E4E4u));
        const int r1 = c1 == 0xF800 ? 255 : 0, b1 = c1 == 0xF800 ? 0 : 255;
        EXPECT_EQ(at(t, 0, 2), (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(at(t, 1, 2), (Rgba{r1, 0, b1, 255}));
        // half way: 15.5 * 8.2258 = 127.4999 for red and blue (blue 31 * 8.2258 -> 255 when equal)
        EXPECT_EQ(at(t, 2, 2), c1 == 0xF800 ? (Rgba{127, 0, 127, 255}) : (Rgba{0, 0, 255, 255}));
        EXPECT_EQ(at(t, 3, 2), (Rgba{0, 0, 0, 0}));
    }
}

TEST(DxtColour, Dxt3AndDxt5ColourBlocksAlwaysUseFourColours) {
    const uint8_t zero[16] = {};
    for (DxtKind k : {DxtKind::Dxt3, DxtKind::Dxt5}) {
        std::vector<uint8_t> colour = dxtColourBlock(0x001F, 0xF800, 0xE4E4E4E4u);
        Texels t = decode(k, k == DxtKind::Dxt3 ? dxt3Block(zero, colour) : dxt5Block(0, 0, zero, colour));
        EXPECT_EQ((std::array<int, 3>{at(t, 2, 0)[0], at(t, 2, 0)[1], at(t, 2, 0)[2]}),
                  (std::array<int, 3>{85, 0, 170}));
        EXPECT_EQ((std::array<int, 3>{at(t, 3, 0)[0], at(t, 3, 0)[1], at(t, 3, 0)[2]}),
                  (std::array<int, 3>{170, 0, 85}));
    }
}

TEST(DxtColour, ChannelsUseTheScaleConstantsAndRoundToNearest) {
    struct Row {
        uint32_t f0, f1;
        float w;
        bool six;
        int expected;
    };
    const Row rows[] = {
        {31, 0, 1.0f, false, 255},  // 31 * 8.2258 = 254.9998
        {63, 0, 1.0f, true, 255},   // 63 * 4.0476 = 254.9988
        {16, 0, 1.0f, false, 132},  // 131.61
        {32, 0, 1.0f, true, 130},   // 129.52
        {10, 3, float(2.0 / 3.0), false, 63},
        {40, 20, float(1.0 / 3.0), true, 108},  // 107.936: rounded, not cut
        {0, 0, 0.5f, false, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(dxtChannel(r.f0, r.f1, r.w, r.six), r.expected) << r.f0 << " " << r.f1;
}

TEST(DxtColour, HalvesRoundToEven) {
    EXPECT_EQ(roundHalfEvenByte(2.5f), 2);
    EXPECT_EQ(roundHalfEvenByte(3.5f), 4);
    EXPECT_EQ(roundHalfEvenByte(254.5f), 254);
    EXPECT_EQ(roundHalfEvenByte(2.5001f), 3);
    EXPECT_EQ(roundHalfEvenByte(-1.0f), 0);
    EXPECT_EQ(roundHalfEvenByte(300.0f), 255);
}

TEST(DxtAlpha, Dxt3HoldsFourBitsPerTexelLowNibbleFirst) {
    uint8_t a[16];
    for (int k = 0; k < 16; ++k) a[k] = uint8_t(k);
    Texels t = decode(DxtKind::Dxt3, dxt3Block(a, dxtColourBlock(0xFFFF, 0, 0u)));
    for (int k = 0; k < 16; ++k) EXPECT_EQ(t[size_t(k) * 4 + 3], k * 17) << k;
}

TEST(DxtAlpha, Dxt5InterpolatesInSevenths) {
    uint8_t codes[16];
    for (int k = 0; k < 16; ++k) codes[k] = uint8_t(k % 8);
    Texels t = decode(DxtKind::Dxt5, dxt5Block(255, 0, codes, dxtColourBlock(0, 0, 0u)));
    const int expected[8] = {255, 0, 219, 182, 146, 109, 73, 36};
    for (int k = 0; k < 16; ++k) EXPECT_EQ(t[size_t(k) * 4 + 3], expected[k % 8]) << k;
    t = decode(DxtKind::Dxt5, dxt5Block(10, 0, codes, dxtColourBlock(0, 0, 0u)));
    EXPECT_EQ(t[2 * 4 + 3], 9) << "60 / 7 = 8.57 rounds to 9";
}

TEST(DxtAlpha, Dxt5SixAlphaModeHasFifthsAndFixedEnds) {
    uint8_t codes[16];
    for (int k = 0; k < 16; ++k) codes[k] = uint8_t(k % 8);
    Texels t = decode(DxtKind::Dxt5, dxt5Block(0, 255, codes, dxtColourBlock(0, 0, 0u)));
    const int expected[8] = {0, 255, 51, 102, 153, 204, 0, 255};
    for (int k = 0; k < 16; ++k) EXPECT_EQ(t[size_t(k) * 4 + 3], expected[k % 8]) << k;
    t = decode(DxtKind::Dxt5, dxt5Block(0, 7, codes, dxtColourBlock(0, 0, 0u)));
    EXPECT_EQ(t[2 * 4 + 3], 1);
    EXPECT_EQ(t[3 * 4 + 3], 3) << "14 / 5 = 2.8 rounds to 3";
    t = decode(DxtKind::Dxt5, dxt5Block(40, 40, codes, dxtColourBlock(0, 0, 0u)));
    EXPECT_EQ(t[4 * 4 + 3], 40) << "equal ends take the six-alpha mode";
    EXPECT_EQ(t[7 * 4 + 3], 255);
}

TEST(DxtSurface, PartialEdgeBlocksCountWholeAndOnlyTheirTexelsAreKept) {
    EXPECT_EQ(dxtSurfaceBytes(DxtKind::Dxt1, 64, 64), 2048u);
    EXPECT_EQ(dxtSurfaceBytes(DxtKind::Dxt5, 6, 2), 32u);
    EXPECT_EQ(dxtSurfaceBytes(DxtKind::Dxt1, 1, 1), 8u);
    // 6 x 2: two blocks, the second only two columns wide
    std::vector<uint8_t> data = dxtColourBlock(0xF800, 0xF800, 0u);
    std::vector<uint8_t> b2 = dxtColourBlock(0x001F, 0x001F, 0u);
    data.insert(data.end(), b2.begin(), b2.end());
    std::vector<uint8_t> out(6 * 2 * 4);
    decodeDxtSurface(DxtKind::Dxt1, data.data(), 6, 2, out.data());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint8_t* p = &out[size_t(y * 6 + x) * 4];
            EXPECT_EQ(p[2], x < 4 ? 255 : 0);
            EXPECT_EQ(p[0], x < 4 ? 0 : 255);
        }
}

// Whole blocks go straight into the rows, edge blocks through a block of their own: either
// way each texel is its block's, and a pitch wider than the picture leaves the bytes between
// rows alone.
TEST(DxtSurface, EveryTexelIsItsBlocksWhateverTheSizeAndPitch) {
    std::mt19937 rng(5);
    for (DxtKind k : {DxtKind::Dxt1, DxtKind::Dxt3, DxtKind::Dxt5}) {
        for (auto [w, h] : {std::pair<uint32_t, uint32_t>{8, 8}, {9, 6}, {3, 13}, {1, 1}}) {
            SCOPED_TRACE(std::to_string(int(k)) + ": " + std::to_string(w) + " x " + std::to_string(h));
            std::vector<uint8_t> data(size_t(dxtSurfaceBytes(k, w, h)));
            for (auto& v : data) v = uint8_t(rng());
            const size_t pitch = w * 4 + 12;
            std::vector<uint8_t> out(pitch * h, 0xEE), packed(size_t(w) * h * 4);
            decodeDxtSurface(k, data.data(), w, h, out.data(), pitch);
            decodeDxtSurface(k, data.data(), w, h, packed.data());
            const uint32_t across = (w + 3) / 4;
            for (uint32_t y = 0; y < h; ++y) {
                for (uint32_t x = 0; x < w; ++x) {
                    uint8_t block[64];
                    decodeDxtBlock(k, data.data() + (size_t(y / 4) * across + x / 4) * dxtBlockBytes(k), block);
                    const uint8_t* want = block + ((y % 4) * 4 + x % 4) * 4;
                    ASSERT_EQ(std::memcmp(out.data() + y * pitch + x * 4, want, 4), 0) << x << "," << y;
                    ASSERT_EQ(std::memcmp(packed.data() + (size_t(y) * w + x) * 4, want, 4), 0) << x << "," << y;
                }
                EXPECT_EQ(std::vector<uint8_t>(out.begin() + long(y * pitch + w * 4), out.begin() + long((y + 1) * pitch)),
                          std::vector<uint8_t>(12, 0xEE));
            }
        }
    }
}

}  // namespace
