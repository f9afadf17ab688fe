#pragma once

#include "core/Image.h"
#include "pictures/GlyphPicture.h"
#include "pictures/TextRenderer.h"

namespace qv::content {

// A 4 x 4 sheet of cells: digit d sits in cell d, at column d mod 4 and row d div 4. The game
// stretches each cell over a quad of shownCellWidth x shownCellHeight screen units (640 x 480
// overlay space), so the lettering is drawn pre-stretched to look right there.
struct SheetLayout {
    static constexpr int kCells = 4; // per row and per column

    int width;  // texels
    int height; // texels
    float shownCellWidth;
    float shownCellHeight;

    int cellWidth() const { return width / kCells; }
    int cellHeight() const { return height / kCells; }
};

TexelBox sheetCell(const SheetLayout& layout, int index);
TexelBox sheetRow(const SheetLayout& layout, int row);

// tex/num.dds: the score's digits (30 x 40 on screen each) in cells 0..9, cells 10 and 11 empty,
// and across the whole bottom row the "HIGH SCORE" banner, which blinks at 150 x 40 beside the
// score and slams down as the cleared-stage stamp at about 376 x 111.
constexpr SheetLayout kScoreSheet{256, 256, 30.0f, 40.0f};
constexpr int kBannerRow = 3;
constexpr const char* kBannerText = "HIGH SCORE";
Image scoreDigitSheet(const TextRenderer& text);

// tex/timenum.dds: the timer's digits, 40 x 92 on screen each, cells 10..15 empty. The game tints
// them by their vertex colour (blue, green, yellow, red as time runs out), so they are white and
// grey with a black outline.
constexpr SheetLayout kTimerSheet{256, 512, 40.0f, 92.0f};
Image timerDigitSheet(const TextRenderer& text);

// tex/timeback.dds: the dark panel behind the timer's digits, with a light rim; the game draws
// it translucent (alpha 0xBB) over the view.
constexpr int kTimerPanelSize = 128;
Image timerPanel();

} // namespace qv::content
