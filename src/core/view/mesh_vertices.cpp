#include "core/view/mesh_vertices.h"

namespace varmelo {

Vec3 planeNormal(Vec3 a, Vec3 b, Vec3 c) { return normalized(cross(b - a, c - a)); }

std::vector<ModelVertex> partVertices(const DffClump& clump, const DffPart& part, bool selected) {
    std::vector<ModelVertex> out;
    if (!part.placed()) return out;
    const DffGeometry& g = clump.geometries[size_t(part.geometry)];
    if (g.nativeData()) return out;
    const Rgba colour = selected ? kSelectedPartColour : kPartColour;
    const bool stored = g.storedNormals() && g.normals.size() == g.positions.size();
    // Each vertex placed once, however many triangles share it.
    const Mat4& place = partMatrix(clump, part.frame);
    std::vector<Vec3> placed(g.positions.size()), turned(stored ? g.normals.size() : 0);
    for (size_t i = 0; i < placed.size(); ++i) placed[i] = place.transformPoint(g.positions[i]);
    for (size_t i = 0; i < turned.size(); ++i) turned[i] = normalized(place.transformDirection(g.normals[i]));
    out.reserve(g.triangles.size() * 3);
    for (const auto& t : g.triangles) {
        if (!drawable(g, t)) continue;
        const size_t first = out.size();
        for (uint16_t i : drawnCorners(t)) {
            ModelVertex v;
            v.position = placed[i];
            if (stored) v.normal = turned[i];
            v.colour = colour;
            if (i < g.texCoords.size()) v.texCoord = g.texCoords[i];
            out.push_back(v);
        }
        if (!stored) {
            const Vec3 n = planeNormal(out[first].position, out[first + 1].position, out[first + 2].position);
            for (size_t k = first; k < first + 3; ++k) out[k].normal = n;
        }
    }
    return out;
}

std::vector<MeshVertex> collisionMeshVertices(const ColRecord& record) {
    std::vector<MeshVertex> out;
    const auto& v = record.vertices;
    out.reserve(record.faces.size() * 3);
    for (const ColFace& f : record.faces) {
        if (f.a >= v.size() || f.b >= v.size() || f.c >= v.size()) continue;
        const Vec3 n = planeNormal(v[f.c], v[f.b], v[f.a]);
        out.push_back({v[f.c], n});
        out.push_back({v[f.b], n});
        out.push_back({v[f.a], n});
    }
    return out;
}

}  // namespace varmelo
