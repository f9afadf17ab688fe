#pragma once

#include "core/Vec3.h"
#include "game/GameState.h"
#include "game/SceneOptions.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"

#include <array>
#include <memory>

namespace qv {

// The water: one horizontal plane at the water level, drawn as a translucent quad that travels
// with the camera, from 1.2 behind the eye to sight range ahead and sight range to either side.
class WaterSurface {
  public:
    // The level of the water until the finish floods the course; goals stand above it.
    static constexpr float kRestingLevel = 0.445f;
    static constexpr Argb kColoredWater = 0x551122FF;
    static constexpr Argb kPaleWater = 0x700011EE;

    // The palette switch picks the water colour (1: the coloured palette's water, else the pale one).
    WaterSurface(GraphicsDevice& device, const GameState& state, const SceneOptions& options);

    float waterLevel() const { return waterLevel_; }
    // Floods the course; only the finish phase does this.
    void raiseLevel(float amount) { waterLevel_ += amount; }

    // The phase has set lighting off, the world vertex format, blending on and depth writes off.
    void draw(const Vec3& eye, float yaw);

    const std::array<WorldVertex, 4>& quad() const { return quad_; }

  private:
    GraphicsDevice& device_;
    std::array<WorldVertex, 4> quad_{};
    std::unique_ptr<StaticGeometry> geometry_;
    float waterLevel_ = kRestingLevel;
};

} // namespace qv
