#pragma once

#include "assets/DataFiles.h"
#include "assets/MeshModel.h"
#include "core/Vec3.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/SoundSystem.h"

#include <cstdint>
#include <memory>

namespace qv {

class Camera;
class Field;

// The target figure: it stands on its goal point spinning slowly, laughs at a rider that comes
// too slowly, and when knocked down tumbles off for about two seconds and is placed anew. Where
// the next goal goes is the goal course's business (placeNextGoal); what a knock-down scores is
// the race's (RaceScore).
class GoalCharacter {
  public:
    static constexpr const char* kMeshFile = data::kGoalMesh;
    static constexpr const char* kLaughFile = data::kLaughSound;
    static constexpr const char* kKnockDownFile = data::kKnockDownSound;
    static constexpr float kScale = 12.0f;
    static constexpr float kIdleSpinStep = 0.02f;
    static constexpr float kFlightGravity = 0.006f;
    static constexpr float kFlightLift = 0.15f;
    static constexpr float kFlightPush = 2.7f;     // flight speed per unit of the rider's speed
    static constexpr uint32_t kFlightFrames = 120; // the flight ends on the update after this many
    // Figures farther than the sight range plus this from the eye are hidden by the fog anyway.
    static constexpr float kDrawMargin = 1.5f;

    virtual ~GoalCharacter();
    GoalCharacter(const GoalCharacter&) = delete;
    GoalCharacter& operator=(const GoalCharacter&) = delete;

    // Moves the goal elsewhere; the knock-down calls it right after starting the flight.
    virtual void placeNextGoal() = 0;

    // Once per unpaused race frame: spin and flight.
    void update();
    void laugh();
    // The rider hit the goal at speed s heading along direction (radians): fly, replace. The
    // race has scored the knock-down before, from the distance of the goal being knocked down.
    void knockDown(float speed, float direction);
    // The distance to the newest goal, once per placement; 0 otherwise.
    float takePendingDistance();
    // The flight body (once a goal has been knocked down) and, when standingShown (until the stage
    // is cleared), the standing goal, each only near the camera. The phase has set lighting and
    // culling.
    void draw(bool standingShown);

    const Vec3& goalPosition() const { return goalPosition_; }
    const Vec3& previousGoalPosition() const { return previousGoalPosition_; }
    float goalDistance() const { return goalDistance_; }
    bool distancePending() const { return distancePending_; }
    const Vec3& flightPosition() const { return flightPosition_; }
    const Vec3& flightVelocity() const { return flightVelocity_; }
    const Vec3& flightRotation() const { return flightRotation_; }
    float idleSpin() const { return idleSpin_; }
    uint32_t flightFrames() const { return flightFrames_; }
    bool flying() const { return flying_; }
    bool notYetKnockedDown() const { return notYetKnockedDown_; }

  protected:
    GoalCharacter(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
                  const Camera& camera, GameState& state);

    // Every position at start, goal distance 0, the flight running unseen from there.
    void startAt(const Vec3& point);
    // The flight body takes the standing goal's place and turn.
    void launchFlightFromGoal();
    // The goal moves to position, distance away from where it stood.
    void moveGoal(const Vec3& position, float distance);

    const Field& field() const { return field_; }
    GameState& state() const { return state_; }

  private:
    void flyOneFrame();
    void drawFigure(const Matrix4& world) const;
    bool nearCamera(const Vec3& point) const;

    GraphicsDevice& device_;
    const Field& field_;
    const Camera& camera_;
    GameState& state_;
    MeshModel mesh_;
    std::unique_ptr<SoundClip> laughClip_;
    std::unique_ptr<SoundClip> knockDownClip_;

    Vec3 goalPosition_;
    Vec3 previousGoalPosition_;
    float goalDistance_ = 0.0f;
    Vec3 flightPosition_;
    Vec3 flightVelocity_;
    Vec3 flightRotation_;
    float idleSpin_ = 0.0f;
    uint32_t flightFrames_ = 0;
    bool flying_ = false;
    bool notYetKnockedDown_ = true;
    bool distancePending_ = true;
};

} // namespace qv
