#pragma once

#include <array>
#include <string>

namespace qv {

// The 101 x 101 height samples of a field file: sample (i, j) is the height at x = i, z = j.
// The file is 10201 little-endian floats in rows of constant x; nothing else.
class FieldHeights {
  public:
    static constexpr int kSamples = 101;
    static constexpr size_t kCount = static_cast<size_t>(kSamples) * kSamples;
    static constexpr size_t kFileBytes = kCount * 4;

    // All heights 0: the whole field flat and under water.
    FieldHeights() = default;

    // No field the content tool makes comes near this height (its hills stay within a few
    // units); a sample beyond it is damage, and would fling the rider off the world.
    static constexpr float kMaxHeight = 1000.0f;

    // Reads a field file. Throws FatalError("ERROR : Cannot open FieldDataFile"), with the file
    // and the reason as its detail, when it is no regular file or cannot be opened, is too short
    // to hold every sample, or holds a finite height beyond kMaxHeight either way. Bytes past the
    // last sample are ignored; a sample that is not a finite number reads as 0.
    static FieldHeights read(const std::string& path);

    float at(int i, int j) const { return samples_[static_cast<size_t>(i) * kSamples + j]; }
    // Non-finite heights are stored as 0, like the file reader does.
    void set(int i, int j, float height);

  private:
    std::array<float, kCount> samples_{};
};

} // namespace qv
