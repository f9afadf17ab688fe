#include "platform/WaveHeader.h"

#include <cstring>

namespace qv {

namespace {

uint32_t u32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

uint16_t u16(std::string_view bytes, size_t at) {
    uint16_t value = 0;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

bool fail(std::string& error, const char* why) {
    error = why;
    return false;
}

} // namespace

bool WaveHeader::check(std::string_view bytes, std::string& error) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return fail(error, "no RIFF WAVE header");
    WaveHeader header;
    bool format = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const uint64_t size = u32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body)
            return fail(error, "a chunk runs past the end of the file");
        if (id == "fmt ") {
            if (size < 16)
                return fail(error, "a format chunk too short");
            header.channels = u16(bytes, body + 2);
            header.sampleRate = u32(bytes, body + 4);
            header.bitsPerSample = u16(bytes, body + 14);
            format = true;
        } else if (id == "data") {
            if (!format)
                return fail(error, "sound data before its format");
            const bool bits = header.bitsPerSample == 8 || header.bitsPerSample == 16 ||
                              header.bitsPerSample == 24 || header.bitsPerSample == 32;
            if (header.channels < 1 || header.channels > 8 || !bits)
                return fail(error, "an unusable channel count or sample size");
            if (header.sampleRate < kMinRate || header.sampleRate > kMaxRate)
                return fail(error, "a sample rate outside 4,000 to 192,000 Hz");
            return true;
        }
        at = body + static_cast<size_t>(size) + (size & 1); // chunks are padded to even sizes
    }
    return fail(error, "no sound data");
}

} // namespace qv
