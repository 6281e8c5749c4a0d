#include "core/model/dff_parts.h"

#include <algorithm>

namespace varmelo {

std::vector<DffPart> dffParts(const DffClump& clump) {
    std::vector<DffPart> parts;
    parts.reserve(clump.atomics.size());
    for (const DffAtomic& a : clump.atomics) {
        DffPart p;
        if (a.frame >= 0 && size_t(a.frame) < clump.frames.size()) {
            p.frame = a.frame;
            p.caption = clump.frames[size_t(a.frame)].name;
        }
        if (a.geometry >= 0 && size_t(a.geometry) < clump.geometries.size()) p.geometry = a.geometry;
        parts.push_back(std::move(p));
    }
    return parts;
}

const Mat4& partMatrix(const DffClump& clump, int frame) { return clump.world.at(size_t(frame)); }

bool drawable(const DffGeometry& g, const std::array<uint16_t, 4>& t) {
    for (uint16_t i : drawnCorners(t))
        if (i >= g.positions.size()) return false;
    return true;
}

std::vector<std::vector<uint32_t>> trianglesByMaterial(const DffGeometry& g) {
    std::vector<std::vector<uint32_t>> groups(g.materials.size() + 1);
    for (size_t i = 0; i < g.triangles.size(); ++i) {
        if (!drawable(g, g.triangles[i])) continue;
        const size_t m = std::min<size_t>(triangleMaterial(g.triangles[i]), g.materials.size());
        groups[m].push_back(uint32_t(i));
    }
    return groups;
}

std::optional<Bounds> partBounds(const DffClump& clump, const DffPart& part) {
    if (!part.placed()) return std::nullopt;
    const DffGeometry& g = clump.geometries[size_t(part.geometry)];
    if (g.nativeData()) return std::nullopt;
    const Mat4& place = partMatrix(clump, part.frame);
    std::optional<Bounds> b;
    for (const auto& t : g.triangles) {
        if (!drawable(g, t)) continue;
        for (uint16_t i : drawnCorners(t)) {
            const Vec3 p = place.transformPoint(g.positions[i]);
            if (!b) {
                b = Bounds{p, p};
                continue;
            }
            b->min = {std::min(b->min.x, p.x), std::min(b->min.y, p.y), std::min(b->min.z, p.z)};
            b->max = {std::max(b->max.x, p.x), std::max(b->max.y, p.y), std::max(b->max.z, p.z)};
        }
    }
    return b;
}

}  // namespace varmelo
