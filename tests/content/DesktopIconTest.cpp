#include "DesktopIcon.h"
#include "OutputFolder.h"
#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qv::content {
namespace {

uint32_t alpha(uint32_t argb) {
    return argb >> 24;
}

uint32_t channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

class DesktopIcon : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { icons_ = desktopIcons(); }
    static void TearDownTestSuite() { icons_.clear(); }

    static const Image& icon(size_t index) { return icons_.at(index); }

    static std::vector<Image> icons_;
};

std::vector<Image> DesktopIcon::icons_;

TEST_F(DesktopIcon, EverySizeIsTheRoundBadgeWithAClearMargin) {
    for (size_t i = 0; i < kIconSizes.size(); ++i) {
        const int size = kIconSizes[i];
        const Image& picture = icon(i);
        ASSERT_EQ(picture.width, static_cast<uint32_t>(size));
        ASSERT_EQ(picture.height, static_cast<uint32_t>(size));
        const auto last = static_cast<uint32_t>(size - 1);
        for (auto [x, y] : {std::pair{0u, 0u}, {last, 0u}, {0u, last}, {last, last}})
            EXPECT_EQ(alpha(picture.at(x, y)), 0u) << size << ": corner " << x << "," << y;
        // Across the middle the badge is opaque but for a sixteenth of the size either side.
        const uint32_t middle = picture.height / 2;
        int opaque = 0;
        for (uint32_t x = 0; x < picture.width; ++x)
            opaque += alpha(picture.at(x, middle)) >= 128 ? 1 : 0;
        EXPECT_NEAR(opaque, size - 2 * (size / 16), 1) << size;
        EXPECT_EQ(alpha(picture.at(0, middle)), 0u) << size;
    }
}

TEST_F(DesktopIcon, EverySizeShowsTheTricycleAgainstTheSky) {
    // The tyres are the only near-black parts, the frame the only strong red: a picture that
    // loses them to blurring shows a plain blue disc.
    for (size_t i = 0; i < kIconSizes.size(); ++i) {
        const int size = kIconSizes[i];
        int dark = 0;
        int red = 0;
        for (uint32_t p : icon(i).pixels) {
            if (alpha(p) < 250)
                continue;
            const uint32_t r = channel(p, 16);
            const uint32_t g = channel(p, 8);
            const uint32_t b = channel(p, 0);
            dark += r + g + b < 190 ? 1 : 0;
            red += r > 150 && r > 2 * g + 10 && r > 2 * b ? 1 : 0;
        }
        EXPECT_GE(dark, size * size / 60) << size;
        EXPECT_GE(red, size * size / 100) << size;
    }
}

TEST(DesktopIconFiles, WrittenAtEverySizeInTheIconThemeLayout) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.file("icons"), log);
    writeDesktopIcons(out, "org.example.Game");
    ASSERT_EQ(out.written().size(), kIconSizes.size());
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        std::string png;
        ASSERT_TRUE(
            readFile(dir.file("icons/hicolor/" + side + "x" + side + "/apps/org.example.Game.png"), png))
            << side;
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    }
}

} // namespace
} // namespace qv::content
