#pragma once
// The materials of a DFF geometry: the Material List chunk that follows the geometry's Struct.
//
//   Material List (0x08)
//     Struct (1): u32 material count, then one i32 per material: -1 for a material of its own,
//                 else the index of an earlier entry of this list whose material it repeats
//     Material (0x07), one per entry of its own, in list order
//       Struct (1): u32 flags, 4 colour bytes (R, G, B, A), u32 unused, u32 is-textured,
//                   [3 floats ambient/specular/diffuse in 28-byte Structs; older files: 16 bytes]
//       Texture (0x06), when textured
//         Struct (1): filter and addressing flags
//         String (0x02): texture name, NUL padded
//         String (0x02): mask name, NUL padded
//       Extension (3)
//         Material Effects (0x0120): u32 effect kind, then two effects, each a u32 type and
//           its fields; an environment map (type 2): f32 coefficient, u32 frame buffer alpha,
//           u32 has-texture, [Texture]; a bump map (1): f32 intensity, u32 has-texture,
//           [Texture], u32 has-texture, [Texture]; dual (4): u32 source and destination blend,
//           u32 has-texture, [Texture]; UV transform (5) and none (0): nothing
// A triangle names its material by the u16 at its bytes 4 and 5 (word 2).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/io/entry_reader.h"

namespace varmelo {

struct DffMaterial {
    std::array<uint8_t, 4> colour{255, 255, 255, 255};  // R, G, B, A
    bool textured = false;
    std::string texture;  // as stored, up to its first NUL; empty when untextured
    std::string mask;
    // The environment map (reflection) the material effects name; empty without one.
    std::string envTexture;
    float envCoefficient = 0;
    friend bool operator==(const DffMaterial&, const DffMaterial&) = default;
};

// Finds the Material List among the chunks from the reader's position up to `end` (the end of
// the geometry) and reads one material per list entry (repeats resolved to a copy of the
// earlier one); none without a list. Stops at the first damage and keeps
// what it read: an entry that repeats a later or missing entry, or a Material chunk that is not
// there, ends the list. Never reads past `end`, never sizes a table from a count alone.
std::vector<DffMaterial> ReadMaterialList(EntryReader& r, uint64_t geometryEnd);

// The material a stored triangle names (its word 2).
inline uint16_t triangleMaterial(const std::array<uint16_t, 4>& t) { return t[2]; }

}  // namespace varmelo
