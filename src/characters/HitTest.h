#pragma once

#include "core/Vec3.h"

namespace qv {

class GoalCharacter;
class Rider;
class Walker;

// The two proximity tests that tie the rider to the characters. No state.
class HitTest {
  public:
    static constexpr float kGoalReach = 1.15f;
    // Faster than this knocks the goal down; this fast or slower only makes it laugh.
    static constexpr float kKnockDownSpeed = 0.13f;
    static constexpr float kWalkerReach = 0.6f;

    enum class GoalContact { None, Soft, Hard };

    // What a rider at riderPosition moving at speed does to a goal standing at goalPosition.
    static GoalContact goalContact(const Vec3& riderPosition, float speed, const Vec3& goalPosition);

    // Once per unpaused race frame after the goal's update, while the stage is not cleared: a
    // soft contact bumps the rider back gently and the goal laughs; a hard one bounces the rider
    // (keeping its speed and direction) and is returned, so the race scores the knock-down
    // before the goal is knocked down and the next one placed.
    GoalContact checkGoalHit(Rider& rider, GoalCharacter& goal) const;
    // True once the walker is close enough to the rider to end the run.
    bool checkWalkerReached(const Rider& rider, const Walker& walker) const;
};

} // namespace qv
