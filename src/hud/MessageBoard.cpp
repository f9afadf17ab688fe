#include "hud/MessageBoard.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

constexpr std::array<const char*, 4> kSheetFiles{data::kBannerSheet, data::kDemoBannerSheet,
                                                 data::kStageNumberSheet, data::kRemainingSheet};

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr float kRowHeight = 0.25f;

// Rows of the sign sheet.
constexpr uint32_t kEndlessTitleRow = 0;
constexpr uint32_t kStartRow = 1;
constexpr uint32_t kRaceRow = 2;
constexpr uint32_t kFinishRow = 3;
// Rows of the mode sheet.
constexpr uint32_t kAlternateRow = 0;
constexpr uint32_t kStageNameRow = 1;
constexpr uint32_t kEndlessNameRow = 2;
constexpr uint32_t kClearedRow = 3;
// Row of the stage sheet below its digit cells.
constexpr uint32_t kStageTitleRow = 3;

// Goals-in-stage values the rest sheet has a row for: 2 (four goals left) to 5 (one left).
constexpr uint32_t kFirstRestGoals = 2;
constexpr uint32_t kLastRestGoals = 5;

// The stage title's digits: the stage within its cycle on the right, the cycle on the left.
constexpr float kDigitTop = 0.0f, kDigitBottom = 46.0f;
constexpr float kStageDigitLeft = 420.0f, kCycleDigitLeft = 360.0f, kDigitWidth = 40.0f;

void showRow(OverlayCell& quad, uint32_t row) {
    const float v = kRowHeight * static_cast<float>(row);
    quad.setTextureRect(0.0f, v, 1.0f, v + kRowHeight);
}

// Cell k of a 4 x 4 sheet: column k mod 4, row k div 4.
void showCell(OverlayCell& quad, uint32_t cell) {
    const float u = kRowHeight * static_cast<float>(cell % 4);
    const float v = kRowHeight * static_cast<float>(cell / 4);
    quad.setTextureRect(u, v, u + kRowHeight, v + kRowHeight);
}

OverlayCell rowQuad(float left, float top, float right, float bottom, uint32_t row) {
    OverlayCell quad(left, top, right, bottom, kWhite);
    showRow(quad, row);
    return quad;
}

Argb whiteWithAlpha(int32_t alpha) {
    return static_cast<Argb>(std::clamp(alpha, 0, 255)) << 24 | 0x00FFFFFFu;
}

// The counter's value before this frame; it then counts the frame. It stops at its top instead of
// wrapping, so a sign that has run its course never shows again however long the scene lasts.
uint32_t countFrame(uint32_t& counter) {
    const uint32_t seen = counter;
    if (counter < std::numeric_limits<uint32_t>::max())
        ++counter;
    return seen;
}

} // namespace

MessageBoard::MessageBoard(GraphicsDevice& device, ContentCache& content, GameState& state)
    : device_(device), state_(state), caption_(132.0f, 268.0f, 508.0f, 372.0f, kWhite),
      start_(rowQuad(0.0f, 240.0f, 640.0f, 240.0f, kStartRow)),
      race_(rowQuad(192.0f, 208.0f, 448.0f, 272.0f, kRaceRow)),
      digit_(0.0f, kDigitTop, kDigitWidth, kDigitBottom, kWhite), title_(172.0f, 6.0f, 428.0f, 40.0f, kWhite),
      clear_(rowQuad(132.0f, 188.0f, 508.0f, 292.0f, kClearedRow)),
      finish_(rowQuad(192.0f, 208.0f, 448.0f, 272.0f, kFinishRow)),
      remaining_(152.0f, 198.0f, 488.0f, 282.0f, kWhite) {
    state_.introDone = false;
    for (size_t i = 0; i < sheets_.size(); ++i)
        sheets_[i] = requireTexture(device_, content, kSheetFiles[i]);
}

uint32_t MessageBoard::stageInCycle(uint32_t stageNumber) {
    const uint32_t s = stageNumber % 4;
    return s == 0 ? 4 : s;
}

uint32_t MessageBoard::cycleOf(uint32_t stageNumber) {
    const uint32_t cycle = stageInCycle(stageNumber) == 4 ? stageNumber / 4 : stageNumber / 4 + 1;
    return std::min(cycle, kMaxCycleDigit);
}

