#include "RiderTextures.h"

#include "core/Angles.h"
#include "pictures/Canvas.h"
#include "pictures/TileNoise.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace qv::content {

namespace {

constexpr float kFlameTongues = 7.0f; // around the shell

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// An image from a function of the pixel centre in texture coordinates (u, v in 0..1).
Image paintPixels(int width, int height, const std::function<Rgba(float u, float v)>& colour) {
    Image image{static_cast<uint32_t>(width), static_cast<uint32_t>(height), {}};
    image.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width);
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height);
            image.pixels.push_back(colour(u, v).toArgb());
        }
    }
    return image;
}

// Distance (pixels) from a point to a horizontal capsule; negative inside.
float capsuleDistance(float x, float y, float left, float right, float centreY, float radius) {
    const float dx = x - std::clamp(x, left + radius, right - radius);
    const float dy = y - centreY;
    return std::sqrt(dx * dx + dy * dy) - radius;
}

void drawGaugeBar(Canvas& canvas) {
    const float half = kGaugeHeight / 2.0f;
    canvas.fillRoundedRect({2.0f, 2.0f}, {kGaugeWidth - 2.0f, half - 2.0f}, 13.0f,
                           Paint::solid(Rgba{0.08f, 0.10f, 0.28f, 1.0f}));
    canvas.fillRoundedRect({4.5f, 4.5f}, {kGaugeWidth - 4.5f, half - 4.5f}, 10.5f,
                           Paint::linear({0.0f, 4.5f}, Rgba{1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, half - 4.5f},
                                         Rgba{0.62f, 0.64f, 0.70f, 1.0f}));
    // A glossy streak along the top, as on a glass tube.
    canvas.fillRoundedRect({12.0f, 7.0f}, {kGaugeWidth - 12.0f, 13.0f}, 3.0f,
                           Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.7f}));
}

// The halo: brightest on a capsule's outline, fading out to both sides; clear at the edges.
Rgba gaugeGlow(float x, float y) {
    const float top = kGaugeHeight / 2.0f;
    const float d = capsuleDistance(x, y, 20.0f, kGaugeWidth - 20.0f, top + 16.5f, 7.0f);
    const float ring = std::exp(-(d * d) / (d > 0.0f ? 18.0f : 8.0f));
    const float fill = d < 0.0f ? 0.15f : 0.0f;
    const float keepClear =
        smoothstep(top + 1.5f, top + 3.5f, y) * smoothstep(kGaugeHeight - 0.5f, kGaugeHeight - 2.5f, y);
    return {1.0f, 0.95f, 0.6f, std::clamp(ring + fill, 0.0f, 1.0f) * keepClear};
}

// Flame colour by heat: white-hot, yellow, orange, deep red as it cools.
Rgba flameColour(float heat) {
    const Rgba stops[] = {{1.0f, 0.25f, 0.0f, 1.0f},
                          {1.0f, 0.5f, 0.04f, 1.0f},
                          {1.0f, 0.82f, 0.15f, 1.0f},
                          {1.0f, 1.0f, 0.75f, 1.0f}};
    const float scaled = std::clamp(heat, 0.0f, 1.0f) * 3.0f;
    const int i = std::min(static_cast<int>(scaled), 2);
    return mix(stops[i], stops[i + 1], scaled - static_cast<float>(i));
}

// A deterministic scatter of small clumps of grass blades, most darker than the ground, a few
// lighter. A clump that crosses an edge is drawn again on the far side, so the texture tiles.
void drawGrassTufts(Canvas& canvas) {
    constexpr int kTufts = 40;
    constexpr int kBlades = 5;
    const float size = static_cast<float>(kGroundSize);
    uint32_t state = 2024;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    };
    for (int i = 0; i < kTufts; ++i) {
        const Vec2 root{next() * size, next() * size};
        const bool dark = next() < 0.8f;
        const Paint blade =
            Paint::solid(dark ? Rgba{0.7f, 0.76f, 0.66f, 0.6f} : Rgba{1.0f, 1.0f, 0.96f, 0.6f});
        for (int k = 0; k < kBlades; ++k) {
            const float lean =
                1.1f * (static_cast<float>(k) / (kBlades - 1) - 0.5f) + 0.25f * (next() - 0.5f);
            const float height = 3.5f + 4.5f * next();
            const Vec2 from{root.x + 1.2f * lean, root.y};
            const Vec2 tip{root.x + height * std::sin(lean), root.y - height * std::cos(lean)};
            for (float dx : {-size, 0.0f, size})
                for (float dy : {-size, 0.0f, size})
                    canvas.strokeLine({from.x + dx, from.y + dy}, {tip.x + dx, tip.y + dy}, 1.3f, blade);
        }
    }
}

} // namespace

Image groundTexture() {
    const TileNoise patches(11, 4, 4);
    Canvas canvas(kGroundSize, kGroundSize);
    canvas.drawImage(paintPixels(kGroundSize, kGroundSize,
                                 [&](float u, float v) {
                                     const float light = 0.86f + 0.14f * patches.at(u, v);
                                     return Rgba{light * 0.98f, light, light * 0.95f, 1.0f};
                                 }),
                     0, 0, kGroundSize, kGroundSize);
    drawGrassTufts(canvas);
    return canvas.toImage();
}

Image shadowTexture() {
    // Opaque over the inner third of the disc, then a soft fall-off that is clear at the rim.
    return paintPixels(kShadowSize, kShadowSize, [](float, float v) {
        const float alpha = 1.0f - smoothstep(0.3f, kShadowRimV - 0.04f, v);
        return Rgba{0.0f, 0.0f, 0.0f, alpha};
    });
}

Image boostGaugeTexture() {
    Canvas canvas(kGaugeWidth, kGaugeHeight);
    drawGaugeBar(canvas);
    Image image = canvas.toImage();
    for (int y = kGaugeHeight / 2; y < kGaugeHeight; ++y) {
        for (int x = 0; x < kGaugeWidth; ++x) {
            image.pixels[static_cast<size_t>(y) * kGaugeWidth + static_cast<size_t>(x)] =
                gaugeGlow(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f).toArgb();
        }
    }
    return image;
}

Image boostFlameTexture(int frame) {
    const TileNoise wander(40 + static_cast<uint32_t>(frame), 4, 2);
    const TileNoise flicker(50 + static_cast<uint32_t>(frame), 8, 3);
    const float phase = kTwoPi * static_cast<float>(frame) / kFlameFrames;
    return paintPixels(kFlameSize, kFlameSize, [&](float u, float v) {
        // Tongues of flame run from the nose back to the tail, wavering as they go. The flame is
        // thickest round the middle of the shell, which is its outline seen from ahead or from
        // the chase camera behind, and thin at both ends, so the rider shows through.
        const float sway = 0.04f * std::sin(kTwoPi * 1.5f * v + phase) + 0.06f * (wander.at(u, v) - 0.5f);
        const float wave = 0.5f + 0.5f * std::sin(kTwoPi * kFlameTongues * (u + sway) + phase);
        const float tongue =
            smoothstep(0.3f + 0.3f * v, 0.75f + 0.15f * v, wave + 0.4f * (flicker.at(u, v) - 0.5f));
        const float band = smoothstep(0.05f, 0.35f, v) * (1.0f - smoothstep(0.6f, 0.92f, v));
        const float heat = std::clamp(0.05f + 0.72f * tongue - 0.3f * smoothstep(0.4f, 0.9f, v), 0.0f, 1.0f);
        return flameColour(heat).withAlpha(band * (0.18f + 0.77f * tongue));
    });
}

} // namespace qv::content
