#include "replay/DemoPair.h"

#include "core/FilePaths.h"
#include "replay/ControlRecording.h"
#include "replay/GoalRecord.h"
#include "replay/ReplayRun.h"

#include <cstdio>
#include <filesystem>

namespace qv {

namespace {
constexpr uint64_t kMaxSealBytes = 4096;

// "<label> <size> <hash>" for the file at path; empty when it cannot be read. The bound is both
// files together: anything bigger is no ride.
std::string sealLine(const char* label, const std::string& path) {
    std::string bytes;
    if (!readFile(resolvePath(path), bytes, ControlRecording::kFileBytes + GoalRecord::kFileBytes))
        return {};
    char line[64];
    std::snprintf(line, sizeof line, "%s %zu %016llx\n", label, bytes.size(),
                  static_cast<unsigned long long>(fieldHash(bytes)));
    return line;
}
} // namespace

DemoPair::DemoPair(Files files, std::string seal) : files_(std::move(files)), seal_(std::move(seal)) {}

std::string DemoPair::sealText(const Files& files) {
    const std::string ride = sealLine("ride", files.ride);
    const std::string goals = sealLine("goals", files.goals);
    return ride.empty() || goals.empty() ? std::string() : ride + goals;
}

bool DemoPair::whole(const Files& files) const {
    std::string sealed;
    if (!readFile(resolvePath(seal_), sealed, kMaxSealBytes))
        return false;
    const std::string actual = sealText(files);
    return !actual.empty() && actual == sealed;
}

DemoPair::Files DemoPair::previous() const {
    return {files_.ride + kPreviousSuffix, files_.goals + kPreviousSuffix};
}

// A pair from before seals (or the content's own) is taken as whole and sealed first, so that a
// save cut short after it is told apart from it.
bool DemoPair::keepPrevious() const {
    std::error_code ec;
    const bool sealed = !seal_.empty() && std::filesystem::exists(resolvePath(seal_), ec);
    if (sealed && !whole(files_))
        return true;
    if (!sealed && !sealText(files_).empty() && !seal())
        return false;
    return keepPreviousGeneration(files_.goals) && keepPreviousGeneration(files_.ride);
}

bool DemoPair::seal() const {
    if (seal_.empty())
        return true;
    const std::string text = sealText(files_);
    return !text.empty() && writeFileAtomically(seal_, text.data(), text.size());
}

DemoPair::Files DemoPair::readable() const {
    std::error_code ec;
    if (seal_.empty() || !std::filesystem::exists(resolvePath(seal_), ec) || whole(files_))
        return files_;
    const Files before = previous();
    return whole(before) ? before : files_;
}

} // namespace qv
