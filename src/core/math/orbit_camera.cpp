#include "core/math/orbit_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varmelo {

namespace {

// Computed in double: a float camera far from its target would drift with every drag.
struct D3 {
    double x, y, z;
};
D3 d3(Vec3 v) { return {v.x, v.y, v.z}; }
D3 operator+(D3 a, D3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
D3 operator-(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D3 operator*(D3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dotD(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D3 crossD(D3 a, D3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double lengthD(D3 a) { return std::sqrt(dotD(a, a)); }
Vec3 toVec3(D3 a) { return {float(a.x), float(a.y), float(a.z)}; }

// Rodrigues' rotation of v about the unit axis k by angle a (right-handed).
D3 rotate(D3 v, D3 k, double a) {
    return v * std::cos(a) + crossD(k, v) * std::sin(a) + k * (dotD(k, v) * (1 - std::cos(a)));
}

constexpr double kRadians = std::numbers::pi / 180.0;

}  // namespace

Vec3 orbitCamera(Vec3 position, Vec3 target, double pitchDegrees, double turnDegrees) {
    const D3 offset = d3(position) - d3(target);
    const double distance = lengthD(offset);
    if (distance == 0) return position;
    const D3 t = offset * (1 / distance);
    const D3 u{0, 0, 1};
    D3 r = crossD(u, t);
    const double rl = lengthD(r);
    r = rl < 0.001 ? D3{1, 0, 0} : r * (1 / rl);
    const double pitch = std::acos(std::clamp(dotD(u, t), -1.0, 1.0)) + pitchDegrees * kRadians;
    const double clamped = std::clamp(pitch, kPolarMargin, std::numbers::pi - kPolarMargin);
    const D3 dir = rotate(rotate(u, r, clamped), u, turnDegrees * kRadians);
    return toVec3(d3(target) + dir * distance);
}

Vec3 zoomCamera(Vec3 position, Vec3 target, double pixels) {
    const D3 offset = d3(position) - d3(target);
    return toVec3(d3(target) + offset * std::pow(1.1, pixels / 2.0));
}

Vec3 fitCamera(Vec3 position, Vec3 target, float radius) {
    const double distance = lengthD(d3(position) - d3(target));
    if (distance == 0 || radius == 0 || !std::isfinite(radius)) return position;
    return toVec3(d3(position) * (double(radius) * 10.0 / distance));
}

}  // namespace varmelo
