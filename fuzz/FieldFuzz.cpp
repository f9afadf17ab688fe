// The field reader: a field it takes has only finite heights within the bound.
#include "FuzzInput.h"
#include "core/FatalError.h"
#include "field/FieldHeights.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qv::fuzz::asFile(data, size, "Field0.dat");
    try {
        const qv::FieldHeights heights = qv::FieldHeights::read(path);
        for (int i = 0; i < qv::FieldHeights::kSamples; ++i) {
            for (int j = 0; j < qv::FieldHeights::kSamples; ++j) {
                const float h = heights.at(i, j);
                if (!std::isfinite(h) || std::fabs(h) > qv::FieldHeights::kMaxHeight)
                    std::abort();
            }
        }
    } catch (const qv::FatalError&) {
    }
    return 0;
}
