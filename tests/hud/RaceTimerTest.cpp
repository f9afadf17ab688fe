#include "hud/RaceTimer.h"

#include "core/FatalError.h"
#include "race/RaceClock.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

// The timer draws what the race clock says; the tests drive the clock as the race phase does.
class RaceTimerTest : public ::testing::Test {
  protected:
    RaceTimer& make(uint32_t stage) {
        timer.reset();
        rig.state.stageNumber = stage;
        clock = std::make_unique<RaceClock>(rig.state);
        timer = std::make_unique<RaceTimer>(rig.graphics, rig.content, *clock);
        return *timer;
    }
    void tickTimes(int n) {
        for (int i = 0; i < n; ++i)
            clock->tick();
    }
    std::vector<RecordingRenderDevice::DrawCall> drawOnce() {
        rig.graphics.clearLog();
        timer->draw();
        return rig.graphics.draws();
    }
    // The digits drawn after the panel, read back from their cells on the 4 x 4 sheet.
    std::vector<int> digitsShown() {
        std::vector<int> digits;
        const auto draws = drawOnce();
        for (size_t i = 1; i < draws.size(); ++i) {
            const auto& tl = draws[i].vertex<OverlayVertex>(0);
            digits.push_back(static_cast<int>(tl.u * 4.0f) + 4 * static_cast<int>(tl.v * 4.0f));
        }
        return digits;
    }

    HeadlessRig rig;
    std::unique_ptr<RaceClock> clock;
    std::unique_ptr<RaceTimer> timer;
};

TEST_F(RaceTimerTest, ShowsTheStartingTimeOfTheStageAtOnce) {
    const std::pair<uint32_t, std::vector<int>> shown[] = {{0, {5, 4}}, {2, {1, 4}}, {4, {5, 3}},
                                                           {5, {0, 3}}, {7, {6, 2}}, {9, {3, 2}}};
    for (const auto& [stage, digits] : shown) {
        make(stage);
        EXPECT_EQ(timer->shownTime(), clock->remainingTime()) << "stage " << stage;
        EXPECT_EQ(digitsShown(), digits) << "stage " << stage;
    }
    const std::pair<double, uint32_t> seconds[] = {{0.0, 0},     {59.9, 0},  {60.0, 1},
                                                   {2700.0, 45}, {-30.0, 0}, {1.0e12, 4000000000u}};
    for (auto [frames, whole] : seconds)
        EXPECT_EQ(RaceTimer::secondsOf(frames), whole) << frames;
}

TEST_F(RaceTimerTest, ColourFollowsTheRealTimeNotTheShownOne) {
    const std::pair<double, Argb> colours[] = {{1860.0, 0xFF8888FF}, {1859.5, 0xFF88FF88},
                                               {1260.0, 0xFF88FF88}, {1259.9, 0xFFFFFF66},
                                               {660.0, 0xFFFFFF66},  {659.0, 0xFFFF6666}};
    for (auto [time, colour] : colours)
        EXPECT_EQ(RaceTimer::digitColour(time), colour) << time;

    make(0);
    tickTimes(1441); // 1259 left
    EXPECT_EQ(drawOnce()[2].vertex<OverlayVertex>(3).diffuse, 0xFFFFFF66u);
    clock->addGoalTime(83.0f); // + 1200: blue at once, while the display climbs slowly
    EXPECT_EQ(drawOnce()[1].vertex<OverlayVertex>(0).diffuse, 0xFF8888FFu);
    EXPECT_EQ(digitsShown(), (std::vector<int>{1, 2}));
}

TEST_F(RaceTimerTest, PanelFirstThenDigitsRightToLeftWithLeadingZeros) {
    make(0);
    auto draws = drawOnce();
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

    tickTimes(2700 - 300);
    EXPECT_EQ(digitsShown(), (std::vector<int>{5, 0}));
    clock->addGoalTime(416.0f); // + 6014
    for (int i = 0; i < 400; ++i)
        timer->draw();
    tickTimes(314); // 6000.46 left: 100 seconds
    EXPECT_EQ(digitsShown(), (std::vector<int>{0, 0, 1}));
    clock->addGoalTime(5000.0f); // + 69767 at divisor 8.6: 1262 seconds, of which 262 show
    for (int i = 0; i < 5000; ++i)
        timer->draw();
    EXPECT_EQ(digitsShown(), (std::vector<int>{2, 6, 2}));
}

TEST_F(RaceTimerTest, DisplayDropsAtOnceAndClimbsByOneOrSixteen) {
    make(0);
    tickTimes(500);
    timer->draw();
    EXPECT_EQ(timer->shownTime(), 2200.0);

    clock->addGoalTime(600.5f * 8.3f / 120.0f); // 600.5 frames more
    const double target = clock->remainingTime();
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
        const RaceClock otherClock(other.state);
        try {
            RaceTimer broken(other.graphics, other.content, otherClock);
            ADD_FAILURE() << picture;
        } catch (const FatalError& e) {
            EXPECT_STREQ(e.what(), "ERROR : Create Direct3DTexture");
        }
        EXPECT_EQ(other.graphics.texturesAlive(), 0);
    }
    make(0);
    timer.reset();
    EXPECT_EQ(rig.graphics.texturesAlive(), 0);
}

} // namespace
} // namespace qv::test
