#include "scene/StartPhase.h"

#include "app/GameState.h"
#include "platform/GraphicsDevice.h"

namespace qv {

namespace {
constexpr Argb kSkyBlue = 0xFF4455FF;
}

StartPhase::StartPhase(GraphicsDevice& graphics, GameState& state)
    : graphics_(graphics), game_(state), farPlane_(static_cast<float>(state.sightRange) + 2.0f) {}

void StartPhase::update() {
    ++frameCounter_;
    if (stage_ == 0) {
        if (frameCounter_ >= kSignalFrames) {
            stage_ = 1;
            frameCounter_ = 0;
        }
    }
}

void StartPhase::beginFrame() {
    graphics_.beginFrame(kSkyBlue, farPlane_);
}

void StartPhase::endFrame() {
    graphics_.endFrame();
}

void AttractStartPhase::draw() {
    beginFrame();
    endFrame();
}

bool AttractStartPhase::stillRunning() {
    return revealRunning();
}

void PlayStartPhase::draw() {
    beginFrame();
    endFrame();
}

bool PlayStartPhase::stillRunning() {
    return revealRunning();
}

} // namespace qv
