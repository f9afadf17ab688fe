#pragma once

#include "game/GameState.h"
#include "game/SceneOptions.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"

namespace qv {

// The device's linear distance fog. At rest it begins two units short of the sight range and is
// complete at the sight range, where the terrain window runs out. The start phase also closes it
// around the eye and opens it step by step to reveal the course.
//
// EFFECT/FOG: 0 no fog (every operation then does nothing), 1 per-pixel (table) fog, any
// other value per-vertex fog.
class Fog {
  public:
    static constexpr Argb kColor = 0xFFC1C1DD;
    static constexpr float kDensity = 1.0f; // linear fog ignores it
    static constexpr float kClosedStart = 0.01f;
    static constexpr float kClosedEnd = 0.1f;
    static constexpr float kStartStep = 0.125f;
    static constexpr float kEndStep = 0.155f;

    Fog(GraphicsDevice& device, const GameState& state, const SceneOptions& options);

    // The phases bracket unfogged drawing (sky, arrow, overlays) with these.
    void enable();
    void disable();
    // Back to the resting distances.
    void reset();
    // Fog all but on the eye: the reveal starts from here.
    void closeIn();
    // One reveal step outwards; each distance stops at its resting value.
    void openUp();

    bool enabled() const { return enabled_; }
    float fogStart() const { return fogStart_; }
    float fogEnd() const { return fogEnd_; }
    float restingStart() const { return restingStart_; }
    float restingEnd() const { return restingEnd_; }

  private:
    void setDistances(float start, float end);

    GraphicsDevice& device_;
    bool enabled_;
    float restingStart_;
    float restingEnd_;
    float fogStart_;
    float fogEnd_;
};

} // namespace qv
