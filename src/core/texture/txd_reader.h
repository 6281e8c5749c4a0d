#pragma once
// The texture table of a RenderWare texture dictionary (TXD), read for its fixed parts only.
//
// Layout (little-endian; chunk headers of 12 bytes, see chunk.h):
//   texture dictionary (22) > struct (1): u16 texture count, u16 device id
//   then per texture: texture native (21) > struct (1) + extension (3). The struct's body:
//     0 u32 platform (8 = Direct3D 8, 9 = Direct3D 9)   4 u32 filter and addressing flags
//     8 char[32] name   40 char[32] mask name (zero-padded)
//    72 u32 raster format (0x0F00 texel layout, 0x2000 PAL8, 0x4000 PAL4)
//    76 u32 alpha flag (Direct3D 8) or Direct3D texel format / four-character code (Direct3D 9)
//    80 u16 width   82 u16 height   84 u8 depth   85 u8 mipmap levels   86 u8 raster type
//    87 u8 DXT type (Direct3D 8) or flags, bit 0 = has alpha (Direct3D 9)
//    88 palette of 256 (PAL8) or 32 (PAL4) RGBA entries, only for palettised rasters
//    then u32 byte count of the first level and the level's pixels; further levels follow.
//   Rasters of other platforms share only the platform word (PS2 "PS2\0", Xbox 5, GameCube 6).
//   A struct long enough to hold them (Xbox) has the names at 8 and 40; a PS2 struct ends
//   after the flags and the native goes on with string chunks (2) of the name and the mask
//   name, then the raster's own struct and the extension.
#include <cstdint>
#include <string>

#include "core/io/entry_reader.h"
#include "core/texture/texture_record.h"

namespace varmelo {

struct TxdTable {
    uint16_t announcedCount = 0;  // the count the dictionary states
    bool countRead = false;       // false when the stream ended before the count
    TTexArray textures;           // the textures read, in dictionary order
    // The failure that ended reading early ("Read beyond end of file"); empty when whole.
    std::string error;
};

// Reads from the reader's current position. A failure keeps the textures read before it.
TxdTable ReadTextureTable(EntryReader& entry);

}  // namespace varmelo
