#include "WaterEffectTextures.h"

#include "pictures/Rgba.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace qv::content {

namespace {

// A square image from a function of the pixel centre, given relative to the middle of the
// square in half-widths (-1..1 across, -1..1 down).
Image radialImage(int size, const std::function<Rgba(float x, float y)>& colour) {
    Image image{static_cast<uint32_t>(size), static_cast<uint32_t>(size), {}};
    image.pixels.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
    const float half = 0.5f * static_cast<float>(size);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const float x = (static_cast<float>(column) + 0.5f - half) / half;
            const float y = (static_cast<float>(row) + 0.5f - half) / half;
            image.pixels.push_back(colour(x, y).toArgb());
        }
    }
    return image;
}

float bump(float r, float centre, float width) {
    const float d = (r - centre) / width;
    return std::exp(-d * d);
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

Image rippleTexture() {
    return radialImage(kRippleSize, [](float x, float y) {
        const float r = std::hypot(x, y);
        const float ring = bump(r, kRippleRadius, 0.07f) + 0.35f * bump(r, kRippleRadius - 0.2f, 0.05f);
        const float keepInside = 1.0f - smoothstep(0.9f, 0.98f, r);
        return Rgba{1.0f, 1.0f, 1.0f, std::clamp(ring, 0.0f, 1.0f) * keepInside};
    });
}

Image splashTexture() {
    const Rgba core{0.9f, 0.97f, 1.0f, 1.0f};
    const Rgba rim{0.45f, 0.72f, 1.0f, 1.0f};
    return radialImage(kSplashSize, [&](float x, float y) {
        const float r = std::hypot(x, y);
        Rgba c = mix(core, rim, smoothstep(0.2f, 0.85f, r));
        // The glint, up and to the left where the sky lights the bead.
        const float glint = 1.0f - smoothstep(0.08f, 0.28f, std::hypot(x + 0.3f, y + 0.32f));
        c = mix(c, Rgba{1.0f, 1.0f, 1.0f, 1.0f}, glint);
        return c.withAlpha(1.0f - smoothstep(0.72f, 0.95f, r));
    });
}

} // namespace qv::content
