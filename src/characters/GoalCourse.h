#pragma once

#include "characters/GoalCharacter.h"
#include "field/WaterSurface.h"
#include "replay/GoalRecord.h"

#include <cstdint>
#include <vector>

namespace qv {

// The goal with its placement rule: each new goal stands on dry, fairly flat, not too high
// ground at least kMinGoalDistance from the one before, at the centre of a cell chosen by two
// raw random values. The record of those values lets the attract demo put its goals where the
// recorded ride found them. The variants differ in where the values come from and what becomes
// of the record.
class GoalCourse : public GoalCharacter {
  public:
    static constexpr float kMinGroundHeight = WaterSurface::kRestingLevel;
    static constexpr float kMaxGroundHeight = 2.8f;
    static constexpr float kMinNormalY = 0.9f;
    static constexpr float kMinGoalDistance = 20.0f;
    static constexpr float kLift = 0.6f; // the standing figure's origin above the ground
    // A field where this many candidates in a row fail has no goal spot at all; real fields
    // need a few dozen at most.
    static constexpr uint32_t kMaxCandidates = 100000;
    static constexpr const char* kNoPlaceMessage = "ERROR : No place for the goal on this field";

    // Draws candidates until one passes the rule, then moves the goal there.
    // Throws FatalError(kNoPlaceMessage) when none passes within kMaxCandidates.
    void placeNextGoal() final;

    const GoalRecord& record() const { return record_; }
    // Every accepted pair so far, x value first, however many (the record keeps 512 values).
    const std::vector<int32_t>& keptDraws() const { return kept_; }

  protected:
    // The goal starts as a flight from the field centre; the variant makes the first placement
    // once its record is ready.
    GoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
               const Camera& camera, GameState& state, const GoalRecord& record);

    // The next raw random value, 0 or more.
    virtual int32_t nextValue() = 0;
    // The pair that chose the goal just placed.
    virtual void keepPair(int32_t xValue, int32_t zValue) = 0;

    GoalRecord& editRecord() { return record_; }

  private:
    // The goal spot a pair of values names, if the rule accepts it; distance is set either way.
    bool acceptable(const Vec3& ground, float& distance) const;
    static Vec3 cellCentre(int32_t xValue, int32_t zValue);

    GoalRecord record_;
    std::vector<int32_t> kept_;
};

} // namespace qv
