#pragma once
// Pictures turned into the texel layouts a dictionary stores (the inverse of the decoder):
//   DXT1, DXT3, DXT5   blocks compressed by libsquish with its cluster fit; DXT1 uses its
//                      transparent code for texels of alpha below 128
//   8888               blue, green, red, alpha bytes;  888: blue, green, red and 255
//   565, 1555, 4444    16-bit words, each channel rounded to the nearest value it can hold
//                      (1555: the alpha bit set from 128)
#include <cstdint>
#include <vector>

#include "core/texture/image.h"
#include "core/texture/texture_format.h"

namespace varmelo {

// Whether encodeTexels() writes this layout.
bool isWritableFormat(TexFormat f);

// The level's bytes, levelBytes(f, w, h) of them. f must be writable.
std::vector<uint8_t> encodeTexels(TexFormat f, const Image& img);

}  // namespace varmelo
