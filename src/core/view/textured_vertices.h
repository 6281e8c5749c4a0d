#pragma once
// The vertex lists of the model view's game look: a part's drawable triangles split by the
// material they name, each group with its texture name and the material's colour, every
// vertex with position, normal, first texture coordinates and colour. Triangle lists as in
// mesh_vertices.h: three entries per triangle in drawing order, front faces counter-clockwise.
#include <string>
#include <vector>

#include "core/view/game_view_rules.h"
#include "core/view/mesh_vertices.h"

namespace varmelo {

// What the selected part's colours and texels are multiplied by in the game look: red, with
// enough of the other channels left that the picture still shows through.
inline constexpr Rgba kSelectedTint{1, 0.3f, 0.3f, 1};

struct TexturedVertex {
    Vec3 position;
    Vec3 normal;
    Vec2 texCoord;  // (0, 0) when the geometry has no texture coordinates
    Rgba colour;    // the material's colour
};

struct MaterialVertices {
    // Index into the geometry's material list; -1 for the triangles that name a material the
    // list lacks (drawn white and untextured).
    int material = -1;
    std::string texture;  // the material's texture name; empty when untextured
    Rgba colour{1, 1, 1, 1};  // the material's colour, 0..1
    std::vector<TexturedVertex> vertices;
};

// The material's colour bytes as 0..1.
Rgba materialColour(const DffMaterial& m);

// Part `part` placed at `at` (its own frame for the stored copy, a wheel dummy for a clone),
// one group per material that draws at least one triangle, in material order, then the
// triangles naming no listed material. Normals as partVertices gives them (stored ones turned
// with the placement when the geometry has flag 0x10, else plane normals). A part without
// geometry, or with native geometry, gives no group.
std::vector<MaterialVertices> texturedPartVertices(const DffClump& clump, const DffPart& part, PartPlacement at);

}  // namespace varmelo
