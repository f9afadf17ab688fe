#include "LetteringSheets.h"
#include "OutputFolder.h"
#include "assets/DdsReader.h"
#include "pictures/SignSheet.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace qv::content {
namespace {

using namespace signs;

constexpr int kPiece = SignSheet::kPiece;
// Texels along every edge of a row or cell that must stay clear: linear filtering reaches
// across the edge into the neighbour by up to one texel.
constexpr int kClearEdge = 2;

float alphaOf(uint32_t argb) {
    return static_cast<float>(argb >> 24) / 255.0f;
}

// The strongest colour channel: high for white and for vivid colours alike, low for the rim.
float strengthOf(uint32_t argb) {
    return static_cast<float>(std::max({(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF})) / 255.0f;
}

struct Ink {
    int count = 0;   // texels more than half opaque
    int touched = 0; // texels with any alpha
    int bright = 0;  // opaque and strongly coloured
    int dark = 0;    // opaque and dark
    // Bounds of the opaque texels.
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    float centreX() const { return 0.5f * static_cast<float>(left + right + 1); }
    float centreY() const { return 0.5f * static_cast<float>(top + bottom + 1); }
    int height() const { return bottom - top + 1; }
};

Ink inkIn(const Image& image, const SheetArea& a) {
    Ink ink;
    for (int y = a.top; y < a.top + a.height; ++y) {
        for (int x = a.left; x < a.left + a.width; ++x) {
            const uint32_t p = image.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            const float alpha = alphaOf(p);
            ink.touched += alpha > 0.0f ? 1 : 0;
            if (alpha <= 0.5f)
                continue;
            ++ink.count;
            ink.bright += strengthOf(p) > 0.7f ? 1 : 0;
            ink.dark += strengthOf(p) < 0.3f ? 1 : 0;
            ink.left = std::min(ink.left, x);
            ink.top = std::min(ink.top, y);
            ink.right = std::max(ink.right, x);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The strips along the four edges of an area.
std::vector<SheetArea> edgesOf(const SheetArea& a) {
    return {{a.left, a.top, a.width, kClearEdge},
            {a.left, a.top + a.height - kClearEdge, a.width, kClearEdge},
            {a.left, a.top, kClearEdge, a.height},
            {a.left + a.width - kClearEdge, a.top, kClearEdge, a.height}};
}

::testing::AssertionResult isSign(const Image& image, const SheetArea& area) {
    const Ink ink = inkIn(image, area);
    const int texels = area.width * area.height;
    if (ink.count < texels / 25)
        return ::testing::AssertionFailure() << "only " << ink.count << " inked texels";
    if (ink.bright < ink.count / 10 || ink.dark < ink.count / 10)
        return ::testing::AssertionFailure() << "no bright lettering in a dark rim: " << ink.bright
                                             << " bright, " << ink.dark << " dark of " << ink.count;
    for (const SheetArea& edge : edgesOf(area))
        if (const int bled = inkIn(image, edge).touched; bled > 0)
            return ::testing::AssertionFailure()
                   << bled << " texels drawn on the edge at " << edge.left << "," << edge.top;
    return ::testing::AssertionSuccess();
}

// Texels of the stage title row under overlay x in [from, to).
SheetArea titleColumns(float from, float to) {
    auto column = [](float x) {
        return static_cast<int>((x - kTitleLeft) / kTitleQuad.x * static_cast<float>(SignSheet::kSize));
    };
    const SheetArea row = SignSheet::row(kStageTitleRow);
    const int left = std::clamp(column(from), 0, SignSheet::kSize);
    return {left, row.top, std::clamp(column(to), 0, SignSheet::kSize) - left, row.height};
}

// Overlay y of a texel row: title rows span y 6..40, digit cells y 0..46.
float titleY(float texelY) {
    return kTitleTop + (texelY - static_cast<float>(kStageTitleRow * kPiece)) / kPiece * kTitleQuad.y;
}
float digitY(float texelY, int cell) {
    return (texelY - static_cast<float>(cell / SignSheet::kGrid * kPiece)) / kPiece * kDigitQuad.y;
}

// The sheets as the content tool writes them and the game reads them.
class SignSheetLayout : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const test::TempDir dir;
        std::ostringstream log;
        OutputFolder out(dir.path().string(), log);
        const TextRenderer text;
        const Synth synth(22050.0f);
        GeneratorContext context{out, text, synth};
        writeLetteringSheets(context);
        auto load = [&dir](const char* name) { return loadDdsFile(dir.file(name)).value_or(Image{}); };
        sheets_ = std::make_unique<Sheets>(Sheets{load("tex/str.dds"), load("tex/strd.dds"),
                                                  load("tex/stagenum.dds"), load("tex/rest.dds")});
    }
    static void TearDownTestSuite() { sheets_.reset(); }

    struct Sheets {
        Image sign, mode, stage, remaining;
        std::vector<const Image*> all() const { return {&sign, &mode, &stage, &remaining}; }
        std::vector<const Image*> rowSheets() const { return {&sign, &mode, &remaining}; }
    };
    static std::unique_ptr<Sheets> sheets_;
};

std::unique_ptr<SignSheetLayout::Sheets> SignSheetLayout::sheets_;

TEST_F(SignSheetLayout, AllFourSheetsAreWrittenAsSquareTextures) {
    for (const Image* sheet : sheets_->all()) {
        EXPECT_EQ(sheet->width, static_cast<uint32_t>(SignSheet::kSize));
        EXPECT_EQ(sheet->height, static_cast<uint32_t>(SignSheet::kSize));
    }
}

TEST_F(SignSheetLayout, EveryRowSheetIsFourInkedRowsWithClearEdges) {
    for (const Image* sheet : sheets_->rowSheets()) {
        ASSERT_EQ(sheet->height, static_cast<uint32_t>(SignSheet::kSize));
        for (int r = 0; r < SignSheet::kGrid; ++r)
            EXPECT_TRUE(isSign(*sheet, SignSheet::row(r))) << "row " << r;
    }
}

TEST_F(SignSheetLayout, NoTwoRowsOfASheetShowTheSameSign) {
    auto differing = [](const Image& sheet, int a, int b) {
        int count = 0;
        for (uint32_t y = 0; y < kPiece; ++y)
            for (uint32_t x = 0; x < sheet.width; ++x)
                count += sheet.at(x, a * kPiece + y) != sheet.at(x, b * kPiece + y) ? 1 : 0;
        return count;
    };
    for (const Image* sheet : sheets_->rowSheets())
        for (int a = 0; a < SignSheet::kGrid; ++a)
            for (int b = a + 1; b < SignSheet::kGrid; ++b)
                EXPECT_GT(differing(*sheet, a, b), SignSheet::kSize * kPiece / 50)
                    << "rows " << a << ", " << b;
}

TEST_F(SignSheetLayout, DigitCellsOneToTenAreInkedAndCentredCellElevenIsEmpty) {
    const Image& stage = sheets_->stage;
    for (int k = 0; k <= kHighestCycle; ++k) {
        const SheetArea cell = SignSheet::cell(k);
        EXPECT_TRUE(isSign(stage, cell)) << "cell " << k;
        const Ink ink = inkIn(stage, cell);
        EXPECT_NEAR(ink.centreX(), static_cast<float>(cell.left) + kPiece / 2.0f, 3.0f) << "cell " << k;
        EXPECT_NEAR(ink.centreY(), static_cast<float>(cell.top) + kPiece / 2.0f, 3.0f) << "cell " << k;
    }
    EXPECT_EQ(inkIn(stage, SignSheet::cell(kHighestCycle + 1)).touched, 0);
    // "10" is squeezed in at full height, not shrunk.
    EXPECT_NEAR(inkIn(stage, SignSheet::cell(kHighestCycle)).height(),
                inkIn(stage, SignSheet::cell(1)).height(), 3);
}

TEST_F(SignSheetLayout, StageTitleLeavesTheDigitQuadsClearAndDashesBetweenThem) {
    const Image& stage = sheets_->stage;
    EXPECT_TRUE(isSign(stage, SignSheet::row(kStageTitleRow)));
    const float cycleRight = kCycleDigitLeft + kDigitQuad.x;
    const float stageRight = kStageDigitLeft + kDigitQuad.x;
    EXPECT_EQ(inkIn(stage, titleColumns(kCycleDigitLeft - 1.0f, cycleRight + 1.0f)).touched, 0);
    EXPECT_EQ(inkIn(stage, titleColumns(kStageDigitLeft - 1.0f, stageRight)).touched, 0);
    const Ink dash = inkIn(stage, titleColumns(cycleRight + 1.0f, kStageDigitLeft - 1.0f));
    EXPECT_GT(dash.count, 100);
    EXPECT_GT(dash.bright, 20);
    EXPECT_GT(inkIn(stage, titleColumns(kTitleLeft, kCycleDigitLeft)).count, kPiece * SignSheet::kSize / 8);
}

TEST_F(SignSheetLayout, TitleAndDigitsShareOneLineOnScreen) {
    const Image& stage = sheets_->stage;
    const Ink word = inkIn(stage, titleColumns(kTitleLeft, kCycleDigitLeft));
    const Ink digit = inkIn(stage, SignSheet::cell(3));
    const float wordTop = titleY(static_cast<float>(word.top)), wordBottom = titleY(word.bottom + 1.0f);
    const float digitTop = digitY(static_cast<float>(digit.top), 3),
                digitBottom = digitY(digit.bottom + 1.0f, 3);
    EXPECT_NEAR(0.5f * (wordTop + wordBottom), 0.5f * (digitTop + digitBottom), 1.5f);
    EXPECT_NEAR(wordBottom - wordTop, digitBottom - digitTop, 2.5f);
    // The endless title stands on the same line, centred on the screen.
    const Ink endless = inkIn(sheets_->sign, SignSheet::row(kEndlessTitleRow));
    EXPECT_NEAR(kTitleLeft + endless.centreX() / SignSheet::kSize * kTitleQuad.x, 320.0f, 3.0f);
    EXPECT_NEAR(titleY(endless.top + static_cast<float>(kStageTitleRow * kPiece)), wordTop, 1.5f);
}

} // namespace
} // namespace qv::content
