#include "characters/GoalCourse.h"

#include "core/FatalError.h"
#include "field/Field.h"

namespace qv {

namespace {

constexpr float kFieldCentre = 50.0f;
constexpr int32_t kCellsPerSide = 100;

} // namespace

GoalCourse::GoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
                       const Camera& camera, GameState& state, const GoalRecord& record)
    : GoalCharacter(device, content, sound, field, camera, state), record_(record) {
    // No lift here: the first goal's distance is measured from the ground at the centre.
    startAt({kFieldCentre, field.heightAt(kFieldCentre, kFieldCentre), kFieldCentre});
}

Vec3 GoalCourse::cellCentre(int32_t xValue, int32_t zValue) {
    return {static_cast<float>(xValue % kCellsPerSide) + 0.5f, 0.0f,
            static_cast<float>(zValue % kCellsPerSide) + 0.5f};
}

bool GoalCourse::acceptable(const Vec3& ground, float& distance) const {
    distance = length(ground - goalPosition());
    if (ground.y < kMinGroundHeight || ground.y > kMaxGroundHeight)
        return false;
    if (field().normalAt(ground.x, ground.z).y < kMinNormalY)
        return false;
    return distance >= kMinGoalDistance;
}

void GoalCourse::placeNextGoal() {
    launchFlightFromGoal();
    for (uint32_t candidate = 0; candidate < kMaxCandidates; ++candidate) {
        const int32_t xValue = nextValue();
        const int32_t zValue = nextValue();
        Vec3 ground = cellCentre(xValue, zValue);
        ground.y = field().heightAt(ground.x, ground.z);
        float distance = 0.0f;
        if (!acceptable(ground, distance))
            continue;
        keepPair(xValue, zValue);
        kept_.push_back(xValue);
        kept_.push_back(zValue);
        moveGoal({ground.x, ground.y + kLift, ground.z}, distance);
        return;
    }
    throw FatalError(kNoPlaceMessage);
}

} // namespace qv
