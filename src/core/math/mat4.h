#pragma once
// A 4 x 4 float matrix stored column by column, as OpenGL takes it, so a view can hand
// data() to the GL as it is. Products read right to left: (a * b) applied to v is a(b(v)).
#include <array>

#include "core/math/vec.h"

namespace varmelo {

// The upper 3 x 3 block of a transform, column by column: what turns normals.
struct Mat3 {
    std::array<float, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};
    float operator()(int row, int col) const { return m[std::size_t(col * 3 + row)]; }
};

class Mat4 {
public:
    // The identity.
    Mat4() = default;

    float operator()(int row, int col) const { return m_[std::size_t(col * 4 + row)]; }
    float& operator()(int row, int col) { return m_[std::size_t(col * 4 + row)]; }
    const float* data() const { return m_.data(); }
    friend bool operator==(const Mat4&, const Mat4&) = default;

    friend Mat4 operator*(const Mat4& a, const Mat4& b);
    Vec4 operator*(Vec4 v) const;
    // The point (w = 1) through the matrix; a projection's result is divided by its w.
    Vec3 transformPoint(Vec3 p) const;
    // The direction (w = 0): turned and scaled, never moved.
    Vec3 transformDirection(Vec3 d) const;

    static Mat4 translation(Vec3 t);
    static Mat4 scaling(Vec3 s);
    // A RenderWare frame: its right, up and at vectors are the basis columns and its position
    // the move, so v goes to v.x * right + v.y * up + v.z * at + position. A frame's world
    // matrix is parent * own.
    static Mat4 frame(Vec3 right, Vec3 up, Vec3 at, Vec3 position);
    // The GL perspective projection: the vertical angle in degrees, width / height, and the
    // distances of the clip planes (0 < near < far).
    static Mat4 perspective(float fovYDegrees, float aspect, float nearPlane, float farPlane);
    // Eye coordinates of a camera at `eye` looking at `centre` (-z ahead, +y as near `up` as
    // it can be).
    static Mat4 lookAt(Vec3 eye, Vec3 centre, Vec3 up);

    // The inverse transpose of the upper 3 x 3 block: normals stay square to their surfaces
    // under any scale. A flat block (a zero scale) keeps the directions its inverse would
    // give, unscaled, so the faces of a flat box are still lit; normals are renormalised
    // after it anyway.
    Mat3 normalMatrix() const;

private:
    std::array<float, 16> m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

}  // namespace varmelo
