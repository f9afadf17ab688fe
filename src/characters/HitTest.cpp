#include "characters/HitTest.h"

#include "characters/GoalCharacter.h"
#include "characters/Walker.h"
#include "rider/Rider.h"

namespace qv {

HitTest::GoalContact HitTest::goalContact(const Vec3& riderPosition, float speed, const Vec3& goalPosition) {
    if (length(riderPosition - goalPosition) >= kGoalReach)
        return GoalContact::None;
    return speed > kKnockDownSpeed ? GoalContact::Hard : GoalContact::Soft;
}

void HitTest::checkGoalHit(Rider& rider, GoalCharacter& goal) const {
    switch (goalContact(rider.position(), rider.speed(), goal.goalPosition())) {
    case GoalContact::None:
        break;
    case GoalContact::Soft:
        rider.bump(false);
        goal.laugh();
        break;
    case GoalContact::Hard:
        // The bump leaves the rider's speed and direction as they were when it hit.
        rider.bump(true);
        goal.knockDown(rider.speed(), rider.direction());
        break;
    }
}

bool HitTest::checkWalkerReached(const Rider& rider, const Walker& walker) const {
    return length(rider.position() - walker.position()) < kWalkerReach;
}

} // namespace qv
