#pragma once
// Writes the texture native chunk of one Direct3D texture (the layout txd_reader.h describes):
//   texture native (21) > struct (1) + empty extension (3), each stamped with the dictionary's
//   version. The struct's fields, as Direct3D 8 (III, Vice City) and 9 (San Andreas) read them:
//     raster format  texel layout bits (DXT1 0x200, or 0x100 with alpha; DXT3 and DXT5 0x300;
//                    8888 0x500, 888 0x600, 565 0x200, 1555 0x100, 4444 0x300), 0x8000 when
//                    the texture has mipmaps
//     word 76        Direct3D 8: 1 when the texture has alpha; Direct3D 9: the texel format,
//                    "DXT1"/"DXT3"/"DXT5" or D3DFMT 21 (8888), 22 (888), 23 (565),
//                    25 (1555), 26 (4444)
//     depth          16, or 32 for 8888 and 888;  raster type 4 (a texture)
//     byte 87        Direct3D 8: DXT type 1, 3, 5 (0 uncompressed); Direct3D 9: bit 0 alpha,
//                    bit 3 compressed
//   then for each level its byte count and its texels.
#include <cstdint>
#include <string>
#include <vector>

#include "core/texture/texture_record.h"

namespace varmelo {

struct NativeHeader {
    uint32_t platform = kPlatformD3D9;
    uint32_t filterFlags = 0x1102;  // filter mode in bits 0..7, U and V addressing above
    std::string name;
    std::string mask;
    TexFormat format = TexFormat::Dxt1;
    bool alpha = false;
    uint16_t width = 0;
    uint16_t height = 0;
};

struct WrittenTexture {
    std::vector<uint8_t> chunk;  // the whole texture native chunk, header included
    TTexRec info;                // as the table reader reads it back; offsets count in `chunk`
};

// `levels` are the encoded levels, largest first (at least one).
WrittenTexture writeTextureNative(const NativeHeader& h, const std::vector<std::vector<uint8_t>>& levels,
                                  uint32_t versionStamp);

// The filter word for a texture with or without mipmaps: a mode that samples mipmaps is turned
// into its plain counterpart for a texture without them, and the reverse; addressing is kept.
uint32_t filterForMipmaps(uint32_t filterFlags, bool mipmaps);

}  // namespace varmelo
