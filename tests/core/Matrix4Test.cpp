#include "core/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

constexpr float kTolerance = 1e-5f;

void expectNear(const Vec3& actual, const Vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

void expectNear(const Matrix4& actual, const Matrix4& expected) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], kTolerance) << "row " << r << " column " << c;
}

TEST(Matrix4Rotation, YTurnsXTowardsMinusZ) {
    for (float a : {0.3f, 1.0f, -2.2f}) {
        expectNear(transformPoint({1, 0, 0}, Matrix4::rotationY(a)), {std::cos(a), 0, -std::sin(a)});
        expectNear(transformPoint({0, 0, 1}, Matrix4::rotationY(a)), {std::sin(a), 0, std::cos(a)});
    }
    // The game turns a model to face angle a with RotationY(-a): +x then points at (cos a, 0, sin a).
    expectNear(transformNormal({1, 0, 0}, Matrix4::rotationY(-0.7f)), {std::cos(0.7f), 0, std::sin(0.7f)});
}

TEST(Matrix4Rotation, XAndZFollowTheLeftHandedRule) {
    const float a = 0.5f;
    expectNear(transformPoint({0, 1, 0}, Matrix4::rotationX(a)), {0, std::cos(a), std::sin(a)});
    expectNear(transformPoint({1, 0, 0}, Matrix4::rotationZ(a)), {std::cos(a), std::sin(a), 0});
}

TEST(Matrix4Multiply, LeftOperandIsAppliedFirst) {
    const Matrix4 scale = Matrix4::scaling(2, 3, 4);
    const Matrix4 move = Matrix4::translation(10, 20, 30);
    // Scale, then move: (1,1,1) -> (2,3,4) -> (12,23,34). The other order gives (22,63,124).
    expectNear(transformPoint({1, 1, 1}, multiply(scale, move)), {12, 23, 34});
    expectNear(transformPoint({1, 1, 1}, move * scale), {22, 63, 124});
    const Matrix4 turn = Matrix4::rotationY(0.4f);
    const Vec3 p{0.3f, -1.2f, 2.5f};
    expectNear(transformPoint(p, turn * move), transformPoint(transformPoint(p, turn), move));
}

TEST(Matrix4Camera, LookAtRowsAndEyeAtOrigin) {
    const Vec3 eye{1, 2, -3}, at{4, 2, 1}, up{0, 1, 0};
    const Matrix4 view = Matrix4::lookAtLH(eye, at, up);
    const Vec3 z = normalize(at - eye);
    const Vec3 x = normalize(cross(up, z));
    const Vec3 y = cross(z, x);
    Matrix4 expected;
    expected.m[0] = {x.x, y.x, z.x, 0};
    expected.m[1] = {x.y, y.y, z.y, 0};
    expected.m[2] = {x.z, y.z, z.z, 0};
    expected.m[3] = {-dot(x, eye), -dot(y, eye), -dot(z, eye), 1};
    expectNear(view, expected);
    expectNear(transformPoint(eye, view), {0, 0, 0});
    // The target lies straight ahead on +z, at its distance.
    expectNear(transformPoint(at, view), {0, 0, 5});
    // The logo's camera: eye (0,0,-2) looking at the origin is a plain move by +2 along z.
    expectNear(Matrix4::lookAtLH({0, 0, -2}, {0, 0, 0}, {0, 1, 0}), Matrix4::translation(0, 0, 2));
}

TEST(Matrix4Camera, PerspectiveRows) {
    const float fovy = 0.7853982f, aspect = 1.33f, zn = 0.1f, zf = 100.0f;
    const Matrix4 proj = Matrix4::perspectiveFovLH(fovy, aspect, zn, zf);
    const float ys = 1.0f / std::tan(fovy / 2), xs = ys / aspect;
    Matrix4 expected;
    expected.m[0] = {xs, 0, 0, 0};
    expected.m[1] = {0, ys, 0, 0};
    expected.m[2] = {0, 0, zf / (zf - zn), 1};
    expected.m[3] = {0, 0, -zn * zf / (zf - zn), 0};
    expectNear(proj, expected);
    // Depth after the divide: 0 at the near plane, 1 at the far plane (w is the view depth).
    EXPECT_NEAR(transformPoint({0, 0, zn}, proj).z / zn, 0.0f, kTolerance);
    EXPECT_NEAR(transformPoint({0, 0, zf}, proj).z / zf, 1.0f, kTolerance);
}

TEST(Matrix4Invert, RoundTripsAndRejectsSingular) {
    const Matrix4 m = Matrix4::scaling(2, 0.5f, 3) * Matrix4::rotationX(0.3f) * Matrix4::rotationY(-1.1f) *
                      Matrix4::translation(4, -5, 6);
    Matrix4 inverse;
    ASSERT_TRUE(invert(m, inverse));
    expectNear(m * inverse, Matrix4::identity());
    expectNear(inverse * m, Matrix4::identity());
    const Vec3 p{1.5f, -2, 7};
    expectNear(transformPoint(transformPoint(p, m), inverse), p);

    Matrix4 untouched = Matrix4::translation(1, 2, 3);
    EXPECT_FALSE(invert(Matrix4::scaling(1, 0, 1), untouched));
    EXPECT_FALSE(invert(Matrix4::zero(), untouched));
    EXPECT_EQ(untouched, Matrix4::translation(1, 2, 3));
}

TEST(Matrix4Storage, RowMajorWithTranslationInTheLastRow) {
    // Uploaded unchanged, this is exactly the column-major layout of the column-vector matrix.
    const Matrix4 move = Matrix4::translation(7, 8, 9);
    EXPECT_EQ(move.data()[12], 7.0f);
    EXPECT_EQ(move.data()[13], 8.0f);
    EXPECT_EQ(move.data()[14], 9.0f);
    EXPECT_EQ(transpose(transpose(move)), move);
    EXPECT_EQ(transpose(move).m[0][3], 7.0f);
    expectNear(transformNormal({1, 1, 1}, move), {1, 1, 1});
}

} // namespace
} // namespace qv
