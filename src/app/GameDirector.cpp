#include "app/GameDirector.h"

#include "app/LogoScreen.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "platform/KeyboardInput.h"
#include "scene/AttractScene.h"
#include "scene/PlayScene.h"
#include "core/FatalError.h"

namespace qv {

GameDirector::GameDirector(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard,
                           Clock& clock, GameState& state, const Settings& settings)
    : graphics_(graphics), sound_(sound), keyboard_(keyboard), clock_(clock), game_(state),
      settings_(settings), nextDeadline_(clock.now() + kTickMs) {}

GameDirector::~GameDirector() {
    logo_.reset();
    scene_.reset();
}

void GameDirector::tick() {
    // The deadline moves by exactly one tick, not from "now": a late tick is followed by
    // immediate ones until the schedule is met again.
    clock_.waitUntil(nextDeadline_);
    nextDeadline_ += kTickMs;

    switch (state_) {
    case Logo:
        tickLogo();
        break;
    case Attract:
        tickAttract();
        break;
    case StartRun:
        tickStartRun();
        break;
    case Run:
        tickRun();
        break;
    case BackToDemo:
        tickBackToDemo();
        break;
    case Quit:
        running_ = false;
        break;
    default:
        break;
    }
    updateEnterEdge();
}

void GameDirector::tickLogo() {
    if (!logo_)
        logo_ = std::make_unique<LogoScreen>(graphics_, sound_);
    if (logo_->update() && !keyboard_.asyncHeld(key::kReturn))
        return;
    logo_.reset();
    if (scene_)
        throw FatalError("ERROR : illegal memory access");
    startAttractScene();
    game_.stageNumber = 0;
    state_ = Attract;
}

void GameDirector::tickAttract() {
    toggleModeIfAsked();
    if (!scene_->update())
        state_ = BackToDemo;
    else if (enterPressed_) {
        state_ = StartRun;
        game_.stageNumber = game_.gameMode != 0 ? 1 : 0;
    }
    drawWithFrameSkip();
}

void GameDirector::tickStartRun() {
    destroySceneOrThrow();
    if (game_.stageCleared) {
        game_.stageCleared = false;
        game_.stageNumber += 1;
    }
    scene_ = std::make_unique<PlayScene>(graphics_, sound_, keyboard_, game_, settings_);
    scene_->start();
    nextDeadline_ = clock_.now();
    state_ = Run;
}

void GameDirector::tickRun() {
    if (!scene_->update() || enterPressed_)
        state_ = game_.stageCleared ? StartRun : BackToDemo;
    drawWithFrameSkip();
}

void GameDirector::tickBackToDemo() {
    destroySceneOrThrow();
    game_.stageNumber = 0;
    game_.stageCleared = false;
    startAttractScene();
    state_ = Attract;
}

void GameDirector::startAttractScene() {
    scene_ = std::make_unique<AttractScene>(graphics_, sound_, keyboard_, game_, settings_);
    scene_->start();
    nextDeadline_ = clock_.now();
}

void GameDirector::destroySceneOrThrow() {
    if (!scene_)
        throw FatalError("illegal memory access");
    scene_.reset();
}

void GameDirector::toggleModeIfAsked() {
    bool arrowHeld = keyboard_.asyncHeld(key::kLeft) || keyboard_.asyncHeld(key::kRight);
    if (arrowHeld && toggleCounter_ > 15) {
        toggleCounter_ = 0;
        game_.gameMode = game_.gameMode == 0 ? 1 : 0;
    }
}

void GameDirector::drawWithFrameSkip() {
    // Drawing is skipped under load; the game logic keeps its 17 ms step.
    if (clockBefore(clock_.now(), nextDeadline_))
        scene_->draw();
}

void GameDirector::updateEnterEdge() {
    bool held = (keyboard_.keyState(key::kReturn) & KeyboardInput::kHeld) != 0;
    enterPressed_ = held && enterWasUp_;
    enterWasUp_ = !held;
    ++toggleCounter_;
}

} // namespace qv