void MessageBoard::show(const OverlayCell& quad, Sheet sheet) {
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(&this->sheet(sheet));
    quad.draw(device_);
}

void MessageBoard::drawDemoCaption() {
    if (state_.gameMode != captionMode_)
        captionCounter_ = 0; // a toggle shows the new mode's name at once
    const uint32_t c = countFrame(captionCounter_);
    const bool alternate = (c / kCaptionBlink) % 2 == 1;
    const uint32_t nameRow = state_.gameMode == GameMode::Stages ? kStageNameRow : kEndlessNameRow;
    showRow(caption_, alternate ? kAlternateRow : nameRow);
    show(caption_, Sheet::Mode);
    captionMode_ = state_.gameMode;
}

void MessageBoard::drawStageTitle() {
    if (countFrame(titleCounter_) < kTitleDelay)
        return;
    state_.introDone = true;
    if (state_.stageNumber == 0) {
        showRow(title_, kEndlessTitleRow);
        show(title_, Sheet::Sign);
        return;
    }
    showRow(title_, kStageTitleRow);
    show(title_, Sheet::Stage);
    drawStageDigits();
}

void MessageBoard::drawStageDigits() {
    digit_.setRect(kStageDigitLeft, kDigitTop, kStageDigitLeft + kDigitWidth, kDigitBottom);
    showCell(digit_, stageInCycle(state_.stageNumber));
    show(digit_, Sheet::Stage);
    digit_.setRect(kCycleDigitLeft, kDigitTop, kCycleDigitLeft + kDigitWidth, kDigitBottom);
    showCell(digit_, cycleOf(state_.stageNumber));
    show(digit_, Sheet::Stage);
}

void MessageBoard::drawStartBanner() {
    const uint32_t c = countFrame(startCounter_);
    if (c < kStartBannerDelay)
        return;
    // Opens from a full-width line at mid-height into its box, then stays.
    const float n = static_cast<float>(std::min(c - kStartBannerDelay + 1, kStartBannerSteps));
    start_.setRect(3.0f * n, 240.0f - 0.5f * n, 640.0f - 3.0f * n, 240.0f + 0.5f * n);
    show(start_, Sheet::Sign);
}

void MessageBoard::drawRaceBanner() {
    if (state_.demoMode)
        return;
    const uint32_t c = countFrame(raceCounter_);
    if (c >= kRaceBannerFrames)
        return;
    // Shrinks toward the centre of the screen while it fades out.
    const uint32_t b = c + 1;
    const float f = static_cast<float>(b);
    race_.setRect(8.0f * f, 160.0f + 2.0f * f, 640.0f - 8.0f * f, 320.0f - 2.0f * f);
    race_.setColour(whiteWithAlpha(255 - static_cast<int32_t>(6.2 * b)));
    show(race_, Sheet::Sign);
}

void MessageBoard::drawRemainingGoals() {
    if (state_.demoMode)
        return;
    const uint32_t k = state_.goalsInStage;
    if (k != restGoals_)
        restCounter_ = 0; // a new knock-down restarts the sign, even mid-fade
    if (k < kFirstRestGoals || k > kLastRestGoals || restCounter_ >= kRemainingFrames)
        return;
    const uint32_t c = ++restCounter_;
    restGoals_ = k;
    // Grows and fades out.
    const float f = static_cast<float>(c);
    showRow(remaining_, kLastRestGoals - k);
    remaining_.setRect(192.0f - 4.0f * f, 208.0f - f, 448.0f + 4.0f * f, 272.0f + f);
    remaining_.setColour(whiteWithAlpha(255 - 2 * static_cast<int32_t>(c)));
    show(remaining_, Sheet::Rest);
}

void MessageBoard::drawClearedBanner() {
    show(clear_, Sheet::Mode);
}

void MessageBoard::drawFinishBanner() {
    if (state_.demoMode)
        return;
    const uint32_t c = countFrame(finishCounter_);
    if (c < kFinishBannerFrames && (c / kFinishBlink) % 2 == 0)
        show(finish_, Sheet::Sign);
}

} // namespace qv
