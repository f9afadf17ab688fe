#include "field/FieldHeights.h"

#include "core/FatalError.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qv {

void FieldHeights::set(int i, int j, float height) {
    samples_[static_cast<size_t>(i) * kSamples + j] = std::isfinite(height) ? height : 0.0f;
}

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
    throw FatalError("ERROR : Cannot open FieldDataFile", path + ": " + why);
}

} // namespace

// Only a regular file is opened, so a pipe or a device in its place cannot block or flood the
// game; a file too short for every height, or a height no field can have, is refused by name.
FieldHeights FieldHeights::read(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        refuse(path, ec ? ec.message() : "not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        refuse(path, "cannot open it");
    std::vector<unsigned char> bytes(kFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto size = static_cast<size_t>(in.gcount());
    if (size < kFileBytes)
        refuse(path, std::to_string(size) + " bytes; a field has " + std::to_string(kFileBytes) + " (" +
                         std::to_string(kSamples) + " x " + std::to_string(kSamples) + " heights)");
    FieldHeights heights;
    for (size_t k = 0; k < kCount; ++k) {
        const unsigned char* b = &bytes[k * 4];
        uint32_t bits = b[0] | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
        const float height = std::bit_cast<float>(bits);
        const int i = static_cast<int>(k / kSamples);
        const int j = static_cast<int>(k % kSamples);
        if (std::isfinite(height) && std::fabs(height) > kMaxHeight)
            refuse(path, "height " + std::to_string(height) + " at sample (" + std::to_string(i) + ", " +
                             std::to_string(j) + ") lies outside -" + std::to_string(int(kMaxHeight)) + ".." +
                             std::to_string(int(kMaxHeight)));
        heights.set(i, j, height);
    }
    return heights;
}

} // namespace qv
