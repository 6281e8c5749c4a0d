#pragma once
// Truevision TGA images, true colour only.
//
// Layout (little-endian), 18-byte header:
//    0 u8 identification length   1 u8 colour map type (must be 0)
//    2 u8 image type: 0 no image, 2 true colour, 10 run-length encoded true colour
//    3 colour map specification (5 bytes)   8 u16 x origin   10 u16 y origin
//   12 u16 width   14 u16 height   16 u8 bits per pixel (24 or 32)
//   17 u8 descriptor: bit 5 set = rows from the top, otherwise from the bottom
//   then the identification field, then the pixels (blue, green, red[, alpha]). Run-length
//   packets: a byte n, then for n >= 128 one pixel repeated n - 127 times, otherwise n + 1
//   pixels as they stand; packets may run on from one row into the next.
#include "core/io/entry_reader.h"
#include "core/texture/loaded_image.h"

namespace varmelo {

// Reads from the entry's first byte. Throws FormatError with "ColorMapped TGA unsupported",
// "Unsupported TGA ImageType" (bits per pixel other than 24 or 32), "Unsupported TGA
// ImageType N" or "TGA image too large", and FileError "Read beyond end of file" when the
// pixels are cut short. Image type 0 and a zero width or height give an empty picture.
LoadedImage LoadTga(EntryReader& entry);

// The header alone, with the same refusals; pixels that cannot fit in what the entry holds
// fail as "Read beyond end of file" without being read.
PictureInfo ReadTgaInfo(EntryReader& entry);

}  // namespace varmelo
