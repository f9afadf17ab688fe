#include "HudTextures.h"
#include "OutputFolder.h"
#include "RaceContent.h"
#include "StartPictures.h"
#include "WaterEffectTextures.h"
#include "assets/DdsReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>

namespace qv::content {
namespace {

uint32_t alphaOf(uint32_t p) {
    return p >> 24;
}
uint32_t redOf(uint32_t p) {
    return (p >> 16) & 0xFF;
}
uint32_t greenOf(uint32_t p) {
    return (p >> 8) & 0xFF;
}
uint32_t blueOf(uint32_t p) {
    return p & 0xFF;
}
uint32_t highest(uint32_t p) {
    return std::max({redOf(p), greenOf(p), blueOf(p)});
}
uint32_t lowest(uint32_t p) {
    return std::min({redOf(p), greenOf(p), blueOf(p)});
}

// Where a box's pixels with any alpha lie.
struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive; right < left when there is none
    size_t pixels = 0;

    bool empty() const { return pixels == 0; }
    float width() const { return static_cast<float>(right - left + 1); }
    float height() const { return static_cast<float>(bottom - top + 1); }
    float middleX() const { return 0.5f * static_cast<float>(left + right + 1); }
    float middleY() const { return 0.5f * static_cast<float>(top + bottom + 1); }
};

Ink inkIn(const Image& image, const TexelBox& box) {
    Ink ink;
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            if (alphaOf(image.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y))) == 0)
                continue;
            ink.left = ink.empty() ? x : std::min(ink.left, x);
            ink.right = ink.empty() ? x : std::max(ink.right, x);
            ink.top = ink.empty() ? y : std::min(ink.top, y);
            ink.bottom = ink.empty() ? y : std::max(ink.bottom, y);
            ++ink.pixels;
        }
    }
    return ink;
}

template <typename Test> size_t countIn(const Image& image, const TexelBox& box, Test test) {
    size_t n = 0;
    for (int y = box.top; y < box.top + box.height; ++y)
        for (int x = box.left; x < box.left + box.width; ++x)
            n += test(image.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y))) ? 1 : 0;
    return n;
}

// The race's textures as the content tool writes them, read back as the game reads them.
class RaceTextures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        test::TempDir dir;
        std::ostringstream log;
        OutputFolder out(dir.path().string(), log);
        const TextRenderer text;
        const Synth synth(22050.0f);
        GeneratorContext context{out, text, synth};
        writeRaceTextures(context);
        for (const char* name : {"num.dds", "timenum.dds", "timeback.dds", "start.dds", "startd.dds",
                                 "Ripple.dds", "splash.dds"}) {
            if (std::optional<Image> image = loadDdsFile(dir.file(std::string("tex/") + name)))
                images_[name] = std::move(*image);
        }
    }
    static void TearDownTestSuite() { images_.clear(); }

    static const Image& image(const std::string& name) {
        static const Image none;
        const auto it = images_.find(name);
        EXPECT_NE(it, images_.end()) << name << " was not written or does not load";
        return it == images_.end() ? none : it->second;
    }

    static std::map<std::string, Image> images_;
};

std::map<std::string, Image> RaceTextures::images_;

struct DigitSheetCase {
    const char* file;
    SheetLayout layout;
    int lastCell; // num.dds keeps its bottom row for the banner
};

const DigitSheetCase kDigitSheets[] = {{"num.dds", kScoreSheet, 11}, {"timenum.dds", kTimerSheet, 15}};

