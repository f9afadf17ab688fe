#include "hud/MessageBoard.h"

#include "core/FatalError.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {
namespace {

using DrawCall = RecordingRenderDevice::DrawCall;
using Sign = void (MessageBoard::*)();
using Sheet = MessageBoard::Sheet;

struct Rect {
    float left, top, right, bottom;
};

Rect row(int r) {
    return {0.0f, 0.25f * static_cast<float>(r), 1.0f, 0.25f * static_cast<float>(r) + 0.25f};
}

// A two-triangle strip top-left, top-right, bottom-left, bottom-right over rect, showing uv.
void expectQuad(const DrawCall& call, const Rect& rect, const Rect& uv) {
    EXPECT_EQ(call.primitiveCount, 2u);
    EXPECT_EQ(call.stride, 28u);
    for (size_t i = 0; i < 4; ++i) {
        const OverlayVertex& v = call.vertex<OverlayVertex>(i);
        const bool right = i % 2 == 1, bottom = i >= 2;
        EXPECT_FLOAT_EQ(v.x, right ? rect.right : rect.left) << "vertex " << i;
        EXPECT_FLOAT_EQ(v.y, bottom ? rect.bottom : rect.top) << "vertex " << i;
        EXPECT_FLOAT_EQ(v.u, right ? uv.right : uv.left) << "vertex " << i;
        EXPECT_FLOAT_EQ(v.v, bottom ? uv.bottom : uv.top) << "vertex " << i;
    }
}

Argb alphaOf(const DrawCall& call) {
    return call.vertex<OverlayVertex>(0).diffuse >> 24;
}

class MessageBoardTest : public ::testing::Test {
  protected:
    MessageBoardTest() { rebuild(); }
    void rebuild() {
        board.reset();
        board = std::make_unique<MessageBoard>(rig.graphics, rig.content, rig.state);
    }
    // The draws of the last of `count` frames of a sign.
    std::vector<DrawCall> frames(Sign sign, int count = 1) {
        for (int i = 0; i < count; ++i) {
            rig.graphics.clearLog();
            (board.get()->*sign)();
        }
        return rig.graphics.draws();
    }
    const Texture* sheet(Sheet which) const { return &board->sheet(which); }

    HeadlessRig rig;
    std::unique_ptr<MessageBoard> board;
};

TEST_F(MessageBoardTest, EachMissingSheetFailsWithTheTextureError) {
    for (const char* file :
         {"Data/tex/str.dds", "Data/tex/strd.dds", "Data/tex/stagenum.dds", "Data/tex/rest.dds"}) {
        rig.removeFile(file);
        std::string error = "built";
        try {
            MessageBoard missing(rig.graphics, rig.content, rig.state);
        } catch (const FatalError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, "ERROR : Create Direct3DTexture") << file;
        writeTestPicture(rig.path(file));
    }
}

TEST_F(MessageBoardTest, StageTitleShowsFromThe81stFrameAndSetsIntroDone) {
    rig.state.introDone = true;
    rebuild();
    EXPECT_FALSE(rig.state.introDone);
    EXPECT_TRUE(frames(&MessageBoard::drawStageTitle, 80).empty());
    EXPECT_FALSE(rig.state.introDone);
    const auto draws = frames(&MessageBoard::drawStageTitle);
    EXPECT_TRUE(rig.state.introDone);
    ASSERT_EQ(draws.size(), 1u) << "the endless title";
    EXPECT_EQ(draws[0].texture, sheet(Sheet::Sign));
    expectQuad(draws[0], {172, 6, 428, 40}, row(0));
}

TEST_F(MessageBoardTest, StageTitleShowsTheStageWithinItsCycleAndTheCycle) {
    struct Case {
        uint32_t stage;
        Rect stageCell, cycleCell;
    };
    const Case cases[] = {{5, {0.25f, 0, 0.5f, 0.25f}, {0.5f, 0, 0.75f, 0.25f}},      // 1, cycle 2
                          {4, {0, 0.25f, 0.25f, 0.5f}, {0.25f, 0, 0.5f, 0.25f}},      // 4, cycle 1
                          {37, {0.25f, 0, 0.5f, 0.25f}, {0.5f, 0.5f, 0.75f, 0.75f}},  // 1, cycle 10
                          {43, {0.75f, 0, 1.0f, 0.25f}, {0.5f, 0.5f, 0.75f, 0.75f}}}; // 3, 11 shown as 10
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        rig.state.stageNumber = c.stage;
        rebuild();
        const auto draws = frames(&MessageBoard::drawStageTitle, 81);
        ASSERT_EQ(draws.size(), 3u);
        EXPECT_EQ(draws[2].texture, sheet(Sheet::Stage));
        expectQuad(draws[0], {172, 6, 428, 40}, row(3));
        expectQuad(draws[1], {420, 0, 460, 46}, c.stageCell);
        expectQuad(draws[2], {360, 0, 400, 46}, c.cycleCell);
    }
}

