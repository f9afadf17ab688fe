#include "bot/Autopilot.h"

#include "characters/HitTest.h"
#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

constexpr uint32_t kPatience = 3000; // ticks: well over a minute of riding

// A rider on the workspace's field driven by the autopilot toward one goal, tick by tick, the
// way the main loop and the scene do it.
class AutopilotRide {
  public:
    explicit AutopilotRide(RiderWorkspace& ws) : ws_(ws) {
        rider_ = std::make_unique<Rider>(ws.rig.graphics, ws.rig.content, ws.rig.sound, recorder_, *ws.field,
                                         *ws.water);
        rider_->setControlEnabled(true);
    }

    // Ticks until the rider hits the goal hard enough to knock it down; 0 if it never does.
    uint32_t ticksToKnockDown(const Vec3& goal) {
        for (uint32_t tick = 1; tick <= kPatience; ++tick) {
            autopilot_.plan({rider_.get(), &goal, &ws_.field->grid(), ws_.water->waterLevel()});
            keyboard_.poll();
            rider_->update();
            if (HitTest::goalContact(rider_->position(), rider_->speed(), goal) == HitTest::GoalContact::Hard)
                return tick;
        }
        return 0;
    }

  private:
    RiderWorkspace& ws_;
    ScriptedKeySource none_ = ScriptedKeySource::fromText("");
    Autopilot autopilot_;
    KeyboardInput keyboard_{none_, none_, Bindings::defaults(), &autopilot_};
    KeyboardRecorder recorder_{keyboard_};
    std::unique_ptr<Rider> rider_;
};

TEST(AutopilotTest, KnocksDownAGoalRightBesideTheStartInsteadOfCirclingIt) {
    RiderWorkspace ws;
    ws.buildWorld(flatAt(1.0f));
    AutopilotRide ride(ws);
    // The rider starts at (50, 50) facing +x: the goal is inside its turning circle.
    EXPECT_GT(ride.ticksToKnockDown({50.5f, 1.6f, 51.5f}), 0u);
}

TEST(AutopilotTest, ReachesAGoalOnAPlateauByTheRampRoundTheSide) {
    RiderWorkspace ws;
    // A cliff 2 high across the way east, with a gentle ramp up it away to the north.
    ws.buildWorld([](int i, int j) {
        if (i >= 60)
            return 3.0f;
        if (j >= 20 && j <= 30 && i >= 50)
            return 1.0f + 0.2f * static_cast<float>(i - 50);
        return 1.0f;
    });
    AutopilotRide ride(ws);
    EXPECT_GT(ride.ticksToKnockDown({70.5f, 3.6f, 50.5f}), 0u);
}

TEST(AutopilotTest, CrossesWaterToAGoalOnTheFarShore) {
    RiderWorkspace ws;
    // A channel from edge to edge between the start and the goal.
    ws.buildWorld([](int i, int) { return i >= 56 && i <= 64 ? 0.0f : 1.0f; });
    AutopilotRide ride(ws);
    EXPECT_GT(ride.ticksToKnockDown({75.5f, 1.6f, 50.5f}), 0u);
}

} // namespace
} // namespace qv::test
