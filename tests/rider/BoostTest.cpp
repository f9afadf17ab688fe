#include "support/RiderWorkspace.h"

#include "core/FatalError.h"
#include "rider/Boost.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace qv::test {
namespace {

constexpr const char* kBoostSound = "./Data/wave/boost.wav";

class BoostTest : public ::testing::Test {
  protected:
    // Lengths of the alternating runs of pushing and not pushing, starting with a push.
    std::vector<int> runsWhileHeld(int ticks) {
        std::vector<int> runs;
        bool pushing = true;
        int run = 0;
        for (int t = 0; t < ticks; ++t) {
            const bool pushed = boost.step(1) > 0.0f;
            if (pushed != pushing) {
                runs.push_back(run);
                pushing = pushed;
                run = 0;
            }
            ++run;
        }
        return runs;
    }

    void spend(int ticks) {
        for (int t = 0; t < ticks; ++t)
            boost.step(1);
    }

    const RecordingRenderDevice::DrawCall& lastDraw(size_t fromEnd = 0) const {
        const auto& draws = ws.rig.graphics.draws();
        return draws[draws.size() - 1 - fromEnd];
    }

    RiderWorkspace ws;
    Boost boost{ws.rig.graphics, ws.rig.content, ws.rig.sound};
};

TEST_F(BoostTest, HeldKeyAlternates23TicksOfPushWith139TicksOfRefill) {
    EXPECT_EQ(runsWhileHeld(3 * 162 + 5), (std::vector<int>{23, 139, 23, 139, 23, 139}));
}

TEST_F(BoostTest, PushIsConstantAndTheGaugeRunsDryJustBelowZero) {
    for (int t = 0; t < 23; ++t)
        EXPECT_FLOAT_EQ(boost.step(1), 0.004f) << "tick " << t;
    EXPECT_NEAR(boost.gauge(), -0.035f, 1e-5f);
    EXPECT_EQ(boost.step(1), 0.0f);
    EXPECT_FALSE(boost.ready());
}

TEST_F(BoostTest, OneTickTapNeedsSevenTicksOfRefillBeforeTheNextBoost) {
    for (int rest = 1; rest <= 8; ++rest) {
        Boost tapped(ws.rig.graphics, ws.rig.content, ws.rig.sound);
        ASSERT_GT(tapped.step(1), 0.0f);
        EXPECT_NEAR(tapped.gauge(), 0.955f, 1e-6f);
        for (int t = 0; t < rest; ++t)
            tapped.step(0);
        EXPECT_EQ(tapped.step(1) > 0.0f, rest >= 7) << rest << " ticks of rest";
    }
}

TEST_F(BoostTest, LettingGoDuringABoostLocksItUntilTheGaugeIsFullAgain) {
    spend(10);
    boost.step(0);
    int lockedTicks = 0;
    while (boost.step(1) == 0.0f) {
        ++lockedTicks;
        ASSERT_LT(lockedTicks, 200);
    }
    // 10 drains of 0.045 refilled at 0.0075 a tick, one tick of which was the release.
    EXPECT_NEAR(lockedTicks, 60 - 1, 1);
}

TEST_F(BoostTest, SoundStartsOnTheFirstBoostTickAndStopsOnlyWhenReleasedAtFullGauge) {
    spend(23);
    EXPECT_EQ(ws.rig.sound.playCount(kBoostSound), 1u);
    for (int t = 0; t < 200; ++t)
        boost.step(0);
    EXPECT_EQ(ws.rig.sound.stopCount(kBoostSound), 200u - 139u);
    boost.step(1);
    EXPECT_EQ(ws.rig.sound.playCount(kBoostSound), 2u);
}

TEST_F(BoostTest, GaugeFrameThenTrackThenRedFillWhenEmpty) {
    spend(23);
    ws.rig.graphics.clearLog();
    boost.drawGauge();
    const auto& draws = ws.rig.graphics.draws();
    ASSERT_EQ(draws.size(), 3u);
    const auto& frame = draws[0].vertex<OverlayVertex>(0);
    EXPECT_EQ(frame.x, 5.0f);
    EXPECT_EQ(frame.y, 436.0f);
    EXPECT_EQ(draws[0].vertex<OverlayVertex>(3).x, 235.0f);
    EXPECT_EQ(draws[1].vertex<OverlayVertex>(3).x, 230.0f);
    EXPECT_EQ(draws[1].vertex<OverlayVertex>(0).diffuse, 0x40000000u);
    EXPECT_EQ(draws[2].vertex<OverlayVertex>(0).diffuse, 0xFFFF0000u);
    for (const auto& draw : draws) {
        EXPECT_EQ(draw.type, PrimitiveType::TriangleStrip);
        EXPECT_EQ(draw.primitiveCount, 2u);
        EXPECT_EQ(draw.stride, sizeof(OverlayVertex));
        EXPECT_NE(draw.texture, nullptr);
    }
}

TEST_F(BoostTest, PartlyFilledBarIsAsLongAsTheGaugeAndTurnsYellowAsItFills) {
    boost.step(1);
    boost.drawGauge();
    const auto& fill = lastDraw();
    EXPECT_EQ(fill.vertex<OverlayVertex>(0).x, 10.0f);
    EXPECT_NEAR(fill.vertex<OverlayVertex>(1).x, 10.0f + 0.955f * 220.0f, 1e-3f);
    EXPECT_EQ(fill.vertex<OverlayVertex>(2).y, 470.0f);
    EXPECT_EQ(fill.vertex<OverlayVertex>(3).v, 0.5f);
    const uint32_t green = (fill.vertex<OverlayVertex>(0).diffuse >> 8) & 0xFF;
    EXPECT_EQ(green, 244u);
}

TEST_F(BoostTest, FullBarFlashesEveryTwelveFramesUnderAPulsingGlow) {
    std::vector<Argb> flash;
    float widestSwell = 0.0f;
    for (int frame = 0; frame < 36; ++frame) {
        boost.drawGauge();
        flash.push_back(lastDraw(1).vertex<OverlayVertex>(0).diffuse);
        const auto& glow = lastDraw();
        EXPECT_EQ(glow.vertex<OverlayVertex>(0).v, 0.51f);
        EXPECT_EQ(glow.vertex<OverlayVertex>(3).v, 1.0f);
        EXPECT_EQ(glow.vertex<OverlayVertex>(0).diffuse, 0xFFFFFFFFu);
        const float swell = 10.0f - glow.vertex<OverlayVertex>(0).x;
        EXPECT_NEAR(glow.vertex<OverlayVertex>(3).y, 480.0f - swell, 1e-4f);
        EXPECT_GE(swell, 0.0f);
        EXPECT_LE(swell, 8.0f);
        widestSwell = std::max(widestSwell, swell);
    }
    EXPECT_GT(widestSwell, 7.9f);
    std::set<uint32_t> levels;
    for (size_t i = 0; i < flash.size(); ++i) {
        EXPECT_EQ(flash[i] & 0xFF0000FFu, 0xFF0000FFu);
        levels.insert((flash[i] >> 8) & 0xFF);
        if (i >= 12) {
            EXPECT_EQ(flash[i], flash[i - 12]);
        }
    }
    EXPECT_EQ(levels.size(), 12u);
    EXPECT_EQ(*levels.begin(), 153u);
    EXPECT_EQ(*levels.rbegin(), 237u);
}

TEST_F(BoostTest, EffectIsDrawnOnlyOnBoostingTicksCyclingThreePictures) {
    std::set<const Texture*> pictures;
    for (int t = 0; t < 6; ++t) {
        ws.rig.graphics.clearLog();
        boost.step(1);
        boost.drawEffect(Matrix4::identity());
        const auto& draws = ws.rig.graphics.draws();
        ASSERT_EQ(draws.size(), 2u); // one per material
        EXPECT_EQ(draws[0].texture, draws[1].texture);
        EXPECT_NE(draws[0].material, draws[1].material);
        pictures.insert(draws[0].texture);
        boost.drawGauge();
    }
    EXPECT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures.count(nullptr), 0u);