TEST_F(MessageBoardTest, EverySignSetsTheIdentityWorldItself) {
    rig.state.goalsInStage = 2;
    frames(&MessageBoard::drawStageTitle, 80);
    frames(&MessageBoard::drawStartBanner, 160);
    for (Sign sign :
         {&MessageBoard::drawDemoCaption, &MessageBoard::drawStageTitle, &MessageBoard::drawStartBanner,
          &MessageBoard::drawRaceBanner, &MessageBoard::drawRemainingGoals, &MessageBoard::drawClearedBanner,
          &MessageBoard::drawFinishBanner}) {
        rig.graphics.setTransform(TransformKind::World, Matrix4::translation(5, 6, 7));
        const auto draws = frames(sign);
        ASSERT_FALSE(draws.empty());
        EXPECT_EQ(draws.back().world, Matrix4::identity());
    }
}

TEST_F(MessageBoardTest, DemoCaptionAlternatesEveryFortyFramesAndShowsANewModeAtOnce) {
    auto captionRows = [&](int count) {
        std::vector<int> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back(static_cast<int>(
                frames(&MessageBoard::drawDemoCaption).at(0).vertex<OverlayVertex>(0).v * 4));
        return rows;
    };
    rig.state.gameMode = GameMode::Endless;
    auto rows = captionRows(130);
    EXPECT_EQ(std::count(rows.begin(), rows.begin() + 40, 2), 40);
    EXPECT_EQ(std::count(rows.begin() + 40, rows.begin() + 80, 0), 40);
    EXPECT_EQ(rows[80], 2);
    EXPECT_EQ(rows[129], 0);
    rig.state.gameMode = GameMode::Stages; // toggled in the middle of an alternate-row period
    rows = captionRows(41);
    EXPECT_EQ(std::count(rows.begin(), rows.begin() + 40, 1), 40);
    EXPECT_EQ(rows[40], 0);
    const auto draws = frames(&MessageBoard::drawDemoCaption);
    EXPECT_EQ(draws[0].texture, sheet(Sheet::Mode));
    expectQuad(draws[0], {132, 268, 508, 372}, row(0));
}

TEST_F(MessageBoardTest, StartBannerOpensAfter160FramesFromALineIntoABox) {
    EXPECT_TRUE(frames(&MessageBoard::drawStartBanner, 160).empty());
    auto draws = frames(&MessageBoard::drawStartBanner);
    EXPECT_EQ(draws.at(0).texture, sheet(Sheet::Sign));
    expectQuad(draws[0], {3, 239.5f, 637, 240.5f}, row(1));
    expectQuad(frames(&MessageBoard::drawStartBanner, 62).at(0), {189, 208.5f, 451, 271.5f}, row(1));
    expectQuad(frames(&MessageBoard::drawStartBanner, 300).at(0), {189, 208.5f, 451, 271.5f}, row(1));
}

