#include "core/math/mat4.h"

#include <cmath>
#include <numbers>

namespace varmelo {

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            float s = 0;
            for (int k = 0; k < 4; ++k) s += a(row, k) * b(k, col);
            r(row, col) = s;
        }
    return r;
}

Vec4 Mat4::operator*(Vec4 v) const {
    const Mat4& a = *this;
    auto row = [&](int r) { return a(r, 0) * v.x + a(r, 1) * v.y + a(r, 2) * v.z + a(r, 3) * v.w; };
    return {row(0), row(1), row(2), row(3)};
}

Vec3 Mat4::transformPoint(Vec3 p) const {
    const Vec4 r = *this * Vec4{p.x, p.y, p.z, 1};
    if (r.w == 1 || r.w == 0) return {r.x, r.y, r.z};
    return {r.x / r.w, r.y / r.w, r.z / r.w};
}

Vec3 Mat4::transformDirection(Vec3 d) const {
    const Vec4 r = *this * Vec4{d.x, d.y, d.z, 0};
    return {r.x, r.y, r.z};
}

Mat4 Mat4::translation(Vec3 t) {
    Mat4 m;
    m(0, 3) = t.x;
    m(1, 3) = t.y;
    m(2, 3) = t.z;
    return m;
}

Mat4 Mat4::scaling(Vec3 s) {
    Mat4 m;
    m(0, 0) = s.x;
    m(1, 1) = s.y;
    m(2, 2) = s.z;
    return m;
}

Mat4 Mat4::frame(Vec3 right, Vec3 up, Vec3 at, Vec3 position) {
    Mat4 m;
    const Vec3 columns[4] = {right, up, at, position};
    for (int col = 0; col < 4; ++col) {
        m(0, col) = columns[col].x;
        m(1, col) = columns[col].y;
        m(2, col) = columns[col].z;
    }
    return m;
}

Mat4 Mat4::perspective(float fovYDegrees, float aspect, float nearPlane, float farPlane) {
    const float f = 1.0f / std::tan(fovYDegrees * float(std::numbers::pi) / 360.0f);
    Mat4 m;
    m(0, 0) = f / aspect;
    m(1, 1) = f;
    m(2, 2) = (farPlane + nearPlane) / (nearPlane - farPlane);
    m(2, 3) = 2 * farPlane * nearPlane / (nearPlane - farPlane);
    m(3, 2) = -1;
    m(3, 3) = 0;
    return m;
}

Mat4 Mat4::lookAt(Vec3 eye, Vec3 centre, Vec3 up) {
    const Vec3 forward = normalized(centre - eye);
    const Vec3 side = normalized(cross(forward, up));
    const Vec3 upward = cross(side, forward);
    Mat4 m;
    const Vec3 rows[3] = {side, upward, forward * -1.0f};
    for (int row = 0; row < 3; ++row) {
        m(row, 0) = rows[row].x;
        m(row, 1) = rows[row].y;
        m(row, 2) = rows[row].z;
        m(row, 3) = -dot(rows[row], eye);
    }
    return m;
}

Mat3 Mat4::normalMatrix() const {
    const Mat4& a = *this;
    // The cofactors of the block are its inverse transpose times its determinant.
    auto cofactor = [&](int row, int col) {
        const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (col + 1) % 3, c1 = (col + 2) % 3;
        return a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
    };
    Mat3 n;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) n.m[std::size_t(col * 3 + row)] = cofactor(row, col);
    const float det = a(0, 0) * n(0, 0) + a(0, 1) * n(0, 1) + a(0, 2) * n(0, 2);
    if (det != 0)
        for (float& v : n.m) v /= det;
    return n;
}

}  // namespace varmelo
