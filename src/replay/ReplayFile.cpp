#include "replay/ReplayFile.h"

#include "core/FilePaths.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <type_traits>

namespace qv {

namespace {

template <typename T> void put(std::string& out, T value) {
    static_assert(std::is_trivially_copyable_v<T>);
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T)); // the file is little-endian, as this machine is
    out.append(bytes, sizeof(T));
}

// Reads fixed-size fields from the front of the bytes, never past their end.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    template <typename T> T take() {
        T value{};
        std::memcpy(&value, bytes_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::string_view takeBytes(size_t count) {
        const std::string_view out = bytes_.substr(at_, count);
        at_ += count;
        return out;
    }
    size_t left() const { return bytes_.size() - at_; }

  private:
    std::string_view bytes_;
    size_t at_ = 0;
};

void putStage(std::string& out, const ReplayStage& stage) {
    put<uint32_t>(out, stage.stageNumber);
    put<uint32_t>(out, stage.fieldIndex);
    put<uint64_t>(out, stage.fieldHash);
    put<uint32_t>(out, stage.score);
    put<uint32_t>(out, stage.knockDowns);
    put<uint32_t>(out, static_cast<uint32_t>(stage.records.size()));
    put<uint32_t>(out, static_cast<uint32_t>(stage.draws.size()));
    put<uint64_t>(out, 0);
}

struct Counts {
    uint32_t records = 0;
    uint32_t draws = 0;
};

ReplayStage takeStage(Reader& in, Counts& counts) {
    ReplayStage stage;
    stage.stageNumber = in.take<uint32_t>();
    stage.fieldIndex = in.take<uint32_t>();
    stage.fieldHash = in.take<uint64_t>();
    stage.score = in.take<uint32_t>();
    stage.knockDowns = in.take<uint32_t>();
    counts.records = in.take<uint32_t>();
    counts.draws = in.take<uint32_t>();
    in.take<uint64_t>();
    return stage;
}

bool fail(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

// Every steering value a number within full lock: the game never writes anything else.
bool soundRecords(const ReplayStage& stage, size_t stageIndex, std::string& error) {
    for (size_t i = 0; i < stage.records.size(); ++i) {
        const float steer = stage.records[i].steer;
        if (!std::isfinite(steer) || std::fabs(steer) > 1.0f)
            return fail(error, "record " + std::to_string(i) + " of stage " + std::to_string(stageIndex + 1) +
                                   " steers " + std::to_string(steer) + ", outside -1..1");
    }
    return true;
}

} // namespace

std::string ReplayFile::encode(const ReplayRun& run) {
    std::string out(kMagic);
    put<uint16_t>(out, kFormatVersion);
    put<uint16_t>(out, run.sightRange);
    put<uint32_t>(out, run.simulationVersion);
    std::string version = run.gameVersion.substr(0, kGameVersionBytes);
    version.resize(kGameVersionBytes, '\0');
    out += version;
    put<int64_t>(out, run.date);
    put<uint8_t>(out, static_cast<uint8_t>(run.mode));
    out.append(3, '\0');
    put<uint32_t>(out, static_cast<uint32_t>(run.stages.size()));
    put<uint32_t>(out, run.score());
    put<uint32_t>(out, run.knockDowns());
    for (const ReplayStage& stage : run.stages)
        putStage(out, stage);
    for (const ReplayStage& stage : run.stages) {
        if (!stage.records.empty())
            out.append(reinterpret_cast<const char*>(stage.records.data()),
                       stage.records.size() * sizeof(ControlRecord));
        for (const int32_t draw : stage.draws)
            put<int32_t>(out, draw);
    }
    return out;
}

std::optional<ReplayRun> ReplayFile::decode(std::string_view bytes, std::string& error) {
    return decode(bytes, error, false);
}

std::optional<ReplayRun> ReplayFile::decodeSummary(std::string_view bytes, std::string& error) {
    return decode(bytes, error, true);
}

