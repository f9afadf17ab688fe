#include "app/GameDirector.h"

#include "app/BuildInfo.h"
#include "app/ErrorLog.h"
#include "app/LogoScreen.h"
#include "app/ReplayLibrary.h"
#include "app/ReplayVerifier.h"
#include "app/ReplayWatch.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "core/SaveResult.h"
#include "platform/Clock.h"
#include "platform/GameAction.h"
#include "platform/GraphicsDevice.h"
#include "platform/KeyboardInput.h"
#include "platform/SoundSystem.h"
#include "race/RaceScore.h"
#include "replay/ReplayFile.h"
#include "scene/Scene.h"

#include <algorithm>
#include <ctime>
#include <ostream>

namespace qv {

GameDirector::GameDirector(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard,
                           Clock& clock, GameState& state, const Settings& settings, std::ostream& errors,
                           const PlayerFiles& files, MenuScreens* menus)
    : graphics_(graphics), sound_(sound), keyboard_(keyboard), clock_(clock), game_(state),
      settings_(settings), files_(files), errors_(errors), nextDeadline_(clock.now() + kTickMs),
      menus_(menus) {}

GameDirector::~GameDirector() {
    watch_.reset();
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
    case Watch:
        tickWatch();
        break;
    default:
        break;
    }
    if (menus_ && state_ != Attract && state_ != Run && state_ != Watch)
        menus_->tick(MenuScreens::Place::Elsewhere); // keeps the menu controls' presses fresh
    updateEnterEdge();
    updateSign();
    ++sceneTicks_;
}

bool GameDirector::quitAsked() {
    const bool held = keyboard_.asyncHeld(GameAction::Quit);
    const bool fresh = held && quitWasUp_;
    quitWasUp_ = !held;
    if (!fresh || (menus_ && menus_->isOpen()))
        return false;
    if (state_ == Watch) {
        leaveWatch_ = true;
        return false;
    }
    if (state_ == Run && menus_) {
        pauseAsked_ = true;
        return false;
    }
    return true;
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
    game_.stageNumber = 0;
    startScene(SceneKind::Attract);
    state_ = Attract;
}

