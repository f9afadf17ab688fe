#include "scene/StartPhase.h"

#include "characters/TargetArrow.h"
#include "characters/Walker.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "hud/MessageBoard.h"
#include "platform/GraphicsDevice.h"
#include "rider/Rider.h"
#include "scene/PhaseSteps.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/Fog.h"

namespace qv {

StartPhase::StartPhase(const SceneParts& parts)
    : parts_(parts), signal_(parts.graphics, parts.content, parts.game),
      farPlane_(static_cast<float>(parts.game.sightRange) + 2.0f) {
    parts_.fog.reset();
    parts_.walker.launch();
}

void StartPhase::update() {
    ++frameCounter_;
    if (stage_ == 0)
        updateSignal();
    else
        updateReveal();
}

void StartPhase::updateSignal() {
    parts_.rider.update();
    parts_.walker.fly();
    signal_.animate();
    followWithStartView();
    if (frameCounter_ >= kSignalFrames) {
        stage_ = 1;
        frameCounter_ = 0;
        parts_.fog.closeIn();
    }
}

void StartPhase::updateReveal() {
    parts_.fog.openUp();
    parts_.rider.update();
    parts_.arrow.update();
    followWithStartView();
}

void StartPhase::followWithStartView() {
    parts_.camera.setMode(CameraMode::StartView);
    parts_.camera.update();
}

bool StartPhase::stillRevealing(CameraMode raceView) {
    if (!(frameCounter_ > kRevealFrames && stage_ == 1))
        return true;
    parts_.fog.reset();
    parts_.camera.setMode(raceView);
    parts_.rider.setControlEnabled(true);
    return false;
}

void StartPhase::beginFrame() {
    parts_.graphics.beginFrame(phase::kSkyBlue, farPlane_);
}

// In the reveal the rider is drawn without fog and stays visible while the field and the water
// come out of the closed fog.
void StartPhase::drawShared() {
    const Vec3& eye = parts_.camera.eye();
    float yaw = parts_.camera.yaw();
    parts_.fog.enable();
    phase::drawSky(parts_);
    phase::beginMeshPass(parts_);
    parts_.fog.disable();
    parts_.rider.draw();
    if (parts_.game.introDone)
        parts_.arrow.draw();
    if (stage_ == 0)
        parts_.walker.draw();
    else
        parts_.fog.enable();
    phase::beginWorldPass(parts_);
    if (stage_ == 1)
        parts_.field.draw(eye, yaw);
    phase::beginTransparentPass(parts_);
    parts_.shadow.draw();
    if (stage_ == 1)
        parts_.water.draw(eye, yaw);
    phase::endTransparentPass(parts_);
    phase::beginOverlayPass(parts_);
    if (stage_ == 0)
        signal_.draw();
}

void StartPhase::endFrame() {
    parts_.graphics.endFrame();
}

void StartPhase::drawWithTexts(void (*texts)(MessageBoard&)) {
    beginFrame();
    drawShared();
    parts_.fog.disable();
    texts(parts_.messageBoard);
    parts_.fog.enable();
    endFrame();
}

void AttractStartPhase::draw() {
    drawWithTexts([](MessageBoard& board) { board.drawDemoCaption(); });
}

bool AttractStartPhase::stillRunning() {
    return stillRevealing(CameraMode::Trackside);
}

void PlayStartPhase::draw() {
    drawWithTexts([](MessageBoard& board) {
        board.drawStageTitle();
        board.drawStartBanner();
    });
}

bool PlayStartPhase::stillRunning() {
    return stillRevealing(CameraMode::Chase);
}

} // namespace qv
