#pragma once
// Builds RenderWare clumps (DFF) for tests and sample content (no test framework):
//   DffBuilder b; int f = b.frame({"body"}); int g = b.geometry(cube); b.atomic(f, g); b.build();
// The clump holds its Struct, a Frame List (Struct + one Extension per frame, with a name
// chunk when the frame has a name), a Geometry List (Struct + Geometry chunks, each with its
// Struct, a Material List of one plain material and an empty Extension), the Atomics and an
// empty Extension, as exporters write them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/math/vec.h"

namespace testing_support {

struct DffFramePlan {
    std::string name;  // empty: the frame's Extension is empty
    varmelo::Vec3 right{1, 0, 0};
    varmelo::Vec3 up{0, 1, 0};
    varmelo::Vec3 at{0, 0, 1};
    varmelo::Vec3 position;
    int32_t parent = -1;
};

struct DffMaterialPlan {
    std::array<uint8_t, 4> colour{192, 192, 192, 255};
    std::string texture;  // textured when not empty
    std::string mask;
    int32_t repeats = -1;       // the earlier list entry this one repeats; -1: its own material
    bool shortStruct = false;   // a 16-byte Struct, without the three lighting floats
    // Material effects: an environment map naming this texture (none when empty), after a
    // bump map effect when `bumpFirst`.
    std::string envTexture;
    float envCoefficient = 0;
    bool bumpFirst = false;
};

struct DffGeometryPlan {
    uint32_t flags = 0x04 | 0x10 | 0x20;  // texture coordinates, normals, light
    uint32_t stamp = 0x1803FFFF;          // the Struct chunk's version stamp
    bool lightingBlock = false;           // the 12 surface-lighting bytes after the counts
    std::vector<varmelo::Vec3> positions;  // written when not empty (has-positions word)
    std::vector<varmelo::Vec3> normals;    // written when not empty (has-normals word)
    std::vector<varmelo::Vec2> texCoords;  // the first set; further sets repeat it
    std::vector<std::array<uint16_t, 4>> triangles;  // the stored words
    std::vector<std::array<uint8_t, 4>> colours;     // prelit colours (flag 0x08); missing ones are C0 40 80 FF
    std::vector<DffMaterialPlan> materials;          // empty: one plain silver material
    // Night prelight in the geometry's Extension (0x0253F2F9), written when not empty, as many
    // as given.
    std::vector<std::array<uint8_t, 4>> nightColours;
    varmelo::Vec3 centre;
    float radius = 1;
    uint32_t morphTargets = 1;
    std::optional<int32_t> vertexCount;    // stated instead of positions.size()
    std::optional<int32_t> triangleCount;  // stated instead of triangles.size()
};

class DffBuilder {
public:
    int frame(DffFramePlan f);
    // A named frame at the origin, without a parent.
    int frame(const std::string& name);
    int geometry(DffGeometryPlan g);
    DffBuilder& atomic(int32_t frame, int32_t geometry);
    // A Clump Struct of the atomic count alone (4 bytes) instead of 12.
    DffBuilder& shortClumpStruct();
    // Stated atomic or geometry count instead of the number added.
    DffBuilder& atomicCount(uint32_t n);
    DffBuilder& geometryCount(uint32_t n);
    std::vector<uint8_t> build() const;

private:
    std::vector<DffFramePlan> frames_;
    std::vector<DffGeometryPlan> geometries_;
    std::vector<std::array<int32_t, 2>> atomics_;
    bool shortStruct_ = false;
    std::optional<uint32_t> atomicCount_, geometryCount_;
};

// The triangle words for corners drawn in the order a, b, c (stored as b, a, material, c).
std::array<uint16_t, 4> dffTriangle(uint16_t a, uint16_t b, uint16_t c, uint16_t material = 0);

// A box from `min` to `max`: 8 corners, 12 outward-facing triangles, texture coordinates,
// and normals (pointing away from the centre) when `withNormals`.
DffGeometryPlan boxGeometry(varmelo::Vec3 min, varmelo::Vec3 max, bool withNormals);

// A box from `min` to `max` with four corners of its own per face, so each face shows the
// whole texture ((0, 0) to (1, 1)) and has flat stored normals. Faces in the order bottom,
// top, back (-y), front (+y), left (-x), right (+x); `faceMaterials` gives each face's
// material index.
DffGeometryPlan texturedBoxGeometry(varmelo::Vec3 min, varmelo::Vec3 max, const std::array<uint16_t, 6>& faceMaterials);

// A wheel turning about x: a prism of `sides` sides, `radius` round and `width` wide. The
// outer disc (+x) is material 0, textured (the rim); the tread and the inner disc (-x) are
// material 1, plain dark rubber.
DffGeometryPlan wheelGeometry(float radius, float width, int sides, const std::string& rimTexture);

}  // namespace testing_support