std::optional<ReplayRun> ReplayFile::decode(std::string_view bytes, std::string& error, bool summary) {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, kMagic.size()) != kMagic) {
        error = "not a replay file (no replay header)";
        return std::nullopt;
    }
    Reader in(bytes);
    in.takeBytes(kMagic.size());
    const auto format = in.take<uint16_t>();
    if (format != kFormatVersion) {
        error = "replay format version " + std::to_string(format) + "; this game reads version " +
                std::to_string(kFormatVersion);
        return std::nullopt;
    }
    ReplayRun run;
    run.sightRange = in.take<uint16_t>();
    run.simulationVersion = in.take<uint32_t>();
    const std::string_view version = in.takeBytes(kGameVersionBytes);
    run.gameVersion = std::string(version.substr(0, version.find('\0')));
    run.date = in.take<int64_t>();
    const auto mode = in.take<uint8_t>();
    in.takeBytes(3);
    const auto stageCount = in.take<uint32_t>();
    const auto score = in.take<uint32_t>();
    const auto knockDowns = in.take<uint32_t>();
    if (mode > 1) {
        error = "unknown game mode " + std::to_string(mode);
        return std::nullopt;
    }
    run.mode = static_cast<ReplayRun::Mode>(mode);
    if (stageCount == 0 || stageCount > kMaxStages ||
        static_cast<uint64_t>(stageCount) * kStageEntryBytes > in.left()) {
        error = "the header claims " + std::to_string(stageCount) + " stages, which the file does not hold";
        return std::nullopt;
    }

    std::vector<Counts> counts(stageCount);
    uint64_t body = 0;
    for (uint32_t s = 0; s < stageCount; ++s) {
        run.stages.push_back(takeStage(in, counts[s]));
        body += uint64_t{counts[s].records} * sizeof(ControlRecord) + uint64_t{counts[s].draws} * 4;
    }
    if (summary)
        return run;
    if (body != in.left()) {
        error = "the stage table claims " + std::to_string(body) +
                " bytes of records and goals, the file holds " + std::to_string(in.left());
        return std::nullopt;
    }
    for (uint32_t s = 0; s < stageCount; ++s) {
        ReplayStage& stage = run.stages[s];
        stage.records.resize(counts[s].records);
        const std::string_view records = in.takeBytes(stage.records.size() * sizeof(ControlRecord));
        if (!records.empty()) // a stage left before its race began has none
            std::memcpy(stage.records.data(), records.data(), records.size());
        for (uint32_t d = 0; d < counts[s].draws; ++d)
            stage.draws.push_back(in.take<int32_t>());
        if (!soundRecords(stage, s, error))
            return std::nullopt;
    }
    if (run.score() != score || run.knockDowns() != knockDowns) {
        error = "the header's score or knock-downs disagree with its stages";
        return std::nullopt;
    }
    return run;
}

bool ReplayFile::save(const std::string& path, const ReplayRun& run) {
    const std::string bytes = encode(run);
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

std::optional<ReplayRun> ReplayFile::loadSummary(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(kHeaderBytes, '\0');
    if (!std::filesystem::is_regular_file(path) ||
        !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        error = path + ": not a replay file";
        return std::nullopt;
    }
    uint32_t stages = 0;
    std::memcpy(&stages, bytes.data() + kStageCountOffset, sizeof(stages));
    if (stages <= kMaxStages) {
        bytes.resize(kHeaderBytes + size_t{stages} * kStageEntryBytes);
        in.read(bytes.data() + kHeaderBytes, static_cast<std::streamsize>(bytes.size() - kHeaderBytes));
        bytes.resize(kHeaderBytes + static_cast<size_t>(in.gcount()));
    }
    auto run = decodeSummary(bytes, error);
    if (!run)
        error = path + ": " + error;
    return run;
}

std::optional<ReplayRun> ReplayFile::load(const std::string& path, std::string& error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        error = path + ": cannot read it (" + (ec ? ec.message() : std::string("not a file")) + ")";
        return std::nullopt;
    }
    if (size > kMaxFileBytes) {
        error = path + ": " + std::to_string(size) + " bytes, more than any replay holds";
        return std::nullopt;
    }
    std::string bytes;
    if (!readFile(path, bytes)) {
        error = path + ": cannot read it";
        return std::nullopt;
    }
    auto run = decode(bytes, error);
    if (!run)
        error = path + ": " + error;
    return run;
}

} // namespace qv
