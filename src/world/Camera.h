#pragma once

#include "core/Matrix4.h"
#include "core/Vec3.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyboardInput.h"
#include "rider/Rider.h"

#include <cstdint>

namespace qv {

// The nine views; the number keys 0..6 pick the race views by their value.
enum class CameraMode : int32_t {
    FinishView = -2, // forced by the finish phase
    StartView = -1,  // forced by the start phase
    HighChase = 0,   // high behind the direction of travel
    RiderEye = 1,    // from the rider's head, no smoothing
    CloseBehind = 2, // just behind the head
    Chase = 3,       // the run's race view
    LowChase = 4,    // low behind the direction of travel
    FacingBack = 5,  // ahead of the rider, looking back at it
    Trackside = 6,   // waits by the track, then jumps ahead; the demo's race view
};

// Follows the rider in one of the views above and sets the device's view transform. Its eye and
// yaw also place the terrain window, the water plane, the sky and the finish walker.
class Camera {
  public:
    static constexpr Vec3 kStartEye{81.5f, WaterSurface::kRestingLevel, 81.5f};
    // The demo switches to a random view after this many race updates.
    static constexpr uint32_t kDemoModeInterval = 300;

    Camera(GraphicsDevice& device, KeyboardInput& keyboard, const Rider& rider, const Field& field,
           GameState& state);

    // Once per race update, before update(): the demo's random switch, then the number keys.
    void selectMode();
    // Moves eye and look-at by the current mode, recomputes the yaw and sets the view.
    void update();

    CameraMode mode() const { return mode_; }
    void setMode(CameraMode mode) { mode_ = mode; }
    const Vec3& eye() const { return eye_; }
    const Vec3& lookAt() const { return lookAt_; }
    float yaw() const { return yaw_; }

  private:
    // What a view reads from the rider on one update.
    struct Target {
        Vec3 p;           // position
        float s;          // speed
        float cosD, sinD; // direction of travel
        float cosF, sinF; // facing
    };

    void applyRule(const Target& t);
    void followRiderXZ(const Target& t);
    void halfwayBehindHead(const Target& t, float lift);
    void highChase(const Target& t);
    void riderEye(const Target& t);
    void closeBehind(const Target& t);
    void chase(const Target& t);
    void lowChase(const Target& t);
    void facingBack(const Target& t);
    void trackside(const Target& t);
    void startView(const Target& t);
    void finishView(const Target& t);

    // Eye height over the ground at (x, z), or just above the resting water off the field.
    float heightOverGround(float x, float z) const;
    void setView();

    GraphicsDevice& device_;
    const KeyboardInput& keyboard_;
    const Rider& rider_;
    const Field& field_;
    GameState& state_;

    CameraMode mode_ = CameraMode::Chase;
    Vec3 eye_ = kStartEye;
    Vec3 lookAt_;
    float yaw_ = 0.0f;
    uint32_t modeTimer_ = 0;
    Matrix4 view_ = Matrix4::identity();
};

} // namespace qv
