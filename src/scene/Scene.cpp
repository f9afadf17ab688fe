#include "scene/Scene.h"

#include "assets/DataFiles.h"
#include "characters/DemoGoalCourse.h"
#include "characters/HitTest.h"
#include "characters/PlayGoalCourse.h"
#include "characters/ReplayGoalCourse.h"
#include "characters/TargetArrow.h"
#include "characters/Walker.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "hud/MessageBoard.h"
#include "hud/ScoreBoard.h"
#include "platform/KeyboardInput.h"
#include "race/RaceScore.h"
#include "replay/DemoPair.h"
#include "replay/DemoPlayback.h"
#include "replay/KeyboardRecorder.h"
#include "replay/ReplayPlayback.h"
#include "rider/Rider.h"
#include "scene/FinishPhase.h"
#include "scene/RacePhase.h"
#include "scene/SceneLight.h"
#include "scene/SceneParts.h"
#include "scene/StartPhase.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/Fog.h"
#include "world/RippleSet.h"
#include "world/SkyBackdrop.h"
#include "world/SplashSet.h"

namespace qv {

namespace {

template <typename Attract, typename Play, typename Base, typename... Args>
std::unique_ptr<Base> makeKind(bool demo, Args&&... args) {
    if (demo)
        return std::make_unique<Attract>(std::forward<Args>(args)...);
    return std::make_unique<Play>(std::forward<Args>(args)...);
}

// Chosen once, so the ride and its goals are one pair (a cut save's pair is passed over).
DemoPair::Files readableDemo(const PlayerFiles& files) {
    const PlayerFiles::Demo demo = files.attractDemo();
    return DemoPair({demo.ride, demo.goals}, demo.seal).readable();
}

} // namespace

Scene::Scene(SceneKind kind, GraphicsDevice& graphics, ContentCache& content, SoundSystem& sound,
             KeyboardInput& keyboard, GameState& state, const SceneOptions& options, const PlayerFiles& files,
             const ReplayStage* replay)
    : kind_(kind), graphics_(graphics), content_(content), sound_(sound), keyboard_(keyboard), game_(state),
      options_(options), files_(files), demo_(readableDemo(files)), replay_(replay) {
    if (kind_ == SceneKind::Replay && !replay_)
        throw FatalError("ERROR : a replay scene without a replay");
    readySound_ = sound_.createClip(data::kReadySound, false);
    music_ = sound_.createMusic(data::kMusic);
    warningSound_ = sound_.createClip(data::kWarningSound, true);
    game_.stageCleared = false;
    game_.stageClearWait = 0;
    // Set before any component exists: some read it while they are built.
    game_.demoMode = kind == SceneKind::Attract;
    try {
        build();
    } catch (...) {
        // Whatever was built goes in the usual order before the error moves on.
        destroyComponents();
        throw;
    }
}

// Each component gets what it depends on, so the order matters.
void Scene::build() {
    fog_ = std::make_unique<Fog>(graphics_, game_, options_);
    light_ = std::make_unique<SceneLight>(graphics_);
    field_ = std::make_unique<Field>(graphics_, content_, game_, options_);
    water_ = std::make_unique<WaterSurface>(graphics_, game_, options_);
    buildRider();
    ripples_ = std::make_unique<RippleSet>(graphics_, content_, *water_, options_);
    camera_ = std::make_unique<Camera>(graphics_, keyboard_, *rider_, *field_, game_);
    sky_ = std::make_unique<SkyBackdrop>(graphics_, game_);
    splashes_ = std::make_unique<SplashSet>(graphics_, content_, sound_, *water_, game_, options_);
    shadow_ = std::make_unique<BlobShadow>(graphics_, content_, *rider_, *field_);
    score_ = std::make_unique<RaceScore>(game_, options_.initializeScores, files_);
    scoreBoard_ = std::make_unique<ScoreBoard>(graphics_, content_, sound_, game_, *score_);
    buildGoalCourse();
    arrow_ = std::make_unique<TargetArrow>(graphics_, content_, *rider_, *goalCourse_, *camera_, game_);
    walker_ = std::make_unique<Walker>(graphics_, content_, sound_, *rider_, *water_, game_);
    hitTest_ = std::make_unique<HitTest>();
    messageBoard_ = std::make_unique<MessageBoard>(graphics_, content_, game_);
    buildPhases(SceneParts{graphics_, content_, keyboard_,    game_,      *rider_,
                           *camera_,  *shadow_, *ripples_,    *splashes_, *goalCourse_,
                           *arrow_,   *walker_, *field_,      *water_,    *sky_,
                           *fog_,     *score_,  *scoreBoard_, *hitTest_,  *messageBoard_});
}

// The demo replays the best recorded ride; a player's keys are recorded as they are read.
void Scene::buildRider() {
    ControlSource* controls = nullptr;
    if (replay_)
        controls = (replayPlayback_ = std::make_unique<ReplayPlayback>(replay_->records)).get();
    else if (kind_ == SceneKind::Attract)
        controls = (playback_ = std::make_unique<DemoPlayback>(demo_.ride)).get();
    else
        controls = (recorder_ = std::make_unique<KeyboardRecorder>(keyboard_)).get();
    rider_ = std::make_unique<Rider>(graphics_, content_, sound_, *controls, *field_, *water_);
}

// The demo's goals follow its goal file; a player's are drawn live and recorded.
void Scene::buildGoalCourse() {
    if (replay_)
        goalCourse_ = std::make_unique<ReplayGoalCourse>(graphics_, content_, sound_, *field_, *camera_,
                                                         game_, replay_->draws);
    else if (kind_ == SceneKind::Attract)
        goalCourse_ = std::make_unique<DemoGoalCourse>(graphics_, content_, sound_, *field_, *camera_, game_,
                                                       demo_.goals);
    else
        goalCourse_ = std::make_unique<PlayGoalCourse>(graphics_, content_, sound_, *field_, *camera_, game_);
}

void Scene::buildPhases(const SceneParts& parts) {
    const bool demo = kind_ == SceneKind::Attract;
    racePhase_ = makeKind<AttractRacePhase, PlayRacePhase, RacePhase>(demo, parts);
    startPhase_ = makeKind<AttractStartPhase, PlayStartPhase, StartPhase>(demo, parts);
    finishPhase_ = makeKind<AttractFinishPhase, PlayFinishPhase, FinishPhase>(demo, parts);
}

Scene::~Scene() {
    destroyComponents();
    stopAndRelease(music_);
    stopAndRelease(warningSound_);
    stopAndRelease(readySound_);
    releaseHeldSounds(); // once nothing of the scene sounds any more
}

SaveResult Scene::finishRun() {
    SaveResult result;
    if (kind_ != SceneKind::Play || finished_)
        return result;
    finished_ = true;
    // Stage runs are never replayed.
    if (game_.stageNumber == 0)
        saveRide(score_->newBest(), result);
    result.add(score_->saveTable(game_.random));
    return result;
}

// The goals go before the ride, as they always have. A new best replaces the demo: the pair
// before is kept, one generation, in case this one is cut short, and the seal, written last,
// tells a whole new pair from a cut one. When the pair before cannot be kept, the demo stays
// as it is and the run is kept as the last one.
void Scene::saveRide(bool best, SaveResult& result) const {
    const DemoPair pair({files_.bestRide(), files_.bestGoals()}, files_.bestSeal());
    if (best && !pair.keepPrevious()) {
        result.note(false, files_.bestRide());
        best = false;
    }
    const std::string& goals = best ? files_.bestGoals() : files_.lastGoals();
    const bool goalsSaved = goalCourse_->record().save(goals);
    result.note(goalsSaved, goals);
    const std::string& ride = best ? files_.bestRide() : files_.lastRide();
    const bool rideSaved = recorder_->recording().save(ride);
    result.note(rideSaved, ride);
    if (best && goalsSaved && rideSaved)
        result.note(pair.seal(), files_.bestSeal());
}

ReplayStage Scene::stageLog() const {
    ReplayStage stage;
    if (kind_ != SceneKind::Play)
        return stage;
    stage.stageNumber = game_.stageNumber;
    stage.fieldIndex = game_.stageNumber & 3u;
    std::string field;
    if (readFile(resolvePath(Field::dataFilePath(game_.stageNumber)), field))
        stage.fieldHash = fieldHash(field);
    stage.score = score_->score();
    stage.knockDowns = score_->knockDowns();
    stage.records = recorder_->allRecords();
    stage.draws = goalCourse_->keptDraws();
    return stage;
}

bool Scene::replayFinished() const {
    return replayPlayback_ && replayPlayback_->finished();
}

void Scene::settleDisplays() {
    if (phaseState_ == Racing)
        racePhase_->settleDisplays();
}

uint64_t Scene::replayRecordsRidden() const {
    return replayPlayback_ ? replayPlayback_->recordIndex() : 0;
}

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
    recorder_.reset();
    playback_.reset();
    replayPlayback_.reset();
    camera_.reset();
    splashes_.reset();
    ripples_.reset();
    shadow_.reset();
    walker_.reset();
    scoreBoard_.reset();
    score_.reset();
    hitTest_.reset();
    fog_.reset();
    light_.reset();
    messageBoard_.reset();
}

SceneStatus Scene::update() {
    const bool running = step();
    if (!running)
        return game_.stageCleared ? SceneStatus::NextStage : SceneStatus::Over;
    return game_.stageCleared ? SceneStatus::Cleared : SceneStatus::Running;
}

// False once the scene is over: its finish has run, or a cleared stage's wait ran out.
bool Scene::step() {
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

void Scene::pauseForFocusLoss() {
    if (kind_ != SceneKind::Play || !options_.focusPause || phaseState_ != Racing)
        return;
    racePhase_->pause();
    if (!soundsHeld_)
        sound_.pauseAll();
    soundsHeld_ = true;
}

void Scene::resume() {
    if (racePhase_)
        racePhase_->resume();
    releaseHeldSounds();
}

bool Scene::racePaused() const {
    return kind_ == SceneKind::Play && phaseState_ == Racing && racePhase_ && racePhase_->paused();
}

void Scene::releaseHeldSounds() {
    if (soundsHeld_)
        sound_.resumeAll();
    soundsHeld_ = false;
}

bool Scene::updateRace() {
    racePhase_->update();
    if (!racePhase_->paused())
        releaseHeldSounds();
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
