#include "assets/DdsReader.h"
#include "DdsBytes.h"
#include "core/Random.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

namespace qv {
namespace {

using namespace qv::test;

std::optional<Image> decode(const std::vector<uint8_t>& bytes) {
    return decodeDds(bytes.data(), bytes.size());
}

std::vector<uint32_t> pixelsOf(const std::optional<Image>& image) {
    return image ? image->pixels : std::vector<uint32_t>{};
}

// ---- uncompressed formats -------------------------------------------------------------------

struct UncompressedCase {
    const char* name;
    DdsFormat format;
    std::vector<uint32_t> words;    // 2 x 2 pixels in file order
    std::vector<uint32_t> expected; // 0xAARRGGBB
};

class UncompressedDecode : public ::testing::TestWithParam<UncompressedCase> {};

TEST_P(UncompressedDecode, DecodesKnownPixelsInRowOrder) {
    const auto& c = GetParam();
    auto image = decode(makeDds(c.format, 2, 2, packPixels(c.format, c.words)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2u);
    EXPECT_EQ(image->height, 2u);
    EXPECT_EQ(image->pixels, c.expected);
}

// 5 and 6-bit channels widen by repeating their bits: 5-bit 16 -> 0x84, 6-bit 32 -> 0x82.
INSTANTIATE_TEST_SUITE_P(Formats, UncompressedDecode,
                         ::testing::Values(UncompressedCase{"R5G6B5",
                                                            dds::kR5G6B5,
                                                            {0xF800, 0x07E0, 0x001F, 0x8410},
                                                            {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848284}},
                                           UncompressedCase{"X1R5G5B5",
                                                            dds::kX1R5G5B5,
                                                            {0x7C00, 0x83E0, 0x001F, 0x4210},
                                                            {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848484}},
                                           UncompressedCase{"A1R5G5B5",
                                                            dds::kA1R5G5B5,
                                                            {0xFC00, 0x03E0, 0x801F, 0x0000},
                                                            {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0x00000000}},
                                           UncompressedCase{"A4R4G4B4",
                                                            dds::kA4R4G4B4,
                                                            {0xF00F, 0x8421, 0x0F00, 0x7FFF},
                                                            {0xFF0000FF, 0x88442211, 0x00FF0000, 0x77FFFFFF}},
                                           UncompressedCase{"R8G8B8",
                                                            dds::kR8G8B8,
                                                            {0x123456, 0xABCDEF, 0x000000, 0xFFFFFF},
                                                            {0xFF123456, 0xFFABCDEF, 0xFF000000, 0xFFFFFFFF}},
                                           UncompressedCase{"A8R8G8B8",
                                                            dds::kA8R8G8B8,
                                                            {0x80FF4020, 0x00123456, 0xFFFFFFFF, 0x7F000001},
                                                            {0x80FF4020, 0x00123456, 0xFFFFFFFF, 0x7F000001}},
                                           UncompressedCase{"X8R8G8B8",
                                                            dds::kX8R8G8B8,
                                                            {0x00123456, 0x80ABCDEF, 0x7F000000, 0xFFFFFFFF},
                                                            {0xFF123456, 0xFFABCDEF, 0xFF000000, 0xFFFFFFFF}},
                                           UncompressedCase{
                                               "A8B8G8R8",
                                               dds::kA8B8G8R8,
                                               {0x80332211, 0x00FF0000, 0xFF0000FF, 0x12345678},
                                               {0x80112233, 0x000000FF, 0xFFFF0000, 0x12785634}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DdsReader, OddWidthRowsArePackedWithoutPadding) {
    // 3 x 2 at 3 bytes a pixel: 9-byte rows, so a padded reader would shift the second row.
    const std::vector<uint32_t> words{0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
    auto image = decode(makeDds(dds::kR8G8B8, 3, 2, packPixels(dds::kR8G8B8, words)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(2, 0), 0xFF070809u);
    EXPECT_EQ(image->at(0, 1), 0xFF0A0B0Cu);
    EXPECT_EQ(image->at(2, 1), 0xFF101112u);
}

TEST(DdsReader, EveryA1R5G5B5WordSurvivesInEightBitsPerChannel) {
    // All 65536 words: alpha is all or nothing and each 5-bit channel keeps its top bits.
    std::vector<uint32_t> words(65536);
    for (uint32_t w = 0; w < words.size(); ++w)
        words[w] = w;
    auto image = decode(makeDds(dds::kA1R5G5B5, 256, 256, packPixels(dds::kA1R5G5B5, words)));
    ASSERT_TRUE(image);
    for (uint32_t w = 0; w < words.size(); ++w) {
        const uint32_t p = image->pixels[w];
        ASSERT_EQ(p >> 24, (w & 0x8000) ? 0xFFu : 0u) << w;
        ASSERT_EQ((p >> 19) & 31, (w >> 10) & 31) << w;
        ASSERT_EQ((p >> 11) & 31, (w >> 5) & 31) << w;
        ASSERT_EQ((p >> 3) & 31, w & 31) << w;
    }
}

// ---- block-compressed formats ---------------------------------------------------------------

std::vector<uint8_t> colorBlock(uint16_t c0, uint16_t c1, const std::array<uint32_t, 16>& indices) {
    std::vector<uint8_t> block;
    appendU16(block, c0);
    appendU16(block, c1);
    uint32_t bits = 0;
    for (int i = 0; i < 16; ++i)
        bits |= indices[i] << (2 * i);
    appendU32(block, bits);
    return block;
}

std::array<uint32_t, 16> columnIndices() {
    std::array<uint32_t, 16> indices{};
    for (int i = 0; i < 16; ++i)
        indices[i] = i % 4;
    return indices;
}

std::array<uint32_t, 16> sameIndex(uint32_t index) {
    std::array<uint32_t, 16> indices{};
    indices.fill(index);
    return indices;
}

std::vector<uint32_t> rowOf(const Image& image, uint32_t y) {
    return {image.at(0, y), image.at(1, y), image.at(2, y), image.at(3, y)};
}

TEST(DdsReaderDxt1, FourColourModeWhenFirstEndpointIsGreater) {
    auto image = decode(makeDds(dds::kDxt1, 4, 4, colorBlock(0xF800, 0x001F, columnIndices())));
    ASSERT_TRUE(image);
    const std::vector<uint32_t> expected{0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA};
    for (uint32_t y = 0; y < 4; ++y)
        EXPECT_EQ(rowOf(*image, y), expected) << "row " << y;
}

TEST(DdsReaderDxt1, ThreeColoursAndTransparentBlackOtherwise) {
    auto image = decode(makeDds(dds::kDxt1, 4, 4, colorBlock(0x001F, 0xF800, columnIndices())));
    ASSERT_TRUE(image);
    EXPECT_EQ(rowOf(*image, 0), (std::vector<uint32_t>{0xFF0000FF, 0xFFFF0000, 0xFF800080, 0x00000000}));
    // Equal endpoints also select the transparent mode.
    auto equal = decode(makeDds(dds::kDxt1, 4, 4, colorBlock(0x07E0, 0x07E0, sameIndex(3))));
    ASSERT_TRUE(equal);
    EXPECT_EQ(equal->at(2, 2), 0u);
}

TEST(DdsReaderDxt1, EdgeBlocksAreCroppedToThePicture) {
    // 5 x 6 needs 2 x 2 blocks; each block is one solid colour.
    std::vector<uint8_t> payload;
    for (uint16_t c : {0xF800, 0x07E0, 0x001F, 0xFFFF}) {
        auto block = colorBlock(c, 0, sameIndex(0));
        payload.insert(payload.end(), block.begin(), block.end());
    }
    auto image = decode(makeDds(dds::kDxt1, 5, 6, payload));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->pixels.size(), 30u);
    EXPECT_EQ(image->at(3, 3), 0xFFFF0000u);
    EXPECT_EQ(image->at(4, 0), 0xFF00FF00u);
    EXPECT_EQ(image->at(0, 4), 0xFF0000FFu);
    EXPECT_EQ(image->at(4, 5), 0xFFFFFFFFu);
}

TEST(DdsReaderDxt3, ExplicitAlphaAndAlwaysFourColours) {
    std::vector<uint8_t> payload;
    for (int i = 0; i < 16; i += 2)
        payload.push_back(static_cast<uint8_t>(i | (i + 1) << 4)); // pixel i has alpha nibble i
    // Endpoints in the order that means "transparent" for DXT1: DXT3 ignores that.
    auto colors = colorBlock(0x001F, 0xF800, sameIndex(3));
    payload.insert(payload.end(), colors.begin(), colors.end());
    auto image = decode(makeDds(dds::kDxt3, 4, 4, payload));
    ASSERT_TRUE(image);
    for (uint32_t i = 0; i < 16; ++i)
        EXPECT_EQ(image->pixels[i], (i * 17) << 24 | 0xAA0055u) << "pixel " << i;
}

std::vector<uint8_t> dxt5Payload(uint8_t a0, uint8_t a1) {
    std::vector<uint8_t> payload{a0, a1};
    uint64_t bits = 0;
    for (uint64_t i = 0; i < 16; ++i)
        bits |= (i % 8) << (3 * i);
    for (int b = 0; b < 6; ++b)
        payload.push_back(static_cast<uint8_t>(bits >> (8 * b)));
    auto colors = colorBlock(0xFFFF, 0x0000, sameIndex(0));
    payload.insert(payload.end(), colors.begin(), colors.end());
    return payload;
}

std::vector<uint32_t> alphasOf(const Image& image) {
    std::vector<uint32_t> alphas;
    for (uint32_t p : image.pixels)
        alphas.push_back(p >> 24);
    return alphas;
}

TEST(DdsReaderDxt5, EightStepRampWhenFirstAlphaIsGreater) {
    auto image = decode(makeDds(dds::kDxt5, 4, 4, dxt5Payload(255, 0)));
    ASSERT_TRUE(image);
    const std::vector<uint32_t> ramp{255, 0, 219, 182, 146, 109, 73, 36};
    std::vector<uint32_t> expected(ramp.begin(), ramp.end());
    expected.insert(expected.end(), ramp.begin(), ramp.end());
    EXPECT_EQ(alphasOf(*image), expected);
    EXPECT_EQ(image->pixels[0] & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(DdsReaderDxt5, SixStepRampWithZeroAndFullOtherwise) {
    auto image = decode(makeDds(dds::kDxt5, 4, 4, dxt5Payload(0, 255)));
    ASSERT_TRUE(image);
    const std::vector<uint32_t> ramp{0, 255, 51, 102, 153, 204, 0, 255};
    const auto alphas = alphasOf(*image);
    EXPECT_EQ(std::vector<uint32_t>(alphas.begin(), alphas.begin() + 8), ramp);
}

// ---- malformed files ------------------------------------------------------------------------

const std::array<DdsFormat, 11> kAllFormats{dds::kR5G6B5, dds::kX1R5G5B5, dds::kA1R5G5B5, dds::kA4R4G4B4,
                                            dds::kR8G8B8, dds::kA8R8G8B8, dds::kX8R8G8B8, dds::kA8B8G8R8,
                                            dds::kDxt1,   dds::kDxt3,     dds::kDxt5};

std::vector<uint8_t> validFile(const DdsFormat& format, uint32_t width = 8, uint32_t height = 8) {
    std::vector<uint8_t> payload(ddsPayloadSize(format, width, height));
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<uint8_t>(i * 37 + 11);
    return makeDds(format, width, height, payload);
}

std::vector<uint8_t> withField(std::vector<uint8_t> bytes, size_t offset, uint32_t value) {
    putU32(bytes, offset, value);
    return bytes;
}

TEST(DdsReaderRejects, EveryTruncation) {
    for (const auto& format : kAllFormats) {
        const auto bytes = validFile(format, 5, 3);
        ASSERT_TRUE(decode(bytes)) << "the whole file must decode";
        for (size_t length = 0; length < bytes.size(); ++length)
            EXPECT_FALSE(decodeDds(bytes.data(), length))
                << "bits " << format.bitCount << " length " << length;
    }
    EXPECT_FALSE(decodeDds(nullptr, 0));
}

TEST(DdsReaderRejects, WrongMagicOrStructureSizes) {
    const auto good = validFile(dds::kA8R8G8B8);
    auto badMagic = good;
    badMagic[3] = '!';
    EXPECT_FALSE(decode(badMagic));
    for (uint32_t size : {0u, 123u, 125u, 128u})
        EXPECT_FALSE(decode(withField(good, dds::kHeaderSizeAt, size))) << size;
    for (uint32_t size : {0u, 24u, 31u, 33u})
        EXPECT_FALSE(decode(withField(good, dds::kPixelFormatSizeAt, size))) << size;
}

TEST(DdsReaderRejects, ZeroAndHugeDimensions) {
    for (const auto& format : {dds::kA8R8G8B8, dds::kDxt1}) {
        const auto good = validFile(format);
        for (size_t at : {dds::kWidthAt, dds::kHeightAt})
            for (uint32_t value : {0u, 8193u, 0x80000000u, 0xFFFFFFFFu})
                EXPECT_FALSE(decode(withField(good, at, value))) << at << " = " << value;
    }
}

TEST(DdsReaderRejects, SizesLargerThanTheFile) {
    // Plausible dimensions whose pixels are not there.
    auto big = withField(validFile(dds::kA8R8G8B8), dds::kWidthAt, 8192);
    EXPECT_FALSE(decode(withField(big, dds::kPitchAt, 0)));
    EXPECT_FALSE(decode(withField(withField(validFile(dds::kDxt5), dds::kHeightAt, 12), dds::kPitchAt, 0)));
    // The bound itself is allowed when the data is present.
    auto edge = makeDds(dds::kA8R8G8B8, 8192, 1, std::vector<uint8_t>(8192 * 4, 0x7F));
    ASSERT_TRUE(decode(edge));
    EXPECT_EQ(decode(edge)->at(8191, 0), 0x7F7F7F7Fu);
}

TEST(DdsReaderRejects, InconsistentPitchOrLinearSize) {
    const auto rgb = validFile(dds::kA8R8G8B8, 4, 2); // row 16 bytes, level 32 bytes
    EXPECT_TRUE(decode(withField(rgb, dds::kPitchAt, 0)));
    EXPECT_TRUE(decode(withField(rgb, dds::kPitchAt, 32)));
    for (uint32_t pitch : {1u, 12u, 17u, 20u, 64u, 0xFFFFFFFFu})
        EXPECT_FALSE(decode(withField(rgb, dds::kPitchAt, pitch))) << pitch;
    const auto dxt = validFile(dds::kDxt1, 8, 8); // 2 x 2 blocks of 8 bytes
    EXPECT_TRUE(decode(withField(dxt, dds::kPitchAt, 16)));
    EXPECT_FALSE(decode(withField(dxt, dds::kPitchAt, 24)));
}

TEST(DdsReaderRejects, FormatsItDoesNotKnow) {
    const auto rgb = validFile(dds::kA8R8G8B8);
    const auto dxt = validFile(dds::kDxt1);
    for (const char* code : {"DXT2", "DXT4", "DX10", "ATI2", "\0\0\0\0"})
        EXPECT_FALSE(decode(withField(dxt, dds::kFourCcAt, dds::fourCc(code)))) << code;
    for (uint32_t bits : {0u, 8u, 15u, 48u, 64u})
        EXPECT_FALSE(decode(withField(rgb, dds::kBitCountAt, bits))) << bits;
    EXPECT_FALSE(decode(withField(rgb, dds::kFormatFlagsAt, 0x20000))) << "luminance";
    EXPECT_FALSE(decode(withField(rgb, dds::kRedMaskAt, 0))) << "no red channel";
    EXPECT_FALSE(decode(withField(rgb, dds::kRedMaskAt, 0x00F0F000))) << "split mask";
    const auto rgb16 = validFile(dds::kR5G6B5);
    EXPECT_FALSE(decode(withField(rgb16, dds::kRedMaskAt, 0x1F800))) << "mask beyond 16 bits";
}

// What a refused file's error says after its name: the one thing wrong with it.
std::string problemOf(const std::vector<uint8_t>& bytes) {
    std::string problem;
    EXPECT_FALSE(decodeDds(bytes.data(), bytes.size(), &problem));
    return problem;
}

TEST(DdsReaderRejects, SayingWhy) {
    const auto rgb = validFile(dds::kA8R8G8B8, 4, 2);
    const auto dxt = validFile(dds::kDxt1);
    auto badMagic = rgb;
    badMagic[0] = 'X';
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {std::vector<uint8_t>(rgb.begin(), rgb.begin() + 100),
         "holds 100 bytes, less than a DDS header (128)"},
        {badMagic, "does not begin with \"DDS \""},
        {withField(rgb, dds::kHeaderSizeAt, 125), "sizes 124 and 32"},
        {withField(rgb, dds::kWidthAt, 8193), "picture is 8193 x 2, not within 1 to 8192"},
        {withField(dxt, dds::kFourCcAt, dds::fourCc("DX10")), "other than DXT1, DXT3 or DXT5"},
        {withField(rgb, dds::kBitCountAt, 8), "pixels are 8 bits"},
        {withField(rgb, dds::kFormatFlagsAt, 0x20000), "neither RGB nor DXT"},
        {withField(rgb, dds::kRedMaskAt, 0x00F0F000), "colour masks"},
        {withField(rgb, dds::kPitchAt, 17), "pitch field"},
        {std::vector<uint8_t>(rgb.begin(), rgb.end() - 1),
         "cut short: its picture needs 32 bytes after the header, "
         "the file holds 31"},
    };
    for (const auto& [bytes, why] : cases)
        EXPECT_NE(problemOf(bytes).find(why), std::string::npos) << problemOf(bytes) << " / " << why;
    std::string untouched = "as it was";
    EXPECT_TRUE(decodeDds(rgb.data(), rgb.size(), &untouched));
    EXPECT_EQ(untouched, "as it was") << "a picture that decodes leaves the problem alone";
}

TEST(DdsReader, ExtraMipLevelsAfterTheTopLevelAreIgnored) {
    auto bytes = validFile(dds::kA8R8G8B8, 2, 2);
    auto expected = decode(bytes);
    bytes.resize(bytes.size() + 4, 0xEE);
    EXPECT_EQ(pixelsOf(decode(bytes)), pixelsOf(expected));
}

// A deterministic sweep of damaged files: whatever the damage, the reader either rejects the
// file or returns a picture of exactly the size its header states. Run under the sanitizers,
// it also proves no read leaves the buffer.
class Mutator {
  public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    uint32_t next(uint32_t bound) {
        const uint32_t wide =
            static_cast<uint32_t>(random_.next()) << 15 | static_cast<uint32_t>(random_.next());
        return bound == 0 ? wide : wide % bound;
    }

    void mutate(std::vector<uint8_t>& bytes) {
        static constexpr std::array<uint32_t, 16> kInteresting{
            0, 1, 2, 3, 4, 7, 8, 16, 24, 32, 124, 8192, 8193, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        switch (next(4)) {
        case 0:
            bytes[next(static_cast<uint32_t>(bytes.size()))] = static_cast<uint8_t>(next(256));
            break;
        case 1: {
            const size_t field = 4 + 4 * next(30);
            putU32(bytes, field, next(2) ? kInteresting[next(kInteresting.size())] : next(0));
            break;
        }
        case 2:
            bytes[4 + next(124)] ^= static_cast<uint8_t>(1u << next(8));
            break;
        default:
            bytes.resize(next(static_cast<uint32_t>(bytes.size())) + 1);
            break;
        }
    }

  private:
    Random random_;
};

uint32_t fieldOr(const std::vector<uint8_t>& bytes, size_t at, uint32_t fallback) {
    if (bytes.size() < at + 4)
        return fallback;
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

TEST(DdsReaderFuzz, MutatedFilesNeverMisbehave) {
    constexpr int kRounds = 3000;
    for (size_t f = 0; f < kAllFormats.size(); ++f) {
        const auto original = validFile(kAllFormats[f], 9, 7);
        Mutator mutator(static_cast<uint32_t>(1000 + f));
        int decoded = 0;
        for (int round = 0; round < kRounds; ++round) {
            auto bytes = original;
            for (uint32_t m = 1 + mutator.next(3); m > 0 && bytes.size() > 128; --m)
                mutator.mutate(bytes);
            auto image = decode(bytes);
            if (!image)
                continue;
            ++decoded;
            ASSERT_EQ(image->width, fieldOr(bytes, dds::kWidthAt, 0));
            ASSERT_EQ(image->height, fieldOr(bytes, dds::kHeightAt, 0));
            ASSERT_EQ(image->pixels.size(), size_t{image->width} * image->height);
        }
        // Both outcomes must occur, or the sweep tested nothing.
        EXPECT_GT(decoded, 0) << "format " << f;
        EXPECT_LT(decoded, kRounds) << "format " << f;
    }
}

// ---- files ----------------------------------------------------------------------------------

TEST(DdsReaderFile, FindsTheFileWhateverTheCaseOfItsPath) {
    TempDir dir;
    dir.write("Data/tex/Logo.dds", asString(validFile(dds::kA8R8G8B8, 3, 3)));
    ScopedWorkingDir cwd(dir.path());
    auto image = loadDdsFile("./data/tex/logo.dds");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3u);
    std::string problem;
    EXPECT_FALSE(loadDdsFile("./Data/tex/missing.dds", &problem));
    EXPECT_EQ(problem, "it is missing");
    EXPECT_FALSE(loadDdsFile("./Data/tex", &problem));
    EXPECT_EQ(problem, "it is no regular file");
}

} // namespace
} // namespace qv
