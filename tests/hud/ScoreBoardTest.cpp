#include "hud/ScoreBoard.h"

#include "support/HeadlessRig.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

namespace qv::test {
namespace {

constexpr const char* kCount = "./data/wave/score.wav";
constexpr const char* kBang = "./data/wave/bang.wav";

class ScoreBoardTest : public ::testing::Test {
  protected:
    std::unique_ptr<ScoreBoard> make(uint32_t stage = 0, bool demo = false) {
        rig.state.stageNumber = stage;
        rig.state.demoMode = demo;
        return std::make_unique<ScoreBoard>(rig.graphics, rig.sound, rig.state, rig.settings);
    }
    // A knock-down n frames after the previous one, of a goal d away hit at speed s.
    static void knockDown(ScoreBoard& board, float d, float s, int n) {
        for (int i = 0; i < n; ++i)
            board.countFrame();
        board.addPoints(d * s * 8.0f);
    }
    void storeTable(const HighScoreTable& table) {
        Random random(3);
        rig.dir.write("Data/score.dat", ScoreFile::encode(table, random));
    }
    std::vector<RecordingRenderDevice::DrawCall> drawOnce(ScoreBoard& board) {
        rig.graphics.clearLog();
        board.draw();
        return rig.graphics.draws();
    }
    // Draws until the display has caught up; returns the frames it took.
    static int drawUntilShown(ScoreBoard& board) {
        int frames = 0;
        for (; board.shownScore() != board.score() && frames < 10000; ++frames)
            board.draw();
        return frames;
    }

    HeadlessRig rig;
};

// Left, top, right, bottom and the texture's u and v at the top left of a drawn quad.
std::vector<float> placeOf(const RecordingRenderDevice::DrawCall& call) {
    const auto& tl = call.vertex<OverlayVertex>(0);
    const auto& br = call.vertex<OverlayVertex>(3);
    return {tl.x, tl.y, br.x, br.y, tl.u, tl.v};
}

TEST_F(ScoreBoardTest, KnockDownScores500PlusDistanceSpeedAndTimeBonus) {
    auto board = make();
    knockDown(*board, 30.0f, 0.2f, 300); // 120000 * 30 * 0.2 / 300 = 2400
    EXPECT_EQ(board->score(), 2900u);
    EXPECT_EQ(board->framesSinceKnockDown(), 0);
    knockDown(*board, 25.0f, 0.3f, 7); // 128571.43, truncated
    EXPECT_EQ(board->score(), 2900u + 129071u);
    EXPECT_EQ(ScoreBoard::pointsFor(40.0f, 0), ScoreBoard::pointsFor(40.0f, 1)); // no division by 0
    EXPECT_EQ(ScoreBoard::pointsFor(NAN, 10), 500u);
}

TEST_F(ScoreBoardTest, StageChoosesTheTableEntry) {
    storeTable({100, 200, 300, 400, 500});
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 100}, {1, 200}, {4, 500},
                                                   {5, 200}, {8, 500}, {10, 300}};
    for (auto [stage, high] : cases)
        EXPECT_EQ(make(stage)->modeHighScore(), high) << "stage " << stage;
}

TEST_F(ScoreBoardTest, OnlyBeatingTheHighScoreOutsideTheDemoSetsTheFlag) {
    storeTable({1000, 0, 0, 0, 0});
    rig.state.newHighScore = true; // left over from the previous run
    auto board = make();
    EXPECT_FALSE(rig.state.newHighScore);
    knockDown(*board, 1.0f / 30.0f, 0.125f, 1); // 500 + 500: only equal
    ASSERT_EQ(board->score(), 1000u);
    EXPECT_FALSE(rig.state.newHighScore);
    knockDown(*board, 0.0f, 0.0f, 1);
    EXPECT_TRUE(rig.state.newHighScore);

    auto demo = make(0, true);
    knockDown(*demo, 30.0f, 0.5f, 100);
    EXPECT_FALSE(rig.state.newHighScore);
}

TEST_F(ScoreBoardTest, NewHighScoreIsWrittenIntoItsModeWhenTheBoardEnds) {
    storeTable({5000, 6000, 7000, 8000, 9000});
    auto board = make(2);
    knockDown(*board, 40.0f, 0.4f, 20);
    const uint32_t score = board->score();
    EXPECT_EQ(ScoreFile::load()[2], 7000u); // not yet
    board.reset();
    EXPECT_EQ(rig.sound.stopCount(kCount) + rig.sound.stopCount(kBang), 2u);
    EXPECT_TRUE(rig.state.newHighScore); // left for the recorders and the next board
    EXPECT_EQ(ScoreFile::load(), (HighScoreTable{5000, 6000, score, 8000, 9000}));
    std::string text;
    ASSERT_TRUE(readFile(rig.path("HiScore.txt"), text));
    EXPECT_EQ(text, ScoreFile::text({5000, 6000, score, 8000, 9000}));
}

