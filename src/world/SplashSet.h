#pragma once

#include "core/Vec3.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "game/SceneOptions.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/SoundSystem.h"
#include "platform/Texture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

class ContentCache;

// Spray thrown up where the rider moves through the water: particles that fly up, fall back and
// vanish into the water, drawn as point sprites, with a splash sound. A fixed pool of points,
// every one sent to the device each frame; an idle point waits below the field's corner.
// EFFECT/SPLASH = 0 turns the set off: it then loads nothing, shows nothing and stays silent.
class SplashSet {
  public:
    static constexpr size_t kPoints = 1500;
    static constexpr Argb kColor = 0xBBFFFFFF;
    static constexpr Vec3 kParked{0.0f, -10.0f, 0.0f};
    static constexpr float kMinSpeed = 0.022f;
    static constexpr int32_t kMaxBurst = 60;
    static constexpr int32_t kSoundGap = 6; // a new sound needs more updates than this
    static constexpr float kGravity = 0.005f;

    // Draws its random numbers from state.random. Throws FatalError
    // "ERROR : Create Direct3DTexture" when the splash texture cannot be made.
    SplashSet(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const WaterSurface& water,
              GameState& state, const SceneOptions& options);

    // A burst at the rider: waterContact 1 (wading) or 2 (deep) picks the sound and, with the
    // speed, the number of particles. Below kMinSpeed nothing happens.
    void spawn(const Vec3& position, float speed, int32_t waterContact);
    // Gravity and flight; a particle dies once it falls below the water level.
    void update();
    // One point list of every point. The phase has set the XYZ | DIFFUSE format, alpha blending
    // on and lighting off; point sprites and scaling are on device-wide.
    void draw();

    bool enabled() const { return enabled_; }
    // Empty while the set is off.
    const std::vector<SplashPoint>& points() const { return points_; }
    // A switched-off set, or an index past the pool, reads as an idle point.
    Vec3 velocity(size_t i) const { return i < velocities_.size() ? velocities_[i] : Vec3{}; }
    bool active(size_t i) const { return i < active_.size() && active_[i] != 0; }
    size_t activeCount() const;
    int32_t framesSinceSound() const { return framesSinceSound_; }
    // Null while the set is off.
    const Texture* texture() const { return texture_.get(); }

  private:
    void playSound(int32_t waterContact);
    static int32_t burstSize(float speed, int32_t waterContact);
    void launch(size_t i, const Vec3& position, float speed, int32_t waterContact);
    void park(size_t i);
    float nextUnit();

    GraphicsDevice& device_;
    const WaterSurface& water_;
    GameState& state_;
    bool enabled_;
    std::vector<SplashPoint> points_;
    std::vector<Vec3> velocities_;
    std::vector<uint8_t> active_;
    std::unique_ptr<Texture> texture_;
    std::unique_ptr<SoundClip> wadeSound_;
    std::unique_ptr<SoundClip> deepSound_;
    int32_t framesSinceSound_ = 0;
    // One past the last active point: bursts fill the pool from the front, so the update need not
    // look past the few points in flight.
    size_t activeEnd_ = 0;
};

} // namespace qv
