#include "FieldWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv::test {
namespace {

// A bumpy field whose heights are exact in binary, so grid samples compare exactly.
float bumpy(int i, int j) {
    return static_cast<float>((i * 7 + j * 3) % 11) * 0.125f;
}

struct Point {
    double x, y, z;
};

Point sample(int i, int j) {
    return {double(i), double(bumpy(i, j)), double(j)};
}

// Height at (x, z) of the plane through three points, solved from the plane's normal.
double planeHeight(Point a, Point b, Point c, double x, double z) {
    double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    return a.y - (nx * (x - a.x) + nz * (z - a.z)) / ny;
}

double dotEdge(const Vec3& n, Point from, Point to) {
    return n.x * (to.x - from.x) + n.y * (to.y - from.y) + n.z * (to.z - from.z);
}

class FieldQueryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.writeField(bumpy);
        field = workspace.build();
    }

    FieldWorkspace workspace;
    std::unique_ptr<Field> field;
};

TEST_F(FieldQueryTest, HeightAtGridPointIsTheStoredSample) {
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j)
            ASSERT_EQ(field->heightAt(float(i), float(j)), bumpy(i, j)) << i << "," << j;
}

TEST_F(FieldQueryTest, HeightFollowsThePlaneOfEachTriangle) {
    const int i = 10, j = 20; // corners 1.125, 0.125 (j+1), 1.0 (both +1), 0.625 (i+1)
    const Point p00 = sample(i, j), p01 = sample(i, j + 1), p11 = sample(i + 1, j + 1),
                p10 = sample(i + 1, j);
    struct Case {
        float fx, fz;
        bool triangleB;
    };
    for (Case c : {Case{0.25f, 0.25f, false}, Case{0.6f, 0.1f, false}, Case{0.75f, 0.75f, true},
                   Case{0.3f, 0.7f, true}, Case{0.5f, 0.5f, true}, Case{0.0f, 0.999f, false}}) {
        double x = i + c.fx, z = j + c.fz;
        double expected = c.triangleB ? planeHeight(p01, p11, p10, x, z) : planeHeight(p00, p01, p10, x, z);
        EXPECT_NEAR(field->heightAt(float(x), float(z)), expected, 1e-5) << c.fx << "," << c.fz;
    }
}

TEST_F(FieldQueryTest, NormalsAreUnitUpwardAndSquareToTheirTriangle) {
    for (int i : {0, 10, 57, 99}) {
        for (int j : {0, 20, 63, 99}) {
            const Point p00 = sample(i, j), p01 = sample(i, j + 1), p11 = sample(i + 1, j + 1),
                        p10 = sample(i + 1, j);
            const Vec3& a = field->normalAt(i + 0.2f, j + 0.2f);
            const Vec3& b = field->normalAt(i + 0.8f, j + 0.8f);
            for (const Vec3* n : {&a, &b}) {
                EXPECT_NEAR(length(*n), 1.0f, 1e-6f);
                EXPECT_GT(n->y, 0.0f);
            }
            EXPECT_NEAR(dotEdge(a, p00, p01), 0.0, 1e-6);
            EXPECT_NEAR(dotEdge(a, p00, p10), 0.0, 1e-6);
            EXPECT_NEAR(dotEdge(b, p01, p11), 0.0, 1e-6);
            EXPECT_NEAR(dotEdge(b, p10, p11), 0.0, 1e-6);
        }
    }
}

TEST_F(FieldQueryTest, EdgesBelongToTriangleBAndToTheCellStartingThere) {
    const FieldCell& cell = field->grid().cell(10, 20);
    ASSERT_NE(cell.normalA, cell.normalB);
    EXPECT_EQ(&field->normalAt(10.25f, 20.75f), &cell.normalB);
    EXPECT_EQ(&field->normalAt(10.5f, 20.5f), &cell.normalB);
    EXPECT_EQ(&field->normalAt(10.5f, 20.25f), &cell.normalA);
    // Both planes meet on the diagonal, so the height there is continuous.
    EXPECT_NEAR(field->heightAt(10.5f, 20.5f), (0.125f + 0.625f) / 2.0f, 1e-6f);
    // A point on a grid line belongs to the cell that starts there.
    EXPECT_EQ(&field->normalAt(37.0f, 20.2f), &field->grid().cell(37, 20).normalA);
    EXPECT_EQ(&field->normalAt(20.2f, 37.0f), &field->grid().cell(20, 37).normalA);
    EXPECT_EQ(&field->normalAt(36.99f, 20.2f), &field->grid().cell(36, 20).normalB);
}

TEST_F(FieldQueryTest, PointsOffTheFieldClampToTheBorderCell) {
    EXPECT_EQ(field->heightAt(-5.0f, 40.5f), field->heightAt(0.0f, 40.5f));
    EXPECT_EQ(field->heightAt(40.5f, -0.001f), field->heightAt(40.5f, 0.0f));
    EXPECT_EQ(field->heightAt(150.0f, 40.0f), bumpy(100, 40));
    EXPECT_EQ(field->heightAt(100.0f, 100.0f), bumpy(100, 100));
    EXPECT_EQ(field->heightAt(1e30f, -1e30f), bumpy(100, 0));
    EXPECT_EQ(&field->normalAt(250.0f, 250.0f), &field->grid().cell(99, 99).normalB);
    EXPECT_EQ(&field->normalAt(-250.0f, -250.0f), &field->grid().cell(0, 0).normalA);
    // Not a number counts as 0.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(field->heightAt(nan, nan), bumpy(0, 0));
    EXPECT_EQ(field->heightAt(nan, 5.0f), bumpy(0, 5));
    EXPECT_EQ(field->heightAt(inf, -inf), bumpy(100, 0));
    EXPECT_EQ(&field->normalAt(nan, nan), &field->grid().cell(0, 0).normalA);
}

TEST(FieldCellTest, VerticesFormTwoTrianglesWithTheWholeTexture) {
    const TerrainPalette palette(1);
    FieldCell cell = FieldCell::build(12, 34, 0.5f, 1.5f, 2.5f, 3.5f, palette);
    struct Expected {
        float x, y, z, u, v;
    };
    const Expected expected[6] = {{12, 0.5f, 34, 0, 0}, {12, 1.5f, 35, 0, 1}, {13, 3.5f, 34, 1, 0},
                                  {12, 1.5f, 35, 0, 1}, {13, 2.5f, 35, 1, 1}, {13, 3.5f, 34, 1, 0}};
    for (int k = 0; k < 6; ++k) {
        const WorldVertex& v = cell.vertices[k];
        EXPECT_TRUE(v.x == expected[k].x && v.y == expected[k].y && v.z == expected[k].z) << k;
        EXPECT_TRUE(v.u == expected[k].u && v.v == expected[k].v) << k;
        EXPECT_EQ(v.diffuse, palette.colorAt(v.y)) << k;
    }
}

TEST(FieldCellTest, FlatCellsFaceUpAndDamagedOnesStillGiveUnitNormals) {
    FieldCell flat = FieldCell::build(3, 4, 0.7f, 0.7f, 0.7f, 0.7f, TerrainPalette(1));
    EXPECT_EQ(flat.normalA, (Vec3{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(flat.normalB, (Vec3{0.0f, 1.0f, 0.0f}));
    const float huge = std::numeric_limits<float>::max();
    FieldCell cell = FieldCell::build(0, 0, huge, -huge, huge, -huge, TerrainPalette(1));
    for (const Vec3& n : {cell.normalA, cell.normalB}) {
        EXPECT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
        EXPECT_NEAR(length(n), 1.0f, 1e-6f);
    }
}

} // namespace
} // namespace qv::test
