#include "world/RippleSet.h"
#include "world/SplashSet.h"

#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace qv::test {
namespace {

// A real rider pedals off a dry plateau down a slope into the lake, with both effects driven the
// way the race drives them: spawned only while the rider touches the water, then updated.
class RippleRideTest : public ::testing::Test {
  protected:
    RippleRideTest() {
        ws.buildWorld([](int i, int) {
            return std::max(-1.0f, 1.0f - 0.15f * static_cast<float>(std::max(0, i - 52)));
        });
        ws.writeDemo(repeat(pedalling(), 400));
        rider = ws.demoRider();
        ripples = std::make_unique<RippleSet>(ws.rig.graphics, ws.rig.content, *ws.water, ws.rig.options());
        splashes = std::make_unique<SplashSet>(ws.rig.graphics, ws.rig.content, ws.rig.sound, *ws.water,
                                               ws.rig.state, ws.rig.options());
    }
    void raceTick() {
        rider->update();
        if (rider->waterContact() != 0) {
            ripples->spawn(rider->position(), rider->speed());
            splashes->spawn(rider->position(), rider->speed(), rider->waterContact());
        }
        ripples->update();
        splashes->update();
    }
    size_t ringCount() const {
        return static_cast<size_t>(std::count_if(ripples->ripples().begin(), ripples->ripples().end(),
                                                 [](const Ripple& r) { return r.active; }));
    }

    RiderWorkspace ws;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<RippleSet> ripples;
    std::unique_ptr<SplashSet> splashes;
};

TEST_F(RippleRideTest, EnteringTheWaterSplashesDeepAndLeavesRingsOnThePath) {
    int tick = 0;
    while (rider->waterContact() == 0 && tick < 300) {
        EXPECT_EQ(ringCount(), 0u);
        EXPECT_EQ(splashes->activeCount(), 0u);
        raceTick();
        ++tick;
    }
    ASSERT_EQ(rider->waterContact(), 2) << "the rider never reached the water";
    const float entrySpeed = rider->speed();
    ASSERT_GE(entrySpeed, 0.022f);
    EXPECT_EQ(ws.rig.sound.playCount("./Data/wave/splash1.wav"), 1u);
    EXPECT_EQ(ws.rig.sound.playCount("./Data/wave/splash0.wav"), 0u);
    EXPECT_EQ(splashes->activeCount(),
              static_cast<size_t>(std::min(60, static_cast<int>(2.0f * entrySpeed * 400.0f))));
    ASSERT_EQ(ringCount(), 1u);
    EXPECT_FLOAT_EQ(ripples->ripples()[0].x, rider->position().x);
    EXPECT_FLOAT_EQ(ripples->ripples()[0].z, rider->position().z);

    // Floating on: every new ring marks where the rider was on its tick.
    size_t rings = 1;
    for (int k = 0; k < 40; ++k) {
        const int before = ripples->framesSinceSpawn();
        raceTick();
        if (ripples->framesSinceSpawn() == 1 && before != 0) {
            ++rings;
            const bool marked =
                std::any_of(ripples->ripples().begin(), ripples->ripples().end(), [&](const Ripple& r) {
                    return r.active && r.age == 1 && r.x == rider->position().x && r.z == rider->position().z;
                });
            EXPECT_TRUE(marked) << "tick " << k;
        }
    }
    EXPECT_GT(rings, 1u);
}

} // namespace
} // namespace qv::test
