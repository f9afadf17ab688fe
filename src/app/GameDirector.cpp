#include "app/GameDirector.h"

#include "app/LogoScreen.h"
#include "core/FatalError.h"
#include "core/SaveResult.h"
#include "platform/Clock.h"
#include "platform/GameAction.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyboardInput.h"
#include "platform/SoundSystem.h"
#include "scene/Scene.h"

#include <ostream>

namespace qv {

GameDirector::GameDirector(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard,
                           Clock& clock, GameState& state, const Settings& settings, std::ostream& errors,
                           const PlayerFiles& files)
    : graphics_(graphics), sound_(sound), keyboard_(keyboard), clock_(clock), game_(state),
      settings_(settings), files_(files), errors_(errors), nextDeadline_(clock.now() + kTickMs) {}

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
        finishRun();
        running_ = false;
        break;
    default:
        break;
    }
    updateEnterEdge();
}

void GameDirector::windowFocusLost() {
    if (state_ == Run && scene_)
        scene_->pauseForFocusLoss();
}

void GameDirector::tickLogo() {
    if (!logo_) {
        applyVolumes();
        logo_ = std::make_unique<LogoScreen>(graphics_, sound_);
    }
    if (logo_->update() && !keyboard_.asyncHeld(GameAction::Enter))
        return;
    skipPressHeld_ = keyboard_.asyncHeld(GameAction::Enter);
    logo_.reset();
    if (scene_)
        throw FatalError("ERROR : illegal memory access");
    startScene(SceneKind::Attract);
    game_.stageNumber = 0;
    state_ = Attract;
}

void GameDirector::tickAttract() {
    toggleModeIfAsked();
    if (scene_->update() == SceneStatus::Over)
        state_ = BackToDemo;
    else if (enterPressed_) {
        state_ = StartRun;
        game_.stageNumber = game_.gameMode == GameMode::Stages ? 1 : 0;
    }
    drawWithFrameSkip();
}

void GameDirector::tickStartRun() {
    destroySceneOrThrow();
    if (advanceStage_) {
        advanceStage_ = false;
        game_.stageNumber += 1;
    }
    startScene(SceneKind::Play);
    state_ = Run;
}

// Enter ends a run at once; a run that had cleared its stage then goes on to the next.
void GameDirector::tickRun() {
    const SceneStatus status = scene_->update();
    const bool ended = status == SceneStatus::Over || status == SceneStatus::NextStage;
    if (ended || enterPressed_) {
        advanceStage_ = status == SceneStatus::Cleared || status == SceneStatus::NextStage;
        state_ = advanceStage_ ? StartRun : BackToDemo;
    }
    drawWithFrameSkip();
}

void GameDirector::tickBackToDemo() {
    destroySceneOrThrow();
    game_.stageNumber = 0;
    startScene(SceneKind::Attract);
    state_ = Attract;
}

// The settings are read afresh for every scene, so an edit takes effect with the next one.
void GameDirector::startScene(SceneKind kind) {
    applyVolumes();
    scene_ =
        std::make_unique<Scene>(kind, graphics_, sound_, keyboard_, game_, settings_.sceneOptions(), files_);
    scene_->start();
    nextDeadline_ = clock_.now();
}

// The mute (the M key) is the player's choice of the moment and outlives the new volumes.
void GameDirector::applyVolumes() {
    sound_.setVolume(SoundGroup::Music, settings_.read(setting::kMusicVolume));
    sound_.setVolume(SoundGroup::Effects, settings_.read(setting::kEffectsVolume));
}

void GameDirector::destroySceneOrThrow() {
    if (!scene_)
        throw FatalError("illegal memory access");
    finishRun();
    scene_.reset();
}

void GameDirector::finishRun() {
    if (scene_)
        report(scene_->finishRun());
}

// The run's other files are still written; the player is told which ones are missing.
void GameDirector::report(const SaveResult& result) {
    for (const std::string& path : result.failed)
        errors_ << "qorvex: could not save " << path << "; the run's result is not kept there\n";
}

void GameDirector::toggleModeIfAsked() {
    bool arrowHeld = keyboard_.asyncHeld(GameAction::Left) || keyboard_.asyncHeld(GameAction::Right);
    if (arrowHeld && toggleCounter_ > 15) {
        toggleCounter_ = 0;
        game_.gameMode = game_.gameMode == GameMode::Endless ? GameMode::Stages : GameMode::Endless;
    }
}

void GameDirector::drawWithFrameSkip() {
    // Drawing is skipped under load and while nothing can be seen; the game logic keeps its
    // 17 ms step.
    if (graphics_.showsFrames() && clockBefore(clock_.now(), nextDeadline_))
        scene_->draw();
}

void GameDirector::updateEnterEdge() {
    bool held = keyboard_.held(GameAction::Enter);
    // The press that skipped the logo starts nothing: Enter must be let go first, so a player
    // skipping the logo still gets to choose the mode.
    if (skipPressHeld_)
        skipPressHeld_ = held || keyboard_.asyncHeld(GameAction::Enter);
    enterPressed_ = held && enterWasUp_ && !skipPressHeld_;
    enterWasUp_ = !held;
    ++toggleCounter_;
}

} // namespace qv
