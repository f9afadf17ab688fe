#include "app/ReplayWatch.h"

#include "core/LocalTime.h"
#include "platform/SoundSystem.h"
#include "scene/Scene.h"

#include <algorithm>
#include <ctime>

namespace qv {

ReplayWatch::ReplayWatch(GraphicsDevice& graphics, ContentCache& content, SoundSystem& sound,
                         KeyboardInput& keyboard, GameState& game, const SceneOptions& options,
                         const PlayerFiles& files, ReplayRun run)
    : graphics_(graphics), content_(content), sound_(sound), keyboard_(keyboard), game_(game),
      options_(options), files_(files), run_(std::move(run)), title_(titleOf(run_)) {
    game_.gameMode = run_.mode == ReplayRun::Mode::Stages ? GameMode::Stages : GameMode::Endless;
    game_.sightRange = GameState::clampSightRange(run_.sightRange);
    startStage(0);
}

ReplayWatch::~ReplayWatch() = default;

void ReplayWatch::startStage(size_t index) {
    stage_ = index;
    updates_ = 0;
    game_.stageNumber = run_.stages[index].stageNumber;
    scene_.reset();
    scene_ = std::make_unique<Scene>(SceneKind::Replay, graphics_, content_, sound_, keyboard_, game_,
                                     options_, files_, &run_.stages[index]);
    scene_->start();
}

bool ReplayWatch::update() {
    if (over_)
        return false;
    const SceneStatus status = scene_->update();
    ++updates_;
    const bool stageOver =
        status == SceneStatus::Over || status == SceneStatus::NextStage || scene_->replayFinished();
    if (!stageOver)
        return true;
    if (stage_ + 1 < run_.stages.size()) {
        startStage(stage_ + 1);
        return true;
    }
    over_ = true;
    return false;
}

// Back: the stage ridden again from its start; on: ridden ahead. Silent either way.
void ReplayWatch::seekTo(uint64_t target) {
    const bool wasMuted = sound_.levels().muted();
    sound_.setMuted(true);
    if (target < updates_)
        startStage(stage_);
    const size_t stage = stage_;
    while (updates_ < target && stage_ == stage && update()) {
    }
    scene_->settleDisplays();
    sound_.setMuted(wasMuted);
}

ReplayWatch::Status ReplayWatch::tick(const Controls& controls) {
    switch (controls.command) {
    case MenuCommand::Confirm:
        paused_ = !paused_;
        break;
    case MenuCommand::Up:
        speed_ = std::min(speed_ + 1, kSpeedPercent.size() - 1);
        break;
    case MenuCommand::Down:
        speed_ = speed_ > 0 ? speed_ - 1 : 0;
        break;
    case MenuCommand::Left:
        seekTo(updates_ > kSeekUpdates ? updates_ - kSeekUpdates : 0);
        break;
    case MenuCommand::Right:
        seekTo(updates_ + kSeekUpdates);
        break;
    default:
        break;
    }
    if (paused_) {
        if (controls.step)
            update();
        return over_ ? Status::Over : Status::Watching;
    }
    const uint32_t percent = kSpeedPercent[speed_];
    if (percent < 100) {
        // A quarter speed: one update every fourth tick.
        if (++slowTicks_ < 100 / percent)
            return Status::Watching;
        slowTicks_ = 0;
    }
    for (uint32_t i = 0; i < std::max(1u, percent / 100); ++i) {
        if (!update())
            return Status::Over;
    }
    return Status::Watching;
}

void ReplayWatch::draw() {
    scene_->draw();
}

std::string ReplayWatch::titleOf(const ReplayRun& run) {
    std::string title = "REPLAY   ";
    title += localTimeText(static_cast<std::time_t>(run.date), "%Y-%m-%d %H:%M");
    title += run.mode == ReplayRun::Mode::Endless ? "   endless   " : "   stages   ";
    title += std::to_string(run.score());
    return title;
}

std::vector<std::string> ReplayWatch::caption() const {
    std::string how(paused_ ? "PAUSED" : kSpeedNames[speed_]);
    if (run_.stages.size() > 1) {
        how += "   stage ";
        how += std::to_string(run_.stages[stage_].stageNumber);
    }
    return {title_, how};
}

} // namespace qv