TEST_F(ScoreBoardTest, RunWithoutNewHighScoreWritesNothing) {
    storeTable({5000, 0, 0, 0, 0});
    auto board = make();
    knockDown(*board, 30.0f, 0.2f, 300);
    rig.removeFile("Data/score.dat");
    board.reset();
    EXPECT_FALSE(std::filesystem::exists(rig.path("Data/score.dat")));
    EXPECT_FALSE(std::filesystem::exists(rig.path("HiScore.txt")));
}

TEST_F(ScoreBoardTest, InitializeSettingPlaysAgainstZeroAndRewritesBothFiles) {
    storeTable({5000, 6000, 7000, 8000, 9000});
    rig.dir.write("Pedalon.ini", "[SCORE]\nINITIALIZE=1\n");
    auto board = make(1);
    EXPECT_EQ(board->highScores(), HighScoreTable{});
    knockDown(*board, 0.0f, 0.0f, 1);
    EXPECT_TRUE(rig.state.newHighScore);
    board.reset();
    EXPECT_EQ(ScoreFile::load(), (HighScoreTable{0, 500, 0, 0, 0}));
    std::string text;
    ASSERT_TRUE(readFile(rig.path("HiScore.txt"), text));
    EXPECT_EQ(text, "---HIGH SCORE---\n\nENDLESS 0\nSTAGE1  500\nSTAGE2  0\nSTAGE3  0\nSTAGE4  0\n");
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

TEST_F(ScoreBoardTest, DigitsRunRightToLeftFromOneDigitForZero) {
    auto board = make();
    auto draws = drawOnce(*board);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(placeOf(draws[0]), (std::vector<float>{600, 10, 630, 50, 0, 0}));
    EXPECT_EQ(draws[0].primitiveCount, 2u);
    EXPECT_EQ(draws[0].world, Matrix4::identity());
    EXPECT_NE(draws[0].texture, nullptr);

    board->addPoints(22.0f); // 500 + 330000
    drawUntilShown(*board);
    rig.state.newHighScore = false; // no banner in the way
    draws = drawOnce(*board);
    ASSERT_EQ(draws.size(), 6u);
    EXPECT_EQ(placeOf(draws[2]), (std::vector<float>{540, 10, 570, 50, 0.25f, 0.25f})); // the 5
    EXPECT_EQ(placeOf(draws[4]), (std::vector<float>{480, 10, 510, 50, 0.75f, 0}));     // a 3
    EXPECT_EQ(draws[5].vertex<OverlayVertex>(3).diffuse, 0xFFFFFFFFu);
}

TEST_F(ScoreBoardTest, CountUpClicksEachFrameAndRacesAheadWhenFarBehind) {
    auto board = make();
    knockDown(*board, -0.03314f, 1.0f / 8.0f, 1); // 500 - 497
    ASSERT_EQ(board->score(), 3u);
    EXPECT_EQ(drawUntilShown(*board), 3);
    board->draw();
    EXPECT_EQ(rig.sound.playCount(kCount), 3u);

    auto second = make();
    knockDown(*second, -0.02f, 1.0f / 8.0f, 1); // 500 - 300
    drawUntilShown(*second);
    knockDown(*second, 0.02f, 1.0f / 8.0f, 1); // 500 + 300
    ASSERT_EQ(second->score(), 1000u);
    second->draw();
    EXPECT_EQ(second->shownScore(), 256u); // 1, then 5, then 50
}

TEST_F(ScoreBoardTest, AttractDemoShowsTheEndlessHighScoreWithABlinkingBanner) {
    storeTable({4321, 0, 0, 0, 0});
    auto board = make(0, true);
    board->addPoints(0.0f);
    for (int frame = 1; frame <= 60; ++frame) {
        const auto draws = drawOnce(*board);
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
    auto board = make(1);
    board->addPoints(0.0f);
    drawUntilShown(*board);
    rig.state.stageCleared = true;
    std::vector<float> zooms;
    for (int32_t wait = 0; wait <= 57; ++wait) {
        rig.state.stageClearWait = wait;
        rig.sound.clearEvents();
        // Only the stamp is turned: its top edge is not level.
        const auto draws = drawOnce(*board);
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
    const auto draws = drawOnce(*board);
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

} // namespace
} // namespace qv::test
