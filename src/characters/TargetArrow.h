#pragma once

#include "assets/MeshModel.h"
#include "characters/GoalCourse.h"
#include "core/Vec3.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/Texture.h"
#include "rider/Rider.h"
#include "world/Camera.h"

#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;

// Shows the way to the current goal: a 3D arrow floating just above the rider that points at
// the goal and pulses, more strongly the nearer the goal is, and a point sprite on the goal
// itself whose flicker colours tell how far beyond the sight range the goal still is.
class TargetArrow {
  public:
    static constexpr float kStartScale = 0.07f;
    static constexpr float kPulseStep = 0.15f;
    static constexpr uint32_t kMarkerCycle = 3; // white, then the two colours of the band

    // Direction of the line from the arrow to the goal: yaw is minus its horizontal angle, pitch
    // its elevation.
    struct Aim {
        float yaw = 0.0f;
        float pitch = 0.0f;
    };

    // Loads ./Data/tex/target.dds (FatalError "ERROR : Create Direct3DTexture" when it cannot be
    // made), then ./Data/x/arrow.x. The arrow starts out in place above the rider and aimed at the
    // goal, so the start phase can draw it before its first update.
    TargetArrow(GraphicsDevice& device, ContentCache& content, const Rider& rider,
                const GoalCourse& goalCourse, const Camera& camera, const GameState& state);

    // Places the arrow for the camera's view, aims it at the goal and advances its pulse.
    void update();
    // The arrow mesh; the phase has set lighting on and blending off.
    void draw();
    // One point sprite at the goal, in the colour of the goal's distance band. Sets its own
    // point-size states; the phase has set the XYZ | DIFFUSE format, depth test and fog off.
    void drawMarker();

    const Vec3& position() const { return position_; }
    float yaw() const { return aim_.yaw; }
    float pitch() const { return aim_.pitch; }
    float scale() const { return scale_; }
    Matrix4 world() const;
    const Texture& markerTexture() const { return *markerTexture_; }

    // Where the arrow floats for a view: higher for the high chase, half a unit ahead of the
    // rider's facing for the rider's-eye view.
    static Vec3 arrowPosition(CameraMode mode, const Vec3& riderPosition, float heading);
    static Aim aimAt(const Vec3& from, const Vec3& to);
    // The marker's colour on frame k of its three-frame cycle, for a goal this far from the rider.
    static Argb markerColour(float distance, int32_t sightRange, uint32_t k);

  private:
    // Places the arrow and aims it; returns the distance from the arrow to the goal.
    float placeAndAim();

    GraphicsDevice& device_;
    const Rider& rider_;
    const GoalCourse& goalCourse_;
    const Camera& camera_;
    const GameState& state_;
    std::unique_ptr<Texture> markerTexture_;
    MeshModel mesh_;

    Vec3 position_;
    Aim aim_;
    float scale_ = kStartScale;
    float pulse_ = 0.0f;
    uint32_t markerFrames_ = 0;
    SplashPoint marker_{0.0f, 0.0f, 0.0f, 0xFFFFFFFF};
};

} // namespace qv