TEST_F(RaceTextures, EveryDigitIsInkedAndCentredInItsOwnCell) {
    for (const DigitSheetCase& c : kDigitSheets) {
        const Image& sheet = image(c.file);
        ASSERT_EQ(sheet.width, static_cast<uint32_t>(c.layout.width)) << c.file;
        ASSERT_EQ(sheet.height, static_cast<uint32_t>(c.layout.height)) << c.file;
        float firstHeight = 0.0f;
        for (int d = 0; d < 10; ++d) {
            const TexelBox cell = sheetCell(c.layout, d);
            const Ink ink = inkIn(sheet, cell);
            ASSERT_FALSE(ink.empty()) << c.file << " digit " << d;
            // Clear of the cell's edges, so filtering never pulls a neighbour in.
            EXPECT_GE(ink.left, cell.left + 2) << c.file << " digit " << d;
            EXPECT_LE(ink.right, cell.left + cell.width - 3) << c.file << " digit " << d;
            EXPECT_GE(ink.top, cell.top + 2) << c.file << " digit " << d;
            EXPECT_LE(ink.bottom, cell.top + cell.height - 3) << c.file << " digit " << d;
            EXPECT_NEAR(ink.middleX(), cell.left + 0.5f * cell.width, 1.5f) << c.file << " digit " << d;
            EXPECT_NEAR(ink.middleY(), cell.top + 0.5f * cell.height, 3.0f) << c.file << " digit " << d;
            // All digits stand the same height, so a number reads as one line.
            firstHeight = d == 0 ? ink.height() : firstHeight;
            EXPECT_NEAR(ink.height(), firstHeight, 0.04f * firstHeight + 1.0f) << c.file << " digit " << d;
        }
    }
}

TEST_F(RaceTextures, NoTwoDigitsLookAlike) {
    for (const DigitSheetCase& c : kDigitSheets) {
        const Image& sheet = image(c.file);
        ASSERT_EQ(sheet.width, static_cast<uint32_t>(c.layout.width)) << c.file;
        for (int a = 0; a < 10; ++a) {
            for (int b = a + 1; b < 10; ++b) {
                const TexelBox ca = sheetCell(c.layout, a), cb = sheetCell(c.layout, b);
                size_t differing = 0;
                for (int y = 0; y < ca.height; ++y)
                    for (int x = 0; x < ca.width; ++x)
                        differing += (alphaOf(sheet.at(ca.left + x, ca.top + y)) > 128) !=
                                     (alphaOf(sheet.at(cb.left + x, cb.top + y)) > 128);
                EXPECT_GT(differing, static_cast<size_t>(ca.width * ca.height) / 20)
                    << c.file << " " << a << b;
            }
        }
    }
}

TEST_F(RaceTextures, CellsTheGameNeverShowsAreClear) {
    for (const DigitSheetCase& c : kDigitSheets) {
        const Image& sheet = image(c.file);
        ASSERT_EQ(sheet.width, static_cast<uint32_t>(c.layout.width)) << c.file;
        for (int cell = 10; cell <= c.lastCell; ++cell) {
            const size_t inked =
                countIn(sheet, sheetCell(c.layout, cell), [](uint32_t p) { return p != 0u; });
            EXPECT_EQ(inked, 0u) << c.file << " cell " << cell;
        }
    }
}

// How wide and tall a digit's ink is on screen, where the game stretches each cell.
Vec2 shownInk(const Image& sheet, const SheetLayout& layout, int digit) {
    const Ink ink = inkIn(sheet, sheetCell(layout, digit));
    return {ink.width() * layout.shownCellWidth / static_cast<float>(layout.cellWidth()),
            ink.height() * layout.shownCellHeight / static_cast<float>(layout.cellHeight())};
}

