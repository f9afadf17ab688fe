#include "ContentTool.h"
#include "core/Angles.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "rider/Rider.h"
#include "support/HeadlessRig.h"
#include "terrain/TerrainGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <sstream>

// Every field the content tool writes, read back through the game's own Field and ridden by the
// game's own rider: where it starts, how much is water, where goals can stand, and its ramps.
namespace qv::content {
namespace {

constexpr int kCells = FieldGrid::kCells;
constexpr float kWaterLevel = WaterSurface::kRestingLevel;
// A goal stands on a cell centre at this height range, on a triangle at least this flat, and
// the next one at least kGoalSpacing away from the previous one lifted by kGoalLift.
constexpr float kGoalHighest = 2.8f;
constexpr float kGoalFlatness = 0.9f;
constexpr float kGoalLift = 0.6f;
constexpr float kGoalSpacing = 20.0f;
// Steeper ground pushes a rider back.
constexpr float kClimbable = 0.6f;
// The lowest a floating rider bobs: a cell entirely below it is open water.
constexpr float kFloatHeight = 0.365f;

// The rider's input, decided afresh each tick from where the rider is.
using Pilot = std::function<ControlRecord(const Rider&)>;

class PilotSource : public ControlSource {
  public:
    explicit PilotSource(Pilot pilot) : pilot_(std::move(pilot)) {}
    void watch(const Rider& rider) { rider_ = &rider; }
    ControlRecord next() override { return pilot_(*rider_); }

