#include "hud/RaceTimer.h"

#include "support/HeadlessRig.h"
#include "core/FatalError.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

class RaceTimerTest : public ::testing::Test {
  protected:
    std::unique_ptr<RaceTimer> make(uint32_t stage) {
        rig.state.stageNumber = stage;
        return std::make_unique<RaceTimer>(rig.graphics, rig.state);
    }
    static void tickTimes(RaceTimer& timer, int n) {
        for (int i = 0; i < n; ++i)
            timer.tick();
    }
    std::vector<RecordingRenderDevice::DrawCall> drawOnce(RaceTimer& timer) {
        rig.graphics.clearLog();
        timer.draw();
        return rig.graphics.draws();
    }
    // The digits drawn after the panel, read back from their cells on the 4 x 4 sheet.
    std::vector<int> digitsShown(RaceTimer& timer) {
        std::vector<int> digits;
        const auto draws = drawOnce(timer);
        for (size_t i = 1; i < draws.size(); ++i) {
            const auto& tl = draws[i].vertex<OverlayVertex>(0);
            digits.push_back(static_cast<int>(tl.u * 4.0f) + 4 * static_cast<int>(tl.v * 4.0f));
        }
        return digits;
    }

    HeadlessRig rig;
};

TEST_F(RaceTimerTest, StartingTimeShrinksWithTheStage) {
    const std::pair<uint32_t, std::vector<int>> shown[] = {{0, {5, 4}}, {2, {1, 4}}, {4, {5, 3}},
                                                           {5, {0, 3}}, {7, {6, 2}}, {9, {3, 2}}};
    for (const auto& [stage, digits] : shown)
        EXPECT_EQ(digitsShown(*make(stage)), digits) << "stage " << stage;
    const std::pair<uint32_t, double> frames[] = {{1, 2700}, {3, 2300}, {8, 1500},         {10, 1300},
                                                  {14, 900}, {15, 899}, {4000000000u, 899}};
    for (auto [stage, start] : frames)
        EXPECT_EQ(make(stage)->remainingTime(), start) << "stage " << stage;
}

TEST_F(RaceTimerTest, EndlessGoalsAddTimeAtARisingDivisor) {
    auto timer = make(0);
    timer->addGoalTime(0.0f);  // no new goal this frame
    timer->addGoalTime(25.0f); // the first goal: 120 * 25 / 8.3 = 361.45
    EXPECT_NEAR(timer->remainingTime(), 2700.0 + 3000.0 / 8.3, 1e-3);
    int ticks = 1;
    while (timer->tick())
        ++ticks;
    EXPECT_EQ(ticks, 3062); // the first tick that leaves it below zero

    auto next = make(0);
    next->addGoalTime(25.0f);
    const double before = next->remainingTime();
    next->addGoalTime(43.0f); // the second goal: divisor 8.6
    EXPECT_NEAR(next->remainingTime() - before, 600.0, 1e-3);
    EXPECT_EQ(next->goalCount(), 2u);
    EXPECT_EQ(rig.state.goalsInStage, 0u);
}

TEST_F(RaceTimerTest, StageGoalsUseTheStageDivisorAndTheFifthKnockDownClears) {
    auto stageFour = make(4);
    tickTimes(*stageFour, 2099);
    EXPECT_TRUE(stageFour->tick()); // nothing left, yet not below zero
    EXPECT_FALSE(stageFour->tick());

    auto stageTwo = make(2);
    stageTwo->addGoalTime(43.0f); // 120 * 43 / 8.6: about ten seconds, each goal alike
    stageTwo->addGoalTime(43.0f);
    EXPECT_NEAR(stageTwo->remainingTime(), 2500.0 + 1200.0, 1e-3);

    rig.state.goalsInStage = 4; // from the previous stage
    auto timer = make(1);
    EXPECT_EQ(rig.state.goalsInStage, 0u);
    timer->addGoalTime(73.0f); // the first goal: 120 * 73 / 7.3
    EXPECT_NEAR(timer->remainingTime(), 2700.0 + 1200.0, 1e-3);
    for (int knockDown = 1; knockDown <= 5; ++knockDown) {
        EXPECT_FALSE(rig.state.stageCleared) << "knock-down " << knockDown;
        tickTimes(*timer, 100);
        timer->addGoalTime(30.0f);
    }
    EXPECT_TRUE(rig.state.stageCleared);
    const double frozen = timer->remainingTime();
    tickTimes(*timer, 5000);
    EXPECT_TRUE(timer->tick());
    EXPECT_EQ(timer->remainingTime(), frozen);
}

