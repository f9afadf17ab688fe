#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::content {

// The game's sounds: 16-bit PCM, mono, 22050 Hz.
namespace wav {
constexpr uint32_t kSampleRate = 22050;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr size_t kHeaderBytes = 44;
} // namespace wav

struct WavEncoding {
    std::vector<uint8_t> bytes;
    size_t clippedSamples = 0; // samples outside [-1, 1] (or not a number) that had to be clamped
};

// Samples are full scale at +-1.
WavEncoding encodeWav(std::span<const float> samples);
// False when the file cannot be written; clippedSamples receives the clamp count when given.
bool writeWav(const std::string& path, std::span<const float> samples, size_t* clippedSamples = nullptr);

} // namespace qv::content