  private:
    const Rider* rider_ = nullptr;
    Pilot pilot_;
};

// The pilot's source sits in a base of its own so it is there before the rider that reads it.
struct PilotHolder {
    PilotSource source;
};

// The game's rider steered by a test pilot, with its control on as in a race.
class PilotedRider : private PilotHolder, public Rider {
  public:
    PilotedRider(test::HeadlessRig& rig, const Field& field, const WaterSurface& water, Pilot pilot)
        : PilotHolder{PilotSource(std::move(pilot))},
          Rider(rig.graphics, rig.content, rig.sound, source, field, water) {
        source.watch(*this);
        setControlEnabled(true);
    }
};

struct Cell {
    int i;
    int j;
};

size_t cellIndex(int i, int j) {
    return static_cast<size_t>(i) * kCells + static_cast<size_t>(j);
}

// Triangle A of cell (i, j) is 2 * index, triangle B the next. Each triangle borders the other
// half of its cell and one triangle of each of two neighbouring cells.
std::vector<size_t> triangleNeighbours(size_t triangle) {
    const size_t cell = triangle / 2;
    const int i = static_cast<int>(cell) / kCells;
    const int j = static_cast<int>(cell) % kCells;
    const bool b = triangle % 2 == 1;
    std::vector<size_t> result{triangle ^ 1u};
    const int step = b ? 1 : -1;
    const size_t other = b ? 0 : 1;
    if (i + step >= 0 && i + step < kCells)
        result.push_back(cellIndex(i + step, j) * 2 + other);
    if (j + step >= 0 && j + step < kCells)
        result.push_back(cellIndex(i, j + step) * 2 + other);
    return result;
}

bool openWater(const FieldCell& cell) {
    return std::max({cell.h00, cell.h01, cell.h10, cell.h11}) < kFloatHeight;
}

// Every triangle a rider can get to from the start without climbing ground steeper than
// kClimbable; open water counts as passable, whatever lies beneath it.
std::vector<bool> reachableTriangles(const Field& field) {
    std::vector<bool> reached(static_cast<size_t>(kCells) * kCells * 2, false);
    auto passable = [&field](size_t triangle) {
        const FieldCell& cell = field.grid().cells()[triangle / 2];
        return openWater(cell) || (triangle % 2 == 0 ? cell.normalA : cell.normalB).y >= kClimbable;
    };
    std::deque<size_t> queue{cellIndex(50, 50) * 2};
    reached[queue.front()] = true;
    while (!queue.empty()) {
        const size_t triangle = queue.front();
        queue.pop_front();
        for (size_t next : triangleNeighbours(triangle)) {
            if (!reached[next] && passable(next)) {
                reached[next] = true;
                queue.push_back(next);
            }
        }
    }
    return reached;
}

// Cell centres where the game may stand a goal. A centre lies on the cell's diagonal, which
// belongs to triangle B.
std::vector<Vec3> goalSpots(const Field& field) {
    std::vector<Vec3> spots;
    for (int i = 0; i < kCells; ++i) {
        for (int j = 0; j < kCells; ++j) {
            const float x = static_cast<float>(i) + 0.5f;
            const float z = static_cast<float>(j) + 0.5f;
            const float h = field.heightAt(x, z);
            if (h >= kWaterLevel && h <= kGoalHighest && field.normalAt(x, z).y >= kGoalFlatness)
                spots.push_back({x, h, z});
        }
    }
    return spots;
}

// How many spots a next goal could go to from a goal standing at `from`, up to `enough`.
size_t spotsFarEnough(const std::vector<Vec3>& spots, const Vec3& from, size_t enough) {
    const Vec3 standing{from.x, from.y + kGoalLift, from.z};
    size_t count = 0;
    for (const Vec3& spot : spots) {
        count += length(spot - standing) >= kGoalSpacing ? 1 : 0;
        if (count >= enough)
            break;
    }
    return count;
}

// Cell centres of a shortest route over dry ground a pedalling rider climbs from rest, keeping
// `margin` cells clear of anything else so that cutting a corner is safe. Empty if none.
std::vector<Vec2> dryRoute(const Field& field, Cell from, Cell to, int margin) {
    auto gentle = [&field](int i, int j) {
        const FieldCell& c = field.grid().cell(i, j);
        return std::min({c.h00, c.h01, c.h10, c.h11}) > kWaterLevel &&
               std::min(c.normalA.y, c.normalB.y) >= 0.92f;
    };
    auto clear = [&](Cell c) {
        if (c.i < margin || c.j < margin || c.i >= kCells - margin || c.j >= kCells - margin)
            return false;
        for (int di = -margin; di <= margin; ++di)
            for (int dj = -margin; dj <= margin; ++dj)
                if (!gentle(c.i + di, c.j + dj))
                    return false;
        return true;
    };
    std::vector<int> cameFrom(static_cast<size_t>(kCells) * kCells, -1);
    const size_t start = cellIndex(from.i, from.j);
    const size_t goal = cellIndex(to.i, to.j);
    cameFrom[start] = static_cast<int>(start);
    std::deque<Cell> queue{from};
    while (!queue.empty() && cameFrom[goal] < 0 && clear(to)) {
        const Cell c = queue.front();
        queue.pop_front();
        for (const Cell n :
             {Cell{c.i + 1, c.j}, Cell{c.i - 1, c.j}, Cell{c.i, c.j + 1}, Cell{c.i, c.j - 1}}) {
            if (clear(n) && cameFrom[cellIndex(n.i, n.j)] < 0) {
                cameFrom[cellIndex(n.i, n.j)] = static_cast<int>(cellIndex(c.i, c.j));
                queue.push_back(n);
            }
        }
    }
    std::vector<Vec2> path;
    for (size_t k = goal; cameFrom[goal] >= 0; k = static_cast<size_t>(cameFrom[k])) {
        path.insert(path.begin(),
                    {static_cast<float>(k / kCells) + 0.5f, static_cast<float>(k % kCells) + 0.5f});
        if (k == start)
            break;
    }
    return path;
}

// Steers at each waypoint in turn with the pedal held down all the way.
Pilot followWaypoints(std::vector<Vec2> waypoints) {
    return [waypoints = std::move(waypoints), next = size_t{0}](const Rider& rider) mutable {
        const Vec3& p = rider.position();
        while (next + 1 < waypoints.size() &&
               std::hypot(waypoints[next].x - p.x, waypoints[next].y - p.z) < 2.5f)
            ++next;
        const float bearing = std::atan2(waypoints[next].y - p.z, waypoints[next].x - p.x);
        ControlRecord record;
        record.pedal = 1;
        const float turn = std::remainder(bearing - rider.heading(), kTwoPi);
        record.steer = std::clamp(2.0f * turn, -1.0f, 1.0f);
        return record;
    };
}

// The flight a rider makes off a ramp's lip.
struct Flight {
    bool reachedRamp = false;
    float takeoffSpeed = 0.0f;
    int airTicks = 0;
    float clearance = 0.0f; // highest point above the ground below
};

class GeneratedTerrain : public ::testing::TestWithParam<int> {
  protected:
    // The content tool's own terrains, and the rider's files so that the real rider can ride.
    static void SetUpTestSuite() {
        rig_ = std::make_unique<test::HeadlessRig>();
        std::vector<ContentGenerator> generators = contentGenerators();
        std::erase_if(generators, [](const ContentGenerator& g) {
            return g.name != "terrains" && !g.name.starts_with("rider");
        });
        std::ostringstream log;
        generateContent(rig_->dir.file("Data"), generators, log);
        ASSERT_NE(log.str().find("wrote Field3.dat"), std::string::npos) << log.str();
    }
    static void TearDownTestSuite() { rig_.reset(); }

    void SetUp() override {
        rig_->state.stageNumber = static_cast<uint32_t>(GetParam());
        field_ = std::make_unique<Field>(rig_->graphics, rig_->content, rig_->state, rig_->options());
        water_ = std::make_unique<WaterSurface>(rig_->graphics, rig_->state, rig_->options());
    }

    PilotedRider rider(Pilot pilot) const { return PilotedRider(*rig_, *field_, *water_, std::move(pilot)); }

