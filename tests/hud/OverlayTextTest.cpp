#include "hud/OverlayText.h"
#include "hud/FpsDisplay.h"
#include "hud/FrameTimes.h"
#include "hud/Notice.h"
#include "platform/RecordingRenderDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

using Summary = FrameTimes::Summary;

// Frames shown every `gap` ms from `from` up to and including `to`.
void showFrames(FrameTimes& times, double from, double to, double gap) {
    for (double t = from; t <= to; t += gap)
        times.frameShown(t);
}

TEST(FrameTimesTest, NothingToTellWithoutAGapToMeasure) {
    FrameTimes times;
    times.frameShown(500.0);
    EXPECT_EQ(times.summary(), Summary{});
    times.frameShown(500.0); // too close for the clock: no rate
    EXPECT_EQ(times.summary(), Summary{});
    times.frameShown(100.0); // the clock went back: afresh
    EXPECT_EQ(times.summary(), Summary{});
    times.frameShown(125.0);
    EXPECT_EQ(times.summary(), (Summary{40.0, 25.0, 25.0, 25.0}));
}

TEST(FrameTimesTest, ShortestAverageAndLongestGapOfTheLastSecond) {
    FrameTimes times;
    times.frameShown(0.0);
    times.frameShown(100.0); // a hitch, more than a second before the end
    showFrames(times, 110.0, 1100.0, 10.0);
    EXPECT_DOUBLE_EQ(times.summary().longestMs, 100.0) << "a second after it ended, still counted";
    times.frameShown(1110.0);
    times.frameShown(1140.0);
    const Summary s = times.summary();
    // The gaps ending at 140 .. 1140: 98 of 10 ms and one of 30 ms.
    EXPECT_DOUBLE_EQ(s.shortestMs, 10.0);
    EXPECT_DOUBLE_EQ(s.longestMs, 30.0);
    EXPECT_DOUBLE_EQ(s.averageMs, 1010.0 / 99.0);
    EXPECT_DOUBLE_EQ(s.framesPerSecond, 1000.0 / s.averageMs);
}

TEST(FrameTimesTest, AFrameEveryTwoSecondsIsHalfAFrameASecond) {
    FrameTimes times;
    showFrames(times, 1000.0, 5000.0, 2000.0);
    EXPECT_EQ(times.summary(), (Summary{0.5, 2000.0, 2000.0, 2000.0}));
}

TEST(OverlayTextTest, Utf8DecodesAndWhatIsNotACharacterReadsAsAQuestionMark) {
    EXPECT_EQ(OverlayText::decode("Jos\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"),
              U"Jos\u00E9 \u20AC \U0001F600");
    EXPECT_EQ(OverlayText::decode("a\xFF-b"), U"a?-b");
    EXPECT_EQ(OverlayText::decode("\xE2\x82Z"), U"??Z"); // a sequence cut short
    EXPECT_EQ(OverlayText::decode("end\xC3"), U"end?");
}

TEST(OverlayTextTest, ALongLineKeepsItsEndAfterThreeDots) {
    EXPECT_EQ(OverlayText::lastCharacters(U"short", 5), U"short");
    EXPECT_EQ(OverlayText::lastCharacters(U"/home/someone/shots/a.png", 10), U"...s/a.png");
    EXPECT_EQ(OverlayText::lastCharacters(U"abcdef", 2), U"ef");
}

// The sheet cell a glyph quad shows, from its top-left texture coordinate.
int cellShown(const OverlayVertex& topLeft) {
    return static_cast<int>(std::lround(topLeft.u * textsheet::kColumns)) +
           textsheet::kColumns * static_cast<int>(std::lround(topLeft.v * textsheet::kRows));
}

// Lettering on a recording device, with a one-texel stand-in for the sheet.
struct Lettering {
    RecordingRenderDevice device{RecordingRenderDevice::Vertices::Keep};
    std::unique_ptr<Texture> sheet = device.createTexture(Image{1, 1, {0xFFFFFFFF}});
    OverlayText text{device, *sheet};
};

TEST(OverlayTextDrawTest, APanelThenEveryGlyphInOneListEachOnItsCell) {
    Lettering l;
    const std::vector<std::u32string> lines{U"Az", U"\u20AC"};
    l.text.draw(lines, {100.0f, 50.0f});
    const auto& draws = l.device.draws();
    ASSERT_EQ(draws.size(), 2u);

    const auto& panel = draws[0];
    EXPECT_EQ(panel.texture, nullptr);
    EXPECT_EQ(panel.vertexFormat, fvf::kOverlay);
    const Vec2 size = OverlayText::panelSize(lines);
    EXPECT_FLOAT_EQ(size.x, 2 * OverlayText::kCharWidth + 2 * OverlayText::kPadding);
    EXPECT_FLOAT_EQ(size.y, 2 * OverlayText::kLineHeight + 2 * OverlayText::kPadding);
    EXPECT_FLOAT_EQ(panel.vertex<OverlayVertex>(5).x, 100.0f + size.x);
    EXPECT_FLOAT_EQ(panel.vertex<OverlayVertex>(5).y, 50.0f + size.y);

    const auto& glyphs = draws[1];
    EXPECT_EQ(glyphs.texture, l.sheet.get());
    ASSERT_EQ(glyphs.primitiveCount, 6u); // three characters, two triangles each
    EXPECT_EQ(cellShown(glyphs.vertex<OverlayVertex>(0)), *textsheet::cellOf(U'A'));
    EXPECT_EQ(cellShown(glyphs.vertex<OverlayVertex>(6)), *textsheet::cellOf(U'z'));
    EXPECT_EQ(cellShown(glyphs.vertex<OverlayVertex>(12)), *textsheet::cellOf(U'?'));
    // Each cell is centred on its character's advance; the second line is a line lower.
    const float margin = 0.5f * OverlayText::kScale * (textsheet::kCellWidth - textsheet::kAdvance);
    EXPECT_FLOAT_EQ(glyphs.vertex<OverlayVertex>(6).x,
                    100.0f + OverlayText::kPadding + OverlayText::kCharWidth - margin);
    EXPECT_FLOAT_EQ(glyphs.vertex<OverlayVertex>(1).x - glyphs.vertex<OverlayVertex>(0).x,
                    OverlayText::kScale * textsheet::kCellWidth);
    EXPECT_FLOAT_EQ(glyphs.vertex<OverlayVertex>(12).y,
                    50.0f + OverlayText::kPadding + OverlayText::kLineHeight);
}

