#pragma once

#include <cstdint>

namespace qv::content {

// Smooth value noise over a square tile that repeats every 1 in u and in v, so a texture drawn
// from it wraps without a seam. The coarsest layer has `cells` x `cells` lattice cells; each
// further octave doubles that at half the strength. Values lie in 0..1; the same seed always
// gives the same noise.
class TileNoise {
  public:
    TileNoise(uint32_t seed, int cells, int octaves = 4);

    float at(float u, float v) const;

  private:
    float lattice(int x, int y, int cells) const;
    float octave(float u, float v, int cells) const;

    uint32_t seed_;
    int cells_;
    int octaves_;
};

} // namespace qv::content
