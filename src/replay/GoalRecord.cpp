#include "replay/GoalRecord.h"

#include "core/FilePaths.h"

#include <filesystem>
#include <fstream>

namespace qv {

GoalRecord::GoalRecord(int32_t fill) {
    entries_.fill(fill);
}

bool GoalRecord::load(const std::string& path) {
    const std::string resolved = resolvePath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(resolved, ec)) // a pipe there would block for ever
        return false;
    std::ifstream in(resolved, std::ios::binary);
    if (!in)
        return false;
    std::array<unsigned char, kFileBytes> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // A torn last word is left out rather than half used.
    const size_t words = static_cast<size_t>(in.gcount()) / 4;
    for (size_t k = 0; k < words; ++k) {
        const unsigned char* b = &bytes[k * 4];
        const uint32_t bits = b[0] | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
        entries_[k] = static_cast<int32_t>(bits);
    }
    return true;
}

bool GoalRecord::save(const std::string& path) const {
    std::array<unsigned char, kFileBytes> bytes{};
    for (size_t k = 0; k < kEntries; ++k) {
        const uint32_t bits = static_cast<uint32_t>(entries_[k]);
        for (size_t i = 0; i < 4; ++i)
            bytes[k * 4 + i] = static_cast<unsigned char>(bits >> (8 * i));
    }
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

std::optional<int32_t> GoalRecord::nextRecorded() {
    if (position_ >= kEntries || entries_[position_] < 0)
        return std::nullopt;
    return entries_[position_++];
}

void GoalRecord::store(int32_t value) {
    if (position_ >= kEntries)
        position_ = 0;
    entries_[position_++] = value;
}

} // namespace qv
