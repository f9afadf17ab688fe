#include "scene/FinishPhase.h"

#include "app/GameState.h"
#include "platform/GraphicsDevice.h"

namespace qv {

namespace {
constexpr Argb kSkyBlue = 0xFF4455FF;
}

FinishPhase::FinishPhase(GraphicsDevice& graphics, GameState& state)
    : graphics_(graphics), game_(state), fade_(graphics),
      farPlane_(static_cast<float>(state.sightRange) + 2.0f) {}

void FinishPhase::start() {
    stage_ = 0;
}

void FinishPhase::update() {
    switch (stage_) {
    case 0:
        ++frameCounter_;
        if (frameCounter_ >= kRisingFrames)
            stage_ = 1;
        break;
    case 1:
        // Nobody walks in yet: the fade follows at once.
        stage_ = 2;
        break;
    default:
        fade_.step();
        break;
    }
}

void FinishPhase::beginFrame() {
    graphics_.beginFrame(kSkyBlue, farPlane_);
}

void FinishPhase::drawShared() {
    graphics_.setVertexFormat(fvf::kOverlay);
    if (stage_ == 2)
        fade_.draw();
}

void FinishPhase::endFrame() {
    graphics_.endFrame();
}

void AttractFinishPhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

void PlayFinishPhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

} // namespace qv
