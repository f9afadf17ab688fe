#include "scene/FinishPhase.h"

#include "characters/HitTest.h"
#include "characters/Walker.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "hud/MessageBoard.h"
#include "hud/ScoreBoard.h"
#include "platform/GraphicsDevice.h"
#include "rider/Rider.h"
#include "scene/PhaseSteps.h"
#include "world/Camera.h"
#include "world/Fog.h"
#include "world/RippleSet.h"
#include "world/SplashSet.h"

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
    phase::moveWaterEffects(parts_);
    followWithFinishView();
    if (frameCounter_ >= kRisingFrames) {
        parts_.walker.spawn(parts_.camera.eye(), parts_.camera.yaw());
        stage_ = 1;
    }
}

// The rider moves twice a tick while the walker comes, in the recording as in the replay.
void FinishPhase::updateWalker() {
    Rider& rider = parts_.rider;
    rider.update();
    rider.update();
    parts_.ripples.spawn(rider.position(), rider.speed());
    parts_.ripples.update();
    if (rider.waterContact() != 0)
        parts_.splashes.spawn(rider.position(), rider.speed(), rider.waterContact());
    parts_.splashes.update();
    parts_.walker.walk();
    followWithFinishView();
    if (parts_.hitTest.checkWalkerReached(rider, parts_.walker))
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
    parts_.fog.disable();
    phase::drawSky(parts_);
    parts_.fog.enable();
    phase::beginMeshPass(parts_);
    parts_.rider.draw();
    if (stage_ >= 1)
        parts_.walker.draw();
    phase::drawGroundAndWater(parts_);
    phase::drawSplashes(parts_);
    phase::beginOverlayPass(parts_);
    parts_.rider.drawBoostGauge();
    parts_.scoreBoard.draw();
    if (stage_ == 2)
        fade_.draw();
}

void FinishPhase::endFrame() {
    parts_.graphics.endFrame();
}

void AttractFinishPhase::draw() {
    beginFrame();
    drawShared();
    parts_.messageBoard.drawDemoCaption();
    endFrame();
}

void PlayFinishPhase::draw() {
    beginFrame();
    drawShared();
    parts_.messageBoard.drawStageTitle();
    parts_.messageBoard.drawFinishBanner();
    endFrame();
}

} // namespace qv
