#include "field/FieldHeights.h"

#include "core/FatalError.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace qv {

void FieldHeights::set(int i, int j, float height) {
    samples_[static_cast<size_t>(i) * kSamples + j] = std::isfinite(height) ? height : 0.0f;
}

FieldHeights FieldHeights::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FatalError("ERROR : Cannot open FieldDataFile");
    std::vector<unsigned char> bytes(kFileBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    FieldHeights heights;
    if (static_cast<size_t>(in.gcount()) < kFileBytes)
        return heights;
    for (size_t k = 0; k < kCount; ++k) {
        const unsigned char* b = &bytes[k * 4];
        uint32_t bits = b[0] | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
        heights.set(static_cast<int>(k / kSamples), static_cast<int>(k % kSamples),
                    std::bit_cast<float>(bits));
    }
    return heights;
}

} // namespace qv
