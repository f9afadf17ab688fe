#include "bot/RouteMap.h"

#include "field/FieldGrid.h"
#include "field/FieldHeights.h"
#include "field/TerrainPalette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace qv {
namespace {

constexpr float kWater = 0.445f; // the resting water level

FieldGrid groundOf(const std::function<float(int, int)>& height) {
    FieldHeights heights;
    for (int i = 0; i < FieldHeights::kSamples; ++i)
        for (int j = 0; j < FieldHeights::kSamples; ++j)
            heights.set(i, j, height(i, j));
    return FieldGrid(heights, TerrainPalette(1));
}

float flat(int, int) {
    return 1.0f;
}

// A plateau 3 high east of x = 60 behind a cliff, with one gentle ramp up its side between
// z = 10 and z = 30 (rising from x = 50 to x = 60, a grade of 0.2).
float plateauWithRamp(int i, int j) {
    if (i >= 60)
        return 3.0f;
    if (j >= 10 && j <= 30 && i >= 50)
        return 1.0f + 0.2f * static_cast<float>(i - 50);
    return 1.0f;
}

// Follows the route the way a rider would, half a unit at a time toward the aim, and gives the
// points it passed through.
std::vector<Vec3> walk(const RouteMap& route, Vec3 at, int steps = 1000) {
    std::vector<Vec3> path{at};
    for (int n = 0; n < steps && length(Vec3{at.x - route.goal().x, 0.0f, at.z - route.goal().z}) > 0.5f;
         ++n) {
        Vec3 aim = route.aimFrom(at, 3.0f);
        Vec3 step{aim.x - at.x, 0.0f, aim.z - at.z};
        at += normalize(step) * 0.5f;
        path.push_back(at);
    }
    return path;
}

float distanceToGoal(const RouteMap& route, const Vec3& at) {
    return std::hypot(route.goal().x - at.x, route.goal().z - at.z);
}

TEST(RouteMapTest, OnOpenGroundTheRouteRunsStraightAndItsCostIsTheDistance) {
    const FieldGrid ground = groundOf(flat);
    const RouteMap route(ground, kWater, {80.5f, 1.6f, 50.5f});
    const Vec3 start{20.0f, 1.0f, 50.5f};

    EXPECT_NEAR(route.costFrom(start), 60.5f, 0.5f);
    EXPECT_EQ(route.costFrom(route.goal()), 0.0f);
    const Vec3 aim = route.aimFrom(start, 4.0f);
    EXPECT_NEAR(aim.x, 24.0f, 0.5f);
    EXPECT_NEAR(aim.z, 50.5f, 0.01f);
    // The aim never runs past the goal.
    const Vec3 last = route.aimFrom({79.0f, 1.0f, 50.5f}, 4.0f);
    EXPECT_EQ(last, route.goal());
}

TEST(RouteMapTest, AGoalBehindACliffIsReachedUpTheRamp) {
    const FieldGrid ground = groundOf(plateauWithRamp);
    const RouteMap route(ground, kWater, {75.5f, 3.6f, 70.5f});

    const std::vector<Vec3> path = walk(route, {40.0f, 1.0f, 70.0f});
    EXPECT_LE(distanceToGoal(route, path.back()), 0.51f);
    for (const Vec3& p : path) {
        // Where the route crosses the foot of the cliff it is on the ramp.
        if (std::fabs(p.x - 55.0f) < 0.3f) {
            EXPECT_GE(p.z, 9.5f);
            EXPECT_LE(p.z, 30.5f);
        }
    }
    // Riding round costs more than the straight line, and far less than climbing the cliff.
    EXPECT_GT(route.costFrom({40.0f, 1.0f, 70.0f}), 36.0f);
    EXPECT_LT(route.costFrom({40.0f, 1.0f, 70.0f}), 150.0f);
}

TEST(RouteMapTest, WaterIsCrossedOnlyWhereGoingRoundCostsMore) {
    // A pond between start and goal, with dry land all round it.
    const FieldGrid pond = groundOf([](int i, int j) {
        return std::hypot(static_cast<float>(i - 50), static_cast<float>(j - 50)) < 8.0f ? 0.0f : 1.0f;
    });
    const RouteMap round(pond, kWater, {65.5f, 1.6f, 50.5f});
    for (const Vec3& p : walk(round, {35.0f, 1.0f, 50.5f}))
        EXPECT_GT(std::hypot(p.x - 50.0f, p.z - 50.0f), 6.5f) << p.x << ", " << p.z;

    // A channel from edge to edge cannot be gone round: the route swims it.
    const FieldGrid channel = groundOf([](int i, int) { return i >= 45 && i <= 55 ? 0.0f : 1.0f; });
    const RouteMap across(channel, kWater, {65.5f, 1.6f, 50.5f});
    const std::vector<Vec3> path = walk(across, {35.0f, 1.0f, 50.5f});
    EXPECT_LE(distanceToGoal(across, path.back()), 0.51f);
    EXPECT_GT(across.costFrom({35.0f, 1.0f, 50.5f}), 40.0f);
}

TEST(RouteMapTest, AvoidingAPlaceSendsTheRouteRoundIt) {
    const FieldGrid ground = groundOf(flat);
    RouteMap route(ground, kWater, {80.5f, 1.6f, 50.5f});
    const Vec3 start{40.0f, 1.0f, 50.5f};
    const float before = route.costFrom(start);

    route.avoid({50.0f, 1.0f, 50.5f});

    EXPECT_GT(route.costFrom(start), before);
    for (const Vec3& p : walk(route, start)) {
        if (std::fabs(p.x - 50.0f) < 0.3f) {
            EXPECT_GT(std::fabs(p.z - 50.5f), 1.0f) << p.x << ", " << p.z;
        }
    }
    // The goal itself is never made dear: a goal next to a bad place stays reachable.
    route.avoid(route.goal());
    EXPECT_EQ(route.costFrom(route.goal()), 0.0f);
}

TEST(RouteMapTest, PositionsOffTheFieldOrNotANumberAreTakenAtItsBorder) {
    const FieldGrid ground = groundOf(flat);
    const RouteMap route(ground, kWater, {50.5f, 1.6f, 50.5f});
    const float nan = std::numeric_limits<float>::quiet_NaN();

    EXPECT_TRUE(std::isfinite(route.costFrom({nan, 0.0f, nan})));
    EXPECT_EQ(route.costFrom({-30.0f, 0.0f, 50.0f}), route.costFrom({0.0f, 0.0f, 50.0f}));
    const Vec3 aim = route.aimFrom({500.0f, 0.0f, 50.5f}, 3.0f);
    EXPECT_NEAR(aim.x, 97.0f, 0.5f);
    // A goal placed off the field is still a goal to head for.
    const RouteMap outside(ground, kWater, {150.0f, 1.6f, 50.5f});
    EXPECT_TRUE(std::isfinite(outside.costFrom({10.0f, 0.0f, 10.0f})));
}

} // namespace
} // namespace qv
