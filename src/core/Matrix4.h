#pragma once

#include "core/Vec3.h"

#include <array>

namespace qv {

// 4x4 single-precision matrix used with row vectors (v' = v * M) in a left-handed system.
// Stored row-major: m[row][col]. multiply(a, b) applies a first, then b.
struct Matrix4 {
    std::array<std::array<float, 4>, 4> m{};

    static Matrix4 identity();
    static Matrix4 zero() { return Matrix4{}; }
    static Matrix4 translation(float x, float y, float z);
    static Matrix4 scaling(float x, float y, float z);
    static Matrix4 rotationX(float angle);
    static Matrix4 rotationY(float angle);
    static Matrix4 rotationZ(float angle);
    static Matrix4 lookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
    static Matrix4 perspectiveFovLH(float fovy, float aspect, float zn, float zf);

    const float* data() const { return &m[0][0]; }
    bool operator==(const Matrix4&) const = default;
};

// a * b: a applied first to a row vector.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
inline Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    return multiply(a, b);
}

// Transforms the point (v, 1) and returns x, y, z without the perspective divide.
Vec3 transformPoint(const Vec3& v, const Matrix4& m);
// Transforms the direction (v, 0).
Vec3 transformNormal(const Vec3& v, const Matrix4& m);
// Full inverse; returns false (and leaves out untouched) for a singular matrix.
bool invert(const Matrix4& in, Matrix4& out);
Matrix4 transpose(const Matrix4& in);

} // namespace qv