    ws.rig.graphics.clearLog();
    boost.step(0);
    boost.drawEffect(Matrix4::identity());
    EXPECT_TRUE(ws.rig.graphics.draws().empty());
}

TEST_F(BoostTest, EffectShrinksFromAboutSevenToAboutTwoOverOneBoost) {
    std::vector<float> scales;
    for (int t = 0; t < 23; ++t) {
        boost.step(1);
        ws.rig.graphics.clearLog();
        boost.drawEffect(Matrix4::translation(1.0f, 2.0f, 3.0f));
        const Matrix4& world = ws.rig.graphics.draws().front().world;
        scales.push_back(world.m[0][0]);
        EXPECT_EQ(world.m[3][1], 2.0f);
    }
    EXPECT_NEAR(scales.front(), 7.06f, 0.01f);
    EXPECT_NEAR(scales.back(), 2.22f, 0.01f);
    EXPECT_TRUE(std::is_sorted(scales.rbegin(), scales.rend()));
}

TEST(BoostPictures, AMissingPictureIsFatalAndLeaksNoTexture) {
    for (const char* name : {"Data/tex/bgauge.dds", "Data/tex/boost0.dds", "Data/tex/boost2.dds"}) {
        RiderWorkspace ws;
        ws.rig.removeFile(name);
        try {
            Boost boost(ws.rig.graphics, ws.rig.content, ws.rig.sound);
            ADD_FAILURE() << "built without " << name;
        } catch (const FatalError& error) {
            EXPECT_STREQ(error.what(), "ERROR : Create Direct3DTexture");
        }
        EXPECT_EQ(ws.rig.graphics.texturesAlive(), 0) << name;
    }
}

} // namespace
} // namespace qv::test