TEST_F(RaceTimerTest, ColourFollowsTheRealTimeNotTheShownOne) {
    const std::pair<double, Argb> colours[] = {{1860.0, 0xFF8888FF}, {1859.5, 0xFF88FF88},
                                               {1260.0, 0xFF88FF88}, {1259.9, 0xFFFFFF66},
                                               {660.0, 0xFFFFFF66},  {659.0, 0xFFFF6666}};
    for (auto [time, colour] : colours)
        EXPECT_EQ(RaceTimer::digitColour(time), colour) << time;

    auto timer = make(0);
    tickTimes(*timer, 1441); // 1259 left
    EXPECT_EQ(drawOnce(*timer)[2].vertex<OverlayVertex>(3).diffuse, 0xFFFFFF66u);
    timer->addGoalTime(83.0f); // + 1200: blue at once, while the display climbs slowly
    EXPECT_EQ(drawOnce(*timer)[1].vertex<OverlayVertex>(0).diffuse, 0xFF8888FFu);
    EXPECT_EQ(digitsShown(*timer), (std::vector<int>{1, 2}));
}

TEST_F(RaceTimerTest, PanelFirstThenDigitsRightToLeftWithLeadingZeros) {
    auto timer = make(0);
    auto draws = drawOnce(*timer);
    ASSERT_EQ(draws.size(), 3u);
    const auto place = [&](size_t i) {
        const auto& tl = draws[i].vertex<OverlayVertex>(0);
        const auto& br = draws[i].vertex<OverlayVertex>(3);
        return std::vector<float>{tl.x, tl.y, br.x, br.y, tl.u, tl.v, br.u, br.v};
    };
    EXPECT_EQ(place(0), (std::vector<float>{30, 0, 130, 102, 0, 0, 1, 1}));
    EXPECT_EQ(draws[0].vertex<OverlayVertex>(0).diffuse, 0xBBFFFFFFu);
    EXPECT_EQ(place(1), (std::vector<float>{80, 5, 120, 97, 0.25f, 0.25f, 0.5f, 0.5f})); // the 5 of 45
    EXPECT_EQ(place(2), (std::vector<float>{40, 5, 80, 97, 0, 0.25f, 0.25f, 0.5f}));     // the 4
    EXPECT_NE(draws[1].texture, draws[0].texture);
    EXPECT_EQ(draws[0].world, Matrix4::identity());

    tickTimes(*timer, 2700 - 300);
    EXPECT_EQ(digitsShown(*timer), (std::vector<int>{5, 0}));
    timer->addGoalTime(416.0f); // + 6014
    for (int i = 0; i < 400; ++i)
        timer->draw();
    tickTimes(*timer, 314); // 6000.46 left: 100 seconds
    EXPECT_EQ(digitsShown(*timer), (std::vector<int>{0, 0, 1}));
    timer->addGoalTime(5000.0f); // + 69767 at divisor 8.6: 1262 seconds, of which 262 show
    for (int i = 0; i < 5000; ++i)
        timer->draw();
    EXPECT_EQ(digitsShown(*timer), (std::vector<int>{2, 6, 2}));
}

TEST_F(RaceTimerTest, DisplayDropsAtOnceAndClimbsByOneOrSixteen) {
    auto timer = make(0);
    tickTimes(*timer, 500);
    timer->draw();
    EXPECT_EQ(timer->shownTime(), 2200.0);

    timer->addGoalTime(600.5f * 8.3f / 120.0f); // 600.5 frames more
    const double target = timer->remainingTime();
    std::vector<double> steps;
    while (timer->shownTime() < target && steps.size() < 1000) {
        const double before = timer->shownTime();
        timer->draw();
        steps.push_back(timer->shownTime() - before);
    }
    // 37 steps of 16 leave it 8.5 behind, then nine of one take it just past.
    ASSERT_EQ(steps.size(), 46u);
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], i < 37 ? 16.0 : 1.0) << "draw " << i;
    timer->draw();
    EXPECT_EQ(timer->shownTime(), target);
}

TEST_F(RaceTimerTest, MissingPicturesAreFatalAndLeakNothing) {
    for (const char* picture : {"Data/tex/timenum.dds", "Data/tex/timeback.dds"}) {
        HeadlessRig other;
        other.removeFile(picture);
        try {
            RaceTimer timer(other.graphics, other.state);
            ADD_FAILURE() << picture;
        } catch (const FatalError& e) {
            EXPECT_STREQ(e.what(), "ERROR : Create Direct3DTexture");
        }
        EXPECT_EQ(other.graphics.texturesAlive(), 0);
    }
    make(0).reset();
    EXPECT_EQ(rig.graphics.texturesAlive(), 0);
}

} // namespace
} // namespace qv::test
