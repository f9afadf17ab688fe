#include "platform/WaveHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qv {
namespace {

template <typename T> void put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

// A PCM WAV file of the given format with `samples` bytes of silence.
std::string wave(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataBytes, uint32_t claimed) {
    std::string out = "RIFF";
    put<uint32_t>(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put<uint32_t>(out, 16);
    put<uint16_t>(out, 1);
    put<uint16_t>(out, channels);
    put<uint32_t>(out, rate);
    put<uint32_t>(out, rate * channels * bits / 8);
    put<uint16_t>(out, static_cast<uint16_t>(channels * bits / 8));
    put<uint16_t>(out, bits);
    out += "data";
    put<uint32_t>(out, claimed);
    out.append(dataBytes, '\0');
    return out;
}

TEST(WaveHeaderTest, OnlyAPlausibleHeaderReachesTheMixer) {
    std::string error;
    EXPECT_TRUE(WaveHeader::check(wave(1, 22050, 16, 100, 100), error)) << error;
    EXPECT_TRUE(WaveHeader::check(wave(2, 44100, 8, 10, 10), error)) << error;
    struct Case {
        std::string bytes;
        const char* says;
    };
    const Case cases[] = {
        {wave(1, 1, 16, 100, 100), "sample rate"}, // the 1 Hz header that stalled the game
        {wave(1, 500000, 16, 100, 100), "sample rate"},
        {wave(0, 22050, 16, 100, 100), "channel"},
        {wave(1, 22050, 12, 100, 100), "sample size"},
        {wave(1, 22050, 16, 100, 0x7FFFFFFF), "past the end"}, // a data chunk larger than the file
        {wave(1, 22050, 16, 100, 100).substr(0, 30), "past the end"},
        {"RIFF", "no RIFF WAVE"},
        {std::string("RIFF\0\0\0\0WAVE", 12), "no sound data"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(WaveHeader::check(c.bytes, error)) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

} // namespace
} // namespace qv
