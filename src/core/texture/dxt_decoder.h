#pragma once
// DXT1/DXT3/DXT5 (BC1/BC2/BC3) block decoding. Every block covers 4 x 4 texels, row by row:
//   colour block, 8 bytes: c0 (u16, RGB 5:6:5), c1 (u16), then a u32 of 2-bit codes, texel
//     k = 4 * row + column in bits 2k and 2k + 1.
//     c0 > c1, or any DXT3/DXT5 block: four colours, code 0 = c0, 1 = c1, 2 = 2/3 c0 + 1/3 c1,
//     3 = 1/3 c0 + 2/3 c1. DXT1 with c0 <= c1: code 2 = half way, code 3 transparent black.
//   DXT1: the colour block alone.
//   DXT3: 8 bytes of 4-bit alpha (texel k in byte k / 2, low nibble for even k), colour block.
//   DXT5: alpha a0, a1 (bytes), 48 bits of 3-bit codes (texel k in bits 3k..3k+2), colour block.
//     a0 > a1: codes 2..7 interpolate (7 - i) / 7 a0 + i / 7 a1 for i = 1..6;
//     otherwise codes 2..5 interpolate in fifths, code 6 = 0, code 7 = 255.
// Output texels are 4 bytes each: blue, green, red, alpha.
#include <cstddef>
#include <cstdint>

namespace varmelo {

enum class DxtKind { Dxt1, Dxt3, Dxt5 };

inline constexpr size_t dxtBlockBytes(DxtKind k) { return k == DxtKind::Dxt1 ? 8 : 16; }

// Bytes a w x h surface needs: partial blocks at the right and bottom edges count whole.
uint64_t dxtSurfaceBytes(DxtKind k, uint32_t w, uint32_t h);

// The colour channels of 5:6:5 endpoints blended by weight w of c0; single-precision weight,
// scale constants 8.2258 (5 bits) and 4.0476 (6 bits), rounded to single precision and then
// to the nearest integer, halves to even. Exposed for tests.
uint8_t dxtChannel(uint32_t f0, uint32_t f1, float w, bool sixBits);

// Decodes one block into 16 texels (64 bytes), row by row.
void decodeDxtBlock(DxtKind k, const uint8_t* block, uint8_t* texels);

// Decodes a w x h surface from `data`, which must hold dxtSurfaceBytes(k, w, h) bytes, into
// w * h * 4 bytes of texels, rows from the top.
void decodeDxtSurface(DxtKind k, const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra);
// The same into rows `pitch` bytes apart (at least w * 4); the bytes between rows are not touched.
void decodeDxtSurface(DxtKind k, const uint8_t* data, uint32_t w, uint32_t h, uint8_t* bgra, size_t pitch);

}  // namespace varmelo
