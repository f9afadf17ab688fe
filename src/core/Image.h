#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// Pixels as 0xAARRGGBB words, row by row from the top.
struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(uint32_t x, uint32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

} // namespace qv
