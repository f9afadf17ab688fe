#pragma once

#include "app/Settings.h"
#include "assets/PlayerFiles.h"
#include "game/GameState.h"
#include "game/SceneKind.h"

#include <cstdint>
#include <iosfwd>
#include <memory>

namespace qv {

class Clock;
class GraphicsDevice;
class KeyboardInput;
class LogoScreen;
class Scene;
struct SaveResult;
class SoundSystem;

// The top-level state machine: paces the game at one tick every 17 ms, shows the logo, then
// alternates between the attract demo and player runs, and moves from stage to stage. It reads
// the scene options and the sound volumes from the settings for the logo and every scene it
// builds, asks each scene how its run went, and has a player's run finished (its files written)
// before the scene goes; a file that could not be written is reported on the errors stream.
class GameDirector {
  public:
    enum State : int32_t { Logo = 0, Attract = 1, StartRun = 2, Run = 3, BackToDemo = 4, Quit = 5 };
    static constexpr uint32_t kTickMs = 17;

    GameDirector(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard, Clock& clock,
                 GameState& state, const Settings& settings, std::ostream& errors,
                 const PlayerFiles& files = PlayerFiles());
    ~GameDirector();
    GameDirector(const GameDirector&) = delete;
    GameDirector& operator=(const GameDirector&) = delete;

    // One step: wait for the deadline, act on the state, then detect a fresh Enter press.
    void tick();
    // The window is without the player's focus before the coming tick: a player's run pauses
    // (the scene decides whether its phase and options allow it).
    void windowFocusLost();

    int32_t state() const { return state_; }
    void setState(int32_t state) { state_ = state; }
    bool running() const { return running_; }
    const Scene* scene() const { return scene_.get(); }
    bool enterPressed() const { return enterPressed_; }
    // Finishes the current run, if any (the quit tick does; the program's error guard too, so a
    // run cut short by a fatal error still keeps its files).
    void finishRun();

  private:
    void tickLogo();
    void tickAttract();
    void tickStartRun();
    void tickRun();
    void tickBackToDemo();
    void toggleModeIfAsked();
    void drawWithFrameSkip();
    void startScene(SceneKind kind);
    void applyVolumes();
    void destroySceneOrThrow();
    void report(const SaveResult& result);
    void updateEnterEdge();

    int32_t state_ = Logo;
    GraphicsDevice& graphics_;
    SoundSystem& sound_;
    KeyboardInput& keyboard_;
    Clock& clock_;
    GameState& game_;
    const Settings& settings_;
    const PlayerFiles files_;
    std::ostream& errors_;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<LogoScreen> logo_;
    bool enterWasUp_ = false;
    bool enterPressed_ = false;
    bool skipPressHeld_ = false; // the Enter press that skipped the logo, until it is let go
    uint16_t toggleCounter_ = 100;
    bool running_ = true;
    bool advanceStage_ = false; // the run that ended had cleared its stage
    uint32_t nextDeadline_;
};

} // namespace qv
