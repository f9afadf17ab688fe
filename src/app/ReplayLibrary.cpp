#include "app/ReplayLibrary.h"

#include "core/FilePaths.h"
#include "core/LocalTime.h"
#include "race/RaceScore.h"
#include "replay/ReplayFile.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>

namespace qv {

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string path;
    ReplayRun summary;
};

std::vector<Entry> readFolder(const std::string& folder) {
    std::vector<Entry> entries;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        if (item.path().extension() != ReplayFile::kExtension || !item.is_regular_file(ec))
            continue;
        std::string error;
        if (auto summary = ReplayFile::loadSummary(item.path().string(), error))
            entries.push_back({item.path().string(), std::move(*summary)});
    }
    return entries;
}

// The best endless run and, for each stage entry, the stage run that scored most there.
std::array<const Entry*, 5> bestOfEach(const std::vector<Entry>& entries) {
    std::array<const Entry*, 5> best{};
    std::array<uint32_t, 5> bestScore{};
    for (const Entry& entry : entries) {
        for (const ReplayStage& stage : entry.summary.stages) {
            const size_t slot =
                entry.summary.mode == ReplayRun::Mode::Endless ? 0 : RaceScore::tableIndex(stage.stageNumber);
            const uint32_t score = slot == 0 ? entry.summary.score() : stage.score;
            if (!best[slot] || score > bestScore[slot]) {
                best[slot] = &entry;
                bestScore[slot] = score;
            }
        }
    }
    return best;
}

} // namespace

std::string ReplayLibrary::fileName(const ReplayRun& run) {
    std::string name = localTimeText(static_cast<std::time_t>(run.date), "%Y-%m-%d_%H-%M-%S");
    if (run.mode == ReplayRun::Mode::Endless) {
        name += "_endless";
    } else {
        name += "_stage";
        name += std::to_string(run.startStage());
        if (run.stages.size() > 1) {
            name += '-';
            name += std::to_string(run.stages.back().stageNumber);
        }
    }
    name += '_';
    name += std::to_string(run.score());
    return name;
}

std::optional<std::string> ReplayLibrary::save(const ReplayRun& run, std::string& error) const {
    std::error_code ec;
    if (!fs::exists(folder_, ec) && !createFolderOwnerOnly(folder_, ec)) {
        error = "cannot make the folder " + folder_ + ": " + ec.message();
        return std::nullopt;
    }
    if (!fs::is_directory(folder_, ec)) {
        error = folder_ + " is not a folder";
        return std::nullopt;
    }
    const std::string path = unusedPath((fs::path(folder_) / fileName(run)).string(), ReplayFile::kExtension);
    if (path.empty() || !ReplayFile::save(path, run)) {
        error = "cannot write " + path;
        return std::nullopt;
    }
    prune();
    return path;
}

std::array<std::optional<std::string>, 5> ReplayLibrary::bests() const {
    const std::vector<Entry> entries = readFolder(folder_);
    std::array<std::optional<std::string>, 5> paths;
    const auto best = bestOfEach(entries);
    for (size_t slot = 0; slot < best.size(); ++slot) {
        if (best[slot])
            paths[slot] = best[slot]->path;
    }
    return paths;
}

std::vector<std::string> ReplayLibrary::prune() const {
    std::vector<Entry> entries = readFolder(folder_);
    std::ranges::sort(entries, [](const Entry& a, const Entry& b) {
        return a.summary.date != b.summary.date ? a.summary.date > b.summary.date : a.path > b.path;
    });
    std::vector<std::string> keep;
    for (size_t i = 0; i < entries.size() && i < keep_; ++i)
        keep.push_back(entries[i].path);
    for (const Entry* best : bestOfEach(entries)) {
        if (best)
            keep.push_back(best->path);
    }
    std::vector<std::string> removed;
    for (const Entry& entry : entries) {
        std::error_code ec;
        if (std::ranges::find(keep, entry.path) == keep.end() && fs::remove(entry.path, ec))
            removed.push_back(entry.path);
    }
    return removed;
}

} // namespace qv
