#pragma once
// What the model view sends to the GL for one copy of a part: the geometry's own vertex
// arrays, each vertex placed once, and an index list of its drawable triangles (corners in
// drawing order, front faces counter-clockwise). A vertex shared by six triangles goes over
// once, not six times, and nothing is worked out per triangle here: a geometry without stored
// normals leaves them to the view, which takes each face's own from its placed corners.
#include <cstdint>
#include <string>
#include <vector>

#include "core/view/game_view_rules.h"
#include "core/view/mesh_vertices.h"

namespace varmelo {

// What the selected part's colours and texels are multiplied by in the game look: red, with
// enough of the other channels left that the picture still shows through.
inline constexpr Rgba kSelectedTint{1, 0.3f, 0.3f, 1};

// The material's colour bytes as 0..1.
Rgba materialColour(const DffMaterial& m);

// A run of the index list drawn with one material.
struct PartMeshRange {
    uint32_t first = 0;  // into indices
    uint32_t count = 0;  // indices, three a triangle
    // Into the geometry's material list; -1 for the triangles naming a material it lacks
    // (drawn white and untextured).
    int material = -1;
    std::string texture;      // the material's texture name; empty when untextured
    Rgba colour{1, 1, 1, 1};  // the material's colour, 0..1
    // The material's reflection: the environment map's texture (empty without) and how much
    // of it is added.
    std::string envTexture;
    float envCoefficient = 0;
};

struct PartMesh {
    std::vector<float> positions;  // 3 a vertex, placed
    std::vector<float> normals;    // 3 a vertex, turned with the placement; empty: flat faces
    std::vector<float> texCoords;  // 2 a vertex, the first set; empty without one
    // The prelit colours by day and San Andreas' by night, 4 a vertex (0..1); each empty
    // when the geometry has none.
    std::vector<float> dayColours;
    std::vector<float> nightColours;
    std::vector<uint16_t> indices;
    // By material (material order, then the triangles naming none) when asked for; empty
    // otherwise, the whole list being one draw.
    std::vector<PartMeshRange> ranges;

    bool empty() const { return indices.empty(); }
};

// Part `part` at placement `at`; with `byMaterial`, its triangles grouped into one range per
// material that draws at least one. A part without geometry, or with native geometry, gives
// an empty mesh.
PartMesh partMesh(const DffClump& clump, const DffPart& part, PartPlacement at, bool byMaterial);

}  // namespace varmelo
