#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qv::content {

// A colour with straight (not premultiplied) alpha, every channel in 0..1.
struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    static Rgba fromArgb(uint32_t argb) {
        auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f; };
        return {channel(16), channel(8), channel(0), channel(24)};
    }

    uint32_t toArgb() const {
        auto channel = [](float v, int shift) {
            return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)) << shift;
        };
        return channel(a, 24) | channel(r, 16) | channel(g, 8) | channel(b, 0);
    }

    Rgba withAlpha(float alpha) const { return {r, g, b, alpha}; }
};

inline Rgba mix(const Rgba& from, const Rgba& to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

} // namespace qv::content
