#include "formats/WavWriter.h"

#include "core/FilePaths.h"
#include "formats/ByteWriter.h"

#include <cmath>

namespace qv::content {

namespace {

int16_t toPcm(float sample, size_t& clipped) {
    if (std::isnan(sample)) {
        ++clipped;
        return 0;
    }
    if (sample > 1.0f || sample < -1.0f) {
        ++clipped;
        sample = sample > 0.0f ? 1.0f : -1.0f;
    }
    return static_cast<int16_t>(std::lround(sample * 32767.0f));
}

} // namespace

WavEncoding encodeWav(std::span<const float> samples) {
    constexpr uint32_t blockAlign = wav::kChannels * wav::kBitsPerSample / 8;
    const auto dataBytes = static_cast<uint32_t>(samples.size() * blockAlign);
    WavEncoding result;
    result.bytes.reserve(wav::kHeaderBytes + dataBytes);
    ByteWriter out(result.bytes);
    out.tag("RIFF");
    out.u32(36 + dataBytes);
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(16);
    out.u16(1); // PCM
    out.u16(wav::kChannels);
    out.u32(wav::kSampleRate);
    out.u32(wav::kSampleRate * blockAlign);
    out.u16(blockAlign);
    out.u16(wav::kBitsPerSample);
    out.tag("data");
    out.u32(dataBytes);
    for (float sample : samples) {
        out.u16(static_cast<uint16_t>(toPcm(sample, result.clippedSamples)));
    }
    return result;
}

bool writeWav(const std::string& path, std::span<const float> samples, size_t* clippedSamples) {
    const WavEncoding encoding = encodeWav(samples);
    if (clippedSamples != nullptr) {
        *clippedSamples = encoding.clippedSamples;
    }
    return writeFileAtomically(path, encoding.bytes.data(), encoding.bytes.size());
}

} // namespace qv::content
