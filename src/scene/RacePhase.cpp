#include "scene/RacePhase.h"

#include "app/GameState.h"
#include "field/Field.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyCodes.h"
#include "platform/KeyboardInput.h"
#include "rider/Rider.h"
#include "scene/PhaseDrawing.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/WaterSurface.h"

namespace qv {

namespace {
constexpr float kRaceFarPlane = 142.0f;
} // namespace

RacePhase::RacePhase(const SceneParts& parts)
    : parts_(parts), remainingTime_(startingTime(parts.game.stageNumber)) {
    parts_.rider.setBrowsShown(true);
}

double RacePhase::startingTime(uint32_t n) {
    double frames = 2700.0;
    if (n >= 1 && n <= 4)
        frames = 2900.0 - 200.0 * n;
    else if (n >= 5)
        frames = 2300.0 - 100.0 * n;
    // Later stages would run out of time before they start; keep a playable floor.
    return frames < 900.0 ? 899.0 : frames;
}

bool RacePhase::togglePause() {
    // W and P act as one pause key, toggling on a fresh press of either.
    bool down = parts_.keyboard.asyncHeld(key::kW) || parts_.keyboard.asyncHeld(key::kP);
    if (down && !pauseKeyWasDown_)
        paused_ = !paused_;
    pauseKeyWasDown_ = down;
    return paused_;
}

void RacePhase::update() {
    if (togglePause())
        return; // nothing in the world moves
    parts_.rider.update();
    parts_.camera.selectMode();
    parts_.camera.update();
}

bool RacePhase::stillRunning() {
    if (paused_)
        return true;
    if (!parts_.game.stageCleared)
        remainingTime_ -= 1.0;
    return remainingTime_ >= 0.0;
}

void RacePhase::beginFrame() {
    parts_.graphics.beginFrame(phase::kSkyBlue, kRaceFarPlane);
}

void RacePhase::drawShared() {
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
}

void RacePhase::endFrame() {
    parts_.graphics.endFrame();
}

void AttractRacePhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

void PlayRacePhase::draw() {
    beginFrame();
    drawShared();
    endFrame();
}

} // namespace qv
