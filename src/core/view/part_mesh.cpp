#include "core/view/part_mesh.h"

#include <algorithm>

namespace varmelo {

Rgba materialColour(const DffMaterial& m) {
    return {m.colour[0] / 255.0f, m.colour[1] / 255.0f, m.colour[2] / 255.0f, m.colour[3] / 255.0f};
}

namespace {

void placeVertices(const DffGeometry& g, const Mat4& place, PartMesh& out) {
    out.positions.resize(g.positions.size() * 3);
    float* p = out.positions.data();
    for (const Vec3& v : g.positions) {
        const Vec3 q = place.transformPoint(v);
        *p++ = q.x;
        *p++ = q.y;
        *p++ = q.z;
    }
    if (g.storedNormals() && g.normals.size() == g.positions.size()) {
        out.normals.resize(g.normals.size() * 3);
        float* n = out.normals.data();
        for (const Vec3& v : g.normals) {
            const Vec3 q = normalized(place.transformDirection(v));
            *n++ = q.x;
            *n++ = q.y;
            *n++ = q.z;
        }
    }
    // Colours for every vertex or for none, so the arrays stay parallel.
    const auto colours = [&](const std::vector<std::array<uint8_t, 4>>& from, std::vector<float>& to) {
        if (from.size() != g.positions.size()) return;
        to.resize(from.size() * 4);
        float* c = to.data();
        for (const auto& rgba : from)
            for (uint8_t v : rgba) *c++ = float(v) / 255.0f;
    };
    colours(g.colours, out.dayColours);
    colours(g.nightColours, out.nightColours);
    // Texture coordinates for every vertex or for none, so the arrays stay parallel.
    if (!g.texCoords.empty()) {
        out.texCoords.assign(g.positions.size() * 2, 0.0f);
        const size_t n = std::min(g.texCoords.size(), g.positions.size());
        for (size_t i = 0; i < n; ++i) {
            out.texCoords[2 * i] = g.texCoords[i].x;
            out.texCoords[2 * i + 1] = g.texCoords[i].y;
        }
    }
}

// A triangle's slot in the list: its material's group, the last group for a material the
// list lacks.
size_t groupOf(const DffGeometry& g, const std::array<uint16_t, 4>& t) {
    return std::min<size_t>(triangleMaterial(t), g.materials.size());
}

}  // namespace

PartMesh partMesh(const DffClump& clump, const DffPart& part, PartPlacement at, bool byMaterial) {
    PartMesh out;
    if (!part.placed()) return out;
    const DffGeometry& g = clump.geometries[size_t(part.geometry)];
    if (g.nativeData()) return out;

    // drawable() and drawnCorners() in one step, for the hundreds of thousands of triangles
    // of a detailed model.
    const size_t vertices = g.positions.size();
    auto corners = [&](const std::array<uint16_t, 4>& t, uint16_t* to) {
        to[0] = t[1];
        to[1] = t[0];
        to[2] = t[3];
        return t[0] < vertices && t[1] < vertices && t[3] < vertices;
    };
    out.indices.resize(g.triangles.size() * 3);
    uint16_t* end = out.indices.data();
    if (!byMaterial) {
        for (const auto& t : g.triangles)
            if (corners(t, end)) end += 3;
    } else {
        // Where each material's group starts, counted before any index is written.
        const size_t groups = g.materials.size() + 1;
        std::vector<uint32_t> next(groups + 1, 0);
        for (const auto& t : g.triangles)
            if (uint16_t c[3]; corners(t, c)) next[groupOf(g, t) + 1] += 3;
        for (size_t m = 0; m < groups; ++m) next[m + 1] += next[m];
        for (size_t m = 0; m < groups; ++m) {
            if (next[m + 1] == next[m]) continue;
            PartMeshRange r;
            r.first = next[m];
            r.count = next[m + 1] - next[m];
            if (m < g.materials.size()) {
                r.material = int(m);
                r.texture = g.materials[m].texture;
                r.colour = materialColour(g.materials[m]);
                r.envTexture = g.materials[m].envTexture;
                r.envCoefficient = g.materials[m].envCoefficient;
            }
            out.ranges.push_back(std::move(r));
        }
        for (const auto& t : g.triangles) {
            uint16_t c[3];
            if (!corners(t, c)) continue;
            uint32_t& to = next[groupOf(g, t)];
            std::copy_n(c, 3, out.indices.data() + to);
            to += 3;
        }
        end = out.indices.data() + next[groups - 1];
    }
    out.indices.resize(size_t(end - out.indices.data()));
    if (out.indices.empty()) return {};
    placeVertices(g, placementMatrix(clump, at), out);
    return out;
}

}  // namespace varmelo
