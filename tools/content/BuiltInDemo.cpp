#include "BuiltInDemo.h"

#include "ContentPaths.h"
#include "app/TraceReader.h"
#include "assets/DataFiles.h"
#include "core/FatalError.h"
#include "core/FilePaths.h"

#include <optional>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace qv::content {

namespace fs = std::filesystem;

namespace {

// Skip the logo, then start an endless run from the demo; the run, its finish and the return to
// the demo all fit in the ticks given. The autopilot knocks down a goal every quarter minute or so
// and each one buys more time, so a run lasts minutes.
constexpr const char* kKeys = "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n";
constexpr int kTicks = 24000;
const uint32_t kSeeds[] = {5, 3, 7, 11, 13, 17, 19, 23};
constexpr int kGoodEnough = 80; // stop trying seeds once a run is this lively

struct Recording {
    std::string ride;
    std::string goals;
    RunSummary summary;
};

std::string quoted(const std::string& s) {
    if (s.find('\'') != std::string::npos)
        throw FatalError("cannot run a game whose path holds a quote: " + s);
    return "'" + s + "'";
}

// A folder for the game to run in: the generated content without any scores or recordings.
// The game runs there, so the names it reads and writes by are relative to it.
fs::path prepareRunFolder(const std::string& dataDir) {
    fs::path run = fs::temp_directory_path() / ("qorvex-demo-" + std::to_string(::getpid()));
    fs::remove_all(run);
    fs::create_directories(run / data::kFolder);
    for (const auto& entry : fs::recursive_directory_iterator(dataDir)) {
        fs::path relative = fs::relative(entry.path(), dataDir);
        if (entry.is_directory())
            fs::create_directories(run / data::kFolder / relative);
        else if (!isGameWritten(relative.string()))
            fs::copy_file(entry.path(), run / data::kFolder / relative, fs::copy_options::overwrite_existing);
    }
    std::ofstream(run / "keys.txt") << kKeys;
    return run;
}

// Whichever the run wrote: the demo after a new high score, else the replay.
std::string readEither(const fs::path& run, const char* first, const char* second) {
    std::string bytes;
    if (!readFile((run / first).string(), bytes))
        readFile((run / second).string(), bytes);
    return bytes;
}

Recording playOnce(const fs::path& run, const std::string& game, uint32_t seed) {
    const std::string gamePath = fs::absolute(game).string();
    for (const char* name : {data::kDemoRecording, data::kDemoGoals, data::kReplayRecording,
                             data::kReplayGoals, data::kScoreTable})
        fs::remove(run / name);
    std::string command = "cd " + quoted(run.string()) + " && " + quoted(gamePath) +
                          " --headless --autopilot --seed " + std::to_string(seed) + " --ticks " +
                          std::to_string(kTicks) + " --keys keys.txt --trace trace.jsonl > game.log 2>&1";
    if (std::system(command.c_str()) != 0)
        throw FatalError("the game failed while recording the demo (see " + (run / "game.log").string() +
                         ")");
    Recording recording;
    recording.ride = readEither(run, data::kDemoRecording, data::kReplayRecording);
    recording.goals = readEither(run, data::kDemoGoals, data::kReplayGoals);
    recording.summary = summarizeRun((run / "trace.jsonl").string());
    return recording;
}

} // namespace

int RunSummary::liveliness() const {
    if (!finished)
        return 0;
    return knockDowns * 10 + (waterTicks > 0 ? 5 : 0) + (airTicks > 10 ? 5 : 0);
}

RunSummary summarizeRun(const std::string& tracePath) {
    RunSummary summary;
    std::optional<long> lastScore;
    bool inRun = false;
    for (const TraceTick& t : readTrace(tracePath)) {
        bool running = t.director == 3 && !t.demo;
        if (inRun && !running && t.demo) {
            summary.finished = true;
            break;
        }
        inRun = inRun || running;
        if (!running)
            continue;
        if (t.score && lastScore && *t.score > *lastScore)
            ++summary.knockDowns;
        lastScore = t.score;
        summary.waterTicks += t.riderState == 3 ? 1 : 0;
        summary.airTicks += t.riderState == 2 ? 1 : 0;
    }
    return summary;
}

void recordBuiltInDemo(OutputFolder& out, const std::string& dataDir, const std::string& gamePath,
                       std::ostream& log) {
    std::error_code ec;
    const std::string ride = dataFile(data::kDemoRecording);
    if (fs::exists(resolvePath(dataDir + "/" + ride), ec)) {
        log << "kept " << ride << '\n';
        return;
    }
    fs::path run = prepareRunFolder(dataDir);
    Recording best;
    for (uint32_t seed : kSeeds) {
        Recording take = playOnce(run, gamePath, seed);
        log << "demo take with seed " << seed << ": " << take.summary.knockDowns << " knock-downs, "
            << take.summary.waterTicks << " ticks in water, " << take.summary.airTicks << " in the air\n";
        if (take.summary.liveliness() > best.summary.liveliness() && !take.ride.empty())
            best = take;
        if (best.summary.liveliness() >= kGoodEnough)
            break;
    }
    fs::remove_all(run, ec);
    if (best.ride.empty() || best.summary.liveliness() == 0)
        throw FatalError("no demo take finished its run");
    out.installIfAbsent(ride, bytesOf(best.ride));
    out.installIfAbsent(dataFile(data::kDemoGoals), bytesOf(best.goals));
}

} // namespace qv::content
