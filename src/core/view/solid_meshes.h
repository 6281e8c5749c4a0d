#pragma once
// The unit solids the 3D views draw collision spheres and boxes with: indexed triangles for a
// filled solid, and the edges of its faces for an outlined one. Built once per view and
// scaled to each item.
#include <cstdint>
#include <vector>

#include "core/math/vec.h"

namespace varmelo {

struct SolidVertex {
    Vec3 position;
    Vec3 normal;
};

// One end of an outline edge. An edge is drawn once for each face it bounds, in that face's
// colour, as the GL outlines polygons; the face's normal says which side of it is in view.
struct OutlineVertex {
    Vec3 position;
    Vec3 normal;
    Vec3 faceNormal;
};

struct SolidMesh {
    std::vector<SolidVertex> vertices;
    // Index triples, counter-clockwise seen from outside.
    std::vector<std::uint32_t> triangles;
    // Pairs of ends; the edges of quads are the quads', not their triangles'.
    std::vector<OutlineVertex> outline;
};

// More slices or stacks than this are drawn as this many, the most the GL utility library's
// sphere ever drew.
inline constexpr int kMaxSphereTessellation = 239;

// Radius 1 around the origin, cut as the GL utility library cuts its sphere, with smooth
// normals: the poles on z, slice i at the angle 2 pi i / slices from +y towards +x, stack j
// at pi j / stacks from +z; a fan of triangles at each pole and quads between. At least 3
// slices and 2 stacks.
SolidMesh unitSphere(int slices, int stacks);

// 1 x 1 x 1 around the origin, each face flat.
SolidMesh unitBox();

}  // namespace varmelo
