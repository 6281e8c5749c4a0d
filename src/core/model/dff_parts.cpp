#include "core/model/dff_parts.h"

#include <algorithm>

namespace varmelo {

namespace {

Vec3 applyChain(const std::vector<DffFrame>& frames, int frame, Vec3 v, bool move) {
    int f = frame;
    while (f >= 0 && size_t(f) < frames.size()) {
        const DffFrame& m = frames[size_t(f)];
        v = m.right * v.x + m.up * v.y + m.at * v.z;
        if (move) v = v + m.position;
        const int parent = m.parent;
        if (parent < 0 || parent >= f) break;
        f = parent;
    }
    return v;
}

}  // namespace

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

Vec3 placePoint(const std::vector<DffFrame>& frames, int frame, Vec3 v) { return applyChain(frames, frame, v, true); }

Vec3 placeDirection(const std::vector<DffFrame>& frames, int frame, Vec3 v) {
    return applyChain(frames, frame, v, false);
}

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
    std::optional<Bounds> b;
    for (const auto& t : g.triangles) {
        if (!drawable(g, t)) continue;
        for (uint16_t i : drawnCorners(t)) {
            const Vec3 p = placePoint(clump.frames, part.frame, g.positions[i]);
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
