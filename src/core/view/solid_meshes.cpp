#include "core/view/solid_meshes.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace varmelo {

namespace {

// The polygon's own normal from its corners in drawing order (counter-clockwise from the
// front); the cross product of the diagonals serves triangles and quads alike.
Vec3 faceNormal(const SolidMesh& mesh, std::initializer_list<std::uint32_t> corners) {
    const std::uint32_t* c = corners.begin();
    const Vec3 p0 = mesh.vertices[c[0]].position, p1 = mesh.vertices[c[1]].position;
    const Vec3 p2 = mesh.vertices[c[2]].position;
    const Vec3 p3 = corners.size() > 3 ? mesh.vertices[c[3]].position : p0;
    return normalized(cross(p2 - p0, p3 - p1));
}

// A polygon: its triangles as a fan from the first corner, its edges in drawing order.
void addPolygon(SolidMesh& mesh, std::initializer_list<std::uint32_t> corners) {
    const std::uint32_t* c = corners.begin();
    const std::size_t n = corners.size();
    for (std::size_t k = 1; k + 1 < n; ++k) mesh.triangles.insert(mesh.triangles.end(), {c[0], c[k], c[k + 1]});
    const Vec3 normal = faceNormal(mesh, corners);
    for (std::size_t k = 0; k < n; ++k) {
        for (const std::uint32_t i : {c[k], c[(k + 1) % n]})
            mesh.outline.push_back({mesh.vertices[i].position, mesh.vertices[i].normal, normal});
    }
}

}  // namespace

SolidMesh unitSphere(int slices, int stacks) {
    slices = std::clamp(slices, 3, kMaxSphereTessellation);
    stacks = std::clamp(stacks, 2, kMaxSphereTessellation);
    SolidMesh mesh;
    // Rings 1 .. stacks - 1 of slices + 1 vertices each (the seam twice, as the GL utility
    // library draws it), then the two poles.
    const auto ring = [&](int j, int i) { return std::uint32_t((j - 1) * (slices + 1) + i); };
    for (int j = 1; j < stacks; ++j) {
        const double down = std::numbers::pi * j / stacks;
        const float s = float(std::sin(down)), z = float(std::cos(down));
        for (int i = 0; i <= slices; ++i) {
            const double around = 2 * std::numbers::pi * (i % slices) / slices;
            const Vec3 p{float(std::sin(around)) * s, float(std::cos(around)) * s, z};
            mesh.vertices.push_back({p, p});
        }
    }
    const auto top = std::uint32_t(mesh.vertices.size());
    mesh.vertices.push_back({{0, 0, 1}, {0, 0, 1}});
    const auto bottom = std::uint32_t(mesh.vertices.size());
    mesh.vertices.push_back({{0, 0, -1}, {0, 0, -1}});

    for (int i = slices; i > 0; --i) addPolygon(mesh, {top, ring(1, i), ring(1, i - 1)});
    for (int j = 1; j + 1 < stacks; ++j)
        for (int i = 0; i < slices; ++i)
            addPolygon(mesh, {ring(j + 1, i), ring(j, i), ring(j, i + 1), ring(j + 1, i + 1)});
    for (int i = 0; i < slices; ++i) addPolygon(mesh, {bottom, ring(stacks - 1, i), ring(stacks - 1, i + 1)});
    return mesh;
}

SolidMesh unitBox() {
    struct Face {
        Vec3 normal;
        Vec3 corners[4];
    };
    static const Face faces[6] = {
        {{1, 0, 0}, {{.5f, -.5f, -.5f}, {.5f, .5f, -.5f}, {.5f, .5f, .5f}, {.5f, -.5f, .5f}}},
        {{-1, 0, 0}, {{-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f}, {-.5f, .5f, .5f}, {-.5f, .5f, -.5f}}},
        {{0, 1, 0}, {{-.5f, .5f, -.5f}, {-.5f, .5f, .5f}, {.5f, .5f, .5f}, {.5f, .5f, -.5f}}},
        {{0, -1, 0}, {{-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f}, {.5f, -.5f, .5f}, {-.5f, -.5f, .5f}}},
        {{0, 0, 1}, {{-.5f, -.5f, .5f}, {.5f, -.5f, .5f}, {.5f, .5f, .5f}, {-.5f, .5f, .5f}}},
        {{0, 0, -1}, {{-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f}, {.5f, .5f, -.5f}, {.5f, -.5f, -.5f}}},
    };
    SolidMesh mesh;
    for (const Face& f : faces) {
        const auto first = std::uint32_t(mesh.vertices.size());
        for (const Vec3& p : f.corners) mesh.vertices.push_back({p, f.normal});
        addPolygon(mesh, {first, first + 1, first + 2, first + 3});
    }
    return mesh;
}

}  // namespace varmelo
