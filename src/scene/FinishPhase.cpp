#include "scene/FinishPhase.h"

#include "app/GameState.h"
#include "field/Field.h"
#include "platform/GraphicsDevice.h"
#include "rider/Rider.h"
#include "scene/PhaseDrawing.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/WaterSurface.h"

namespace qv {

FinishPhase::FinishPhase(const SceneParts& parts)
    : parts_(parts), fade_(parts.graphics), farPlane_(static_cast<float>(parts.game.sightRange) + 2.0f) {}

void FinishPhase::start() {
    stage_ = 0;
    parts_.rider.setBrowsShown(false);
}

void FinishPhase::update() {
    switch (stage_) {
    case 0:
        updateRisingWater();
        break;
    case 1:
        updateWalker();
        break;
    default:
        fade_.step();
        parts_.camera.update();
        break;
    }
}

void FinishPhase::updateRisingWater() {
    ++frameCounter_;
    parts_.water.raiseLevel(kWaterRisePerFrame);
    parts_.rider.update();
    followWithFinishView();
    if (frameCounter_ >= kRisingFrames)
        stage_ = 1;
}

void FinishPhase::updateWalker() {
    // The rider moves twice a tick while the walker comes; until the walker exists the fade
    // follows at once.
    parts_.rider.update();
    parts_.rider.update();
    followWithFinishView();
    stage_ = 2;
}

void FinishPhase::followWithFinishView() {
    parts_.camera.setMode(CameraMode::FinishView);
    parts_.camera.update();
}

void FinishPhase::beginFrame() {
    parts_.graphics.beginFrame(phase::kSkyBlue, farPlane_);
}

void FinishPhase::drawShared() {
    const Vec3& eye = parts_.camera.eye();
    float yaw = parts_.camera.yaw();
    phase::drawSky(parts_);
    phase::beginMeshPass(parts_);
    parts_.rider.draw();
    phase::beginWorldPass(parts_);
    parts_.field.draw(eye, yaw);
    phase::beginTransparentPass(parts_);
    parts_.shadow.draw();
    parts_.water.draw(eye, yaw);
    parts_.rider.drawBoostEffect();
    phase::endTransparentPass(parts_);
    phase::beginOverlayPass(parts_);
    parts_.rider.drawBoostGauge();
    if (stage_ == 2)
        fade_.draw();
}

void FinishPhase::endFrame() {
    parts_.graphics.endFrame();
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
