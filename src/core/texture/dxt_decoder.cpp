#include "core/texture/dxt_decoder.h"

#include <cstring>

#include "core/io/endian.h"
#include "core/texture/rounding.h"

namespace varmelo {

namespace {

struct Rgb565 {
    uint32_t r, g, b;
};

Rgb565 split565(uint16_t c) { return {uint32_t(c >> 11) & 31, uint32_t(c >> 5) & 63, uint32_t(c) & 31}; }

// The four blend weights of a colour block: the ends, two thirds, one third and one half.
constexpr float kThird2 = float(2.0 / 3.0), kThird1 = float(1.0 / 3.0), kHalf = 0.5f;

// Every channel value a colour block can produce, computed once by dxtChannel itself, so a
// block costs table look-ups instead of twelve roundings and the results stay bit for bit.
struct ChannelTables {
    uint8_t end5[32], end6[64];
    uint8_t mix5[3][32][32], mix6[3][64][64];  // by weight: 2/3, 1/3, 1/2

    ChannelTables() {
        const float weights[3] = {kThird2, kThird1, kHalf};
        for (uint32_t x = 0; x < 64; ++x) {
            if (x < 32) end5[x] = dxtChannel(x, 0, 1.0f, false);
            end6[x] = dxtChannel(x, 0, 1.0f, true);
            for (uint32_t y = 0; y < 64; ++y)
                for (int w = 0; w < 3; ++w) {
                    if (x < 32 && y < 32) mix5[w][x][y] = dxtChannel(x, y, weights[w], false);
                    mix6[w][x][y] = dxtChannel(x, y, weights[w], true);
                }
        }
    }
};

const ChannelTables& channelTables() {
    static const ChannelTables tables;
    return tables;
}

void decodeColourBlock(const uint8_t* block, bool allowTransparent, uint8_t* texels) {
    const uint16_t c0 = u16le(block), c1 = u16le(block + 2);
    const uint32_t codes = u32le(block + 4);
    const Rgb565 a = split565(c0), b = split565(c1);
    const ChannelTables& t = channelTables();
    uint8_t palette[4][4];
    auto mix = [&](uint8_t* out, int w) {
        out[0] = t.mix5[w][a.b][b.b];
        out[1] = t.mix6[w][a.g][b.g];
        out[2] = t.mix5[w][a.r][b.r];
        out[3] = 255;
    };
    palette[0][0] = t.end5[a.b], palette[0][1] = t.end6[a.g], palette[0][2] = t.end5[a.r], palette[0][3] = 255;
    palette[1][0] = t.end5[b.b], palette[1][1] = t.end6[b.g], palette[1][2] = t.end5[b.r], palette[1][3] = 255;
    if (c0 > c1 || !allowTransparent) {
        mix(palette[2], 0);
        mix(palette[3], 1);
    } else {
        mix(palette[2], 2);
        std::memset(palette[3], 0, 4);
    }
    for (int k = 0; k < 16; ++k) std::memcpy(texels + k * 4, palette[(codes >> (2 * k)) & 3], 4);
}

void decodeExplicitAlpha(const uint8_t* block, uint8_t* texels) {
    for (int k = 0; k < 16; ++k) {
        uint8_t a = block[k / 2];
        a = (k % 2 == 0) ? (a & 0x0F) : (a >> 4);
        texels[k * 4 + 3] = uint8_t(a * 17);
    }
}

void decodeInterpolatedAlpha(const uint8_t* block, uint8_t* texels) {
    const uint32_t a0 = block[0], a1 = block[1];
    uint8_t alpha[8];
    alpha[0] = uint8_t(a0);
    alpha[1] = uint8_t(a1);
    if (a0 > a1) {
        // alpha_i = ((7 - i) a0 + i a1) / 7, rounded to nearest
        for (uint32_t i = 1; i <= 6; ++i) alpha[i + 1] = uint8_t(((7 - i) * a0 + i * a1 + 3) / 7);
    } else {
        // alpha_i = ((5 - i) a0 + i a1) / 5, rounded to nearest; then the two fixed ends
        for (uint32_t i = 1; i <= 4; ++i) alpha[i + 1] = uint8_t(((5 - i) * a0 + i * a1 + 2) / 5);
        alpha[6] = 0;
        alpha[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= uint64_t(block[2 + i]) << (8 * i);
    for (int k = 0; k < 16; ++k) texels[k * 4 + 3] = alpha[(bits >> (3 * k)) & 7];
}

}  // namespace

uint8_t dxtChannel(uint32_t f0, uint32_t f1, float w, bool sixBits) {
    const double wd = double(w);
    double v = double(f0) * wd + double(f1) * (1.0 - wd);
    v *= sixBits ? 4.0476 : 8.2258;
    return roundHalfEvenByte(float(v));
}

uint64_t dxtSurfaceBytes(DxtKind k, uint32_t w, uint32_t h) {
    return ((uint64_t(w) + 3) / 4) * ((uint64_t(h) + 3) / 4) * dxtBlockBytes(k);
}

void decodeDxtBlock(DxtKind k, const uint8_t* block, uint8_t* texels) {
    switch (k) {
    case DxtKind::Dxt1: decodeColourBlock(block, true, texels); break;
    case DxtKind::Dxt3:
        decodeColourBlock(block + 8, false, texels);
        decodeExplicitAlpha(block, texels);
        break;
    case DxtKind::Dxt5:
        decodeColourBlock(block + 8, false, texels);
        decodeInterpolatedAlpha(block, texels);
        break;
    }
}

void decodeDxtSurface(DxtKind k, const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra) {
    const size_t blockBytes = dxtBlockBytes(k);
    const uint32_t bw = (w + 3) / 4, bh = (h + 3) / 4;
    uint8_t texels[64];
    for (uint32_t by = 0; by < bh; ++by) {
        for (uint32_t bx = 0; bx < bw; ++bx) {
            decodeDxtBlock(k, data + (size_t(by) * bw + bx) * blockBytes, texels);
            for (uint32_t j = 0; j < 4 && by * 4 + j < h; ++j) {
                const uint32_t y = by * 4 + j;
                const uint32_t cols = (bx * 4 + 4 <= w) ? 4 : w - bx * 4;
                std::memcpy(bgra + (size_t(y) * w + bx * 4) * 4, texels + j * 16, cols * 4);
            }
        }
    }
}

}  // namespace varmelo
