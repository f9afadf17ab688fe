#include "hud/ScoreBoard.h"

#include "core/FatalError.h"
#include "race/RaceScore.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

namespace qv::test {
namespace {

constexpr const char* kCount = ScoreBoard::kCountSound;
constexpr const char* kBang = ScoreBoard::kBangSound;

// The board shows what the race's score says; the tests score as the race phase does.
class ScoreBoardTest : public ::testing::Test {
  protected:
    ScoreBoard& make(uint32_t stage = 0, bool demo = false) {
        board.reset();
        rig.state.stageNumber = stage;
        rig.state.demoMode = demo;
        score = std::make_unique<RaceScore>(rig.state, false);
        board = std::make_unique<ScoreBoard>(rig.graphics, rig.content, rig.sound, rig.state, *score);
        return *board;
    }
    // A knock-down n frames after the previous one, of a goal d away hit at speed s.
    void knockDown(float d, float s, int n) {
        for (int i = 0; i < n; ++i)
            score->countFrame();
        score->addKnockDown(d, s);
    }
    void storeTable(const HighScoreTable& table) const {
        Random random(3);
        rig.dir.write("Data/score.dat", ScoreFile::encode(table, random));
    }
    std::vector<RecordingRenderDevice::DrawCall> drawOnce() {
        rig.graphics.clearLog();
        board->draw();
        return rig.graphics.draws();
    }
    // Draws until the display has caught up; returns the frames it took.
    int drawUntilShown() {
        int frames = 0;
        for (; board->shownScore() != score->score() && frames < 10000; ++frames)
            board->draw();
        return frames;
    }

