#include "terrain/TerrainNoise.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::content {

namespace {

constexpr float kDiagonal = 0.70710678f;
// Eight unit gradients: enough variety without any trigonometry in the hash.
constexpr std::array<float, 8> kGradientX{1.0f,      -1.0f,      0.0f,      0.0f,
                                          kDiagonal, -kDiagonal, kDiagonal, -kDiagonal};
constexpr std::array<float, 8> kGradientZ{0.0f,      0.0f,      1.0f,       -1.0f,
                                          kDiagonal, kDiagonal, -kDiagonal, -kDiagonal};
// Gradient noise with unit gradients peaks near +-0.7; this brings it to about +-1.
constexpr float kGradientScale = 1.41421356f;
constexpr int kLineOctaves = 3;
// Step of the numerical gradient, in units.
constexpr float kGradientStep = 0.25f;
// Where the noise is nearly flat its value over its slope overstates the distance; no slope is
// taken as flatter than this much per wavelength.
constexpr float kFlattestSlope = 0.3f;

uint32_t mixBits(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Quintic fade: the surface and its slope are continuous across lattice lines.
float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

float TerrainNoise::corner(int32_t ix, int32_t iz, uint32_t seed, float dx, float dz) {
    const uint32_t h =
        mixBits(static_cast<uint32_t>(ix) * 0x9E3779B1u ^ mixBits(static_cast<uint32_t>(iz) ^ seed));
    const uint32_t k = h & 7u;
    return kGradientX[k] * dx + kGradientZ[k] * dz;
}

float TerrainNoise::gradient(float x, float z, uint32_t seed) {
    const float fx = std::floor(x);
    const float fz = std::floor(z);
    const auto ix = static_cast<int32_t>(fx);
    const auto iz = static_cast<int32_t>(fz);
    const float dx = x - fx;
    const float dz = z - fz;
    const float near = lerp(corner(ix, iz, seed, dx, dz), corner(ix + 1, iz, seed, dx - 1.0f, dz), fade(dx));
    const float far = lerp(corner(ix, iz + 1, seed, dx, dz - 1.0f),
                           corner(ix + 1, iz + 1, seed, dx - 1.0f, dz - 1.0f), fade(dx));
    return lerp(near, far, fade(dz)) * kGradientScale;
}

float TerrainNoise::fractal(float x, float z, float wavelength, int octaves) const {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float power = 0.0f;
    float frequency = 1.0f / wavelength;
    for (int octave = 0; octave < octaves; ++octave) {
        // Each octave its own lattice, so their zero points do not line up.
        const uint32_t seed = mixBits(seed_ + static_cast<uint32_t>(octave) * 0x632BE5ABu);
        sum += amplitude * gradient(x * frequency, z * frequency, seed);
        power += amplitude * amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    // Octaves are independent, so their spread adds as a root sum of squares.
    return sum / std::sqrt(power);
}

float TerrainNoise::lineDistance(float x, float z, float wavelength) const {
    // First-order distance to the zero line: the value over the length of the gradient.
    auto f = [this, wavelength](float px, float pz) { return fractal(px, pz, wavelength, kLineOctaves); };
    const float dx = f(x + kGradientStep, z) - f(x - kGradientStep, z);
    const float dz = f(x, z + kGradientStep) - f(x, z - kGradientStep);
    const float slope = std::max(std::hypot(dx, dz) / (2.0f * kGradientStep), kFlattestSlope / wavelength);
    return std::fabs(f(x, z)) / slope;
}

} // namespace qv::content
