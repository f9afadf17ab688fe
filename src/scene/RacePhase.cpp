#include "scene/RacePhase.h"

#include "characters/GoalCourse.h"
#include "characters/HitTest.h"
#include "characters/TargetArrow.h"
#include "game/GameState.h"
#include "hud/MessageBoard.h"
#include "hud/MiniMap.h"
#include "hud/RaceTimer.h"
#include "hud/ScoreBoard.h"
#include "platform/GameAction.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyboardInput.h"
#include "race/RaceClock.h"
#include "race/RaceScore.h"
#include "rider/Rider.h"
#include "scene/PhaseSteps.h"
#include "world/Camera.h"
#include "world/Fog.h"
#include "world/RippleSet.h"
#include "world/SplashSet.h"

namespace qv {

namespace {
constexpr float kRaceFarPlane = 142.0f;
} // namespace

RacePhase::RacePhase(const SceneParts& parts) : parts_(parts) {
    raceClock_ = std::make_unique<RaceClock>(parts_.game);
    raceTimer_ = std::make_unique<RaceTimer>(parts_.graphics, parts_.content, *raceClock_);
    miniMap_ = std::make_unique<MiniMap>(parts_.graphics, parts_.content, parts_.rider, parts_.goalCourse,
                                         parts_.game);
    parts_.rider.setBrowsShown(true);
}

RacePhase::~RacePhase() {
    raceTimer_.reset();
    miniMap_.reset();
    raceClock_.reset();
}

bool RacePhase::togglePause() {
    // Every key bound to pause (W and P by default) acts as one, toggling on a fresh press; after
    // a focus loss, so does any pad button.
    const bool down =
        parts_.keyboard.asyncHeld(GameAction::Pause) || (focusPaused_ && parts_.keyboard.asyncAnyPadButton());
    if (down && !pauseKeyWasDown_) {
        paused_ = !paused_;
        focusPaused_ = false;
    }
    pauseKeyWasDown_ = down;
    return paused_;
}

void RacePhase::update() {
    if (togglePause())
        return; // nothing in the world moves
    parts_.rider.update();
    phase::moveWaterEffects(parts_);
    parts_.goalCourse.update();
    parts_.score.countFrame();
    if (!parts_.game.stageCleared) {
        parts_.arrow.update();
        checkGoalHit();
    }
    parts_.camera.selectMode();
    parts_.camera.update();
}

// The points come from the distance of the goal being knocked down, so they are counted before the
// knock-down places the next goal (which also draws from the generator).
void RacePhase::checkGoalHit() {
    Rider& rider = parts_.rider;
    if (parts_.hitTest.checkGoalHit(rider, parts_.goalCourse) != HitTest::GoalContact::Hard)
        return;
    parts_.score.addKnockDown(parts_.goalCourse.goalDistance(), rider.speed());
    parts_.goalCourse.knockDown(rider.speed(), rider.direction());
}

// A goal knocked down in the tick the time would run out still gives its time first.
bool RacePhase::stillRunning() {
    if (paused_)
        return true;
    raceClock_->addGoalTime(parts_.goalCourse.takePendingDistance());
    return raceClock_->tick();
}

void RacePhase::beginFrame() {
    parts_.graphics.beginFrame(phase::kSkyBlue, kRaceFarPlane);
}

void RacePhase::drawShared() {
    parts_.fog.disable();
    phase::drawSky(parts_);
    parts_.fog.enable();
    drawCharacters();
    phase::drawGroundAndWater(parts_);
    phase::drawSplashes(parts_);
    if (!parts_.game.stageCleared)
        drawMarker();
    drawHud();
}

void RacePhase::drawCharacters() {
    GraphicsDevice& g = parts_.graphics;
    phase::beginMeshPass(parts_);
    parts_.rider.draw();
    if (!parts_.game.stageCleared)
        parts_.arrow.draw();
    // The goal tumbles when knocked down: both faces must show.
    g.setRenderState(RenderState::CullMode, kCullNone);
    parts_.goalCourse.draw(!parts_.game.stageCleared);
    g.setRenderState(RenderState::CullMode, kCullCcw);
}

// The marker shows through everything and through the fog.
void RacePhase::drawMarker() {
    GraphicsDevice& g = parts_.graphics;
    g.setRenderState(RenderState::ZEnable, 0);
    parts_.fog.disable();
    parts_.arrow.drawMarker();
    parts_.fog.enable();
    g.setRenderState(RenderState::ZEnable, 1);
}

void RacePhase::settleDisplays() {
    raceTimer_->settle();
    parts_.scoreBoard.settle();
    parts_.messageBoard.skipRaceBanner();
}

void RacePhase::drawHud() {
    phase::beginOverlayPass(parts_);
    raceTimer_->draw();
    parts_.rider.drawBoostGauge();
    miniMap_->draw();
}

void RacePhase::endFrame() {
    parts_.graphics.endFrame();
}

void AttractRacePhase::draw() {
    beginFrame();
    drawShared();
    parts_.scoreBoard.draw();
    parts_.messageBoard.drawDemoCaption();
    endFrame();
}

void PlayRacePhase::draw() {
    beginFrame();
    drawShared();
    MessageBoard& board = parts_.messageBoard;
    board.drawStageTitle();
    board.drawRaceBanner();
    board.drawRemainingGoals();
    if (parts_.game.stageCleared)
        board.drawClearedBanner();
    parts_.scoreBoard.draw();
    endFrame();
}

} // namespace qv
