#include "pictures/TileNoise.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

uint32_t hash(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

int wrap(int v, int period) {
    return ((v % period) + period) % period;
}

} // namespace

TileNoise::TileNoise(uint32_t seed, int cells, int octaves)
    : seed_(seed), cells_(std::max(cells, 1)), octaves_(std::max(octaves, 1)) {}

float TileNoise::lattice(int x, int y, int cells) const {
    const auto key = static_cast<uint32_t>(wrap(x, cells) + 65537 * wrap(y, cells));
    return static_cast<float>(hash(key ^ hash(seed_ * 977u + static_cast<uint32_t>(cells))) & 0xFFFFu) /
           65535.0f;
}

float TileNoise::octave(float u, float v, int cells) const {
    const float fx = u * static_cast<float>(cells);
    const float fy = v * static_cast<float>(cells);
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = smooth(fx - static_cast<float>(ix)), ty = smooth(fy - static_cast<float>(iy));
    auto row = [&](int y) {
        const float left = lattice(ix, y, cells);
        return left + (lattice(ix + 1, y, cells) - left) * tx;
    };
    const float top = row(iy);
    return top + (row(iy + 1) - top) * ty;
}

float TileNoise::at(float u, float v) const {
    float sum = 0.0f, weight = 0.0f, amplitude = 1.0f;
    for (int i = 0; i < octaves_; ++i) {
        sum += amplitude * octave(u, v, cells_ << i);
        weight += amplitude;
        amplitude *= 0.5f;
    }
    return sum / weight;
}

} // namespace qv::content
