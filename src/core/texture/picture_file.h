#pragma once
// A picture file of any kind the program reads, told apart by its first bytes: PNG, JPEG, BMP,
// DDS, and TGA (which has no signature) by its extension.
#include <cstdint>
#include <span>
#include <string>

#include "core/texture/loaded_image.h"

namespace varmelo {

// Largest picture file read: far above a 4096 x 4096 picture in any of the formats.
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t(1) << 30;

// `name` (a file name, for the extension) decides only for TGA. Throws FormatError for bytes
// that are none of these: "not a picture this program reads (PNG, JPEG, BMP, TGA, DDS)",
// and each reader's own FormatError / FileError for a damaged file.
LoadedImage DecodePicture(std::span<const uint8_t> bytes, const std::string& name);

// Reads a whole file and decodes it (FileError when it cannot be read). `mipmapLevels`, when
// given, receives the levels a DDS file says it holds (1 for every other kind).
LoadedImage LoadPictureFile(const std::string& path, int* mipmapLevels = nullptr);

}  // namespace varmelo
