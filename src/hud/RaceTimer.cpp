#include "hud/RaceTimer.h"

#include "assets/TextureLoader.h"

#include <algorithm>

namespace qv {

namespace {

constexpr double kFramesPerSecond = 60.0;
constexpr double kCatchUpGap = 15.0;

constexpr float kDigitTop = 5.0f;
constexpr float kDigitBottom = 97.0f;
constexpr float kDigitWidth = 40.0f;
constexpr float kFirstDigitLeft = 80.0f;
constexpr uint32_t kMaxDigits = 3;

// The half-transparent panel behind the digits.
constexpr float kPanelLeft = 30.0f, kPanelTop = 0.0f, kPanelRight = 130.0f, kPanelBottom = 102.0f;
constexpr Argb kPanelColour = 0xBBFFFFFF;

} // namespace

RaceTimer::RaceTimer(GraphicsDevice& device, ContentCache& content, const RaceClock& clock)
    : device_(device), clock_(clock), digit_(0.0f, kDigitTop, kDigitWidth, kDigitBottom, 0xFFFFFFFF),
      back_(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, kPanelColour), shown_(clock.remainingTime()) {
    digitTexture_ = requireTexture(device_, content, kDigitTexture);
    backTexture_ = requireTexture(device_, content, kBackTexture);
}

Argb RaceTimer::digitColour(double remaining) {
    if (remaining >= 1860.0)
        return 0xFF8888FF;
    if (remaining >= 1260.0)
        return 0xFF88FF88;
    if (remaining >= 660.0)
        return 0xFFFFFF66;
    return 0xFFFF6666;
}

uint32_t RaceTimer::secondsOf(double frames) {
    // Clamped first: converting a value outside the integer range is undefined.
    return static_cast<uint32_t>(std::clamp(frames / kFramesPerSecond, 0.0, 4.0e9));
}

void RaceTimer::draw() {
    digit_.setColour(digitColour(clock_.remainingTime()));
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(backTexture_.get());
    back_.draw(device_);
    device_.setTexture(digitTexture_.get());
    followRemaining();
    const uint32_t seconds = secondsOf(shown_);
    digit_.drawNumber(device_, seconds, seconds >= 100 ? kMaxDigits : 2, kFirstDigitLeft, kDigitWidth);
}

// The display drops at once and climbs one frame a drawn frame, or 16 while far behind.
void RaceTimer::followRemaining() {
    const double remaining = clock_.remainingTime();
    if (shown_ > remaining)
        shown_ = remaining;
    if (shown_ < remaining)
        shown_ += 1.0;
    if (remaining - kCatchUpGap > shown_ && shown_ > kCatchUpGap)
        shown_ += kCatchUpGap;
}

} // namespace qv
