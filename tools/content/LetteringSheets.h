#pragma once

#include "ContentGenerators.h"
#include "core/Image.h"
#include "core/Vec3.h"
#include "pictures/TextRenderer.h"

namespace qv::content {

// The lettering the message board puts on screen: four square sheets of four rows each, every
// row stretched over a quad of its own shape in the 640 x 480 overlay space. Each sign is drawn
// for the shape of its quad (sizes below, in overlay units) and kept a few texels clear of its
// row's edges, so filtering never pulls in a neighbour.
namespace signs {

// tex/str.dds rows.
constexpr int kEndlessTitleRow = 0;
constexpr int kStartBannerRow = 1;
constexpr int kRaceBannerRow = 2;
constexpr int kFinishBannerRow = 3;
// tex/strd.dds rows: the demo caption alternates row 0 with the selected mode's name.
constexpr int kDemoPromptRow = 0;
constexpr int kStageModeRow = 1;
constexpr int kEndlessModeRow = 2;
constexpr int kClearedRow = 3;
// tex/stagenum.dds: digit d in cell d, "10" in cell 10 (the highest stage cycle), the stage
// title in row 3; cell 11 is never shown.
constexpr int kStageTitleRow = 3;
constexpr int kHighestCycle = 10;
// tex/rest.dds: row r reads "r + 1 goals left".

// Both titles and the stage digits: one height of capitals, centred on one line of the screen.
constexpr float kTitleCapHeight = 22.0f;
constexpr float kTitleMiddle = 23.0f;

// The quads, once their animations have settled.
constexpr Vec2 kTitleQuad{256.0f, 34.0f}; // x 172..428, y 6..40: both titles
constexpr float kTitleLeft = 172.0f;
constexpr float kTitleTop = 6.0f;
constexpr Vec2 kDigitQuad{40.0f, 46.0f}; // y 0..46
constexpr float kCycleDigitLeft = 360.0f;
constexpr float kStageDigitLeft = 420.0f;
constexpr Vec2 kCaptionQuad{376.0f, 104.0f}; // demo caption
constexpr Vec2 kStartQuad{262.0f, 63.0f};    // start banner, opened
constexpr Vec2 kBannerQuad{256.0f, 64.0f};   // race and finish banners
constexpr Vec2 kClearedQuad{376.0f, 104.0f};
constexpr Vec2 kRemainingQuad{336.0f, 84.0f};

} // namespace signs

Image signSheet(const TextRenderer& text);      // tex/str.dds
Image modeSheet(const TextRenderer& text);      // tex/strd.dds
Image stageSheet(const TextRenderer& text);     // tex/stagenum.dds
Image remainingSheet(const TextRenderer& text); // tex/rest.dds

void writeLetteringSheets(GeneratorContext& context);

} // namespace qv::content
