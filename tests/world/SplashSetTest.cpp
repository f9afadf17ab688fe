#include "world/SplashSet.h"

#include "core/FatalError.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {
namespace {

constexpr float kLevel = 0.445f;
const Vec3 kRider{40.0f, 0.4f, 60.0f};
const std::string kWade = "./Data/wave/splash0.wav";
const std::string kDeep = "./Data/wave/splash1.wav";

class SplashSetTest : public ::testing::Test {
  protected:
    SplashSetTest() { splashes = make(""); }
    std::unique_ptr<SplashSet> make(const std::string& effectLines) {
        rig.dir.write("Pedalon.ini", "[EFFECT]\n" + effectLines);
        return std::make_unique<SplashSet>(rig.graphics, rig.content, rig.sound, water, rig.state,
                                           rig.options());
    }
    // Indices of the live particles.
    std::vector<size_t> live() const {
        std::vector<size_t> out;
        for (size_t i = 0; i < SplashSet::kPoints; ++i)
            if (splashes->active(i))
                out.push_back(i);
        return out;
    }
    void expectParked(size_t i) const {
        const SplashPoint& p = splashes->points()[i];
        EXPECT_FALSE(splashes->active(i)) << i;
        EXPECT_EQ(p.x, 0.0f) << i;
        EXPECT_EQ(p.y, -10.0f) << i;
        EXPECT_EQ(p.z, 0.0f) << i;
        EXPECT_EQ(splashes->velocity(i), Vec3{}) << i;
    }
    // How far the generator moved during body, in draws.
    template <typename Body> int drawsDuring(Body body) {
        Random probe = rig.state.random;
        const uint32_t before = probe.state();
        body();
        const uint32_t after = rig.state.random.state();
        for (int n = 0; n < 100000; ++n) {
            if (probe.state() == after)
                return n;
            probe.next();
        }
        ADD_FAILURE() << "generator state not reached from " << before;
        return -1;
    }