TEST_F(RaceTextures, DigitsFillTheirCellsAsTheGameStretchesThem) {
    const Image& score = image("num.dds");
    const Image& timer = image("timenum.dds");
    ASSERT_EQ(score.width, static_cast<uint32_t>(kScoreSheet.width));
    ASSERT_EQ(timer.width, static_cast<uint32_t>(kTimerSheet.width));
    // A bold "0" is about two thirds as wide as tall; an uncorrected sheet would show it squashed.
    const Vec2 zero = shownInk(score, kScoreSheet, 0);
    EXPECT_GT(zero.y, 0.8f * kScoreSheet.shownCellHeight);
    EXPECT_GT(zero.x / zero.y, 0.6f);
    EXPECT_LT(zero.x / zero.y, 0.85f);
    // The timer's cells are tall and narrow; its digits stand tall in them, bold, not spindly.
    for (int d = 0; d < 10; ++d) {
        const Vec2 shown = shownInk(timer, kTimerSheet, d);
        EXPECT_GT(shown.y, 0.75f * kTimerSheet.shownCellHeight) << d;
        EXPECT_LT(shown.x, 0.95f * kTimerSheet.shownCellWidth) << d;
    }
    EXPECT_GT(shownInk(timer, kTimerSheet, 0).x, 0.75f * kTimerSheet.shownCellWidth);
}

TEST_F(RaceTextures, TimerDigitsAreUncolouredSoTheGamesTintShows) {
    const Image& sheet = image("timenum.dds");
    ASSERT_FALSE(sheet.pixels.empty());
    uint32_t brightest = 0;
    size_t dark = 0;
    for (uint32_t p : sheet.pixels) {
        if (alphaOf(p) < 255)
            continue;
        EXPECT_LE(highest(p) - lowest(p), 8u) << std::hex << p;
        brightest = std::max(brightest, highest(p));
        dark += highest(p) < 40 ? 1 : 0;
    }
    EXPECT_GE(brightest, 250u) << "white faces take the tint at full strength";
    EXPECT_GT(dark, 1000u) << "a dark outline keeps them readable over a bright sky";
}

TEST_F(RaceTextures, HighScoreBannerFillsTheBottomRowOfTheScoreSheet) {
    const Image& sheet = image("num.dds");
    ASSERT_EQ(sheet.width, static_cast<uint32_t>(kScoreSheet.width));
    const TexelBox row = sheetRow(kScoreSheet, kBannerRow);
    const Ink ink = inkIn(sheet, row);
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.width(), 0.95f * static_cast<float>(row.width)) << "it is shown the row's whole width";
    EXPECT_GT(ink.height(), 0.85f * static_cast<float>(row.height));
    EXPECT_GE(ink.top, row.top + 1) << "clear of the digits above";
    const uint32_t middle =
        sheet.at(static_cast<uint32_t>(row.left + 12), static_cast<uint32_t>(row.top + row.height / 2));
    EXPECT_EQ(alphaOf(middle), 255u) << "a solid plate";
    const size_t red = countIn(sheet, row, [](uint32_t p) {
        return alphaOf(p) == 255 && redOf(p) > 170 && greenOf(p) < 100 && blueOf(p) < 100;
    });
    const size_t white = countIn(sheet, row, [](uint32_t p) { return alphaOf(p) == 255 && lowest(p) > 220; });
    EXPECT_GT(red, static_cast<size_t>(row.width * row.height) / 4);
    EXPECT_GT(white, static_cast<size_t>(row.width * row.height) / 8) << "white lettering and rim";
}

TEST_F(RaceTextures, TimerPanelIsADarkRoundedPlateWithALightRim) {
    const Image& panel = image("timeback.dds");
    ASSERT_EQ(panel.width, static_cast<uint32_t>(kTimerPanelSize));
    ASSERT_EQ(panel.height, static_cast<uint32_t>(kTimerPanelSize));
    const uint32_t centre = panel.at(64, 70);
    EXPECT_EQ(alphaOf(centre), 255u);
    EXPECT_LT(highest(centre), 90u) << "the tinted digits need a dark ground";
    EXPECT_EQ(panel.at(0, 0), 0u) << "rounded corners";
    EXPECT_EQ(panel.at(127, 127), 0u);
    const uint32_t rim = panel.at(64, 2);
    EXPECT_EQ(alphaOf(rim), 255u);
    EXPECT_GT(lowest(rim), 120u);
}

// The texel of a start picture under a point of the 640 x 480 screen.
uint32_t underScreen(const Image& picture, float x, float y) {
    return picture.at(static_cast<uint32_t>(x / 640.0f * static_cast<float>(picture.width)),
                      static_cast<uint32_t>(y / 480.0f * static_cast<float>(picture.height)));
}

