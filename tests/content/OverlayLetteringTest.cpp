#include "OverlayLettering.h"
#include "assets/TextSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace qv::content {
namespace {

struct CellInk {
    int left = textsheet::kCellWidth, top = textsheet::kCellHeight, right = -1, bottom = -1;
    bool any() const { return right >= 0; }
};

uint32_t alphaOf(uint32_t pixel) {
    return pixel >> 24;
}
uint32_t brightnessOf(uint32_t pixel) {
    return std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF});
}

class OverlayLetteringTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { sheet_ = std::make_unique<Image>(textSheet(TextRenderer(kMonoFont))); }
    static void TearDownTestSuite() { sheet_.reset(); }

    // The texels of a cell (cell-relative) that pass a test on their pixel.
    template <typename Test> static CellInk inkOf(int cell, Test test) {
        CellInk ink;
        const int x0 = (cell % textsheet::kColumns) * textsheet::kCellWidth;
        const int y0 = (cell / textsheet::kColumns) * textsheet::kCellHeight;
        for (int y = 0; y < textsheet::kCellHeight; ++y) {
            for (int x = 0; x < textsheet::kCellWidth; ++x) {
                if (test(sheet_->at(static_cast<uint32_t>(x0 + x), static_cast<uint32_t>(y0 + y)))) {
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
                           std::max(ink.bottom, y)};
                }
            }
        }
        return ink;
    }
    static CellInk anyInk(int cell) {
        return inkOf(cell, [](uint32_t p) { return alphaOf(p) > 0; });
    }
    // The letter itself: bright and opaque, inside its dark outline.
    static CellInk letter(char32_t c) {
        return inkOf(*textsheet::cellOf(c),
                     [](uint32_t p) { return alphaOf(p) > 200 && brightnessOf(p) > 200; });
    }

    static std::unique_ptr<Image> sheet_;
};

std::unique_ptr<Image> OverlayLetteringTest::sheet_;

TEST_F(OverlayLetteringTest, EveryPrintableCharacterHasAGlyphKeptClearOfItsCellsEdges) {
    ASSERT_EQ(sheet_->width, static_cast<uint32_t>(textsheet::kWidth));
    ASSERT_EQ(sheet_->height, static_cast<uint32_t>(textsheet::kHeight));
    for (char32_t c = 0; c < 0x100; ++c) {
        const std::optional<int> cell = textsheet::cellOf(c);
        if (!cell)
            continue;
        const CellInk ink = anyInk(*cell);
        if (c == U' ' || c == 0xA0) { // spaces
            EXPECT_FALSE(ink.any()) << static_cast<int>(c);
            continue;
        }
        ASSERT_TRUE(ink.any()) << static_cast<int>(c);
        // A clear rim, so filtering never pulls in a neighbour's ink.
        EXPECT_GE(ink.left, 1) << static_cast<int>(c);
        EXPECT_GE(ink.top, 1) << static_cast<int>(c);
        EXPECT_LE(ink.right, textsheet::kCellWidth - 2) << static_cast<int>(c);
        EXPECT_LE(ink.bottom, textsheet::kCellHeight - 2) << static_cast<int>(c);
    }
    EXPECT_FALSE(anyInk(95).any()) << "the cell between the two halves stays empty";
}

TEST_F(OverlayLetteringTest, WhiteLettersInADarkOutlineOnTheBaselineCentredOnTheirAdvance) {
    for (char32_t c : {U'H', U'x', U'0', U'M', U'\u00C9'}) {
        const CellInk ink = letter(c);
        ASSERT_TRUE(ink.any()) << static_cast<int>(c);
        EXPECT_NEAR(ink.bottom, textsheet::kBaseline - 1, 1) << static_cast<int>(c);
        EXPECT_NEAR(0.5 * (ink.left + ink.right + 1), 0.5 * textsheet::kCellWidth, 1.0)
            << static_cast<int>(c);
        EXPECT_LE(ink.right - ink.left + 1, textsheet::kAdvance) << static_cast<int>(c);
    }
    // Capitals reach the same height; a descender goes below the baseline.
    EXPECT_EQ(letter(U'H').top, letter(U'E').top);
    EXPECT_GT(letter(U'g').bottom, textsheet::kBaseline + 2);
    // The accent of a Latin-1 capital sits above the plain capital.
    EXPECT_LT(letter(U'\u00C9').top, letter(U'E').top - 2);
    // White letters in a dark outline.
    EXPECT_LT(anyInk(*textsheet::cellOf(U'H')).left, letter(U'H').left);
    EXPECT_TRUE(inkOf(*textsheet::cellOf(U'H'), [](uint32_t p) {
                    return alphaOf(p) > 200 && brightnessOf(p) < 60;
                }).any());
}

} // namespace
} // namespace qv::content
