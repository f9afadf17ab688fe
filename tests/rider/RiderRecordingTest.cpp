#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::test {
namespace {

// A ride that pedals, boosts, steers, brakes, jumps and back-pedals.
constexpr const char* kRide = R"(1 down F
60 down UP
84 up UP
90 down RIGHT
140 down D
170 up D
175 up RIGHT
190 down SPACE
192 up SPACE
230 up F
230 down R
280 up R
300 down C
310 down Z
)";
constexpr int kTicks = 420;

struct Snapshot {
    Vec3 position;
    float heading;
    RiderState state;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Rider& rider) {
    return {rider.position(), rider.heading(), rider.state()};
}

// Rolling hills with a pond, so the ride meets slopes, flight and water.
float hills(int i, int j) {
    return 1.2f + 0.8f * std::sin(0.3f * static_cast<float>(i)) * std::cos(0.2f * static_cast<float>(j)) -
           (i > 70 ? 1.5f : 0.0f);
}

std::vector<Snapshot> rideWithKeyboard(RiderWorkspace& ws) {
    std::vector<Snapshot> ride;
    auto rider = ws.playRider();
    rider->setControlEnabled(true);
    for (uint32_t tick = 1; tick <= kTicks; ++tick) {
        ws.rig.keysFor(tick);
        ws.rig.keyboard.poll();
        rider->update();
        ride.push_back(snapshot(*rider));
    }
    return ride;
}

// The ride as the scene leaves it when the run is a new best.
void saveAsDemo(RiderWorkspace& ws) {
    ASSERT_TRUE(ws.recorder->recording().save(ControlRecording::kDemoFile));
}

// The saved demo, replayed by a demo rider, does what the ride did, tick for tick.
void expectReplayedTickForTick(RiderWorkspace& ws, const std::vector<Snapshot>& played) {
    auto demo = ws.demoRider();
    for (size_t tick = 0; tick < played.size(); ++tick) {
        demo->update();
        ASSERT_EQ(snapshot(*demo), played[tick]) << "tick " << tick + 1;
    }
}

long flights(const std::vector<Snapshot>& ride) {
    return std::ranges::count(ride, RiderState::Air, &Snapshot::state);
}

TEST(RiderRecording, ARecordedRideReplaysTickForTick) {
    RiderWorkspace ws(kRide);
    ws.buildWorld(hills);
    const std::vector<Snapshot> played = rideWithKeyboard(ws);
    saveAsDemo(ws);
    ASSERT_TRUE(ws.exists("Data/demo.dat"));

    expectReplayedTickForTick(ws, played);
    // The ride really turned, flew and travelled.
    EXPECT_GT(flights(played), 0);
    EXPECT_LT(played.back().heading, -2.0f);
    EXPECT_GT(length(played.back().position - played.front().position), 5.0f);
}

// The same kind of ride on the pad: the stick steers part way and all the way, the triggers
// back-pedal and boost, and the pad is pulled out and plugged in again on the way.
constexpr const char* kPadRide = R"(1 down PAD_A
40 axis LEFTX -0.45
60 down PAD_RB
84 up PAD_RB
90 axis LEFTX 0.8
140 down PAD_B
170 up PAD_B
175 axis LEFTX 0.05
190 down PAD_X
192 up PAD_X
200 paddisconnect
215 padconnect
216 down PAD_A
230 up PAD_A
230 axis LT 0.9
280 axis LT 0
300 down PAD_DPAD_LEFT
300 down PAD_A
310 axis RT 1
330 up PAD_DPAD_LEFT
340 axis LEFTX nan
)";

TEST(RiderRecording, APadRideReplaysTickForTick) {
    RiderWorkspace ws(kPadRide);
    ws.buildWorld(hills);
    const std::vector<Snapshot> played = rideWithKeyboard(ws);
    saveAsDemo(ws);

    // What the rider used is what was recorded: the stick's part-way steering among it.
    const ControlRecording& recording = ws.recorder->recording();
    EXPECT_NEAR(recording[79].steer, (0.45f - 0.25f) / 0.75f, 1e-6f) << "tick 80, the stick at 0.45";
    EXPECT_EQ(recording[205].pedal, 0) << "pulled out";
    EXPECT_EQ(recording[220].pedal, 1) << "plugged in again";
    EXPECT_EQ(recording[250].backPedal, 1);
    EXPECT_EQ(recording[320].boost, 1);

    expectReplayedTickForTick(ws, played);
    EXPECT_GT(flights(played), 0);
    EXPECT_GT(length(played.back().position - played.front().position), 5.0f);
}

TEST(RiderRecording, ARideLeavesNoFileByItself) {
    RiderWorkspace ws(kRide);
    ws.buildWorld(hills);
    ws.writeFile("Data/demo.dat", "");
    rideWithKeyboard(ws);
    ws.recorder.reset();
    EXPECT_EQ(ws.readFile("Data/demo.dat"), "");
    EXPECT_FALSE(ws.exists("Data/replay.dat"));
}

TEST(RiderRecording, BeforeControlIsOnTheKeyboardIsNotRecorded) {
    RiderWorkspace ws("1 down F\n");
    ws.buildWorld(flatAt(1.0f));
    {
        auto rider = ws.playRider();
        for (uint32_t tick = 1; tick <= 30; ++tick) {
            ws.rig.keysFor(tick);
            ws.rig.keyboard.poll();
            rider->update();
        }
        EXPECT_EQ(rider->position().x, 50.0f);
    }
    saveAsDemo(ws);
    EXPECT_EQ(ws.readFile("Data/demo.dat"), std::string(786432, '\0'));
}

} // namespace
} // namespace qv::test