    HeadlessRig rig;
    std::unique_ptr<RaceScore> score;
    std::unique_ptr<ScoreBoard> board;
};

// Left, top, right, bottom and the texture's u and v at the top left of a drawn quad.
std::vector<float> placeOf(const RecordingRenderDevice::DrawCall& call) {
    const auto& tl = call.vertex<OverlayVertex>(0);
    const auto& br = call.vertex<OverlayVertex>(3);
    return {tl.x, tl.y, br.x, br.y, tl.u, tl.v};
}

TEST_F(ScoreBoardTest, MissingDigitSheetIsFatal) {
    rig.removeFile("Data/tex/num.dds");
    try {
        make();
        ADD_FAILURE() << "no error";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "ERROR : Create Direct3DTexture");
    }
}

TEST_F(ScoreBoardTest, EndingTheBoardStopsItsSoundsAndWritesNothing) {
    storeTable({5000, 6000, 7000, 8000, 9000});
    make(2);
    knockDown(40.0f, 0.4f, 20);
    ASSERT_TRUE(score->newBest());
    drawUntilShown();
    rig.removeFile("Data/score.dat");
    board.reset();
    EXPECT_EQ(rig.sound.stopCount(kCount) + rig.sound.stopCount(kBang), 2u);
    EXPECT_FALSE(std::filesystem::exists(rig.path("Data/score.dat")));
    EXPECT_FALSE(std::filesystem::exists(rig.path("HiScore.txt")));
    EXPECT_TRUE(score->newBest()) << "left for the scene to save";
}

TEST_F(ScoreBoardTest, DigitsRunRightToLeftFromOneDigitForZero) {
    storeTable({1000000, 0, 0, 0, 0}); // no new best, so no banner in the way
    make();
    auto draws = drawOnce();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(placeOf(draws[0]), (std::vector<float>{600, 10, 630, 50, 0, 0}));
    EXPECT_EQ(draws[0].primitiveCount, 2u);
    EXPECT_EQ(draws[0].world, Matrix4::identity());
    EXPECT_NE(draws[0].texture, nullptr);

    score->addPoints(22.0f); // 500 + 330000
    drawUntilShown();
    ASSERT_FALSE(score->newBest());
    draws = drawOnce();
    ASSERT_EQ(draws.size(), 6u);
    EXPECT_EQ(placeOf(draws[2]), (std::vector<float>{540, 10, 570, 50, 0.25f, 0.25f})); // the 5
    EXPECT_EQ(placeOf(draws[4]), (std::vector<float>{480, 10, 510, 50, 0.75f, 0}));     // a 3
    EXPECT_EQ(draws[5].vertex<OverlayVertex>(3).diffuse, 0xFFFFFFFFu);
}

TEST_F(ScoreBoardTest, CountUpClicksEachFrameAndRacesAheadWhenFarBehind) {
    make();
    knockDown(-0.03314f, 1.0f / 8.0f, 1); // 500 - 497
    ASSERT_EQ(score->score(), 3u);
    EXPECT_EQ(drawUntilShown(), 3);
    board->draw();
    EXPECT_EQ(rig.sound.playCount(kCount), 3u);

    make();
    knockDown(-0.02f, 1.0f / 8.0f, 1); // 500 - 300
    drawUntilShown();
    knockDown(0.02f, 1.0f / 8.0f, 1); // 500 + 300
    ASSERT_EQ(score->score(), 1000u);
    board->draw();
    EXPECT_EQ(board->shownScore(), 256u); // 1, then 5, then 50
}

TEST_F(ScoreBoardTest, AttractDemoShowsTheEndlessHighScoreWithABlinkingBanner) {
    storeTable({4321, 0, 0, 0, 0});
    make(0, true);
    score->addPoints(0.0f);
    ASSERT_FALSE(score->newBest());
    for (int frame = 1; frame <= 60; ++frame) {
        const auto draws = drawOnce();
        EXPECT_EQ(placeOf(draws[3]), (std::vector<float>{510, 10, 540, 50, 0, 0.25f})); // the 4
        // A period of 40 drawn frames: shown from the 20th to the 39th, and again from the 60th.
        const bool banner = (frame >= 20 && frame < 40) || frame == 60;
        ASSERT_EQ(draws.size(), banner ? 5u : 4u) << "frame " << frame;
        if (banner) {
            EXPECT_EQ(placeOf(draws[4]), (std::vector<float>{480, 10, 630, 50, 0, 0.75f}));
        }
    }
    EXPECT_EQ(rig.sound.playCount(kCount), 0u);
}

TEST_F(ScoreBoardTest, ClearedStageWithNewHighScoreStampsTheBanner) {
    make(1);
    score->addPoints(0.0f);
    ASSERT_TRUE(score->newBest());
    drawUntilShown();
    rig.state.stageCleared = true;
    std::vector<float> zooms;
    for (int32_t wait = 0; wait <= 57; ++wait) {
        rig.state.stageClearWait = wait;
        rig.sound.clearEvents();
        // Only the stamp is turned: its top edge is not level.
        const auto draws = drawOnce();
        const auto& last = draws.back();
        const bool turned = last.vertex<OverlayVertex>(0).y != last.vertex<OverlayVertex>(1).y;
        EXPECT_EQ(turned, wait > 50) << "wait " << wait;
        EXPECT_EQ(rig.sound.playCount(kBang), wait == 56 ? 1u : 0u) << "wait " << wait;
        if (turned)
            zooms.push_back(board->stampZoom());
    }
    ASSERT_EQ(zooms.size(), 7u); // from 2.7 down by 0.3 a frame, stopping at 1
    EXPECT_NEAR(zooms[0], 2.7f, 1e-5f);
    EXPECT_NEAR(zooms[5], 1.2f, 1e-5f);
    EXPECT_EQ(zooms[6], 1.0f);

    // At its final size: about 376 x 111, its right end higher, on the screen centre.
    const auto draws = drawOnce();
    const auto& v = draws.back();
    const auto &tl = v.vertex<OverlayVertex>(0), &tr = v.vertex<OverlayVertex>(1);
    const auto &bl = v.vertex<OverlayVertex>(2), &br = v.vertex<OverlayVertex>(3);
    EXPECT_NEAR(std::hypot(tr.x - tl.x, tr.y - tl.y), 376.0f, 1.0f);
    EXPECT_NEAR(std::hypot(bl.x - tl.x, bl.y - tl.y), 111.0f, 1.0f);
    EXPECT_LT(tr.y, tl.y);
    EXPECT_EQ((tl.x + br.x) / 2, 320.0f);
    EXPECT_EQ((tl.y + br.y) / 2, 240.0f);
    EXPECT_EQ(placeOf(draws[0]), (std::vector<float>{600, 10, 630, 50, 0, 0})); // digits stay put
}

TEST_F(ScoreBoardTest, ClearedStageWithoutNewHighScoreStampsNothing) {
    storeTable({0, 100000, 0, 0, 0});
    make(1);
    score->addPoints(0.0f);
    ASSERT_FALSE(score->newBest());
    drawUntilShown();
    rig.state.stageCleared = true;
    for (int32_t wait = 0; wait <= 70; ++wait) {
        rig.state.stageClearWait = wait;
        ASSERT_EQ(drawOnce().size(), 3u) << "wait " << wait; // the three digits of 500 only
    }
    EXPECT_EQ(rig.sound.playCount(kBang), 0u);
    EXPECT_EQ(board->stampZoom(), 3.0f);
}

} // namespace
} // namespace qv::test
