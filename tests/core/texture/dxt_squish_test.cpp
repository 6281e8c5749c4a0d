// Cross-checks the DXT block decoders against libsquish, an independent decoder, on seeded
// random blocks. Where both follow the same rule they agree bit for bit: DXT3 alpha (nibble
// times 17), DXT5 alpha ends and its fixed 0 / 255 codes, DXT1's transparent black.
// They part by one step in three places, all rounding:
//  - colour ends: libsquish widens 5:6:5 fields by repeating their top bits, ours scales them
//    by 255/31 and 255/63 and rounds, as Direct3D's reference decoder does; the two differ for
//    exactly the fields listed in kWidenedApart, by one, and agree on every other field;
//  - blended colours (thirds, DXT1 half way): libsquish blends the widened ends in integers
//    and truncates, ours blends the fields and rounds;
//  - blended DXT5 alphas: libsquish truncates the sevenths and fifths, ours rounds them.
// Blends are compared within one step per channel; the test also insists that each rule
// really does both meet and part, so a change to either side's rounding gets noticed.
#include <gtest/gtest.h>
#include <squish.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>

#include "core/texture/dxt_decoder.h"

using namespace varmelo;

namespace {

constexpr int kBlocks = 4000;

enum class Texel { Stored, End, Interpolated };

// 5:6:5 field values whose widening by bit repetition is one off the rounded 255/31 or 255/63
// scaling (found by listing all 32 and 64).
constexpr uint32_t kWidenedApart5[] = {3, 7, 24, 28};
constexpr uint32_t kWidenedApart6[] = {11, 12, 13, 14, 15, 48, 49, 50, 51, 52};

bool widenedApart(uint32_t field, bool sixBits) {
    for (uint32_t f : kWidenedApart5)
        if (!sixBits && f == field) return true;
    for (uint32_t f : kWidenedApart6)
        if (sixBits && f == field) return true;
    return false;
}

struct Tally {
    int exactInterpolated = 0;  // interpolated channels that matched exactly
    int offByOne = 0;           // interpolated channels one step apart
    int endsApart = 0;          // colour-end channels one step apart
};

struct Case {
    DxtKind kind;
    int squishFlags;
    uint32_t seed;
    const char* name;
};

std::string where(int block, int texel, int channel) {
    return "block " + std::to_string(block) + " texel " + std::to_string(texel) + " channel " +
           std::to_string(channel);
}

// Random blocks, with every fifth colour block given equal or swapped ends so both DXT1
// modes and the c0 == c1 edge come up often; DXT5 alpha ends likewise.
std::array<uint8_t, 16> randomBlock(std::mt19937& rng, DxtKind kind, int i) {
    std::array<uint8_t, 16> b{};
    for (auto& v : b) v = uint8_t(rng());
    uint8_t* colour = kind == DxtKind::Dxt1 ? b.data() : b.data() + 8;
    if (i % 5 == 0) {
        colour[2] = colour[0];
        colour[3] = colour[1];
    }
    if (kind == DxtKind::Dxt5 && i % 7 == 0) b[1] = b[0];
    return b;
}

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

// Whether texel k's colour is one of the block's stored values (an end, or DXT1's
// transparent black) rather than a blend.
uint32_t colourCode(const uint8_t* colour, int k) {
    return (uint32_t(colour[4]) | uint32_t(colour[5]) << 8 | uint32_t(colour[6]) << 16 |
            uint32_t(colour[7]) << 24) >> (2 * k) & 3;
}

Texel colourKind(DxtKind kind, const uint8_t* colour, int k) {
    const uint32_t code = colourCode(colour, k);
    if (code < 2) return Texel::End;
    const bool threeColour = kind == DxtKind::Dxt1 && u16(colour) <= u16(colour + 2);
    return threeColour && code == 3 ? Texel::Stored : Texel::Interpolated;
}

Texel alphaKind(DxtKind kind, const uint8_t* block, int k) {
    if (kind != DxtKind::Dxt5) return Texel::Stored;
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= uint64_t(block[2 + i]) << (8 * i);
    const uint32_t code = uint32_t(bits >> (3 * k)) & 7;
    if (code < 2) return Texel::Stored;
    if (block[0] <= block[1] && code >= 6) return Texel::Stored;  // the fixed 0 and 255
    return Texel::Interpolated;
}

// The 5:6:5 field of channel 0 (red), 1 (green) or 2 (blue) behind an end texel.
uint32_t endField(const uint8_t* colour, int k, int channel) {
    const uint16_t c = u16(colour + 2 * colourCode(colour, k));
    return channel == 0 ? c >> 11 : channel == 1 ? (c >> 5) & 63 : c & 31;
}

void compareEnd(int ours, int theirs, uint32_t field, int channel, Tally& tally, const std::string& at) {
    if (widenedApart(field, channel == 1)) {
        ASSERT_EQ(std::abs(ours - theirs), 1) << at << " field " << field;
        tally.endsApart++;
    } else {
        ASSERT_EQ(ours, theirs) << at << " field " << field;
    }
}

void compare(int ours, int theirs, Texel kind, Tally& tally, const std::string& at) {
    if (kind == Texel::Stored) {
        ASSERT_EQ(ours, theirs) << at;
        return;
    }
    ASSERT_LE(std::abs(ours - theirs), 1) << at;
    (ours == theirs ? tally.exactInterpolated : tally.offByOne)++;
}

class DxtAgainstSquish : public ::testing::TestWithParam<Case> {};

TEST_P(DxtAgainstSquish, StoredValuesExactAndBlendsWithinOneStep) {
    const Case c = GetParam();
    std::mt19937 rng(c.seed);
    Tally colour, alpha;
    for (int i = 0; i < kBlocks; ++i) {
        const auto block = randomBlock(rng, c.kind, i);
        uint8_t ours[64], theirs[64];
        decodeDxtBlock(c.kind, block.data(), ours);
        squish::Decompress(theirs, block.data(), c.squishFlags);
        const uint8_t* colourBlock = c.kind == DxtKind::Dxt1 ? block.data() : block.data() + 8;
        for (int k = 0; k < 16; ++k) {
            const uint8_t* o = ours + 4 * k;    // blue, green, red, alpha
            const uint8_t* t = theirs + 4 * k;  // red, green, blue, alpha
            const Texel ck = colourKind(c.kind, colourBlock, k);
            const int oursRgb[3] = {o[2], o[1], o[0]};
            for (int ch = 0; ch < 3; ++ch) {
                if (ck == Texel::End)
                    compareEnd(oursRgb[ch], t[ch], endField(colourBlock, k, ch), ch, colour, where(i, k, ch));
                else
                    compare(oursRgb[ch], t[ch], ck, colour, where(i, k, ch));
            }
            compare(o[3], t[3], alphaKind(c.kind, block.data(), k), alpha, where(i, k, 3));
            if (HasFatalFailure()) return;
        }
    }
    // Both rules meet on most blends and part on some; were either count zero, the
    // tolerance would be hiding nothing or the comparison would not be reaching blends.
    EXPECT_GT(colour.exactInterpolated, 0);
    EXPECT_GT(colour.offByOne, 0);
    EXPECT_GT(colour.endsApart, 0);
    if (c.kind == DxtKind::Dxt5) {
        EXPECT_GT(alpha.exactInterpolated, 0);
        EXPECT_GT(alpha.offByOne, 0);
    } else {
        EXPECT_EQ(alpha.exactInterpolated + alpha.offByOne, 0);
    }
    RecordProperty("colourBlendsExact", colour.exactInterpolated);
    RecordProperty("colourBlendsOffByOne", colour.offByOne);
    RecordProperty("colourEndsApart", colour.endsApart);
    RecordProperty("alphaBlendsExact", alpha.exactInterpolated);
    RecordProperty("alphaBlendsOffByOne", alpha.offByOne);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DxtAgainstSquish,
                         ::testing::Values(Case{DxtKind::Dxt1, squish::kDxt1, 101, "Dxt1"},
                                           Case{DxtKind::Dxt3, squish::kDxt3, 303, "Dxt3"},
                                           Case{DxtKind::Dxt5, squish::kDxt5, 505, "Dxt5"}),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
