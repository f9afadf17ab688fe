#include "scene/Scene.h"

#include "characters/DemoGoalCourse.h"
#include "characters/HitTest.h"
#include "characters/PlayGoalCourse.h"
#include "characters/TargetArrow.h"
#include "characters/Walker.h"
#include "field/Field.h"
#include "hud/MessageBoard.h"
#include "hud/ScoreBoard.h"
#include "platform/KeyboardInput.h"
#include "rider/AttractRider.h"
#include "rider/PlayRider.h"
#include "scene/FinishPhase.h"
#include "scene/RacePhase.h"
#include "scene/SceneLight.h"
#include "scene/SceneParts.h"
#include "scene/StartPhase.h"
#include "core/FatalError.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/Fog.h"
#include "world/RippleSet.h"
#include "world/SkyBackdrop.h"
#include "world/SplashSet.h"
#include "field/WaterSurface.h"

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

// Each component gets what it depends on, so the order matters.
void Scene::build(Kind kind) {
    bool demo = kind == Kind::Attract;
    fog_ = std::make_unique<Fog>(graphics_, game_, settings_);
    light_ = std::make_unique<SceneLight>(graphics_);
    field_ = std::make_unique<Field>(graphics_, game_, settings_);
    water_ = std::make_unique<WaterSurface>(graphics_, game_, settings_);
    if (demo)
        rider_ = std::make_unique<AttractRider>(graphics_, sound_, *field_, *water_, game_);
    else
        rider_ = std::make_unique<PlayRider>(graphics_, sound_, keyboard_, *field_, *water_, game_);
    ripples_ = std::make_unique<RippleSet>(graphics_, *rider_, *water_, settings_);
    camera_ = std::make_unique<Camera>(graphics_, keyboard_, *rider_, *field_, game_);
    sky_ = std::make_unique<SkyBackdrop>(graphics_, game_);
    splashes_ = std::make_unique<SplashSet>(graphics_, sound_, *water_, game_, settings_);
    shadow_ = std::make_unique<BlobShadow>(graphics_, *rider_, *field_);
    scoreBoard_ = std::make_unique<ScoreBoard>(graphics_, sound_, game_, settings_);
    if (demo)
        goalCourse_ =
            std::make_unique<DemoGoalCourse>(graphics_, sound_, *field_, *scoreBoard_, *camera_, game_);
    else
        goalCourse_ =
            std::make_unique<PlayGoalCourse>(graphics_, sound_, *field_, *scoreBoard_, *camera_, game_);
    arrow_ = std::make_unique<TargetArrow>(graphics_, *rider_, *goalCourse_, *camera_, game_);
    walker_ = std::make_unique<Walker>(graphics_, sound_, *rider_, *water_, game_);
    hitTest_ = std::make_unique<HitTest>();
    messageBoard_ = std::make_unique<MessageBoard>(graphics_, game_);
    buildPhases(demo, SceneParts{graphics_, keyboard_, game_, *rider_, *camera_, *shadow_, *ripples_,
                                 *splashes_, *goalCourse_, *arrow_, *walker_, *field_, *water_, *sky_, *fog_,
                                 *scoreBoard_, *hitTest_, *messageBoard_});
}

void Scene::buildPhases(bool demo, const SceneParts& parts) {
    racePhase_ = makeKind<AttractRacePhase, PlayRacePhase, RacePhase>(demo, parts);
    startPhase_ = makeKind<AttractStartPhase, PlayStartPhase, StartPhase>(demo, parts);
    finishPhase_ = makeKind<AttractFinishPhase, PlayFinishPhase, FinishPhase>(demo, parts);
}

Scene::~Scene() {
    destroyComponents();
    stopAndRelease(music_);
    stopAndRelease(warningSound_);
    stopAndRelease(readySound_);
}

// The goal course writes its record before the rider writes the ride, and the score board,
// which decides whether the run is the next demo, writes its files after both.
void Scene::destroyComponents() {
    racePhase_.reset();
    startPhase_.reset();
    finishPhase_.reset();
    field_.reset();
    goalCourse_.reset();
    arrow_.reset();
    water_.reset();
    sky_.reset();
    rider_.reset();
    camera_.reset();
    splashes_.reset();
    ripples_.reset();
    shadow_.reset();
    walker_.reset();
    scoreBoard_.reset();
    hitTest_.reset();
    fog_.reset();
    light_.reset();
    messageBoard_.reset();
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
