#pragma once

#include "assets/DataFiles.h"
#include "assets/MeshModel.h"
#include "core/Matrix4.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/SoundSystem.h"
#include "platform/Texture.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

// The rider's boost: a gauge that a held key drains into a forward push and that must refill
// completely before the next boost, the flaring effect around the rider while it pushes, and
// the gauge at the bottom left of the screen.
class Boost {
  public:
    static constexpr float kPush = 0.004f;
    static constexpr float kDrain = 0.045f;
    static constexpr float kRefill = 0.0075f;

    // Throws FatalError "ERROR : Create Direct3DTexture" when a texture cannot be made.
    Boost(GraphicsDevice& device, ContentCache& content, SoundSystem& sound);
    ~Boost();
    Boost(const Boost&) = delete;
    Boost& operator=(const Boost&) = delete;

    // One tick with the boost key byte; returns the push along the heading (kPush or 0).
    float step(uint8_t key);
    // The effect around the rider, only on a tick that pushed; base places it on the rider.
    void drawEffect(const Matrix4& base);
    // The gauge, every frame in the overlay pass.
    void drawGauge();

    float gauge() const { return gauge_; }
    bool ready() const { return ready_; }
    bool boosting() const { return boosting_; }
    uint32_t animCounter() const { return animCounter_; }

  private:
    using Quad = std::array<OverlayVertex, 4>;

    void refill();
    void drawQuad(const Quad& quad);
    void drawPartialBar();
    void drawFullBar();
    void setBar(float left, float top, float right, float bottom, float topV, float bottomV, Argb colour);

    GraphicsDevice& device_;
    Quad bar_{};
    Quad frame_{};
    std::unique_ptr<Texture> gaugeTexture_;
    std::unique_ptr<MeshModel> effectModel_;
    std::array<std::unique_ptr<Texture>, data::kBoostTextureCount> effectTextures_;
    std::unique_ptr<SoundClip> sound_;
    uint32_t animCounter_ = 0;
    float gauge_ = 1.0f;
    float pulsePhase_ = 0.0f;
    bool ready_ = true;
    bool boosting_ = false;
};

} // namespace qv
