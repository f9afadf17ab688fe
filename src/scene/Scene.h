#pragma once

#include "game/GameState.h"
#include "app/Settings.h"
#include "platform/SoundSystem.h"

#include <cstdint>
#include <memory>

namespace qv {

class BlobShadow;
class Camera;
class Field;
class FinishPhase;
class Fog;
class GoalCourse;
class GraphicsDevice;
class HitTest;
class KeyboardInput;
class MessageBoard;
class RacePhase;
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

// One run over one stage, the attract demo or a player's run. Builds and owns every world
// component and drives them through the start, race and finish phases.
class Scene {
  public:
    enum PhaseState : int32_t { Begin = 0, Starting = 1, Racing = 2, Finishing = 3, Over = 4 };
    static constexpr int32_t kStageClearWait = 120;

    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void start() { phaseState_ = Begin; }
    // One game step; false when the scene is over.
    bool update();
    // One frame of the current phase. Any failure while drawing ends the program as a
    // Direct3D error, whatever it was.
    void draw();

    int32_t phaseState() const { return phaseState_; }
    const StartPhase* startPhase() const { return startPhase_.get(); }
    const RacePhase* racePhase() const { return racePhase_.get(); }
    const FinishPhase* finishPhase() const { return finishPhase_.get(); }
    const Rider* rider() const { return rider_.get(); }
    const Camera* camera() const { return camera_.get(); }
    const WaterSurface* water() const { return water_.get(); }
    const Field* field() const { return field_.get(); }
    const GoalCourse* goalCourse() const { return goalCourse_.get(); }
    const ScoreBoard* scoreBoard() const { return scoreBoard_.get(); }

  protected:
    enum class Kind { Attract, Play };

    Scene(Kind kind, GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard, GameState& state,
          const Settings& settings);

  private:
    void build(Kind kind);
    void buildPhases(bool demo, const SceneParts& parts);
    void destroyComponents();
    bool updateRace();
    void updateStart();
    void updateFinish();

    int32_t phaseState_ = Begin;
    GraphicsDevice& graphics_;
    SoundSystem& sound_;
    KeyboardInput& keyboard_;
    GameState& game_;
    const Settings& settings_;
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
