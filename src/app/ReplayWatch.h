#pragma once

#include "assets/PlayerFiles.h"
#include "game/GameState.h"
#include "game/SceneOptions.h"
#include "menu/MenuCommand.h"
#include "replay/ReplayRun.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

class ContentCache;
class GraphicsDevice;
class KeyboardInput;
class Scene;
class SoundSystem;

// Watching a replay: the run's stages ridden one after the other in replay scenes, with the
// normal picture and HUD, under the viewer's controls: pause, speed from a quarter to eight
// times, one update at a time while paused, and a jump of ten seconds back or on (back by riding
// the stage again from its start without drawing or sound, so the picture is exactly where
// playing through would have been).
class ReplayWatch {
  public:
    static constexpr std::array<uint32_t, 6> kSpeedPercent{25, 50, 100, 200, 400, 800};
    static constexpr std::array<const char*, 6> kSpeedNames{"x1/4", "x1/2", "x1", "x2", "x4", "x8"};
    static constexpr size_t kNormalSpeed = 2;
    static constexpr uint64_t kSeekUpdates = 588; // ten seconds of 17 ms updates

    // What the viewer asks for in one tick.
    struct Controls {
        MenuCommand command = MenuCommand::None; // Confirm pauses, Up/Down speed, Left/Right seek
        bool step = false;                       // one update, while paused
    };
    enum class Status { Watching, Over };

    ReplayWatch(GraphicsDevice& graphics, ContentCache& content, SoundSystem& sound, KeyboardInput& keyboard,
                GameState& game, const SceneOptions& options, const PlayerFiles& files, ReplayRun run);
    ~ReplayWatch();
    ReplayWatch(const ReplayWatch&) = delete;
    ReplayWatch& operator=(const ReplayWatch&) = delete;

    // One director tick: the controls, then as many updates as the speed asks (none, paused).
    Status tick(const Controls& controls);
    void draw();

    const Scene* scene() const { return scene_.get(); }
    bool paused() const { return paused_; }
    uint32_t speedPercent() const { return kSpeedPercent[speed_]; }
    size_t stageIndex() const { return stage_; }
    // Updates ridden in the current stage.
    uint64_t updates() const { return updates_; }
    // The sign's lines: what is shown ("REPLAY", the date, mode and score) and how it plays.
    std::vector<std::string> caption() const;
    const ReplayRun& run() const { return run_; }

  private:
    static std::string titleOf(const ReplayRun& run);
    void startStage(size_t index);
    // One update; false once the run is over (a stage ended: the next one is started).
    bool update();
    void seekTo(uint64_t updates);

    GraphicsDevice& graphics_;
    ContentCache& content_;
    SoundSystem& sound_;
    KeyboardInput& keyboard_;
    GameState& game_;
    const SceneOptions options_;
    const PlayerFiles files_;
    const ReplayRun run_;
    const std::string title_; // the sign's first line, the same all through
    std::unique_ptr<Scene> scene_;
    size_t stage_ = 0;
    uint64_t updates_ = 0;
    size_t speed_ = kNormalSpeed;
    uint32_t slowTicks_ = 0; // ticks since the last update, below normal speed
    bool paused_ = false;
    bool over_ = false;
};

} // namespace qv