    HeadlessRig rig;
    WaterSurface water{rig.graphics, rig.state, rig.options()};
    std::unique_ptr<SplashSet> splashes;
};

std::vector<size_t> range(size_t from, size_t to) {
    std::vector<size_t> out;
    for (size_t i = from; i < to; ++i)
        out.push_back(i);
    return out;
}

TEST_F(SplashSetTest, EveryPointStartsParkedAndTranslucentWhite) {
    ASSERT_TRUE(splashes->enabled());
    ASSERT_EQ(splashes->points().size(), 1500u);
    for (size_t i = 0; i < SplashSet::kPoints; ++i) {
        expectParked(i);
        EXPECT_EQ(splashes->points()[i].diffuse, 0xBBFFFFFFu);
    }
    EXPECT_EQ(splashes->activeCount(), 0u);
}

TEST_F(SplashSetTest, BurstSizeGrowsWithSpeedAndDepthUpToSixty) {
    struct Case {
        float speed;
        int32_t contact;
        size_t count;
    };
    for (const Case c : {Case{0.022f, 1, 8}, Case{0.05f, 1, 20}, Case{0.05f, 2, 40}, Case{0.1f, 2, 60},
                         Case{3.0f, 2, 60}, Case{0.021f, 2, 0}, Case{-0.5f, 2, 0}, Case{0.1f, 0, 0}}) {
        splashes = make("");
        const int draws = drawsDuring([&] { splashes->spawn(kRider, c.speed, c.contact); });
        EXPECT_EQ(live(), range(0, c.count)) << c.speed << " " << c.contact;
        EXPECT_EQ(draws, static_cast<int>(4 * c.count)) << c.speed << " " << c.contact;
    }
}

// The demo replays need the draws in this order: angle, x throw, z throw, y throw.
TEST_F(SplashSetTest, EachParticleTakesFourDrawsInAFixedOrder) {
    rig.state.random.seed(20240611);
    Random reference = rig.state.random;
    const float s = 0.05f;
    splashes->spawn(kRider, s, 1);
    ASSERT_EQ(splashes->activeCount(), 20u);
    for (size_t i = 0; i < 20; ++i) {
        float r[4];
        for (float& x : r)
            x = static_cast<float>(reference.next()) / 32767.0f;
        const float a = r[0] * 6.2831855f;
        const SplashPoint& p = splashes->points()[i];
        const Vec3& v = splashes->velocity(i);
        EXPECT_NEAR(p.x, kRider.x + 0.07f * std::cos(a), 1e-5f) << i;
        EXPECT_NEAR(p.z, kRider.z + 0.07f * std::sin(a), 1e-5f) << i;
        EXPECT_NEAR(v.x, r[1] * s * std::cos(a) * 0.23f, 1e-7f) << i;
        EXPECT_NEAR(v.z, r[2] * s * std::sin(a) * 0.23f, 1e-7f) << i;
        EXPECT_NEAR(v.y, r[3] * s * 0.23f + 0.03f, 1e-7f) << i;
    }
    EXPECT_EQ(rig.state.random.state(), reference.state());
}

TEST_F(SplashSetTest, NewBurstsFillTheFirstFreeSlotsAndAFullPoolStartsNoMore) {
    splashes->spawn(kRider, 0.022f, 1);
    splashes->spawn(kRider, 0.022f, 1);
    EXPECT_EQ(live(), range(0, 16));
    for (int k = 0; k < 200; ++k)
        splashes->update();
    EXPECT_EQ(splashes->activeCount(), 0u);
    splashes->spawn(kRider, 0.05f, 2);
    EXPECT_EQ(live(), range(0, 40));
    for (int k = 0; k < 30; ++k)
        splashes->spawn(kRider, 0.1f, 2);
    EXPECT_EQ(splashes->activeCount(), 1500u);
    EXPECT_EQ(drawsDuring([&] { splashes->spawn(kRider, 0.1f, 2); }), 0);
}

// A particle falls under gravity and dies on the first update that leaves it below the water
// while moving down; one still rising lives on below the water.
TEST_F(SplashSetTest, ParticlesFlyUntilTheyFallBelowTheWater) {
    struct Seen {
        bool above = false, risingBelow = false;
    };
    for (const float launchY : {kLevel, kLevel - 1.0f}) {
        splashes = make("");
        splashes->spawn({20.0f, launchY, 30.0f}, 0.1f, 2);
        ASSERT_EQ(splashes->activeCount(), 60u);
        Seen seen;
        for (int frame = 0; frame < 60; ++frame) {
            const std::vector<SplashPoint> was = splashes->points();
            std::vector<Vec3> v;
            for (size_t i = 0; i < 60; ++i)
                v.push_back(splashes->velocity(i));
            splashes->update();
            for (size_t i = 0; i < 60; ++i) {
                if (was[i].y == -10.0f)
                    continue; // gone earlier
                const float vy = v[i].y - 0.005f;
                const Vec3 at{was[i].x + v[i].x, was[i].y + vy, was[i].z + v[i].z};
                if (at.y < kLevel && vy < 0.0f) {
                    expectParked(i);
                    continue;
                }
                ASSERT_TRUE(splashes->active(i)) << i;
                const SplashPoint& p = splashes->points()[i];
                EXPECT_EQ((Vec3{p.x, p.y, p.z}), at) << i;
                EXPECT_EQ(splashes->velocity(i), (Vec3{v[i].x, vy, v[i].z})) << i;
                seen.above = seen.above || at.y > kLevel + 0.05f;
                seen.risingBelow = seen.risingBelow || at.y < kLevel;
            }
        }
        EXPECT_EQ(splashes->activeCount(), 0u);
        EXPECT_EQ(seen.above, launchY == kLevel);
        EXPECT_EQ(seen.risingBelow, launchY < kLevel);
    }
}

TEST_F(SplashSetTest, SoundsAreSevenUpdatesApartAndFollowTheDepth) {
    std::vector<int> plays;
    for (int frame = 0; frame < 50; ++frame) {
        const size_t before = rig.sound.playCount(kWade);
        splashes->spawn(kRider, 0.05f, 1);
        if (rig.sound.playCount(kWade) > before)
            plays.push_back(frame);
        splashes->update();
    }
    EXPECT_EQ(plays, (std::vector<int>{7, 14, 21, 28, 35, 42, 49}));
    EXPECT_EQ(rig.sound.playCount(kDeep), 0u);
    for (int frame = 0; frame < 7; ++frame)
        splashes->update();
    // Too slow, or out of the water: no sound, and the wait goes on.
    splashes->spawn(kRider, 0.021f, 2);
    splashes->spawn(kRider, 0.5f, 0);
    EXPECT_EQ(rig.sound.playCount(kDeep), 0u);
    EXPECT_EQ(splashes->framesSinceSound(), 8);
    splashes->spawn(kRider, 0.05f, 2);
    EXPECT_EQ(rig.sound.playCount(kDeep), 1u);
    EXPECT_EQ(splashes->framesSinceSound(), 0);
}

TEST_F(SplashSetTest, DrawsEveryPointAsOneSpriteListWithItsPointStates) {
    splashes->spawn(kRider, 0.05f, 1);
    splashes->update();
    rig.graphics.clearLog();
    splashes->draw();
    ASSERT_EQ(rig.graphics.draws().size(), 1u);
    const auto& call = rig.graphics.draws()[0];
    EXPECT_EQ(call.type, PrimitiveType::PointList);
    EXPECT_EQ(call.primitiveCount, 1500u);
    EXPECT_EQ(call.vertexCount, 1500u);
    EXPECT_EQ(call.stride, 16u);
    EXPECT_EQ(call.world, Matrix4::identity());
    EXPECT_EQ(call.texture, splashes->texture());
    ASSERT_NE(call.texture, nullptr);
    for (size_t i = 0; i < SplashSet::kPoints; ++i) {
        const SplashPoint& p = call.vertex<SplashPoint>(i);
        EXPECT_EQ(p.diffuse, 0xBBFFFFFFu);
        EXPECT_EQ(p.y, i < 20 ? splashes->points()[i].y : -10.0f) << i;
    }
    using Op = RecordingRenderDevice::Op;
    const RenderState order[] = {RenderState::PointSize,    RenderState::PointSizeMax,
                                 RenderState::PointSizeMin, RenderState::PointScaleA,
                                 RenderState::PointScaleB,  RenderState::PointScaleC};
    const float values[] = {0.007f, 100.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    const auto& events = rig.graphics.events();
    ASSERT_EQ(events.size(), 9u);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(events[k].op, Op::RenderState);
        EXPECT_EQ(static_cast<RenderState>(events[k].a), order[k]);
        EXPECT_EQ(std::bit_cast<float>(events[k].b), values[k]);
    }
    EXPECT_EQ(events[6].op, Op::Texture);
    EXPECT_EQ(events[7].op, Op::Transform);
    EXPECT_EQ(events[8].op, Op::Draw);
}

// The picture is needed only when the set is on.
TEST_F(SplashSetTest, SwitchedOffLoadsNothingDrawsNothingAndStaysSilent) {
    rig.removeFile("Data/tex/splash.dds");
    try {
        make("SPLASH=1\n");
        FAIL() << "built without its picture";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "ERROR : Create Direct3DTexture");
    }
    splashes = make("SPLASH=0\n");
    EXPECT_FALSE(splashes->enabled());
    EXPECT_EQ(splashes->texture(), nullptr);
    EXPECT_EQ(rig.graphics.texturesAlive(), 0);
    for (int frame = 0; frame < 20; ++frame) {
        EXPECT_EQ(drawsDuring([&] { splashes->spawn(kRider, 0.1f, 2); }), 0);
        splashes->update();
    }
    EXPECT_EQ(splashes->activeCount(), 0u);
    EXPECT_TRUE(rig.sound.events().empty());
    rig.graphics.clearLog();
    splashes->draw();
    EXPECT_TRUE(rig.graphics.events().empty());
}

} // namespace
} // namespace qv::test
