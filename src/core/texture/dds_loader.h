#pragma once
// DirectDraw Surface images (.dds, .dtx), top-level image only.
//
// Layout (little-endian): "DDS " then a 124-byte header:
//     8 u32 flags   12 u32 height   16 u32 width   28 u32 mipmap count
//    76 pixel format: 80 u32 flags (0x1 alpha pixels, 0x4 four-character code, 0x40 RGB,
//       0x20000 luminance), 84 four-character code, 88 u32 bits per pixel,
//       92/96/100/104 u32 red, green, blue, alpha masks
//   108 u32 caps (0x1000 texture)
//   then the pixels of the top level from byte 128: DXT1/DXT3/DXT5 blocks, or rows of
//   bits/8-byte pixels without padding whose channels the masks pick out.
#include "core/io/entry_reader.h"
#include "core/texture/loaded_image.h"

namespace varmelo {

// Reads from the entry's first byte. Throws FormatError with "Invalid DDS file",
// "Unsupported DDSCAPS settings" or "Unsupported compression type: XXXX", and FileError
// "Read beyond end of file" when the pixels are cut short. A zero width or height gives an
// empty picture.
LoadedImage LoadDds(EntryReader& entry);

// The header alone, with the same refusals and the same size check; for DXT1 whether any
// texel is transparent is read from the blocks a row at a time, never decoding the picture.
PictureInfo ReadDdsInfo(EntryReader& entry);

}  // namespace varmelo
