#pragma once

#include "assets/PlayerFiles.h"
#include "core/SaveResult.h"
#include "game/GameState.h"
#include "game/SceneKind.h"
#include "game/SceneOptions.h"
#include "platform/SoundSystem.h"
#include "replay/DemoPair.h"
#include "replay/ReplayRun.h"

#include <cstdint>
#include <memory>

namespace qv {

class BlobShadow;
class Camera;
class ContentCache;
class DemoPlayback;
class Field;
class FinishPhase;
class Fog;
class GoalCourse;
class GraphicsDevice;
class HitTest;
class KeyboardInput;
class KeyboardRecorder;
class MessageBoard;
class RacePhase;
class RaceScore;
class ReplayPlayback;
class Rider;
class RippleSet;
class SceneLight;
class ScoreBoard;
class SkyBackdrop;
class SplashSet;
class StartPhase;
class TargetArrow;
class Walker;
class WaterSurface;
struct SceneParts;

// What a scene's update tells the director about the run.
enum class SceneStatus {
    Running,   // the run goes on
    Cleared,   // the stage is cleared and its banner still shows; ending now goes to the next stage
    NextStage, // the cleared stage's wait is over: on to the next stage
    Over,      // the run has ended: back to the demo
};

// One run over one stage: the attract demo or a player's run. Builds and owns every world
// component and drives them through the start, race and finish phases. The kind is chosen once,
// here: it decides the control source (the demo's recording or the player's recorded keys) and
// the goal course, and whether the run leaves files behind.
class Scene {
  public:
    enum PhaseState : int32_t { Begin = 0, Starting = 1, Racing = 2, Finishing = 3, Over = 4 };
    static constexpr int32_t kStageClearWait = 120;

    // Sets the game's demo flag and clears its stage-cleared state before building anything.
    // A component that fails to build ends the program; what was built goes first, in order.
    // The pictures and meshes come from the content cache (kept by the owner of the scenes,
    // so the next scene decodes none of them again); the device's textures and buffers are the
    // scene's own. The player's files are where the demo comes from and a run's files go.
    // A replay scene rides the given stage, which must outlive it; so may the attract demo.
    Scene(SceneKind kind, GraphicsDevice& graphics, ContentCache& content, SoundSystem& sound,
          KeyboardInput& keyboard, GameState& state, const SceneOptions& options,
          const PlayerFiles& files = PlayerFiles(), const ReplayStage* replay = nullptr);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void start() { phaseState_ = Begin; }
    // One game step.
    SceneStatus update();
    // One frame of the current phase. Any failure while drawing ends the program as a
    // Direct3D error, whatever it was.
    void draw();
    // The window is without the player's focus before this update: a player's race (when the
    // options allow) pauses as the pause key pauses it, and every sound is held until the pause
    // key resumes the race.
    void pauseForFocusLoss();
    // The race goes on, however it was paused, with every sound a pause held.
    void resume();
    // A player's race that stands paused (the pause key, or a focus loss).
    bool racePaused() const;
    // The end of a player's run, called once by the director before the scene goes: an endless
    // run leaves its goal record and recording as the next attract demo when it is a new best,
    // else as the replay; a new best is entered into the high-score table. The attract demo
    // writes nothing. Returns the files that could not be written.
    SaveResult finishRun();
    // What a player's run rode so far, for its replay file: the records, the goals' values, the
    // field and the score. Empty for the other kinds.
    ReplayStage stageLog() const;
    // A replay whose records are all used up (the player ended the run there).
    bool replayFinished() const;
    uint64_t replayRecordsRidden() const;
    // The race's HUD shows where the race stands at once (a replay jumped there unseen).
    void settleDisplays();

    SceneKind kind() const { return kind_; }
    int32_t phaseState() const { return phaseState_; }
    const StartPhase* startPhase() const { return startPhase_.get(); }
    const RacePhase* racePhase() const { return racePhase_.get(); }
    const FinishPhase* finishPhase() const { return finishPhase_.get(); }
    const Rider* rider() const { return rider_.get(); }
    const Camera* camera() const { return camera_.get(); }
    const WaterSurface* water() const { return water_.get(); }
    const Field* field() const { return field_.get(); }
    const GoalCourse* goalCourse() const { return goalCourse_.get(); }
    const RaceScore* raceScore() const { return score_.get(); }
    const ScoreBoard* scoreBoard() const { return scoreBoard_.get(); }

  private:
    void build();
    void buildRider();
    void buildGoalCourse();
    void buildPhases(const SceneParts& parts);
    void destroyComponents();
    void saveRide(bool best, SaveResult& result) const;
    bool step();
    bool updateRace();
    void updateStart();
    void updateFinish();
    void releaseHeldSounds();

    const SceneKind kind_;
    int32_t phaseState_ = Begin;
    bool finished_ = false;
    bool soundsHeld_ = false; // by a pause for focus loss
    GraphicsDevice& graphics_;
    ContentCache& content_;
    SoundSystem& sound_;
    KeyboardInput& keyboard_;
    GameState& game_;
    const SceneOptions options_;
    const PlayerFiles files_;
    const DemoPair::Files demo_;                 // chosen once, so the ride and its goals are one pair
    std::unique_ptr<KeyboardRecorder> recorder_; // a player's run
    std::unique_ptr<DemoPlayback> playback_;     // the attract demo
    const ReplayStage* replay_;                  // a replay's stage
    std::unique_ptr<ReplayPlayback> replayPlayback_;
    std::unique_ptr<Rider> rider_;
    std::unique_ptr<TargetArrow> arrow_;
    std::unique_ptr<Camera> camera_;
    std::unique_ptr<SplashSet> splashes_;
    std::unique_ptr<RippleSet> ripples_;
    std::unique_ptr<BlobShadow> shadow_;
    std::unique_ptr<GoalCourse> goalCourse_;
    std::unique_ptr<Walker> walker_;
    std::unique_ptr<Field> field_;
    std::unique_ptr<WaterSurface> water_;
    std::unique_ptr<SkyBackdrop> sky_;
    std::unique_ptr<HitTest> hitTest_;
    std::unique_ptr<RaceScore> score_;
    std::unique_ptr<ScoreBoard> scoreBoard_;
    std::unique_ptr<Fog> fog_;
    std::unique_ptr<SceneLight> light_;
    std::unique_ptr<MessageBoard> messageBoard_;
    std::unique_ptr<RacePhase> racePhase_;
    std::unique_ptr<StartPhase> startPhase_;
    std::unique_ptr<FinishPhase> finishPhase_;
    std::unique_ptr<SoundClip> readySound_;
    std::unique_ptr<SoundClip> music_;
    std::unique_ptr<SoundClip> warningSound_;
};

} // namespace qv