TEST_F(MessageBoardTest, RaceBannerShrinksAndFadesOverItsFirst41FramesOutsideTheDemo) {
    rig.state.demoMode = true;
    EXPECT_TRUE(frames(&MessageBoard::drawRaceBanner, 5).empty());
    rig.state.demoMode = false;
    auto draws = frames(&MessageBoard::drawRaceBanner);
    EXPECT_EQ(draws.at(0).texture, sheet(Sheet::Sign));
    expectQuad(draws[0], {8, 162, 632, 318}, row(2));
    EXPECT_EQ(draws[0].vertex<OverlayVertex>(3).diffuse, 0xF9FFFFFFu);
    EXPECT_EQ(alphaOf(frames(&MessageBoard::drawRaceBanner, 4).at(0)), 224u) << "6.2 * 5 is 31";
    EXPECT_EQ(alphaOf(frames(&MessageBoard::drawRaceBanner, 36).at(0)), 1u) << "the 41st frame";
    EXPECT_TRUE(frames(&MessageBoard::drawRaceBanner).empty());
    EXPECT_TRUE(frames(&MessageBoard::drawRaceBanner, 500).empty());
}

TEST_F(MessageBoardTest, RemainingGoalsGrowsAndFadesFor127FramesAndRestartsOnAKnockDown) {
    for (uint32_t k : {0u, 1u, 6u}) {
        rig.state.goalsInStage = k;
        EXPECT_TRUE(frames(&MessageBoard::drawRemainingGoals, 5).empty()) << k;
    }
    const int rows[] = {3, 2, 1, 0}; // 2..5 goals in: 4..1 left
    for (uint32_t k = 2; k <= 5; ++k) {
        rig.state.goalsInStage = k;
        auto draws = frames(&MessageBoard::drawRemainingGoals);
        EXPECT_EQ(draws.at(0).texture, sheet(Sheet::Rest));
        expectQuad(draws[0], {188, 207, 452, 273}, row(rows[k - 2]));
        EXPECT_EQ(alphaOf(draws[0]), 253u) << "starts over, even mid-fade";
    }
    const auto last = frames(&MessageBoard::drawRemainingGoals, 126);
    expectQuad(last.at(0), {192 - 508, 208 - 127, 448 + 508, 272 + 127}, row(0));
    EXPECT_EQ(alphaOf(last[0]), 1u);
    EXPECT_TRUE(frames(&MessageBoard::drawRemainingGoals, 200).empty());
    rig.state.demoMode = true;
    rig.state.goalsInStage = 2;
    EXPECT_TRUE(frames(&MessageBoard::drawRemainingGoals).empty());
}

TEST_F(MessageBoardTest, FinishBannerBlinksThirtyOnThirtyOffForFiveHundredFrames) {
    std::vector<bool> shown;
    for (int i = 0; i < 700; ++i)
        shown.push_back(!frames(&MessageBoard::drawFinishBanner).empty());
    EXPECT_TRUE(shown[0] && shown[29] && shown[60] && shown[480] && shown[499]);
    EXPECT_FALSE(shown[30] || shown[59] || shown[479] || shown[500] || shown[540]);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), true), 260);
    rebuild();
    const auto draws = frames(&MessageBoard::drawFinishBanner);
    EXPECT_EQ(draws.at(0).texture, sheet(Sheet::Sign));
    expectQuad(draws[0], {192, 208, 448, 272}, row(3));
    rig.state.demoMode = true;
    rebuild();
    EXPECT_TRUE(frames(&MessageBoard::drawFinishBanner).empty());
}

TEST_F(MessageBoardTest, ClearedBannerIsTheModeSheetsLastRow) {
    const auto draws = frames(&MessageBoard::drawClearedBanner, 3);
    EXPECT_EQ(draws.at(0).texture, sheet(Sheet::Mode));
    expectQuad(draws[0], {132, 188, 508, 292}, row(3));
}

} // namespace
} // namespace qv::test
