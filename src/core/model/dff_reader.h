#pragma once
// The geometry of a RenderWare clump (DFF): frames, atomics and geometries as plain data.
//
// Layout (little-endian; 12-byte chunk headers: type, body size, version stamp; see chunk.h):
//   Clump (0x10)
//     Struct (1): u32 atomic count [, u32 light count, u32 camera count] (4 or 12 bytes)
//     Frame List (0x0E)
//       Struct (1): u32 frame count, then 56 bytes per frame: right, up, at, position
//                   (3 floats each), i32 parent index (-1 for a root), u32 flags
//       Extension (3), one per frame; may hold a Frame name chunk (0x0253F2FE) whose body is
//                   the name, no terminator
//     Geometry List (0x1A)
//       Struct (1): u32 geometry count
//       Geometry (0x0F), one per geometry
//         Struct (1): u32 format flags, i32 triangle count, i32 vertex count,
//                     i32 morph target count; 12 bytes of surface lighting when the stamp's
//                     version is below 3.4; unless the geometry holds native data
//                     (flag 0x01000000): vertex colours (4 bytes per vertex, flag 0x08),
//                     texture coordinate sets (8 bytes per vertex each), triangles (8 bytes:
//                     u16 words at bytes 0, 2, 4, 6 - byte 4 is the material); then per morph
//                     target: bounding sphere (4 floats), u32 has-positions, u32 has-normals,
//                     positions and normals (12 bytes per vertex) when those say so
//         Material List (0x08): see dff_materials.h
//         Extension (3): Extra Vert Colour (0x0253F2F9), u32 has-colours, 4 bytes per vertex;
//                    the rest not read
//     Atomic (0x14), one per atomic
//       Struct (1): i32 frame index, i32 geometry index, u32 flags, u32 unused
//     Extension (3)
// Every other chunk is stepped over by its size.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/math/mat4.h"
#include "core/model/dff_frame.h"
#include "core/model/dff_materials.h"
#include "core/math/vec.h"
#include "core/io/entry_reader.h"

namespace varmelo {

inline constexpr uint32_t kGeometryTriangleStrip = 0x01;
inline constexpr uint32_t kGeometryTexCoords = 0x04;
inline constexpr uint32_t kGeometryColours = 0x08;
inline constexpr uint32_t kGeometryNormals = 0x10;
inline constexpr uint32_t kGeometryTexCoordSets = 0x80;
inline constexpr uint32_t kGeometryNative = 0x01000000;

struct DffAtomic {
    int32_t frame = -1;
    int32_t geometry = -1;
};

struct DffSphere {
    Vec3 centre;
    float radius = 0;
};

struct DffGeometry {
    uint32_t flags = 0;    // the whole format word
    uint32_t version = 0;  // decoded from the Struct's stamp, e.g. 0x36003 for 3.6.0.3
    int32_t vertexCount = 0;    // as stated
    int32_t triangleCount = 0;  // as stated
    // Stored triangles with a corner at or past the stated vertex count: read and kept, never
    // drawn, exported or counted in the clump's totals.
    uint32_t badTriangles = 0;
    // The four stored words of each triangle; the vertices are words 1, 0 and 3.
    std::vector<std::array<uint16_t, 4>> triangles;
    std::vector<Vec3> positions;  // empty when the first morph target holds none
    std::vector<Vec3> normals;    // empty when the first morph target holds none
    std::vector<Vec2> texCoords;  // the first set; empty without one
    // Prelit vertex colours (R, G, B, A), one per vertex with flag 0x08; empty without.
    std::vector<std::array<uint8_t, 4>> colours;
    // San Andreas' night prelight (the Extension's Extra Vert Colour, 0x0253F2F9), one per
    // vertex; empty without.
    std::vector<std::array<uint8_t, 4>> nightColours;
    // One per entry of the material list, in list order; triangles name them by word 2.
    std::vector<DffMaterial> materials;
    DffSphere sphere;

    bool nativeData() const { return (flags & kGeometryNative) != 0; }
    bool storedNormals() const { return (flags & kGeometryNormals) != 0; }
};

struct DffClump {
    uint32_t atomicCount = 0;  // as the Clump's Struct states it
    std::vector<DffFrame> frames;
    // Each frame's matrix in model space (frameWorldMatrices), worked out once as the frames
    // are read; what the views and exports place parts by.
    std::vector<Mat4> world;
    std::vector<DffGeometry> geometries;
    std::vector<DffAtomic> atomics;
    // Over the geometries read: stated vertex counts, the triangles that can be drawn (stated
    // less bad ones), the bad ones, the largest sphere radius.
    uint64_t totalVertices = 0;
    uint64_t totalTriangles = 0;
    uint64_t badTriangles = 0;
    float largestRadius = 0;
    // The failure that ended reading early, naming the chunk and its offset; what was read
    // before it stays. Empty when whole.
    std::string error;
    // Damage read past: a fixed-length Struct with a wrong size word, one line each.
    std::vector<std::string> notes;
};

// The version a geometry Struct's stamp stands for: newer stamps pack it in their upper half
// (0x1803FFFF is 3.6.0.3 = 0x36003), older ones are the bare version (0x0310 = 0x31000).
uint32_t decodeRwVersion(uint32_t stamp);

// Reads the first clump from the entry's first byte. Never throws for bad content.
DffClump ReadDffClump(EntryReader& entry);

}  // namespace varmelo