void GameDirector::tickAttract() {
    const bool menu = menuTick(MenuScreens::Place::Title);
    if (state_ != Attract)
        return; // a record's replay is to be watched
    if (!menu)
        toggleModeIfAsked();
    if (scene_->update() == SceneStatus::Over)
        state_ = BackToDemo;
    else if (enterPressed_ && !menu) {
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

// Enter ends a run at once; a run that had cleared its stage then goes on to the next. The pause
// menu holds the whole scene still, sounds and clock included.
void GameDirector::tickRun() {
    if (pauseAsked_) {
        pauseAsked_ = false;
        pauseRun();
    }
    if (menuTick(MenuScreens::Place::Run)) {
        if (state_ == Run)
            drawWithFrameSkip();
        return;
    }
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
    if (const std::string recovered = ScoreFile::recover(files_.scoreTable(), files_.scoreText());
        !recovered.empty())
        warn("High score file mended", recovered, recovered);
    game_.sightRange = GameState::clampSightRange(settings_.read(setting::kSightRange));
    if (kind == SceneKind::Play)
        ++runsStarted_;
    sceneTicks_ = 0;
    ++sceneSerial_;
    const ReplayStage* replay = kind == SceneKind::Attract ? attractReplay() : nullptr;
    scene_ = std::make_unique<Scene>(kind, graphics_, content_, sound_, keyboard_, game_,
                                     settings_.sceneOptions(), files_, replay);
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
    if (!scene_)
        return;
    const RaceScore* score = scene_->raceScore();
    const bool newBest = scene_->kind() == SceneKind::Play && score && score->newBest();
    report(scene_->finishRun());
    if (newBest && menus_)
        menus_->noteNewRecord(RaceScore::tableIndex(game_.stageNumber));
    logStage();
}

// A player's run is kept whole, every stage it played, once it is over: not between the stages.
void GameDirector::logStage() {
    if (scene_->kind() != SceneKind::Play || loggedSerial_ == sceneSerial_)
        return;
    loggedSerial_ = sceneSerial_;
    runLog_.stages.push_back(scene_->stageLog());
    if (!(state_ == StartRun && advanceStage_))
        saveReplay();
}

// After the run's other files, so a replay that cannot be written costs nothing else.
void GameDirector::saveReplay() {
    runLog_.simulationVersion = ReplayFile::kSimulationVersion;
    runLog_.gameVersion = BuildInfo::version();
    runLog_.date = static_cast<int64_t>(std::time(nullptr));
    runLog_.mode = game_.gameMode == GameMode::Stages ? ReplayRun::Mode::Stages : ReplayRun::Mode::Endless;
    runLog_.sightRange = static_cast<uint16_t>(game_.sightRange);
    const ReplayLibrary library(files_.replays(),
                                static_cast<uint32_t>(std::max(0, settings_.read(setting::kReplaysKept))));
    std::string error;
    if (!library.save(runLog_, error))
        warn("Could not save the run's replay", error, "could not save the run's replay: " + error);
    runLog_ = ReplayRun();
}

// The run's other files are still written; the player is told which ones are missing.
void GameDirector::report(const SaveResult& result) {
    if (result.ok())
        return;
    std::string paths;
    for (const std::string& path : result.failed) {
        if (!paths.empty())
            paths += ", ";
        paths += path;
    }
    std::string detail = shownPath(result.failed.front());
    if (result.failed.size() > 1)
        detail += " and " + std::to_string(result.failed.size() - 1) + " more";
    warn("Could not save the run's result", detail,
         "could not save " + paths + "; the run's result is not kept there");
}

// On the errors stream, as error.log's line, and on screen (over the next frames drawn).
void GameDirector::warn(const std::string& title, const std::string& detail, const std::string& message) {
    errors_ << "qorvex: " << message << "\n";
    replaceErrorLog(message, files_.errorLog());
    if (menus_)
        menus_->warn(title, detail);
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
    // 17 ms step. A frozen picture (a paused run) is drawn again only when something on it
    // changed.
    if (!graphics_.showsFrames() || !clockBefore(clock_.now(), nextDeadline_))
        return;
    const uint32_t revision = menus_ ? menus_->revision() : 0;
    if (!frozen())
        frozenDrawn_ = false;
    else if (frozenDrawn_ && revision == drawnRevision_ && !redrawAsked_)
        return;
    else
        frozenDrawn_ = true;
    drawnRevision_ = revision;
    redrawAsked_ = false;
    drawFrame();
    ++framesDrawn_;
}

bool GameDirector::frozen() const {
    if (state_ == Watch)
        return watch_ && watch_->paused();
    return state_ == Run && scene_ && ((menus_ && menus_->isOpen()) || scene_->racePaused());
}

const Scene* GameDirector::scene() const {
    return watch_ ? watch_->scene() : scene_.get();
}

void GameDirector::watch(ReplayRun run, bool quitAfter) {
    toWatch_ = std::move(run);
    quitAfterWatch_ = quitAfter;
    state_ = Watch;
}

// The viewer's controls come through the menus' keys; Escape (or pad B) leaves.
void GameDirector::tickWatch() {
    if (!watch_) {
        logo_.reset();
        finishRun();
        scene_.reset();
        applyVolumes();
        watch_ = std::make_unique<ReplayWatch>(graphics_, content_, sound_, keyboard_, game_,
                                               settings_.sceneOptions(), files_, std::move(*toWatch_));
        toWatch_.reset();
        leaveWatch_ = false;
        nextDeadline_ = clock_.now();
    }
    ReplayWatch::Controls controls;
    if (menus_) {
        menus_->tick(MenuScreens::Place::Watch);
        controls = {menus_->lastCommand(), menus_->stepPressed()};
    }
    if (controls.command == MenuCommand::Back)
        leaveWatch_ = true;
    const uint64_t before = watch_->updates();
    if (leaveWatch_ || watch_->tick(controls) == ReplayWatch::Status::Over) {
        endWatch();
        return;
    }
    if (watch_->updates() != before)
        redrawAsked_ = true; // a step or a jump while paused
    drawWithFrameSkip();
}

void GameDirector::endWatch() {
    watch_.reset();
    if (quitAfterWatch_) {
        state_ = Quit;
        return;
    }
    game_.stageNumber = 0;
    startScene(SceneKind::Attract);
    state_ = Attract;
}

// With [REPLAYS] ATTRACT=1, one of the library's best runs, drawn at random, on the field of its
// best stage; else none (the attract demo rides demo.dat).
const ReplayStage* GameDirector::attractReplay() {
    attractRun_.reset();
    if (settings_.read(setting::kAttractFromReplays) != 1)
        return nullptr;
    std::vector<std::string> bests;
    for (const auto& path : ReplayLibrary(files_.replays(), 0).bests()) {
        if (path && std::ranges::find(bests, *path) == bests.end())
            bests.push_back(*path);
    }
    if (bests.empty())
        return nullptr;
    std::string error;
    const std::string& path = bests[static_cast<size_t>(game_.random.next()) % bests.size()];
    attractRun_ = ReplayVerifier::loadForRiding(path, error);
    if (!attractRun_)
        return nullptr;
    const auto best = std::ranges::max_element(attractRun_->stages, {}, &ReplayStage::score);
    game_.stageNumber = best->stageNumber;
    return &*best;
}

void GameDirector::drawFrame() {
    if (watch_)
        watch_->draw();
    else
        scene_->draw();
}

bool GameDirector::menuTick(MenuScreens::Place place) {
    if (!menus_)
        return false;
    const bool wasOpen = menus_->isOpen();
    actOn(menus_->tick(place));
    const bool open = wasOpen || menus_->isOpen();
    // The press that closed a screen must be let go before Enter counts for the game again.
    if (wasOpen && !menus_->isOpen())
        skipPressHeld_ = true;
    return open;
}

// Everything of the scene stands still under the pause menu, its sounds too.
void GameDirector::pauseRun() {
    menus_->openPause();
    sound_.pauseAll();
}

void GameDirector::actOn(MenuScreens::Request request) {
    switch (request) {
    case MenuScreens::Request::Pause:
        pauseRun();
        break;
    case MenuScreens::Request::Resume:
        sound_.resumeAll();
        scene_->resume();
        break;
    case MenuScreens::Request::EndRun:
        sound_.resumeAll();
        state_ = BackToDemo;
        break;
    case MenuScreens::Request::QuitGame:
        sound_.resumeAll();
        state_ = Quit;
        break;
    case MenuScreens::Request::Watch:
        if (auto run = menus_->takeReplay())
            watch(std::move(*run), false);
        break;
    case MenuScreens::Request::None:
        break;
    }
}

// The sign of the moment, when no screen is open: the title screen's controls, the riding
// controls early in a session's first run, "PAUSED" over a paused race.
void GameDirector::updateSign() {
    if (!menus_)
        return;
    MenuScreens::Sign sign = MenuScreens::Sign::None;
    if (state_ == Watch && watch_) {
        sign = MenuScreens::Sign::Replay;
        menus_->setReplayCaption(watch_->caption());
    } else if (state_ == Attract)
        sign = MenuScreens::Sign::TitleControls;
    else if (state_ == Run && scene_ && scene_->racePaused())
        sign = MenuScreens::Sign::Paused;
    else if (state_ == Run && runsStarted_ == 1 && sceneTicks_ < kRidingHintTicks)
        sign = MenuScreens::Sign::RidingControls;
    menus_->setSign(sign);
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
