#pragma once
// Windows bitmap files of decoded pictures.
//   24 bits: BITMAPFILEHEADER (14 bytes) + BITMAPINFOHEADER (40), uncompressed, rows from the
//     bottom, each padded to a multiple of 4 bytes; the alpha byte is dropped.
//   32 bits with alpha: BITMAPFILEHEADER + BITMAPV4HEADER (108) with bit-field masks
//     R 0x00FF0000, G 0x0000FF00, B 0x000000FF, A 0xFF000000 and the sRGB colour space, so
//     that viewers and editors keep the alpha channel; rows from the bottom.
#include <cstdint>
#include <string>
#include <vector>

#include "core/texture/image.h"

namespace varmelo {

class BinaryFile;

enum class BmpDepth { Rgb24, Argb32 };

std::vector<uint8_t> EncodeBmp(const Image& img, BmpDepth depth);

// Creates or overwrites `path` (FileError on failure).
void WriteBmp(const std::string& path, const Image& img, BmpDepth depth);
// Writes into a file already created, a row at a time, and closes it.
void WriteBmp(BinaryFile& f, const Image& img, BmpDepth depth);

}  // namespace varmelo
