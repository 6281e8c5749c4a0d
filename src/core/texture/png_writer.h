#pragma once
// PNG files of decoded pictures, 8 bits per channel, RGB or RGBA, through libpng.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/texture/image.h"

namespace varmelo {

class BinaryFile;

// Throws FormatError with libpng's text when encoding fails (an empty picture among others).
std::vector<uint8_t> EncodePng(const Image& img, bool withAlpha);

// Creates or overwrites `path` (FileError on failure).
void WritePng(const std::string& path, const Image& img, bool withAlpha);
// Writes into a file already created, row by row as it is compressed, and closes it.
void WritePng(BinaryFile& f, const Image& img, bool withAlpha);

}  // namespace varmelo
