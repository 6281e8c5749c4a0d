#pragma once
// Triangle lists without an index buffer, three entries per triangle in drawing order, front
// faces counter-clockwise: what the collision view draws and the OBJ export writes.
// The model view draws part_mesh.h's indexed arrays instead.
#include <vector>

#include "core/model/col_reader.h"
#include "core/model/dff_parts.h"

namespace varmelo {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

inline constexpr Rgba kPartColour{192.0f / 255, 192.0f / 255, 192.0f / 255, 1};
inline constexpr Rgba kSelectedPartColour{1, 0, 0, 1};

struct ModelVertex {
    Vec3 position;
    Vec3 normal;
    Rgba colour;
    Vec2 texCoord;  // kept for the view, not drawn
};

struct MeshVertex {
    Vec3 position;
    Vec3 normal;
};

// Part `row` of the model as the view draws it: its drawable triangles placed by the frame
// chain, red when it is the selected row, silver otherwise; stored normals (turned with the
// frames) when the geometry has flag 0x10, each triangle's plane normal otherwise. A row
// without a part, or with native geometry, draws nothing.
std::vector<ModelVertex> partVertices(const DffClump& clump, const DffPart& part, bool selected);

// The collision mesh: corners c, b, a of every face whose indices lie inside the vertex
// array, with plane normals.
std::vector<MeshVertex> collisionMeshVertices(const ColRecord& record);

// (b - a) x (c - a) normalised; zero for a degenerate triangle.
Vec3 planeNormal(Vec3 a, Vec3 b, Vec3 c);

}  // namespace varmelo
