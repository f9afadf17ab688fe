#include "assets/DdsReader.h"
#include "formats/DdsWriter.h"
#include "formats/WavWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace qv::content {
namespace {

uint32_t u32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t u16At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

std::string tagAt(const std::vector<uint8_t>& b, size_t at) {
    return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

Image twoByThree() {
    return {2, 3, {0xFF102030, 0x80405060, 0x00000000, 0xFFFFFFFF, 0x12345678, 0xFEDCBA98}};
}

TEST(DdsWriter, HeaderFieldsAreExact) {
    const std::vector<uint8_t> b = encodeDds(twoByThree());
    ASSERT_EQ(b.size(), 128u + 6 * 4);
    EXPECT_EQ(tagAt(b, 0), "DDS ");
    EXPECT_EQ(u32At(b, 4), 124u);        // header size
    EXPECT_EQ(u32At(b, 8), 0x0002100Fu); // caps, height, width, pitch, pixel format, mip count
    EXPECT_EQ(u32At(b, 12), 3u);         // height
    EXPECT_EQ(u32At(b, 16), 2u);         // width
    EXPECT_EQ(u32At(b, 20), 8u);         // bytes per row
    EXPECT_EQ(u32At(b, 24), 0u);         // depth
    EXPECT_EQ(u32At(b, 28), 1u);         // one mip level
    for (size_t at = 32; at < 76; at += 4) {
        EXPECT_EQ(u32At(b, at), 0u) << "reserved word at " << at;
    }
    EXPECT_EQ(u32At(b, 76), 32u);          // pixel format size
    EXPECT_EQ(u32At(b, 80), 0x41u);        // RGB with alpha
    EXPECT_EQ(u32At(b, 84), 0u);           // no FourCC
    EXPECT_EQ(u32At(b, 88), 32u);          // bits per pixel
    EXPECT_EQ(u32At(b, 92), 0x00FF0000u);  // red
    EXPECT_EQ(u32At(b, 96), 0x0000FF00u);  // green
    EXPECT_EQ(u32At(b, 100), 0x000000FFu); // blue
    EXPECT_EQ(u32At(b, 104), 0xFF000000u); // alpha
    EXPECT_EQ(u32At(b, 108), 0x1000u);     // a plain texture
    for (size_t at = 112; at < 128; at += 4) {
        EXPECT_EQ(u32At(b, at), 0u) << "caps or reserved word at " << at;
    }
}

TEST(DdsWriter, PixelsFollowTheHeaderAsBgraRowsFromTheTop) {
    const std::vector<uint8_t> b = encodeDds(twoByThree());
    EXPECT_EQ(b[128], 0x30); // first pixel 0xFF102030: blue, green, red, alpha
    EXPECT_EQ(b[129], 0x20);
    EXPECT_EQ(b[130], 0x10);
    EXPECT_EQ(b[131], 0xFF);
    EXPECT_EQ(u32At(b, 128 + 5 * 4), 0xFEDCBA98u); // last pixel, bottom right
}

TEST(DdsWriter, TheGamesReaderGetsThePictureBack) {
    const std::vector<uint8_t> b = encodeDds(twoByThree());
    const std::optional<Image> decoded = decodeDds(b.data(), b.size());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 2u);
    EXPECT_EQ(decoded->height, 3u);
    EXPECT_EQ(decoded->pixels, twoByThree().pixels);
}

TEST(DdsWriter, WriteFailureLeavesNoFile) {
    test::TempDir dir;
    const std::string path = dir.file("missing-folder/a.dds");
    EXPECT_FALSE(writeDds(path, twoByThree()));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(writeDds(dir.file("a.dds"), twoByThree()));
    EXPECT_EQ(std::filesystem::file_size(dir.file("a.dds")), 152u);
}

TEST(WavWriter, HeaderBytesAreExact) {
    const std::vector<float> samples{0.0f, 0.5f, -1.0f};
    const std::vector<uint8_t> b = encodeWav(samples).bytes;
    ASSERT_EQ(b.size(), 44u + 6);
    EXPECT_EQ(tagAt(b, 0), "RIFF");
    EXPECT_EQ(u32At(b, 4), 36u + 6);
    EXPECT_EQ(tagAt(b, 8), "WAVE");
    EXPECT_EQ(tagAt(b, 12), "fmt ");
    EXPECT_EQ(u32At(b, 16), 16u);    // format chunk size
    EXPECT_EQ(u16At(b, 20), 1u);     // PCM
    EXPECT_EQ(u16At(b, 22), 1u);     // mono
    EXPECT_EQ(u32At(b, 24), 22050u); // sample rate
    EXPECT_EQ(u32At(b, 28), 44100u); // bytes per second
    EXPECT_EQ(u16At(b, 32), 2u);     // block align
    EXPECT_EQ(u16At(b, 34), 16u);    // bits per sample
    EXPECT_EQ(tagAt(b, 36), "data");
    EXPECT_EQ(u32At(b, 40), 6u);
}

TEST(WavWriter, SamplesScaleToSixteenBitsAndClampingIsCounted) {
    const std::vector<float> samples{0.0f, 0.5f, -1.0f, 1.0f, 1.5f, -3.0f, NAN, 0.25f};
    const WavEncoding encoding = encodeWav(samples);
    const std::vector<int16_t> expected{0, 16384, -32767, 32767, 32767, -32767, 0, 8192};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<int16_t>(u16At(encoding.bytes, 44 + 2 * i)), expected[i]) << "sample " << i;
    }
    EXPECT_EQ(encoding.clippedSamples, 3u);
}

TEST(WavWriter, WriteReportsClampsAndFailures) {
    test::TempDir dir;
    const std::vector<float> samples{2.0f, 0.1f};
    size_t clipped = 99;
    EXPECT_TRUE(writeWav(dir.file("a.wav"), samples, &clipped));
    EXPECT_EQ(clipped, 1u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("a.wav")), 48u);
    EXPECT_FALSE(writeWav(dir.file("no/such/folder/a.wav"), samples));
}

} // namespace
} // namespace qv::content
