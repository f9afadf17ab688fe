#include "replay/ControlRecording.h"

#include "core/FilePaths.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace qv {

namespace {

float saneSteer(float steer) {
    if (std::isnan(steer))
        return 0.0f;
    return std::clamp(steer, -1.0f, 1.0f);
}

} // namespace

ControlRecording::ControlRecording() : records_(kCapacity) {}

bool ControlRecording::load(const std::string& path) {
    std::fill(records_.begin(), records_.end(), ControlRecord{});
    const std::string resolved = resolvePath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(resolved, ec)) // a pipe there would block for ever
        return false;
    std::ifstream in(resolved, std::ios::binary);
    if (!in)
        return false;
    char* bytes = reinterpret_cast<char*>(records_.data());
    in.read(bytes, static_cast<std::streamsize>(kFileBytes));
    const size_t read = static_cast<size_t>(in.gcount());
    const size_t whole = read / sizeof(ControlRecord);
    // A torn last record is dropped rather than half used.
    std::memset(bytes + whole * sizeof(ControlRecord), 0, read - whole * sizeof(ControlRecord));
    for (size_t i = 0; i < whole; ++i)
        records_[i].steer = saneSteer(records_[i].steer);
    return true;
}

bool ControlRecording::save(const std::string& path) const {
    return writeFileAtomically(path, records_.data(), kFileBytes);
}

} // namespace qv
