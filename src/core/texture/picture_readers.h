#pragma once
// Picture files read through libpng and libjpeg-turbo, and Windows bitmaps read by our own code,
// all into the program's BGRA pictures. Each refuses a side beyond kMaxImageSide before it
// allocates the pixels, and throws FormatError with a text naming the kind of file:
// "Invalid PNG file: <libpng's reason>", "Invalid JPEG file: <reason>", "Invalid BMP file: <reason>".
#include <cstdint>
#include <span>

#include "core/texture/loaded_image.h"

namespace varmelo {

// Any PNG colour type and depth; 16-bit channels are reduced to 8, palettes expanded.
LoadedImage DecodePng(std::span<const uint8_t> bytes);

// Baseline and progressive JPEG, grey or colour (CMYK is refused); always opaque.
LoadedImage DecodeJpeg(std::span<const uint8_t> bytes);

// Windows bitmaps:
//   0 "BM"  2 u32 file size  10 u32 offset of the pixels
//  14 u32 header size (12 = OS/2 core header with u16 width/height, else 40, 52, 56, 108, 124)
//  18 i32 width  22 i32 height (negative: rows from the top)  26 u16 planes  28 u16 bits per pixel
//  30 u32 compression (0 none, 3 bit fields)  46 u32 colours used
//  bit fields: the red, green, blue (and alpha) masks at 54.. when the header is 40 bytes long,
//  else at the same places inside the longer header; a palette of 4-byte (3 for the core
//  header) blue, green, red entries follows the header for 1, 4 and 8 bits per pixel.
//  Rows are padded to 4 bytes, from the bottom unless the height is negative.
// Accepted: 1, 4, 8 bits with a palette, 16 (5:5:5 or bit fields), 24, 32 (bit fields, or
// blue, green, red, unused). A 32-bit picture has alpha when its alpha mask is not zero and
// some pixel is not fully transparent (files without alpha often leave the byte at zero).
LoadedImage DecodeBmp(std::span<const uint8_t> bytes);

}  // namespace varmelo
