#pragma once
// Resampling pictures in linear light: colour channels are stored in sRGB, so averaging the
// stored bytes darkens every edge between light and dark; they are turned to linear light,
// averaged, and turned back. Alpha is stored linear and averaged as it is.
#include <vector>

#include "core/texture/image.h"

namespace varmelo {

// Each texel of the result is the mean of the 2 x 2 texels under it (2 x 1 or 1 x 2 once a
// side is 1); a 1 x 1 picture stays as it is.
Image halveImage(const Image& img);

// `levels` pictures: the picture itself and each halving of the one before (levels >= 1).
std::vector<Image> mipmapChain(const Image& top, int levels);

// The levels a full chain of a w x h picture has, down to 1 x 1.
int fullMipmapCount(int w, int h);

// Box-filtered resize to w x h: each texel of the result averages the source area under it,
// weighted by how much of each source texel it covers.
Image resizeImage(const Image& img, int w, int h);

}  // namespace varmelo
