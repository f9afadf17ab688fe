#include "app/ReplayVerifier.h"

#include "assets/ContentCache.h"
#include "core/FilePaths.h"
#include "field/Field.h"
#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "race/RaceScore.h"
#include "replay/ReplayFile.h"
#include "scene/Scene.h"

#include <ostream>

namespace qv {

namespace {

// A stage rides until its scene is over or its records are used up, and never much longer than
// its records could take (the start signal and the finish come on top of them).
constexpr uint64_t kTicksBeyondRecords = 100000;

ReplayVerifier::StageResult rideStage(const ReplayStage& stage, GameState& game, ContentCache& content) {
    RecordingRenderDevice graphics(RecordingRenderDevice::Vertices::Skip, 640, 480);
    NullSoundSystem sound;
    const ScriptedKeySource keys = ScriptedKeySource::fromText("");
    KeyboardInput keyboard(keys, keys);
    SceneOptions options;
    options.initializeScores = true; // the player's table plays no part
    options.ripples = false;         // what is only seen is left out
    options.splashes = false;
    game.stageNumber = stage.stageNumber;
    Scene scene(SceneKind::Replay, graphics, content, sound, keyboard, game, options, PlayerFiles(), &stage);
    scene.start();
    const uint64_t limit = stage.records.size() + kTicksBeyondRecords;
    for (uint64_t tick = 0; tick < limit; ++tick) {
        const SceneStatus status = scene.update();
        graphics.clearLog();
        sound.clearEvents();
        if (status == SceneStatus::Over || status == SceneStatus::NextStage || scene.replayFinished())
            break;
    }
    const RaceScore& score = *scene.raceScore();
    return {score.score(), score.knockDowns(), scene.replayRecordsRidden()};
}

} // namespace

std::vector<ReplayVerifier::StageResult> ReplayVerifier::ride(const ReplayRun& run) {
    GameState game;
    game.reset();
    game.sightRange = GameState::clampSightRange(run.sightRange);
    game.gameMode = run.mode == ReplayRun::Mode::Stages ? GameMode::Stages : GameMode::Endless;
    ContentCache content; // the stages' scenes decode the content once
    std::vector<StageResult> results;
    for (const ReplayStage& stage : run.stages)
        results.push_back(rideStage(stage, game, content));
    return results;
}

bool ReplayVerifier::fieldsMatch(const ReplayRun& run, std::string& error) {
    for (const ReplayStage& stage : run.stages) {
        const std::string path = resolvePath(Field::dataFilePath(stage.stageNumber));
        std::string bytes;
        if (!readFile(path, bytes) || fieldHash(bytes) != stage.fieldHash ||
            stage.fieldIndex != (stage.stageNumber & 3u)) {
            error =
                "stage " + std::to_string(stage.stageNumber) + " was ridden on another field than " + path;
            return false;
        }
    }
    return true;
}

std::optional<ReplayRun> ReplayVerifier::loadForRiding(const std::string& path, std::string& error) {
    auto run = ReplayFile::load(path, error);
    if (!run)
        return std::nullopt;
    if (run->simulationVersion != ReplayFile::kSimulationVersion) {
        error = path;
        error += " was recorded by simulation version " + std::to_string(run->simulationVersion) + " (game " +
                 run->gameVersion + "); this game rides version " +
                 std::to_string(ReplayFile::kSimulationVersion);
        return std::nullopt;
    }
    std::string fieldError;
    if (!fieldsMatch(*run, fieldError)) {
        error = path + ": " + fieldError;
        return std::nullopt;
    }
    return run;
}

int ReplayVerifier::verify(const std::string& path, std::ostream& out, std::ostream& errors) {
    std::string error;
    const auto run = loadForRiding(path, error);
    if (!run) {
        errors << "qorvex: " << error << "\n";
        return 2;
    }
    const std::vector<StageResult> results = ride(*run);
    StageResult total;
    bool same = true;
    for (size_t i = 0; i < results.size(); ++i) {
        const ReplayStage& stage = run->stages[i];
        total.score += results[i].score;
        total.knockDowns += results[i].knockDowns;
        total.ticks += results[i].ticks;
        same = same && results[i].score == stage.score && results[i].knockDowns == stage.knockDowns &&
               results[i].ticks == stage.records.size();
    }
    out << "score " << total.score << ", knock-downs " << total.knockDowns << ", ticks " << total.ticks
        << "\n";
    if (!same) {
        errors << "qorvex: " << path << " claims score " << run->score() << ", knock-downs "
               << run->knockDowns() << ", ticks " << run->ticks() << "; riding it gives the line above\n";
        return 1;
    }
    return 0;
}

} // namespace qv
