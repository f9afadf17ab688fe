#include "formats/FieldFile.h"

#include "formats/ByteWriter.h"

#include <bit>

namespace qv::content {

std::vector<uint8_t> encodeFieldFile(const FieldHeights& heights) {
    std::vector<uint8_t> bytes;
    bytes.reserve(FieldHeights::kFileBytes);
    ByteWriter out(bytes);
    for (int i = 0; i < FieldHeights::kSamples; ++i)
        for (int j = 0; j < FieldHeights::kSamples; ++j)
            out.u32(std::bit_cast<uint32_t>(heights.at(i, j)));
    return bytes;
}

} // namespace qv::content
