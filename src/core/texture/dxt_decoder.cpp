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

// A texel as one word whose bytes in memory are blue, green, red, alpha, whatever the
// machine's byte order; words of disjoint bytes combine with |.
inline uint32_t texelWord(uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    const uint8_t bytes[4] = {b, g, r, a};
    uint32_t w;
    std::memcpy(&w, bytes, 4);
    return w;
}

inline uint32_t alphaWord(uint8_t a) { return texelWord(0, 0, 0, a); }

// The block's four colours. `alpha` is the alpha byte of the opaque ones: 255 for DXT1, 0 for
// DXT3 and DXT5, whose alpha is added from their alpha block.
void colourTable(const uint8_t* block, bool allowTransparent, uint8_t alpha, uint32_t out[4]) {
    const uint16_t c0 = u16le(block), c1 = u16le(block + 2);
    const Rgb565 a = split565(c0), b = split565(c1);
    const ChannelTables& t = channelTables();
    auto mix = [&](int w) { return texelWord(t.mix5[w][a.b][b.b], t.mix6[w][a.g][b.g], t.mix5[w][a.r][b.r], alpha); };
    out[0] = texelWord(t.end5[a.b], t.end6[a.g], t.end5[a.r], alpha);
    out[1] = texelWord(t.end5[b.b], t.end6[b.g], t.end5[b.r], alpha);
    if (c0 > c1 || !allowTransparent) {
        out[2] = mix(0);
        out[3] = mix(1);
    } else {
        out[2] = mix(2);
        out[3] = 0;  // transparent black
    }
}

// One row of four texels, stored at once.
inline void storeRow(uint8_t* dst, uint32_t t0, uint32_t t1, uint32_t t2, uint32_t t3) {
    const uint32_t row[4] = {t0, t1, t2, t3};
    std::memcpy(dst, row, sizeof row);
}

// The 16 alphas of a DXT3 block's nibbles.
struct NibbleAlphas {
    uint32_t word[16];
    NibbleAlphas() {
        for (uint32_t n = 0; n < 16; ++n) word[n] = alphaWord(uint8_t(n * 17));
    }
};

const NibbleAlphas& nibbleAlphas() {
    static const NibbleAlphas table;
    return table;
}

// The eight alphas a DXT5 alpha block's codes select.
void alphaTable(const uint8_t* block, uint32_t out[8]) {
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
    for (int i = 0; i < 8; ++i) out[i] = alphaWord(alpha[i]);
}

// Decodes one whole block into four rows of `dst`, `pitch` bytes apart.
template <DxtKind K>
inline void decodeBlockRows(const uint8_t* block, uint8_t* dst, size_t pitch) {
    uint32_t colour[4];
    if constexpr (K == DxtKind::Dxt1) {
        colourTable(block, true, 255, colour);
        const uint32_t codes = u32le(block + 4);
        for (int j = 0; j < 4; ++j, dst += pitch) {
            const uint32_t c = codes >> (8 * j);
            storeRow(dst, colour[c & 3], colour[(c >> 2) & 3], colour[(c >> 4) & 3], colour[(c >> 6) & 3]);
        }
    } else if constexpr (K == DxtKind::Dxt3) {
        colourTable(block + 8, false, 0, colour);
        const uint32_t codes = u32le(block + 12);
        const uint32_t* alpha = nibbleAlphas().word;
        for (int j = 0; j < 4; ++j, dst += pitch) {
            const uint32_t c = codes >> (8 * j);
            const uint32_t a = u16le(block + 2 * j);  // texel i in bits 4i..4i+3
            storeRow(dst, colour[c & 3] | alpha[a & 15], colour[(c >> 2) & 3] | alpha[(a >> 4) & 15],
                     colour[(c >> 4) & 3] | alpha[(a >> 8) & 15], colour[(c >> 6) & 3] | alpha[a >> 12]);
        }
    } else {
        colourTable(block + 8, false, 0, colour);
        uint32_t alpha[8];
        alphaTable(block, alpha);
        const uint32_t codes = u32le(block + 12);
        uint64_t bits = 0;
        for (int i = 0; i < 6; ++i) bits |= uint64_t(block[2 + i]) << (8 * i);
        for (int j = 0; j < 4; ++j, dst += pitch) {
            const uint32_t c = codes >> (8 * j);
            const uint32_t a = uint32_t(bits >> (12 * j));  // texel i in bits 3i..3i+2
            storeRow(dst, colour[c & 3] | alpha[a & 7], colour[(c >> 2) & 3] | alpha[(a >> 3) & 7],
                     colour[(c >> 4) & 3] | alpha[(a >> 6) & 7], colour[(c >> 6) & 3] | alpha[(a >> 9) & 7]);
        }
    }
}

template <DxtKind K>
void decodeSurface(const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra, size_t pitch) {
    constexpr size_t blockBytes = dxtBlockBytes(K);
    const uint32_t wholeAcross = w / 4, across = (w + 3) / 4, down = (h + 3) / 4;
    for (uint32_t by = 0; by < down; ++by) {
        uint8_t* rowStart = bgra + size_t(by) * 4 * pitch;
        const uint32_t rows = by * 4 + 4 <= h ? 4 : h - by * 4;
        uint32_t bx = 0;
        if (rows == 4)
            for (; bx < wholeAcross; ++bx, data += blockBytes) decodeBlockRows<K>(data, rowStart + size_t(bx) * 16, pitch);
        // Blocks cut by the right or bottom edge go through a block of their own first.
        for (; bx < across; ++bx, data += blockBytes) {
            uint8_t texels[64];
            decodeBlockRows<K>(data, texels, 16);
            const uint32_t cols = bx * 4 + 4 <= w ? 4 : w - bx * 4;
            for (uint32_t j = 0; j < rows; ++j) std::memcpy(rowStart + j * pitch + size_t(bx) * 16, texels + j * 16, cols * 4);
        }
    }
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
    case DxtKind::Dxt1: decodeBlockRows<DxtKind::Dxt1>(block, texels, 16); break;
    case DxtKind::Dxt3: decodeBlockRows<DxtKind::Dxt3>(block, texels, 16); break;
    case DxtKind::Dxt5: decodeBlockRows<DxtKind::Dxt5>(block, texels, 16); break;
    }
}

void decodeDxtSurface(DxtKind k, const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra, size_t pitch) {
    switch (k) {
    case DxtKind::Dxt1: decodeSurface<DxtKind::Dxt1>(data, w, h, bgra, pitch); break;
    case DxtKind::Dxt3: decodeSurface<DxtKind::Dxt3>(data, w, h, bgra, pitch); break;
    case DxtKind::Dxt5: decodeSurface<DxtKind::Dxt5>(data, w, h, bgra, pitch); break;
    }
}

void decodeDxtSurface(DxtKind k, const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra) {
    decodeDxtSurface(k, data, w, h, bgra, size_t(w) * 4);
}

}  // namespace varmelo
