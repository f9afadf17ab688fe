#include "hud/ScoreBoard.h"

#include "assets/TextureLoader.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// The digits: 30 wide, the first (least significant) at the right edge.
constexpr float kDigitTop = 10.0f;
constexpr float kDigitBottom = 50.0f;
constexpr float kDigitWidth = 30.0f;
constexpr float kFirstDigitLeft = 600.0f;

// The banner is the bottom row of the digit sheet; it blinks with a period of 40 drawn frames.
constexpr float kBannerLeft = 480.0f;
constexpr float kBannerRight = 630.0f;
constexpr float kBannerV = 0.75f;
constexpr uint32_t kBlinkFrames = 20;

// The stamp: the banner, turned about 10 degrees, landing on the screen centre.
constexpr float kStampStep = 0.3f;
constexpr float kStampFinalZoom = 1.0f;
constexpr int32_t kStampFromWait = 50;

} // namespace

ScoreBoard::ScoreBoard(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                       const GameState& game, const RaceScore& score)
    : device_(device), game_(game), score_(score),
      cell_(0.0f, kDigitTop, kDigitWidth, kDigitBottom, 0xFFFFFFFF) {
    digitTexture_ = requireTexture(device_, content, kDigitTexture);
    countClip_ = sound.createClip(kCountSound, false);
    bangClip_ = sound.createClip(kBangSound, false);
}

ScoreBoard::~ScoreBoard() {
    digitTexture_.reset();
    stopAndRelease(countClip_);
    stopAndRelease(bangClip_);
}

void ScoreBoard::draw() {
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(digitTexture_.get());
    countUp();
    const uint32_t shown = game_.demoMode ? score_.modeHighScore() : shownScore_;
    cell_.setRect(0.0f, kDigitTop, kDigitWidth, kDigitBottom);
    cell_.drawNumber(device_, shown, decimalDigitCount(shown), kFirstDigitLeft, kDigitWidth);
    drawBanner();
    drawStamp();
}

// Ticks up by one with a click, and races ahead in steps of 5 and 50 while far behind.
void ScoreBoard::countUp() {
    const uint32_t score = score_.score();
    if (shownScore_ < score) {
        if (!game_.demoMode)
            countClip_->play();
        shownScore_ += 1;
    }
    if (10 < shownScore_ && shownScore_ < score - 10)
        shownScore_ += 5;
    if (100 < shownScore_ && shownScore_ < score - 100)
        shownScore_ += 50;
}

void ScoreBoard::drawBanner() {
    if (!score_.newBest() && !game_.demoMode)
        return;
    ++bannerCounter_;
    if ((bannerCounter_ / kBlinkFrames) % 2 == 0)
        return;
    cell_.setRect(kBannerLeft, kDigitTop, kBannerRight, kDigitBottom);
    cell_.setTextureRect(0.0f, kBannerV, 1.0f, 1.0f);
    cell_.draw(device_);
}

void ScoreBoard::drawStamp() {
    if (!game_.stageCleared || !score_.newBest() || game_.stageClearWait <= kStampFromWait)
        return;
    if (game_.stageClearWait == kBangWait)
        bangClip_->play();
    stampZoom_ = std::max(stampZoom_ - kStampStep, kStampFinalZoom);
    const float z = stampZoom_;
    cell_.setCorners({320.0f - 195.0f * z, 240.0f - 22.0f * z}, {320.0f + 175.0f * z, 240.0f - 87.0f * z},
                     {320.0f - 175.0f * z, 240.0f + 87.0f * z}, {320.0f + 195.0f * z, 240.0f + 22.0f * z});
    cell_.setTextureRect(0.0f, kBannerV, 1.0f, 1.0f);
    cell_.draw(device_);
    cell_.setRect(0.0f, kDigitTop, kDigitWidth, kDigitBottom);
}

void ScoreBoard::settle() {
    shownScore_ = score_.score();
}

} // namespace qv
