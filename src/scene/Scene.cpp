#include "scene/Scene.h"

#include "platform/KeyboardInput.h"
#include "scene/FinishPhase.h"
#include "scene/RacePhase.h"
#include "scene/SceneLight.h"
#include "scene/StartPhase.h"
#include "util/FatalError.h"

namespace qv {

namespace {

template <typename Attract, typename Play, typename Base, typename... Args>
std::unique_ptr<Base> makeKind(bool demo, Args&&... args) {
    if (demo)
        return std::make_unique<Attract>(std::forward<Args>(args)...);
    return std::make_unique<Play>(std::forward<Args>(args)...);
}

void stopAndRelease(std::unique_ptr<SoundClip>& clip) {
    if (clip)
        clip->stop();
    clip.reset();
}

} // namespace

Scene::Scene(Kind kind, GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard,
             GameState& state, const Settings& settings)
    : graphics_(graphics), sound_(sound), keyboard_(keyboard), game_(state), settings_(settings) {
    readySound_ = sound_.createClip("./Data/wave/Ready.wav", false);
    music_ = sound_.createClip("./Data/wave/bgm.wav", true);
    warningSound_ = sound_.createClip("./Data/wave/warning.wav", true);
    game_.stageCleared = false;
    game_.stageClearWait = 0;
    // Set before any component exists: some read it while they are built.
    game_.demoMode = kind == Kind::Attract;
    try {
        build(kind);
    } catch (...) {
        // Whatever was built goes in the usual order before the error moves on.
        destroyComponents();
        throw;
    }
}

void Scene::build(Kind kind) {
    bool demo = kind == Kind::Attract;
    light_ = std::make_unique<SceneLight>(graphics_);
    racePhase_ = makeKind<AttractRacePhase, PlayRacePhase, RacePhase>(demo, graphics_, keyboard_, game_);
    startPhase_ = makeKind<AttractStartPhase, PlayStartPhase, StartPhase>(demo, graphics_, game_);
    finishPhase_ = makeKind<AttractFinishPhase, PlayFinishPhase, FinishPhase>(demo, graphics_, game_);
}

Scene::~Scene() {
    destroyComponents();
    stopAndRelease(music_);
    stopAndRelease(warningSound_);
    stopAndRelease(readySound_);
}

void Scene::destroyComponents() {
    racePhase_.reset();
    startPhase_.reset();
    finishPhase_.reset();
    light_.reset();
}

bool Scene::update() {
    keyboard_.poll();
    switch (phaseState_) {
    case Begin:
        phaseState_ = Starting;
        (game_.demoMode ? music_ : readySound_)->play();
        return true;
    case Starting:
        updateStart();
        return true;
    case Racing:
        return updateRace();
    case Finishing:
        updateFinish();
        return true;
    default:
        return false;
    }
}

void Scene::updateStart() {
    startPhase_->update();
    if (startPhase_->stillRunning())
        return;
    if (!game_.demoMode)
        music_->play();
    phaseState_ = Racing;
}

bool Scene::updateRace() {
    racePhase_->update();
    if (!racePhase_->stillRunning()) {
        finishPhase_->start();
        if (!game_.demoMode) {
            music_->stop();
            warningSound_->play();
        }
        phaseState_ = Finishing;
    }
    if (game_.stageCleared)
        return game_.stageClearWait++ <= kStageClearWait;
    return true;
}

void Scene::updateFinish() {
    finishPhase_->update();
    if (finishPhase_->stillRunning())
        return;
    phaseState_ = Over;
    (game_.demoMode ? music_ : warningSound_)->stop();
}

void Scene::draw() {
    try {
        switch (phaseState_) {
        case Starting:
            light_->apply();
            startPhase_->draw();
            break;
        case Racing:
            light_->apply();
            racePhase_->draw();
            break;
        case Finishing:
            light_->apply();
            finishPhase_->draw();
            break;
        default:
            break;
        }
    } catch (...) {
        throw FatalError("ERROR : Direct3D");
    }
}

} // namespace qv
