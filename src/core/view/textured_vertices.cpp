#include "core/view/textured_vertices.h"

namespace varmelo {

Rgba materialColour(const DffMaterial& m) {
    return {m.colour[0] / 255.0f, m.colour[1] / 255.0f, m.colour[2] / 255.0f, m.colour[3] / 255.0f};
}

std::vector<MaterialVertices> texturedPartVertices(const DffClump& clump, const DffPart& part, PartPlacement at) {
    std::vector<MaterialVertices> out;
    if (!part.placed()) return out;
    const DffGeometry& g = clump.geometries[size_t(part.geometry)];
    if (g.nativeData()) return out;
    const bool stored = g.storedNormals() && g.normals.size() == g.positions.size();
    const std::vector<std::vector<uint32_t>> groups = trianglesByMaterial(g);
    const Mat4 place = placementMatrix(clump, at);
    for (size_t m = 0; m < groups.size(); ++m) {
        if (groups[m].empty()) continue;
        MaterialVertices group;
        if (m < g.materials.size()) {
            group.material = int(m);
            group.texture = g.materials[m].texture;
            group.colour = materialColour(g.materials[m]);
        }
        group.vertices.reserve(groups[m].size() * 3);
        for (uint32_t t : groups[m]) {
            const size_t first = group.vertices.size();
            for (uint16_t i : drawnCorners(g.triangles[t])) {
                TexturedVertex v;
                v.position = place.transformPoint(g.positions[i]);
                if (stored) v.normal = normalized(place.transformDirection(g.normals[i]));
                if (i < g.texCoords.size()) v.texCoord = g.texCoords[i];
                v.colour = group.colour;
                group.vertices.push_back(v);
            }
            if (!stored) {
                auto& v = group.vertices;
                const Vec3 n = planeNormal(v[first].position, v[first + 1].position, v[first + 2].position);
                for (size_t k = first; k < first + 3; ++k) v[k].normal = n;
            }
        }
        out.push_back(std::move(group));
    }
    return out;
}

}  // namespace varmelo
