#include "core/export/gltf_space.h"

#include <algorithm>
#include <cmath>

namespace varmelo {

namespace {

float finite(float v) { return std::isfinite(v) ? v : 0.0f; }

// Lengths and angles within this share of exact pass as they are: exporters leave rounding
// noise of about 1e-7 in their matrices, which readers accept.
constexpr float kTolerance = 1e-5f;

bool square(Vec3 a, Vec3 b) { return std::fabs(dot(a, b)) <= kTolerance * length(a) * length(b); }

// The axes made square to each other in order (Gram-Schmidt), each keeping its length and,
// where it can, its direction; an axis with no direction left takes the first unit axis
// that still has one.
std::array<Vec3, 3> straightened(const std::array<Vec3, 3>& c) {
    const Vec3 units[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    std::array<Vec3, 3> dir;
    for (size_t i = 0; i < 3; ++i) {
        const Vec3 candidates[4] = {c[i], units[0], units[1], units[2]};
        for (const Vec3& candidate : candidates) {
            Vec3 d = candidate;
            for (size_t j = 0; j < i; ++j) d = d - dir[j] * dot(d, dir[j]);
            const float scale = length(candidate);
            if (scale > 0 && std::isfinite(scale) && length(d) > 1e-3f * scale) {
                dir[i] = normalized(d);
                break;
            }
        }
    }
    std::array<Vec3, 3> out;
    for (size_t i = 0; i < 3; ++i) {
        const float len = length(c[i]);
        out[i] = dir[i] * (len > 0 && std::isfinite(len) ? len : 1.0f);
    }
    return out;
}

}  // namespace

Vec3 toGltfSpace(Vec3 v) { return {finite(v.x), finite(v.z), -finite(v.y)}; }

Vec3 toGltfNormal(Vec3 n) {
    const Vec3 unit = normalized(toGltfSpace(n));
    return std::isfinite(unit.x) && length(unit) > 0.5f ? unit : Vec3{0, 1, 0};
}

std::array<double, 16> gltfFrameMatrix(const DffFrame& f) {
    std::array<Vec3, 3> axes{toGltfSpace(f.right), toGltfSpace(f.up), toGltfSpace(f.at)};
    const bool decomposable = std::all_of(axes.begin(), axes.end(), [](Vec3 a) { return length(a) > 0; }) &&
                              square(axes[0], axes[1]) && square(axes[0], axes[2]) && square(axes[1], axes[2]) &&
                              std::fabs(dot(cross(axes[0], axes[1]), axes[2])) > 0;
    if (!decomposable) axes = straightened(axes);
    // T·M·T⁻¹ sends glTF's x, y, z to T·right, T·at and -T·up.
    const Vec3 columns[3] = {axes[0], axes[2], axes[1] * -1.0f};
    const Vec3 t = toGltfSpace(f.position);
    std::array<double, 16> m{};
    for (size_t c = 0; c < 3; ++c) {
        m[c * 4 + 0] = columns[c].x;
        m[c * 4 + 1] = columns[c].y;
        m[c * 4 + 2] = columns[c].z;
    }
    m[12] = t.x;
    m[13] = t.y;
    m[14] = t.z;
    m[15] = 1;
    return m;
}

}  // namespace varmelo
