#pragma once

#include "replay/ReplayRun.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The replay file (.qvr): one finished run, self-describing, little-endian; docs/REPLAY-FORMAT.md
// gives it byte by byte. A header (magic, format version, simulation version, game version, date,
// mode, stage count, total score and knock-downs), a table of the stages (each with its field's
// hash, its score, knock-downs and counts), then each stage's input records and goal values.
class ReplayFile {
  public:
    static constexpr std::string_view kMagic{"QVREPLAY"};
    static constexpr uint16_t kFormatVersion = 1;
    // Moves on whenever a change alters how a run plays out: a replay of another simulation
    // version may not ride as it was recorded, so it is refused rather than shown wrong.
    static constexpr uint32_t kSimulationVersion = 1;
    static constexpr size_t kGameVersionBytes = 16;
    static constexpr size_t kHeaderBytes = 56;
    static constexpr size_t kStageEntryBytes = 40;
    static constexpr size_t kStageCountOffset = 44; // in the header
    // No run comes near these; a file that claims more is damaged or hostile.
    static constexpr uint32_t kMaxStages = 100000;
    static constexpr uint64_t kMaxFileBytes = 1ull << 30;
    static constexpr const char* kExtension = ".qvr";

    static std::string encode(const ReplayRun& run);
    // The run, or nothing with the reason in error. A file of another simulation version reads
    // (its records are sound) and says its version; whether to play it is the caller's choice.
    static std::optional<ReplayRun> decode(std::string_view bytes, std::string& error);
    // The header and the stage table only (every stage without its records and goals), from the
    // file's first bytes.
    static std::optional<ReplayRun> decodeSummary(std::string_view bytes, std::string& error);

    // Through a temporary file and a rename. False when it could not be written.
    static bool save(const std::string& path, const ReplayRun& run);
    // error names the file and what is wrong with it.
    static std::optional<ReplayRun> load(const std::string& path, std::string& error);
    // Reads no more than the header and the stage table.
    static std::optional<ReplayRun> loadSummary(const std::string& path, std::string& error);

  private:
    static std::optional<ReplayRun> decode(std::string_view bytes, std::string& error, bool summary);
};

} // namespace qv
