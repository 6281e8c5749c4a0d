// The unit sphere and box the collision view draws: their counts, that every triangle faces
// outwards, and that outlines keep the quads' edges and know their faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/view/solid_meshes.h"

using namespace varmelo;

namespace {

// Every triangle counter-clockwise seen from outside, every vertex on the surface, every
// outline end on a vertex and its face normal pointing outwards.
void expectClosedAndOutward(const SolidMesh& mesh, float (*surface)(Vec3)) {
    ASSERT_EQ(mesh.triangles.size() % 3, 0u);
    for (std::size_t t = 0; t < mesh.triangles.size(); t += 3) {
        const Vec3 a = mesh.vertices.at(mesh.triangles[t]).position;
        const Vec3 b = mesh.vertices.at(mesh.triangles[t + 1]).position;
        const Vec3 c = mesh.vertices.at(mesh.triangles[t + 2]).position;
        EXPECT_GT(dot(cross(b - a, c - a), a + b + c), 0) << "triangle " << t / 3;
    }
    for (const SolidVertex& v : mesh.vertices) EXPECT_NEAR(surface(v.position), 1, 1e-5f);
    ASSERT_EQ(mesh.outline.size() % 2, 0u);
    for (const OutlineVertex& end : mesh.outline) {
        EXPECT_NEAR(surface(end.position), 1, 1e-5f);
        EXPECT_GT(dot(end.faceNormal, end.position), 0);
        EXPECT_NEAR(length(end.faceNormal), 1, 1e-5f);
    }
}

struct SphereRow {
    int slices, stacks;
    int drawnSlices, drawnStacks;
};

class UnitSphere : public testing::TestWithParam<SphereRow> {};

TEST_P(UnitSphere, FansAtThePolesAndQuadsBetween) {
    const SphereRow row = GetParam();
    const SolidMesh mesh = unitSphere(row.slices, row.stacks);
    const std::size_t s = std::size_t(row.drawnSlices), bands = std::size_t(row.drawnStacks - 2);
    // Rings with the seam twice, and the two poles.
    EXPECT_EQ(mesh.vertices.size(), (s + 1) * std::size_t(row.drawnStacks - 1) + 2);
    EXPECT_EQ(mesh.triangles.size(), 3 * (2 * s + 2 * s * bands));
    // Three edges per fan triangle, four per quad: no diagonals.
    EXPECT_EQ(mesh.outline.size(), 2 * (3 * 2 * s + 4 * s * bands));
    expectClosedAndOutward(mesh, [](Vec3 p) { return length(p); });
    for (const SolidVertex& v : mesh.vertices) EXPECT_EQ(v.normal, v.position);
}

INSTANTIATE_TEST_SUITE_P(Tessellations, UnitSphere,
                         testing::Values(SphereRow{12, 12, 12, 12}, SphereRow{3, 2, 3, 2}, SphereRow{7, 5, 7, 5},
                                         SphereRow{1, 0, 3, 2}, SphereRow{1000, 400, 239, 239}));

TEST(UnitSphere, SliceZeroStartsOnPlusYAndTurnsTowardsPlusX) {
    const SolidMesh mesh = unitSphere(4, 2);
    EXPECT_NEAR(mesh.vertices[0].position.y, 1, 1e-6f);
    EXPECT_NEAR(mesh.vertices[1].position.x, 1, 1e-6f);
}

TEST(UnitBox, SixFlatFacesOfTwoTrianglesAndFourEdges) {
    const SolidMesh mesh = unitBox();
    EXPECT_EQ(mesh.triangles.size(), 6u * 2 * 3);
    EXPECT_EQ(mesh.outline.size(), 6u * 4 * 2);
    // Half a unit from the centre along the largest coordinate.
    expectClosedAndOutward(mesh, [](Vec3 p) { return 2 * std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}); });
    for (const SolidVertex& v : mesh.vertices) EXPECT_NEAR(dot(v.normal, v.position), 0.5f, 1e-6f);
}

}  // namespace
