#pragma once

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "assets/PlayerFiles.h"
#include "game/GameState.h"
#include "platform/SdlLibrary.h"
#include "platform/WindowState.h"
#include "replay/ReplayRun.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

namespace qv {

class Autopilot;
class Clock;
class DisplayExtras;
class GameDirector;
class GraphicsDevice;
class HotKeys;
class KeySource;
class KeyboardInput;
class MenuInput;
class MenuScreens;
class NullSoundSystem;
class PadSource;
class RecordingRenderDevice;
class ScreenshotFolder;
class ScriptedKeySource;
class SdlPadSource;
class SdlWindow;
class SoundSystem;
class TraceWriter;
class WindowFocus;
class WindowSession;
struct GlPresentOptions;

// The program entry: resets the game state, opens the window, builds the graphics device, the
// sound system, the keyboard and the director, runs the main loop and shuts down in order. It
// is also the one place that catches fatal errors, writing them to the player's error.log.
class Program {
  public:
    // The settings are read from the player's files, which are kept where files says.
    // watch: a replay the game shows instead of its title screen, then ends.
    explicit Program(CommandLine commandLine, PlayerFiles files = PlayerFiles(),
                     std::optional<ReplayRun> watch = std::nullopt);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the game to its end; the exit code (0 after an ordinary quit, 1 after a fatal error).
    int run();

    const GameState& state() const { return state_; }
    uint32_t ticksRun() const { return ticks_; }
    // The most sound events the headless sound system held at the end of a tick: its log is
    // cleared every tick, so a long headless run keeps no history (0 with real sound).
    size_t mostSoundEventsHeld() const { return mostSoundEventsHeld_; }

  private:
    enum class Message { Destroy, Quit };

    void start();
    void openWindow();
    void buildServices();
    void buildInput();
    void buildExtras();
    void buildMenus();
    GlPresentOptions presentOptions() const;
    void mainLoop();
    void shutdown();
    void destroyServices();
    bool takeMessage(Message& message);
    void beforeTick();
    void afterTick();
    void saveScreenshots();
    void fail(const std::exception& error);

    SdlLibrary sdl_; // first in, last out: SDL shuts down after every service that used it
    CommandLine commandLine_;
    PlayerFiles files_;
    std::optional<ReplayRun> watch_;
    Settings settings_;
    GameState state_;
    std::unique_ptr<SdlWindow> window_;
    std::optional<WindowState> savedWindow_; // the state file's, when the window came from it
    std::unique_ptr<WindowSession> windowSession_;
    const WindowFocus* focus_ = nullptr; // the window's, or the key script's
    std::unique_ptr<GraphicsDevice> graphics_;
    RecordingRenderDevice* recorder_ = nullptr;
    NullSoundSystem* nullSound_ = nullptr; // the headless sound system, whose log is cleared each tick
    std::unique_ptr<SoundSystem> sound_;
    std::unique_ptr<KeySource> keySource_;
    ScriptedKeySource* script_ = nullptr;
    std::unique_ptr<SdlPadSource> sdlPad_;
    const PadSource* pad_ = nullptr; // the SDL pads or the key script's
    std::unique_ptr<Autopilot> autopilot_;
    std::unique_ptr<KeyboardInput> keyboard_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<GameDirector> director_;
    std::unique_ptr<ScreenshotFolder> screenshots_;
    std::unique_ptr<DisplayExtras> extras_;
    std::unique_ptr<HotKeys> hotKeys_;
    std::unique_ptr<MenuInput> menuInput_;
    std::unique_ptr<MenuScreens> menus_;
    std::unique_ptr<TraceWriter> trace_;
    std::deque<Message> messages_;
    uint32_t ticks_ = 0;
    size_t mostSoundEventsHeld_ = 0;
};

} // namespace qv