    // Rides from the start to the beginning of the ramp's runway, then along it and over the lip
    // with the pedal held down all the way.
    Flight rideAt(const Ramp& ramp) const {
        // Aim a little way into the runway, clear of where it blends into the land around.
        const Vec2 approach = ramp.along(std::min(2.0f - ramp.runway, 0.0f));
        std::vector<Vec2> waypoints;
        for (int margin = 2; margin >= 1 && waypoints.empty(); --margin)
            waypoints = dryRoute(*field_, {50, 50},
                                 {static_cast<int>(approach.x), static_cast<int>(approach.y)}, margin);
        if (waypoints.empty()) {
            ADD_FAILURE() << "no dry route from the start to the ramp at " << ramp.foot.x << ", "
                          << ramp.foot.y;
            return {};
        }
        for (float d : {-ramp.runway, 0.0f, ramp.length, ramp.length + 20.0f})
            waypoints.push_back(ramp.along(d));
        PilotedRider r = rider(followWaypoints(waypoints));
        Flight flight;
        for (int tick = 0; tick < 4000 && (!flight.reachedRamp || r.state() == RiderState::Air); ++tick) {
            r.update();
            const Vec3& p = r.position();
            if (!flight.reachedRamp && r.state() == RiderState::Air &&
                std::hypot(p.x - ramp.lip().x, p.z - ramp.lip().y) < 1.5f) {
                flight.reachedRamp = true;
                flight.takeoffSpeed = r.speed();
            }
            if (flight.reachedRamp && r.state() == RiderState::Air) {
                ++flight.airTicks;
                flight.clearance = std::max(flight.clearance, p.y - field_->heightAt(p.x, p.z));
            }
        }
        return flight;
    }

    static std::unique_ptr<test::HeadlessRig> rig_;
    std::unique_ptr<Field> field_;
    std::unique_ptr<WaterSurface> water_;
};

std::unique_ptr<test::HeadlessRig> GeneratedTerrain::rig_;

TEST_P(GeneratedTerrain, RiderAtRestOnTheStartStaysAtRest) {
    EXPECT_GT(field_->heightAt(50.0f, 50.0f), kWaterLevel + 0.2f) << "the start must be dry";
    PilotedRider r = rider([](const Rider&) { return ControlRecord{}; });
    const Vec3 start = r.position();
    for (int tick = 0; tick < 400; ++tick)
        r.update();
    EXPECT_EQ(r.position(), start);
    EXPECT_EQ(r.state(), RiderState::Ground);
    EXPECT_EQ(r.speed(), 0.0f);
}

TEST_P(GeneratedTerrain, WaterCoversAFifthToTwoFifths) {
    int wet = 0;
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j < kCells; ++j)
            wet += field_->heightAt(static_cast<float>(i) + 0.5f, static_cast<float>(j) + 0.5f) < kWaterLevel
                       ? 1
                       : 0;
    EXPECT_GE(wet, kCells * kCells / 5);
    EXPECT_LE(wet, kCells * kCells * 2 / 5);
}

TEST_P(GeneratedTerrain, HighestGroundReachesFiveToSeven) {
    float highest = -1e9f;
    for (const FieldCell& c : field_->grid().cells())
        highest = std::max({highest, c.h00, c.h01, c.h10, c.h11});
    EXPECT_GE(highest, 5.0f);
    EXPECT_LE(highest, 7.0f);
}

TEST_P(GeneratedTerrain, GoalSpotsAreManyAndSpreadOut) {
    const std::vector<Vec3> spots = goalSpots(*field_);
    EXPECT_GE(spots.size(), static_cast<size_t>(kCells * kCells * 15 / 100));
    for (const Vec3& spot : spots)
        ASSERT_GE(spotsFarEnough(spots, spot, 100), 100u) << "from the goal at " << spot.x << ", " << spot.z;
}

TEST_P(GeneratedTerrain, EveryGoalSpotCanBeReachedFromTheStart) {
    const std::vector<bool> reached = reachableTriangles(*field_);
    for (const Vec3& spot : goalSpots(*field_)) {
        const size_t triangleB = cellIndex(static_cast<int>(spot.x), static_cast<int>(spot.z)) * 2 + 1;
        EXPECT_TRUE(reached[triangleB]) << "goal spot " << spot.x << ", " << spot.z;
    }
}

TEST_P(GeneratedTerrain, HasAFewSteepWalls) {
    int walls = 0;
    for (const FieldCell& c : field_->grid().cells())
        walls += std::min(c.normalA.y, c.normalB.y) < kClimbable ? 1 : 0;
    EXPECT_GE(walls, 10);
    EXPECT_LE(walls, kCells * kCells / 10);
}

TEST_P(GeneratedTerrain, RiderAtFullPedalTakesOffFromEveryRamp) {
    const std::vector<Ramp> ramps = generateTerrain(GetParam()).ramps;
    ASSERT_GE(ramps.size(), 1u);
    EXPECT_EQ(ramps.front().heading, 0.0f) << "the first ramp lies straight ahead of the start";
    for (const Ramp& ramp : ramps) {
        const Flight flight = rideAt(ramp);
        ASSERT_TRUE(flight.reachedRamp)
            << "no take-off from the ramp at " << ramp.foot.x << ", " << ramp.foot.y;
        EXPECT_GT(flight.takeoffSpeed, 0.15f) << ramp.foot.x << ", " << ramp.foot.y;
        EXPECT_GE(flight.airTicks, 15) << ramp.foot.x << ", " << ramp.foot.y;
        EXPECT_GT(flight.clearance, 1.0f) << ramp.foot.x << ", " << ramp.foot.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, GeneratedTerrain, ::testing::Range(0, kFieldCount));

} // namespace
} // namespace qv::content