TEST(OverlayTextDrawTest, DrawsOverEverythingAndPutsTheStatesBack) {
    Lettering l;
    l.device.setRenderState(RenderState::ZEnable, 1);
    l.device.setRenderState(RenderState::AlphaBlendEnable, 0);
    l.device.setRenderState(RenderState::CullMode, kCullCcw);
    const std::vector<std::u32string> lines{U"x"};
    l.text.draw(lines, {0.0f, 0.0f});
    for (const auto& draw : l.device.draws()) {
        EXPECT_EQ(draw.state(RenderState::ZEnable), 0u);
        EXPECT_EQ(draw.state(RenderState::AlphaBlendEnable), 1u);
        EXPECT_EQ(draw.state(RenderState::CullMode), kCullNone);
    }
    EXPECT_EQ(l.device.renderState(RenderState::ZEnable), 1u);
    EXPECT_EQ(l.device.renderState(RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(l.device.renderState(RenderState::CullMode), kCullCcw);
    EXPECT_EQ(l.device.texture(), nullptr);
}

TEST(FpsDisplayTest, InTheTopRightCornerWithFiguresTakenTwiceASecond) {
    Lettering l;
    FrameTimes times;
    FpsDisplay display;
    showFrames(times, 0.0, 1000.0, 20.0);
    display.draw(l.text, times, 1000.0);
    EXPECT_EQ(display.lines()[0], U"50.0 fps");
    EXPECT_EQ(display.lines()[1], U"min 20.0  avg 20.0  max 20.0 ms");
    EXPECT_FLOAT_EQ(l.device.draws().front().vertex<OverlayVertex>(5).x, FpsDisplay::kRight);
    EXPECT_FLOAT_EQ(l.device.draws().front().vertex<OverlayVertex>(0).y, FpsDisplay::kTop);

    showFrames(times, 1040.0, 1480.0, 40.0);
    display.draw(l.text, times, 1480.0);
    EXPECT_EQ(display.lines()[1], U"min 20.0  avg 20.0  max 20.0 ms") << "not yet half a second";
    times.frameShown(1520.0);
    display.draw(l.text, times, 1520.0);
    // The gaps ending at 520 .. 1520: 25 of 20 ms, 13 of 40 ms.
    EXPECT_EQ(display.lines()[1], U"min 20.0  avg 26.8  max 40.0 ms");
    display.restart();
    times.frameShown(1560.0);
    display.draw(l.text, times, 1560.0);
    EXPECT_EQ(display.lines()[1], U"min 20.0  avg 27.6  max 40.0 ms") << "at once after a restart";
}

TEST(NoticeTest, ShowsForThreeSecondsAboveTheGaugeKeepingTheEndOfALongPath) {
    Notice notice;
    std::string path = "/home/";
    path.append(100, 'x');
    path.append("/screenshots/qorvex-2026-12-08_17-30-05.png");
    notice.show("Screenshot saved", path, 1000.0);
    EXPECT_EQ(notice.lines()[0], U"Screenshot saved");
    ASSERT_EQ(notice.lines()[1].size(), Notice::kMaxCharacters);
    EXPECT_TRUE(notice.lines()[1].starts_with(U"..."));
    EXPECT_TRUE(notice.lines()[1].ends_with(U"/screenshots/qorvex-2026-12-08_17-30-05.png"));
    EXPECT_TRUE(notice.visible(3999.0));
    EXPECT_FALSE(notice.visible(4000.0));
    EXPECT_FALSE(notice.visible(999.0)) << "a clock that went back";

    Lettering l;
    notice.draw(l.text, 4000.0);
    EXPECT_TRUE(l.device.draws().empty());
    notice.draw(l.text, 2000.0);
    ASSERT_FALSE(l.device.draws().empty());
    const auto& panel = l.device.draws().front();
    EXPECT_FLOAT_EQ(panel.vertex<OverlayVertex>(0).x, Notice::kLeft);
    EXPECT_FLOAT_EQ(panel.vertex<OverlayVertex>(5).y, Notice::kBottom);
    EXPECT_LE(panel.vertex<OverlayVertex>(5).x, 640.0f) << "the longest line fits the screen";
}

} // namespace
} // namespace qv
