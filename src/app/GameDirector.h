#pragma once

#include "app/MenuScreens.h"
#include "app/Settings.h"
#include "assets/ContentCache.h"
#include "assets/PlayerFiles.h"
#include "game/GameState.h"
#include "game/SceneKind.h"
#include "replay/ReplayRun.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>

namespace qv {

class Clock;
class GraphicsDevice;
class KeyboardInput;
class LogoScreen;
class ReplayWatch;
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
    enum State : int32_t {
        Logo = 0,
        Attract = 1,
        StartRun = 2,
        Run = 3,
        BackToDemo = 4,
        Quit = 5,
        Watch = 6
    };
    static constexpr uint32_t kTickMs = 17;

    // Ticks the first run of a session shows the riding controls for (the start signal's time
    // and a few seconds of riding).
    static constexpr uint32_t kRidingHintTicks = 480;

    // menus: the screens over the game (none in tests that drive the director alone).
    GameDirector(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard, Clock& clock,
                 GameState& state, const Settings& settings, std::ostream& errors,
                 const PlayerFiles& files = PlayerFiles(), MenuScreens* menus = nullptr);
    ~GameDirector();
    GameDirector(const GameDirector&) = delete;
    GameDirector& operator=(const GameDirector&) = delete;

    // One step: wait for the deadline, act on the state, then detect a fresh Enter press.
    void tick();
    // The window is without the player's focus before the coming tick: a player's run pauses
    // (the scene decides whether its phase and options allow it).
    void windowFocusLost();
    // Asked once a pass, before the tick: a fresh press of the quit key ends the game on the logo
    // and the title screen; in a run it opens the pause menu instead, and on an open menu it is
    // the menu's to go back with.
    bool quitAsked();
    // Something outside the game changed the picture (the window's size, the FPS display): a
    // paused game draws its next frame.
    void requestRedraw() { redrawAsked_ = true; }
    // Frames drawn so far (a paused game draws only when something changes).
    uint32_t framesDrawn() const { return framesDrawn_; }

    int32_t state() const { return state_; }
    void setState(int32_t state) { state_ = state; }
    bool running() const { return running_; }
    // The scene of the moment: the demo's, the run's, or the replay's being watched.
    const Scene* scene() const;
    // Watches a replay from the next tick on (the logo and the demo left out); when it is over or
    // left, the game ends (quitAfter) or goes to the title screen.
    void watch(ReplayRun run, bool quitAfter);
    const ReplayWatch* replayWatch() const { return watch_.get(); }
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
    void tickWatch();
    void endWatch();
    void drawFrame();
    const ReplayStage* attractReplay();
    void toggleModeIfAsked();
    void drawWithFrameSkip();
    void startScene(SceneKind kind);
    void applyVolumes();
    void destroySceneOrThrow();
    void report(const SaveResult& result);
    void warn(const std::string& title, const std::string& detail, const std::string& message);
    void updateEnterEdge();
    void logStage();
    void saveReplay();
    // True when a screen is open over the game, or was until this tick: the game's own keys
    // then do nothing.
    bool menuTick(MenuScreens::Place place);
    void pauseRun();
    void actOn(MenuScreens::Request request);
    void updateSign();
    bool frozen() const;

    int32_t state_ = Logo;
    GraphicsDevice& graphics_;
    SoundSystem& sound_;
    KeyboardInput& keyboard_;
    Clock& clock_;
    GameState& game_;
    const Settings& settings_;
    const PlayerFiles files_;
    std::ostream& errors_;
    ContentCache content_; // what every scene decodes, kept for the next one
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<LogoScreen> logo_;
    std::unique_ptr<ReplayWatch> watch_;
    std::optional<ReplayRun> toWatch_;    // asked for, built at the next tick
    std::optional<ReplayRun> attractRun_; // the library's run the attract demo rides, if any
    bool quitAfterWatch_ = false;
    bool leaveWatch_ = false;
    bool enterWasUp_ = false;
    bool enterPressed_ = false;
    bool skipPressHeld_ = false; // the Enter press that skipped the logo, until it is let go
    uint16_t toggleCounter_ = 100;
    bool running_ = true;
    bool advanceStage_ = false; // the run that ended had cleared its stage
    uint32_t nextDeadline_;
    MenuScreens* menus_;
    bool quitWasUp_ = true;
    bool pauseAsked_ = false; // the quit key was pressed in a run: the pause menu opens
    bool redrawAsked_ = false;
    bool frozenDrawn_ = false;   // the frozen picture is on screen
    uint32_t drawnRevision_ = 0; // the menus' revision in the frozen picture
    uint32_t framesDrawn_ = 0;
    uint32_t runsStarted_ = 0;
    uint32_t sceneTicks_ = 0;
    ReplayRun runLog_;          // the stages of the player's run so far
    uint32_t sceneSerial_ = 0;  // counts the scenes built
    uint32_t loggedSerial_ = 0; // the scene whose stage is in the log
};

} // namespace qv
