#pragma once

#include "scene/FadeQuad.h"
#include "scene/SceneParts.h"

#include <cstdint>

namespace qv {

// The end of a scene whose race time ran out: the water rises while the rider can still move,
// then the walker comes over the water for the rider, then the screen fades to black.
class FinishPhase {
  public:
    static constexpr uint32_t kRisingFrames = 500;
    static constexpr float kWaterRisePerFrame = 0.008f;
    static constexpr int32_t kLastFadeCounter = 300;

    explicit FinishPhase(const SceneParts& parts);
    virtual ~FinishPhase() = default;
    FinishPhase(const FinishPhase&) = delete;
    FinishPhase& operator=(const FinishPhase&) = delete;

    virtual void draw() = 0;
    void start();
    void update();
    bool stillRunning() const { return fade_.fadeCounter() <= kLastFadeCounter; }

    int32_t stage() const { return stage_; }
    uint32_t frameCounter() const { return frameCounter_; }

  protected:
    void beginFrame();
    void drawShared();
    void endFrame();

    SceneParts parts_;

  private:
    void updateRisingWater();
    void updateWalker();
    void followWithFinishView();

    int32_t stage_ = 0;
    FadeQuad fade_;
    uint32_t frameCounter_ = 0;
    float farPlane_;
};

class AttractFinishPhase : public FinishPhase {
  public:
    using FinishPhase::FinishPhase;
    void draw() override;
};

class PlayFinishPhase : public FinishPhase {
  public:
    using FinishPhase::FinishPhase;
    void draw() override;
};

} // namespace qv
