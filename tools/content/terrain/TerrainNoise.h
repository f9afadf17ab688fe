#pragma once

#include <cstdint>

namespace qv::content {

// Smooth pseudo-random relief for the terrains, the same on every run: a
// lattice of hashed gradients (no library generator, no global state), one seed per field.
class TerrainNoise {
  public:
    explicit TerrainNoise(uint32_t seed) : seed_(seed) {}

    // Octaves of gradient noise, the first with the given wavelength, each next one at half the
    // wavelength and half the amplitude; scaled back to about -1..1.
    float fractal(float x, float z, float wavelength, int octaves) const;
    // About how far (x, z) lies from the nearest line where three octaves of fractal noise cross
    // zero: winding lines with no ends, for channels, rivers and ridges.
    float lineDistance(float x, float z, float wavelength) const;

  private:
    // Gradient noise with one lattice cell per unit, about -1..1, 0 at every lattice point.
    static float gradient(float x, float z, uint32_t seed);
    // Dot product of the hashed lattice gradient at (ix, iz) with the offset (dx, dz).
    static float corner(int32_t ix, int32_t iz, uint32_t seed, float dx, float dz);

    uint32_t seed_;
};

} // namespace qv::content
