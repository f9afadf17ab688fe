// The window's cell selection against the rule it has always followed, written out the long way:
// every cell of the square around the eye, a disc test, then the cosine of the angle between the
// view and the cell's direction from the apex behind the eye. Same cells, same order.
#include "field/DrawWindow.h"
#include "field/FieldGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

using Cells = std::vector<std::pair<int64_t, int64_t>>;

int64_t toCellReference(double v) {
    if (!(v > -1.0e6))
        return static_cast<int64_t>(-1.0e6);
    if (v > 1.0e6)
        return static_cast<int64_t>(1.0e6);
    return static_cast<int64_t>(v);
}

Cells referenceSelection(int32_t sightRange, const Vec3& eye, float yaw) {
    const double yawD = yaw;
    const int64_t bx = toCellReference(eye.x - 1.5 * std::cos(yawD));
    const int64_t bz = toCellReference(eye.z - 1.5 * std::sin(yawD));
    const int64_t cx = toCellReference(eye.x), cz = toCellReference(eye.z);
    const int64_t radius = sightRange + 2;
    Cells cells;
    for (int64_t i = std::max<int64_t>(0, cx - radius + 1); i <= std::min<int64_t>(99, cx + radius - 1);
         ++i) {
        for (int64_t j = std::max<int64_t>(0, cz - radius + 1); j <= std::min<int64_t>(99, cz + radius - 1);
             ++j) {
            const int64_t dx = cx - i, dz = cz - j;
            if (dx * dx + dz * dz >= radius * radius)
                continue;
            const double angle = std::atan2(static_cast<double>(j - bz), static_cast<double>(i - bx));
            if (std::cos(angle - yawD) < 0.0)
                continue;
            // The window holds 4 x range^2 cells; only a yaw that is not a number (every cell of the
            // disc) needs more, and is cut short there.
            if (cells.size() == static_cast<size_t>(4 * sightRange * sightRange))
                return cells;
            cells.emplace_back(i, j);
        }
    }
    return cells;
}

class DrawWindowSelectionTest : public ::testing::Test {
  protected:
    Cells select(int32_t sightRange, const Vec3& eye, float yaw) {
        DrawWindow window(sightRange);
        const size_t count = window.select(cells_, eye, yaw);
        Cells selected;
        size_t listed = 0;
        for (const VertexRange& run : window.runs()) {
            EXPECT_EQ(run.first % FieldCell::kVertexCount, 0u);
            for (uint32_t k = run.first; k < run.first + run.count; k += FieldCell::kVertexCount)
                selected.emplace_back(k / FieldCell::kVertexCount / FieldGrid::kCells,
                                      k / FieldCell::kVertexCount % FieldGrid::kCells);
            listed += run.count;
        }
        EXPECT_EQ(listed, count);
        return selected;
    }

    void expectSameAsReference(int32_t sightRange, const Vec3& eye, float yaw) {
        const Cells expected = referenceSelection(sightRange, eye, yaw);
        cellsCompared_ += expected.size();
        ASSERT_EQ(select(sightRange, eye, yaw), expected)
            << "range " << sightRange << " eye (" << eye.x << ", " << eye.z << ") yaw " << yaw;
    }

    std::vector<FieldCell> cells_ =
        std::vector<FieldCell>(static_cast<size_t>(FieldGrid::kCells) * FieldGrid::kCells);
    size_t cellsCompared_ = 0;
};

// Exact quarter turns and their float neighbours, yaws closer to zero than atan2's rounding of a
// quarter turn, yaws far from zero and yaws that are not numbers: where rounding would first tell
// the two rules apart.
std::vector<float> edgeYaws() {
    const float nan = std::numeric_limits<float>::quiet_NaN(),
                infinity = std::numeric_limits<float>::infinity();
    std::vector<float> yaws{0.0f, -0.0f, nan, infinity, 1000.0f, -987.654f, 1.0e7f};
    for (float tiny : {1.0e-30f, 1.0e-20f, 1.0e-17f, 6.0e-17f, 1.2e-16f, 3.0e-16f, 1.0e-15f})
        yaws.insert(yaws.end(), {tiny, -tiny});
    for (int quarter = -8; quarter <= 8; ++quarter) {
        const float yaw = static_cast<float>(quarter) * 1.5707964f;
        yaws.insert(yaws.end(), {yaw, std::nextafter(yaw, 100.0f), std::nextafter(yaw, -100.0f)});
        yaws.push_back(static_cast<float>(quarter) * 0.7853982f);
    }
    return yaws;
}

TEST_F(DrawWindowSelectionTest, EdgeYawsFromEyesOnCellCornersAndEdges) {
    for (int32_t range : {8, 15, 100}) {
        for (Vec3 eye :
             {Vec3{50.0f, 1, 50.0f}, Vec3{50.5f, 1, 50.5f}, Vec3{0.0f, 1, 0.0f}, Vec3{99.9f, 1, 0.1f},
              Vec3{1.5f, 1, 98.5f}, Vec3{-3.0f, 1, 40.0f}, Vec3{120.0f, 1, 103.0f}})
            for (float yaw : edgeYaws())
                ASSERT_NO_FATAL_FAILURE(expectSameAsReference(range, eye, yaw));
    }
    EXPECT_GT(cellsCompared_, 100000u);
}

TEST_F(DrawWindowSelectionTest, EyesOffTheFieldOrNotNumbers) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (Vec3 eye : {Vec3{nan, 1, 50.0f}, Vec3{50.0f, 1, nan}, Vec3{-1.0e9f, 1, 50.0f},
                     Vec3{1.0e9f, 1, 1.0e9f}, Vec3{-110.0f, 1, -110.0f}, Vec3{-90.0f, 1, 50.0f}})
        for (float yaw : {0.0f, 1.0f, 3.1415927f, -2.0f})
            ASSERT_NO_FATAL_FAILURE(expectSameAsReference(100, eye, yaw));
}

// Eyes anywhere on and around the field, any yaw within a few turns, every sight range.
TEST_F(DrawWindowSelectionTest, ThousandsOfRandomViews) {
    std::mt19937 random(20240611u);
    auto uniform = [&random](float low, float high) {
        return low + (high - low) * static_cast<float>(random() % 1000003u) / 1000003.0f;
    };
    for (int view = 0; view < 3000; ++view) {
        const auto range = static_cast<int32_t>(8 + random() % 93u);
        const Vec3 eye{uniform(-20.0f, 120.0f), 1.0f, uniform(-20.0f, 120.0f)};
        ASSERT_NO_FATAL_FAILURE(expectSameAsReference(range, eye, uniform(-20.0f, 20.0f)));
    }
    EXPECT_GT(cellsCompared_, 3000u * 500u);
}

TEST_F(DrawWindowSelectionTest, EveryRangeOnAWalkAroundTheField) {
    for (int32_t range = 8; range <= 100; ++range) {
        const float turn = static_cast<float>(range) * 0.37f;
        const Vec3 eye{50.0f + 45.0f * std::cos(turn), 1.0f, 50.0f + 45.0f * std::sin(turn)};
        for (int step = 0; step < 8; ++step)
            ASSERT_NO_FATAL_FAILURE(
                expectSameAsReference(range, eye, turn + static_cast<float>(step) * 0.785f));
    }
}

} // namespace
} // namespace qv::test
