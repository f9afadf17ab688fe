#include "scene/RacePhase.h"

#include "app/GameState.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyCodes.h"
#include "platform/KeyboardInput.h"

namespace qv {

namespace {
constexpr Argb kSkyBlue = 0xFF4455FF;
constexpr float kRaceFarPlane = 142.0f;
} // namespace

RacePhase::RacePhase(GraphicsDevice& graphics, KeyboardInput& keyboard, GameState& state)
    : graphics_(graphics), game_(state), keyboard_(keyboard),
      remainingTime_(startingTime(state.stageNumber)) {}

double RacePhase::startingTime(uint32_t n) {
    double frames = 2700.0;
    if (n >= 1 && n <= 4)
        frames = 2900.0 - 200.0 * n;
    else if (n >= 5)
        frames = 2300.0 - 100.0 * n;
    // Later stages would run out of time before they start; keep a playable floor.
    return frames < 900.0 ? 899.0 : frames;
}

void RacePhase::update() {
    // W and P act as one pause key, toggling on a fresh press of either.
    bool down = keyboard_.asyncHeld(key::kW) || keyboard_.asyncHeld(key::kP);
    if (down && !pauseKeyWasDown_)
        paused_ = !paused_;
    pauseKeyWasDown_ = down;
}

bool RacePhase::stillRunning() {
    if (paused_)
        return true;
    if (!game_.stageCleared)
        remainingTime_ -= 1.0;
    return remainingTime_ >= 0.0;
}

void RacePhase::beginFrame() {
    graphics_.beginFrame(kSkyBlue, kRaceFarPlane);
}

void RacePhase::endFrame() {
    graphics_.endFrame();
}

void AttractRacePhase::draw() {
    beginFrame();
    endFrame();
}

void PlayRacePhase::draw() {
    beginFrame();
    endFrame();
}

} // namespace qv
