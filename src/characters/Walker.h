#pragma once

#include "assets/MeshModel.h"
#include "core/Vec3.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/SoundSystem.h"

#include <memory>

namespace qv {

class Rider;
class WaterSurface;

// The goal figure in the framing phases: thrown up in a high arc from below the field while a
// scene starts, and, when time is up, set down beyond the sight range in front of the camera,
// laughing, to walk over the risen water straight at the rider.
class Walker {
  public:
    static constexpr const char* kMeshFile = "./Data/x/strollen.x";
    static constexpr const char* kLaughFile = "./Data/wave/wara.wav";
    static constexpr float kFlightScale = 12.0f;
    static constexpr Vec3 kLaunchPosition{24.0f, -35.9f, 49.0f};
    static constexpr Vec3 kLaunchVelocity{0.2f, 0.5225f, 0.0f};
    static constexpr float kGravity = 0.0037f;
    static constexpr float kWalkScale = 8.0f;
    static constexpr float kSpawnBeyondSight = 3.0f; // set down this far past the sight range
    static constexpr float kSpawnTilt = 0.1f;
    static constexpr float kSpawnSpeed = 0.1f;
    static constexpr float kWalkSpeed = 0.11f;
    static constexpr float kDrawLift = 0.2f;

    Walker(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Rider& rider,
           const WaterSurface& water, const GameState& state);
    ~Walker();
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    // Start phase: the throw, then one frame of the arc per update.
    void launch();
    void fly();
    // Finish phase: set down in front of the camera (its eye and yaw), then one step per update.
    void spawn(const Vec3& eye, float yaw);
    void walk();
    // The phase has set lighting on; the figure is drawn untextured.
    void draw();

    const Vec3& position() const { return position_; }
    const Vec3& velocity() const { return velocity_; }
    float heading() const { return heading_; }
    float tilt() const { return tilt_; }
    float scale() const { return scale_; }

  private:
    void headFor(float heading, float speed);

    GraphicsDevice& device_;
    const Rider& rider_;
    const WaterSurface& water_;
    const GameState& state_;
    MeshModel mesh_;
    Vec3 position_;
    Vec3 velocity_;
    float heading_ = 0.0f; // direction of travel, from +x toward +z
    float tilt_ = 0.0f;    // about z
    float scale_ = kFlightScale;
    std::unique_ptr<SoundClip> laughClip_;
};

} // namespace qv
