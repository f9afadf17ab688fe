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

HitTest::GoalContact HitTest::checkGoalHit(Rider& rider, GoalCharacter& goal) const {
    const GoalContact contact = goalContact(rider.position(), rider.speed(), goal.goalPosition());
    if (contact == GoalContact::Soft) {
        rider.bump(false);
        goal.laugh();
    } else if (contact == GoalContact::Hard) {
        rider.bump(true);
    }
    return contact;
}

bool HitTest::checkWalkerReached(const Rider& rider, const Walker& walker) const {
    return length(rider.position() - walker.position()) < kWalkerReach;
}

} // namespace qv