template <typename Test> size_t countOnScreen(const Image& picture, const ScreenBox& box, Test test) {
    const TexelBox texels{
        static_cast<int>(box.left / 640.0f * static_cast<float>(picture.width)),
        static_cast<int>(box.top / 480.0f * static_cast<float>(picture.height)),
        static_cast<int>((box.right - box.left) / 640.0f * static_cast<float>(picture.width)),
        static_cast<int>((box.bottom - box.top) / 480.0f * static_cast<float>(picture.height))};
    return countIn(picture, texels, test);
}

bool isTitleYellow(uint32_t p) {
    return redOf(p) > 230 && greenOf(p) > 120 && blueOf(p) < 120;
}

bool isPillRed(uint32_t p) {
    return redOf(p) > 180 && greenOf(p) < 100 && blueOf(p) < 100;
}

TEST_F(RaceTextures, StartPicturesAreOpaqueFullScreenPictures) {
    for (const char* name : {"start.dds", "startd.dds"}) {
        const Image& picture = image(name);
        EXPECT_EQ(picture.width, static_cast<uint32_t>(kStartPictureSize)) << name;
        EXPECT_EQ(picture.height, static_cast<uint32_t>(kStartPictureSize)) << name;
        ASSERT_FALSE(picture.pixels.empty()) << name;
        const size_t seeThrough = static_cast<size_t>(std::count_if(
            picture.pixels.begin(), picture.pixels.end(), [](uint32_t p) { return alphaOf(p) != 255; }));
        EXPECT_EQ(seeThrough, 0u) << name;
    }
}

bool isOutlineNavy(uint32_t p) {
    return redOf(p) < 40 && greenOf(p) < 60 && blueOf(p) > 60 && blueOf(p) < 120;
}

TEST_F(RaceTextures, StartPicturesShowTheNameBoldlyAcrossTheTop) {
    for (const char* name : {"start.dds", "startd.dds"}) {
        const Image& picture = image(name);
        ASSERT_FALSE(picture.pixels.empty()) << name;
        // Big warm letters held by a dark outline, which nothing else in the picture has.
        EXPECT_GT(countOnScreen(picture, kTitleBox, isTitleYellow), picture.pixels.size() / 20) << name;
        const size_t outline = countOnScreen(picture, kTitleBox, isOutlineNavy);
        EXPECT_GT(outline, picture.pixels.size() / 50) << name;
        EXPECT_LT(countOnScreen(picture, {0.0f, 200.0f, 640.0f, 380.0f}, isOutlineNavy), outline / 20)
            << name;
        // Clear of the stage title the game draws at y 6..40.
        EXPECT_EQ(countOnScreen(picture, {172.0f, 6.0f, 428.0f, 40.0f}, isTitleYellow), 0u) << name;
    }
}

TEST_F(RaceTextures, OnlyTheDemosPictureAsksForEnter) {
    const Image& run = image("start.dds");
    const Image& demo = image("startd.dds");
    ASSERT_FALSE(run.pixels.empty());
    ASSERT_FALSE(demo.pixels.empty());
    const size_t area = countOnScreen(demo, kPressEnterBox, [](uint32_t) { return true; });
    EXPECT_GT(countOnScreen(demo, kPressEnterBox, isPillRed), area / 3);
    EXPECT_GT(countOnScreen(demo, kPressEnterBox, [](uint32_t p) { return lowest(p) > 230; }), area / 10);
    EXPECT_LT(countOnScreen(run, kPressEnterBox, isPillRed), area / 50);
}

