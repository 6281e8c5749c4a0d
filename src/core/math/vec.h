#pragma once
// Small float vectors for model and collision geometry, with the few operations the readers,
// the vertex lists, the camera and the matrices need.
#include <cmath>

namespace varmelo {

struct Vec2 {
    float x = 0, y = 0;
    friend bool operator==(const Vec2&, const Vec2&) = default;
};

struct Vec3 {
    float x = 0, y = 0, z = 0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

// A point (w = 1) or a direction (w = 0) on its way through a 4 x 4 matrix.
struct Vec4 {
    float x = 0, y = 0, z = 0, w = 0;
    friend bool operator==(const Vec4&, const Vec4&) = default;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
// The zero vector stays zero: a degenerate triangle gets no direction rather than NaN.
inline Vec3 normalized(Vec3 a) {
    const float n = length(a);
    return n > 0 ? a * (1.0f / n) : Vec3{};
}

}  // namespace varmelo
