#pragma once

#include "core/Vec3.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"

#include <array>
#include <memory>

namespace qv {

// The background fixed to the camera: a sky shading from blue overhead to the fog colour at
// the horizon, sight range ahead, and below it a haze plane in the fog colour that shows where
// no ground or water is drawn. Drawn first, with the depth test off.
class SkyBackdrop {
  public:
    static constexpr Argb kSkyColor = 0xFF4455FF; // the frame's clear colour
    static constexpr Argb kFogColor = 0xFFC1C1DD;

    SkyBackdrop(GraphicsDevice& device, const GameState& state);

    // The phase has set lighting off, the world vertex format and the depth test off.
    void draw(const Vec3& eye, float yaw);

    const std::array<WorldVertex, 4>& skyQuad() const { return sky_; }
    const std::array<WorldVertex, 4>& hazeQuad() const { return haze_; }

  private:
    GraphicsDevice& device_;
    std::array<WorldVertex, 4> sky_{};
    std::array<WorldVertex, 4> haze_{};
    std::unique_ptr<StaticGeometry> geometry_; // the haze, then the sky
};

} // namespace qv
