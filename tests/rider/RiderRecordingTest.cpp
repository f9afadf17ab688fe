#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

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

TEST(RiderRecording, ARecordedRideReplaysTickForTick) {
    RiderWorkspace ws(kRide);
    ws.buildWorld(hills);
    const std::vector<Snapshot> played = rideWithKeyboard(ws);
    saveAsDemo(ws);
    ASSERT_TRUE(ws.exists("Data/demo.dat"));

    auto demo = ws.demoRider();
    int flights = 0;
    for (int tick = 0; tick < kTicks; ++tick) {
        demo->update();
        ASSERT_EQ(snapshot(*demo), played[tick]) << "tick " << tick + 1;
        flights += demo->state() == RiderState::Air;
    }
    // The ride really turned, flew and travelled.
    EXPECT_GT(flights, 0);
    EXPECT_LT(played.back().heading, -2.0f);
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
