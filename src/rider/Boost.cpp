#include "rider/Boost.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/Angles.h"

#include <cmath>
#include <numbers>
#include <string>

namespace qv {

namespace {

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kEmptyTrack = 0x40000000;
// Effect size: (gauge^3 + 0.4) times this, from about 7 on the first boost tick to 2.2 on the last.
constexpr float kEffectScale = 5.5555553f;
constexpr float kPulseStep = 0.12f;
constexpr float kGlowSwell = 8.0f;
constexpr uint32_t kFlashPeriod = 12;

// Gauge geometry in overlay pixels: the bar, the frame around it, the glow over the full bar.
constexpr float kBarLeft = 10.0f, kBarTop = 440.0f, kBarRight = 230.0f, kBarBottom = 470.0f;
constexpr float kBarWidth = kBarRight - kBarLeft;
constexpr float kGlowLeft = 10.0f, kGlowTop = 430.0f, kGlowRight = 220.0f, kGlowBottom = 480.0f;
// The picture's top half is the bar, its bottom half the glow.
constexpr float kBarTopV = 0.0f, kBarBottomV = 0.5f, kGlowTopV = 0.51f, kGlowBottomV = 1.0f;

std::array<OverlayVertex, 4> makeQuad(float left, float top, float right, float bottom, float topV,
                                      float bottomV, Argb colour) {
    return {{{left, top, 0.0f, 1.0f, colour, 0.0f, topV},
             {right, top, 0.0f, 1.0f, colour, 1.0f, topV},
             {left, bottom, 0.0f, 1.0f, colour, 0.0f, bottomV},
             {right, bottom, 0.0f, 1.0f, colour, 1.0f, bottomV}}};
}

// 0..1 to a colour byte, rounded.
uint32_t toByte(float level) {
    return static_cast<uint32_t>(level * 255.0f + 0.5f);
}

} // namespace

Boost::Boost(GraphicsDevice& device, ContentCache& content, SoundSystem& sound)
    : device_(device),
      bar_(makeQuad(kBarLeft, kBarTop, kBarRight, kBarBottom, kBarTopV, kBarBottomV, kWhite)),
      frame_(makeQuad(5.0f, 436.0f, 235.0f, 474.0f, kBarTopV, kBarBottomV, kWhite)),
      gaugeTexture_(requireTexture(device, content, data::kBoostGaugeTexture)),
      effectModel_(std::make_unique<MeshModel>(device, content, data::kBoostMesh)) {
    for (size_t i = 0; i < effectTextures_.size(); ++i)
        effectTextures_[i] = requireTexture(device, content, data::boostTexture(static_cast<uint32_t>(i)));
    sound_ = sound.createClip(data::kBoostSound, false);
}

Boost::~Boost() {
    gaugeTexture_.reset();
    for (auto& texture : effectTextures_)
        texture.reset();
    effectModel_.reset();
    sound_->stop();
    sound_.reset();
}

float Boost::step(uint8_t key) {
    boosting_ = false;
    if (gauge_ <= 0.0f)
        ready_ = false;
    if (key == 0) {
        if (gauge_ < 1.0f)
            ready_ = false;
        if (ready_ && gauge_ > 0.0f)
            sound_->stop();
        refill();
        return 0.0f;
    }
    if (gauge_ > 0.0f && ready_) {
        if (gauge_ >= 1.0f)
            sound_->play();
        gauge_ -= kDrain;
        boosting_ = true;
        return kPush;
    }
    refill();
    return 0.0f;
}

void Boost::refill() {
    gauge_ += kRefill;
    if (gauge_ > 1.0f) {
        gauge_ = 1.0f;
        ready_ = true;
    }
}

void Boost::drawEffect(const Matrix4& base) {
    if (!boosting_)
        return;
    const float s = (gauge_ * gauge_ * gauge_ + 0.4f) * kEffectScale;
    device_.setTransform(TransformKind::World, Matrix4::scaling(s, s, s) * base);
    device_.setTexture(effectTextures_[animCounter_ % effectTextures_.size()].get());
    effectModel_->drawWithBoundTexture();
}

void Boost::drawGauge() {
    ++animCounter_;
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(gaugeTexture_.get());
    drawQuad(frame_);
    if (gauge_ < 1.0f)
        drawPartialBar();
    else
        drawFullBar();
}

// The dark empty track, then the filled part from red (empty) to yellow (nearly full).
void Boost::drawPartialBar() {
    setBar(kBarLeft, kBarTop, kBarRight, kBarBottom, kBarTopV, kBarBottomV, kEmptyTrack);
    drawQuad(bar_);
    pulsePhase_ = 0.0f;
    const uint32_t green = gauge_ <= 0.0f ? 0u : toByte(gauge_);
    setBar(kBarLeft, kBarTop, kBarLeft + gauge_ * kBarWidth, kBarBottom, kBarTopV, kBarBottomV,
           0xFFFF0000u | green << 8);
    drawQuad(bar_);
}

// The full bar flashing blue-white, and the glow swelling around it.
void Boost::drawFullBar() {
    const float flash = static_cast<float>(animCounter_ % kFlashPeriod) * 0.03f + 0.6f;
    const uint32_t k = toByte(flash);
    setBar(kBarLeft, kBarTop, kBarRight, kBarBottom, kBarTopV, kBarBottomV, 0xFF0000FFu | k << 16 | k << 8);
    drawQuad(bar_);
    pulsePhase_ += kPulseStep;
    if (pulsePhase_ > kPi)
        pulsePhase_ -= kPi;
    const float p = kGlowSwell * std::sin(pulsePhase_);
    setBar(kGlowLeft - p, kGlowTop + p, kGlowRight + p, kGlowBottom - p, kGlowTopV, kGlowBottomV, kWhite);
    drawQuad(bar_);
}

void Boost::setBar(float left, float top, float right, float bottom, float topV, float bottomV, Argb colour) {
    bar_ = makeQuad(left, top, right, bottom, topV, bottomV, colour);
}

void Boost::drawQuad(const Quad& quad) {
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(OverlayVertex));
}

} // namespace qv
