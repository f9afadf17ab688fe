#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// What a WAV file's header says, read before SDL_mixer sees the file: a header claiming 1 Hz or
// a data chunk larger than the file made the mixer allocate gigabytes.
struct WaveHeader {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;

    static constexpr uint32_t kMinRate = 4000;
    static constexpr uint32_t kMaxRate = 192000;
    static constexpr uint64_t kMaxFileBytes = uint64_t{64} << 20;

    // A RIFF WAVE file whose format chunk asks for 1 to 8 channels of 8, 16, 24 or 32 bits at
    // 4,000 to 192,000 Hz, with a data chunk inside the file; else the reason in error.
    static bool check(std::string_view bytes, std::string& error);
};

} // namespace qv
