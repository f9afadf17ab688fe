#include "terrain/TerrainShapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::content {

namespace {

constexpr int kLast = FieldHeights::kSamples - 1;
// Steep enough that no rider climbs it: ramp sides and backs.
constexpr float kRampWall = 3.0f;
// The runway is this much wider than the ramp on either side, then blends out over kRunwayBlend.
constexpr float kRunwayMargin = 1.5f;
constexpr float kRunwayBlend = 3.0f;

float smoothStep(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// (1 - w) h + w level, exactly `level` where w is 1.
float blendTowards(float h, float level, float w) {
    if (w >= 1.0f || h == level)
        return level;
    return (1.0f - w) * h + w * level;
}

// How far along the segment from `from` to `to` the point nearest (x, z) lies: 0 at `from`,
// 1 at `to`.
float alongSegment(Vec2 from, Vec2 to, float x, float z) {
    const float dx = to.x - from.x;
    const float dz = to.y - from.y;
    const float lengthSquared = std::max(dx * dx + dz * dz, 1e-6f);
    return std::clamp(((x - from.x) * dx + (z - from.y) * dz) / lengthSquared, 0.0f, 1.0f);
}

} // namespace

Footprint disc(Vec2 centre, float radius) {
    return [centre, radius](float x, float z) { return std::hypot(x - centre.x, z - centre.y) - radius; };
}

Footprint band(Vec2 from, Vec2 to, float halfWidth) {
    return [=](float x, float z) {
        const float t = alongSegment(from, to, x, z);
        return std::hypot(x - (from.x + t * (to.x - from.x)), z - (from.y + t * (to.y - from.y))) - halfWidth;
    };
}

Footprint strip(Vec2 from, Vec2 to, float halfWidth) {
    const float length = std::max(std::hypot(to.x - from.x, to.y - from.y), 1e-3f);
    const Vec2 along{(to.x - from.x) / length, (to.y - from.y) / length};
    return [=](float x, float z) {
        const float a = (x - from.x) * along.x + (z - from.y) * along.y;
        const float c = std::fabs((z - from.y) * along.x - (x - from.x) * along.y);
        const float outLength = std::max(-a, a - length);
        const float outWidth = c - halfWidth;
        const float outside = std::hypot(std::max(outLength, 0.0f), std::max(outWidth, 0.0f));
        return outside + std::min(std::max(outLength, outWidth), 0.0f);
    };
}

Footprint polyline(std::vector<Vec2> points, float halfWidth) {
    std::vector<Footprint> segments;
    for (size_t k = 1; k < points.size(); ++k)
        segments.push_back(band(points[k - 1], points[k], halfWidth));
    return [segments = std::move(segments)](float x, float z) {
        float nearest = std::numeric_limits<float>::infinity();
        for (const Footprint& segment : segments)
            nearest = std::min(nearest, segment(x, z));
        return nearest;
    };
}

Footprint ragged(Footprint shape, const TerrainNoise& noise, float amplitude, float wavelength) {
    return [shape = std::move(shape), &noise, amplitude, wavelength](float x, float z) {
        return shape(x, z) + amplitude * noise.fractal(x + 311.0f, z - 173.0f, wavelength, 3);
    };
}

Footprint except(Footprint shape, Footprint hole) {
    return [shape = std::move(shape), hole = std::move(hole)](float x, float z) {
        return std::max(shape(x, z), -hole(x, z));
    };
}

float falloff(float distance, float blend) {
    if (distance <= 0.0f)
        return 1.0f;
    if (distance >= blend)
        return 0.0f;
    return 1.0f - smoothStep(distance / blend);
}

void reshape(FieldHeights& heights, const HeightRule& rule) {
    for (int i = 0; i <= kLast; ++i)
        for (int j = 0; j <= kLast; ++j)
            heights.set(i, j, rule(static_cast<float>(i), static_cast<float>(j), heights.at(i, j)));
}

float sampleHeight(const FieldHeights& heights, float x, float z) {
    x = std::clamp(x, 0.0f, static_cast<float>(kLast));
    z = std::clamp(z, 0.0f, static_cast<float>(kLast));
    const int i = std::min(static_cast<int>(x), kLast - 1);
    const int j = std::min(static_cast<int>(z), kLast - 1);
    const float fx = x - static_cast<float>(i);
    const float fz = z - static_cast<float>(j);
    const float nearRow = heights.at(i, j) + (heights.at(i + 1, j) - heights.at(i, j)) * fx;
    const float farRow = heights.at(i, j + 1) + (heights.at(i + 1, j + 1) - heights.at(i, j + 1)) * fx;
    return nearRow + (farRow - nearRow) * fz;
}

void raise(FieldHeights& heights, const Footprint& where, float amount, float blend) {
    reshape(heights, [&](float x, float z, float h) { return h + amount * falloff(where(x, z), blend); });
}

void flatten(FieldHeights& heights, const Footprint& where, float level, float blend) {
    reshape(heights,
            [&](float x, float z, float h) { return blendTowards(h, level, falloff(where(x, z), blend)); });
}

void sink(FieldHeights& heights, const Footprint& where, float bed, float blend) {
    reshape(heights, [&](float x, float z, float h) {
        return std::min(h, blendTowards(h, bed, falloff(where(x, z), blend)));
    });
}

void mesa(FieldHeights& heights, const Footprint& where, float top, float wallSlope) {
    reshape(heights, [&](float x, float z, float h) {
        const float d = where(x, z);
        return d <= 0.0f ? top : std::max(h, top - wallSlope * d);
    });
}

void gorge(FieldHeights& heights, const Footprint& where, float floor, float wallSlope) {
    reshape(heights, [&](float x, float z, float h) {
        return std::min(h, floor + wallSlope * std::max(0.0f, where(x, z)));
    });
}

void road(FieldHeights& heights, Vec2 from, Vec2 to, float halfWidth, float blend) {
    const float start = sampleHeight(heights, from.x, from.y);
    const float end = sampleHeight(heights, to.x, to.y);
    const Footprint where = band(from, to, halfWidth);
    reshape(heights, [&](float x, float z, float h) {
        const float level = start + (end - start) * alongSegment(from, to, x, z);
        return blendTowards(h, level, falloff(where(x, z), blend));
    });
}

void buildRamp(FieldHeights& heights, const Ramp& ramp) {
    const float level = sampleHeight(heights, ramp.foot.x, ramp.foot.y);
    flatten(heights, strip(ramp.along(-ramp.runway), ramp.lip(), ramp.halfWidth + kRunwayMargin), level,
            kRunwayBlend);
    const float c = std::cos(ramp.heading);
    const float s = std::sin(ramp.heading);
    reshape(heights, [&](float x, float z, float h) {
        const float dx = x - ramp.foot.x;
        const float dz = z - ramp.foot.y;
        const float forward = dx * c + dz * s;
        if (forward < 0.0f)
            return h;
        const float across = std::fabs(dz * c - dx * s);
        const float slope = level + ramp.rise * std::min(forward / ramp.length, 1.0f);
        const float overhang =
            std::max(0.0f, across - ramp.halfWidth) + std::max(0.0f, forward - ramp.length);
        return std::max(h, slope - kRampWall * overhang);
    });
}

} // namespace qv::content