TEST_F(RaceTextures, StartPicturesAreColourful) {
    for (const char* name : {"start.dds", "startd.dds"}) {
        const Image& picture = image(name);
        ASSERT_FALSE(picture.pixels.empty()) << name;
        double saturation = 0.0;
        for (uint32_t p : picture.pixels)
            saturation += highest(p) == 0 ? 0.0 : static_cast<double>(highest(p) - lowest(p)) / highest(p);
        EXPECT_GT(saturation / static_cast<double>(picture.pixels.size()), 0.4) << name;
        // Sky above, green land and blue water below.
        const uint32_t sky = underScreen(picture, 20.0f, 20.0f);
        EXPECT_GT(blueOf(sky), redOf(sky) + 60) << name;
        const uint32_t water = underScreen(picture, 320.0f, 474.0f);
        EXPECT_GT(blueOf(water), greenOf(water)) << name;
        EXPECT_GT(blueOf(water), redOf(water) + 80) << name;
    }
}

TEST_F(RaceTextures, RippleIsASoftWhiteRing) {
    const Image& ripple = image("Ripple.dds");
    ASSERT_EQ(ripple.width, static_cast<uint32_t>(kRippleSize));
    ASSERT_EQ(ripple.height, static_cast<uint32_t>(kRippleSize));
    const float half = 0.5f * kRippleSize;
    auto alphaAt = [&](float r, float angle) {
        const float x = half + r * half * std::cos(angle);
        const float y = half + r * half * std::sin(angle);
        return alphaOf(ripple.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)));
    };
    for (float angle : {0.0f, 0.8f, 1.6f, 2.9f, 4.0f, 5.5f}) {
        EXPECT_EQ(alphaAt(0.0f, angle), 0u) << "clear in the middle";
        EXPECT_GT(alphaAt(kRippleRadius, angle), 235u) << angle;
        EXPECT_LT(alphaAt(kRippleRadius - 0.1f, angle), 128u) << "a ring, not a disc";
        EXPECT_LT(alphaAt(kRippleRadius + 0.12f, angle), 64u) << "soft outside";
    }
    EXPECT_EQ(alphaOf(ripple.at(0, 0)), 0u);
    EXPECT_EQ(alphaOf(ripple.at(kRippleSize / 2, 0)), 0u) << "clear at the edge, where the quad ends";
    for (uint32_t p : ripple.pixels)
        ASSERT_EQ(p | 0xFF000000u, 0xFFFFFFFFu) << "white everywhere, so filtering never darkens the ring";
}

TEST_F(RaceTextures, SplashIsABlueWhiteDroplet) {
    const Image& splash = image("splash.dds");
    ASSERT_EQ(splash.width, static_cast<uint32_t>(kSplashSize));
    ASSERT_EQ(splash.height, static_cast<uint32_t>(kSplashSize));
    const uint32_t centre = splash.at(kSplashSize / 2, kSplashSize / 2);
    EXPECT_EQ(alphaOf(centre), 255u);
    EXPECT_GT(lowest(centre), 200u) << "pale";
    EXPECT_GE(blueOf(centre), redOf(centre));
    const uint32_t nearRim = splash.at(kSplashSize / 2, kSplashSize - 6);
    EXPECT_GT(alphaOf(nearRim), 0u);
    EXPECT_GT(blueOf(nearRim), redOf(nearRim) + 60) << "blue towards the rim";
    for (uint32_t corner : {splash.at(0, 0), splash.at(kSplashSize - 1, 0), splash.at(0, kSplashSize - 1),
                            splash.at(kSplashSize - 1, kSplashSize - 1)})
        EXPECT_EQ(alphaOf(corner), 0u);
    // Round: as much of it is solid across as down.
    const size_t across =
        countIn(splash, {0, kSplashSize / 2, kSplashSize, 1}, [](uint32_t p) { return alphaOf(p) > 128; });
    const size_t down =
        countIn(splash, {kSplashSize / 2, 0, 1, kSplashSize}, [](uint32_t p) { return alphaOf(p) > 128; });
    EXPECT_EQ(across, down);
    EXPECT_GT(across, static_cast<size_t>(kSplashSize) / 2);
}

} // namespace
} // namespace qv::content
