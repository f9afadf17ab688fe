#pragma once

#include "assets/MeshModel.h"
#include "core/Vec3.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "platform/GraphicsDevice.h"
#include "platform/SoundSystem.h"
#include "replay/ControlRecord.h"
#include "replay/ControlSource.h"
#include "rider/Boost.h"

#include <cstdint>
#include <memory>

namespace qv {

enum class RiderState : int32_t { Ground = 0, Skid = 1, Air = 2, Water = 3 };

// The tricycle and its rider. Each update takes one control record, moves the rider over the
// field and the water with a per-tick point integrator whose velocity is re-derived from the
// last tick's actual displacement (so every correction of the position feeds back into the
// motion), and advances the small animations. The attract demo replays recorded input through
// this same motion, so every constant and the order of every step are part of the recordings.
class Rider {
  public:
    // Starts at rest on the field's start point. The control source (the player's recorded keys
    // or the demo's recording) is read once per update while control is enabled.
    Rider(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, ControlSource& controls,
          const Field& field, const WaterSurface& water);
    ~Rider();
    Rider(const Rider&) = delete;
    Rider& operator=(const Rider&) = delete;

    void update();
    // The hit test's push back from a goal: hard when the rider was fast enough to knock it down.
    void bump(bool hard);

    // Opaque pass: body, brows (while shown) and tricycle, untextured.
    void draw();
    // Transparent pass: the boost effect, only on a tick that boosted.
    void drawBoostEffect();
    // Overlay pass: the boost gauge.
    void drawBoostGauge();

    const Vec3& position() const { return position_; }
    const Vec3& velocity() const { return velocity_; }
    float speed() const { return speed_; }
    float direction() const { return direction_; }
    float heading() const { return heading_; }
    float turnRate() const { return turnRate_; }
    float pitch() const { return pitch_; }
    float roll() const { return roll_; }
    RiderState state() const { return state_; }
    int32_t waterContact() const { return waterContact_; }
    float bob() const { return bob_; }
    float gauge() const { return boost_->gauge(); }
    const Boost& boost() const { return *boost_; }

    // Off until the start phase hands over to the race; while off the control source is not read.
    bool controlEnabled() const { return controlEnabled_; }
    void setControlEnabled(bool enabled) { controlEnabled_ = enabled; }
    bool browsShown() const { return browsShown_; }
    void setBrowsShown(bool shown) { browsShown_ = shown; }

  private:
    // The constants that tell rolling with grip from skidding.
    struct Handling {
        float forwardKeep;   // friction: share of the horizontal velocity kept
        float slipKeep;      // friction: share of the sideways slip kept
        float turnKeep;      // friction: share of the turn rate kept
        float pedalPush;     // push of the pedal
        float backPedalPush; // push of the back pedal (negative)
        float brakeStep;     // most forward speed one braking tick takes
        bool grips;          // braking steers twice as hard; else the turn rate is limited
    };
    static const Handling kGroundHandling;
    static const Handling kSkidHandling;

    void motionStep();
    ControlRecord takeRecord();
    void updateSkid();
    void rollOnTerrain(const Handling& handling, const ControlRecord& record);
    void driftInAir(const ControlRecord& record);
    void floatOnWater(const ControlRecord& record);

    void gravityAndSlope(float gain);
    void friction(float forwardKeep, float slipKeep, float turnKeep);
    void steeringTerm(float steer);
    void brake(float step);
    void jump();
    void push(float amount);
    void clampTurnRate();
    void tilt();

    void integrationStep();
    void courseLimits();
    void groundStep();
    void waterContactStep();
    void waterStep();
    void steepSlopeStep();
    float floatHeight() const;
    void animate();

    Matrix4 baseTransform() const;

    RiderState state_ = RiderState::Ground;
    GraphicsDevice& device_;
    ControlSource& controls_;
    std::unique_ptr<Boost> boost_;
    const Field& field_;
    const WaterSurface& water_;
    std::unique_ptr<SoundClip> jumpSound_;
    std::unique_ptr<SoundClip> bumpSound_;

    Vec3 position_;
    Vec3 previousPosition_;
    Vec3 velocity_;
    Vec3 savedVelocity_;
    float speed_ = 0.0f;
    float direction_ = 0.0f;
    Vec2 forwardVelocity_; // (x, z): the horizontal velocity along the heading
    Vec2 lateralVelocity_; // (x, z): the horizontal velocity across it
    float turnRate_ = 0.0f;
    float heading_ = 0.0f;
    float pitch_ = 0.0f;
    float roll_ = 0.0f;
    Vec3 groundNormal_{0.0f, 1.0f, 0.0f};
    int32_t waterContact_ = 0;
    float waterPhase_ = 0.0f;
    float bob_ = 0.0f;
    float bobPhase_ = 0.0f;
    bool controlEnabled_ = false;
    bool browsShown_ = true;

    std::unique_ptr<MeshModel> body_;
    std::unique_ptr<MeshModel> brows_;
    std::unique_ptr<MeshModel> tricycle_;
};

} // namespace qv
