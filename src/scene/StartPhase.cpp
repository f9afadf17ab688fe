#include "scene/StartPhase.h"

#include "app/GameState.h"
#include "field/Field.h"
#include "platform/GraphicsDevice.h"
#include "rider/Rider.h"
#include "scene/PhaseDrawing.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/WaterSurface.h"

namespace qv {

StartPhase::StartPhase(const SceneParts& parts)
    : parts_(parts), signal_(parts.graphics, parts.game),
      farPlane_(static_cast<float>(parts.game.sightRange) + 2.0f) {}

void StartPhase::update() {
    ++frameCounter_;
    if (stage_ == 0)
        updateSignal();
    else
        updateReveal();
}

void StartPhase::updateSignal() {
    parts_.rider.update();
    signal_.animate();
    followWithStartView();
    if (frameCounter_ >= kSignalFrames) {
        stage_ = 1;
        frameCounter_ = 0;
    }
}

void StartPhase::updateReveal() {
    parts_.rider.update();
    followWithStartView();
}

void StartPhase::followWithStartView() {
    parts_.camera.setMode(CameraMode::StartView);
    parts_.camera.update();
}

bool StartPhase::stillRevealing(CameraMode raceView) {
    if (!(frameCounter_ > kRevealFrames && stage_ == 1))
        return true;
    parts_.camera.setMode(raceView);
    parts_.rider.setControlEnabled(true);
    return false;
}

void StartPhase::beginFrame() {
    parts_.graphics.beginFrame(phase::kSkyBlue, farPlane_);
}

void StartPhase::drawShared() {
    phase::drawSky(parts_);
    phase::beginMeshPass(parts_);
    parts_.rider.draw();
    phase::beginWorldPass(parts_);
    if (stage_ == 1)
        parts_.field.draw(parts_.camera.eye(), parts_.camera.yaw());
    phase::beginTransparentPass(parts_);
    parts_.shadow.draw();
    if (stage_ == 1)
        parts_.water.draw(parts_.camera.eye(), parts_.camera.yaw());
    phase::endTransparentPass(parts_);
    phase::beginOverlayPass(parts_);
    if (stage_ == 0)
        signal_.draw();
}

void StartPhase::endFrame() {
    parts_.graphics.endFrame();
}

void AttractStartPhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

bool AttractStartPhase::stillRunning() {
    return stillRevealing(CameraMode::Trackside);
}

void PlayStartPhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

bool PlayStartPhase::stillRunning() {
    return stillRevealing(CameraMode::Chase);
}

} // namespace qv
