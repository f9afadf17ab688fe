#pragma once

#include "core/Vec3.h"
#include "field/WaterSurface.h"
#include "game/SceneOptions.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/Texture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;

// One ring on the water: where it started and how many updates it has lived.
struct Ripple {
    float x = 0.0f;
    float z = 0.0f;
    int32_t age = 0;
    bool active = false;
};

// Expanding, fading rings left on the water behind a moving rider, more often the faster it
// goes. A fixed pool of slots; a full pool simply starts no more rings. EFFECT/RIPPLE = 0 turns
// the set off: it then loads nothing and does nothing.
class RippleSet {
  public:
    static constexpr size_t kSlots = 64;
    static constexpr float kMinSpeed = 0.022f;
    static constexpr int32_t kLifetime = 30; // a ring is drawn with ages 1..30

    // The rider's values come through spawn. Throws FatalError "ERROR : Create Direct3DTexture"
    // when the ripple texture cannot be made.
    RippleSet(GraphicsDevice& device, ContentCache& content, const WaterSurface& water,
              const SceneOptions& options);

    // Starts a ring at the rider's x and z if the rider is in or under the water, fast enough and
    // the last ring is old enough: 10 updates at the slowest, every update from speed 0.2 on.
    void spawn(const Vec3& position, float speed);
    // Ages every ring; one older than kLifetime frees its slot.
    void update();
    // Each live ring as a textured quad on the water. The phase has set lighting off, the world
    // vertex format, alpha blending on and depth writes off.
    void draw();

    bool enabled() const { return enabled_; }
    const std::array<Ripple, kSlots>& ripples() const { return ripples_; }
    int32_t framesSinceSpawn() const { return framesSinceSpawn_; }
    // Null while the set is off.
    const Texture* texture() const { return texture_.get(); }

  private:
    bool readyToSpawn(const Vec3& position, float speed) const;
    void drawRipple(const Ripple& ripple);

    GraphicsDevice& device_;
    const WaterSurface& water_;
    bool enabled_;
    std::array<WorldVertex, 4> quad_{};
    std::array<Ripple, kSlots> ripples_{};
    int32_t framesSinceSpawn_ = 0;
    std::unique_ptr<Texture> texture_;
};

} // namespace qv
