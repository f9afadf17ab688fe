#include "HudTextures.h"

#include "pictures/Palette.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qv::content {

namespace {

// Clear texels kept round the ink of every cell, so filtering never pulls a neighbour in.
constexpr int kCellPadding = 3;
// The banner row (256 x 64 texels) is shown at 150 x 40 and, as the stamp, at about 376 x 111:
// both widen it a little more than they heighten it, so it is drawn this much narrower.
constexpr float kBannerStretch = 1.12f;

struct InkShare {
    float across; // of the shown cell's width
    float down;   // of its height
};

// The ten digits, all at one scale so they line up, each centred in its cell and taking at most
// the given share of the cell as the game shows it.
void drawDigits(Canvas& sheet, const SheetLayout& layout, const TextRenderer& text, const GlyphLook& look,
                InkShare share) {
    std::vector<Image> digits;
    float widest = 0.0f;
    float tallest = 0.0f;
    for (char d = '0'; d <= '9'; ++d) {
        digits.push_back(glyphPicture(text, std::string(1, d), look));
        widest = std::max(widest, static_cast<float>(digits.back().width));
        tallest = std::max(tallest, static_cast<float>(digits.back().height));
    }
    const float texelsAcross = static_cast<float>(layout.cellWidth()) / layout.shownCellWidth;
    const float texelsDown = static_cast<float>(layout.cellHeight()) / layout.shownCellHeight;
    const float roomAcross = static_cast<float>(layout.cellWidth() - 2 * kCellPadding) / texelsAcross;
    const float roomDown = static_cast<float>(layout.cellHeight() - 2 * kCellPadding) / texelsDown;
    // Screen units per picture pixel.
    const float scale = std::min({share.across * layout.shownCellWidth / widest, roomAcross / widest,
                                  share.down * layout.shownCellHeight / tallest, roomDown / tallest});
    for (int d = 0; d < 10; ++d) {
        const Image& digit = digits[static_cast<size_t>(d)];
        drawCentredIn(sheet, digit, sheetCell(layout, d),
                      static_cast<float>(digit.width) * scale * texelsAcross,
                      static_cast<float>(digit.height) * scale * texelsDown);
    }
}

// A red plate with a white rim and white lettering: readable over the sky beside the score, and
// a proper rubber stamp when it slams down over the cleared stage.
void drawBanner(Canvas& sheet, const TextRenderer& text) {
    const TexelBox row = sheetRow(kScoreSheet, kBannerRow);
    auto inset = [&row](float by) {
        return std::pair<Vec2, Vec2>{
            {static_cast<float>(row.left) + by, static_cast<float>(row.top) + by},
            {static_cast<float>(row.left + row.width) - by, static_cast<float>(row.top + row.height) - by}};
    };
    const auto [outerFrom, outerTo] = inset(2.0f);
    const auto [rimFrom, rimTo] = inset(5.0f);
    const auto [plateFrom, plateTo] = inset(8.0f);
    sheet.fillRoundedRect(outerFrom, outerTo, 16.0f, Paint::solid(hexColour(0x5A0010)));
    sheet.fillRoundedRect(rimFrom, rimTo, 13.0f, Paint::solid(hexColour(0xFFFFFF)));
    sheet.fillRoundedRect(
        plateFrom, plateTo, 10.0f,
        Paint::linear({0.0f, plateFrom.y}, hexColour(0xFF4A3A), {0.0f, plateTo.y}, hexColour(0xC00818)));

    GlyphLook look;
    look.top = hexColour(0xFFFFFF);
    look.bottom = hexColour(0xFFF0C8);
    look.outline = hexColour(0x5A0010);
    look.outlineShare = 0.08f;
    const Image words = glyphPicture(text, kBannerText, look);
    const TexelBox inside{row.left + 14, row.top + 11, row.width - 28, row.height - 22};
    const float across = static_cast<float>(words.width) * kBannerStretch;
    const float fit = std::min(static_cast<float>(inside.width) / across,
                               static_cast<float>(inside.height) / static_cast<float>(words.height));
    drawCentredIn(sheet, words, inside, across * fit, static_cast<float>(words.height) * fit);
}

} // namespace

TexelBox sheetCell(const SheetLayout& layout, int index) {
    return {(index % SheetLayout::kCells) * layout.cellWidth(),
            (index / SheetLayout::kCells) * layout.cellHeight(), layout.cellWidth(), layout.cellHeight()};
}

TexelBox sheetRow(const SheetLayout& layout, int row) {
    return {0, row * layout.cellHeight(), layout.width, layout.cellHeight()};
}

Image scoreDigitSheet(const TextRenderer& text) {
    Canvas sheet(kScoreSheet.width, kScoreSheet.height);
    GlyphLook look;
    look.condense = 0.9f;
    look.top = hexColour(0xFFF78A);
    look.bottom = hexColour(0xFF8A1A);
    look.outline = hexColour(0x0E1E5A);
    look.outlineShare = 0.09f;
    drawDigits(sheet, kScoreSheet, text, look, {0.92f, 0.92f});
    drawBanner(sheet, text);
    return sheet.toImage();
}

Image timerDigitSheet(const TextRenderer& text) {
    Canvas sheet(kTimerSheet.width, kTimerSheet.height);
    GlyphLook look;
    // Tall, narrow digits fill the timer's tall cells as a stopwatch's do.
    look.condense = 0.5f;
    look.top = hexColour(0xFFFFFF);
    look.bottom = hexColour(0xC4C4C4);
    look.outline = hexColour(0x08080C);
    look.outlineShare = 0.06f;
    drawDigits(sheet, kTimerSheet, text, look, {0.92f, 0.86f});
    return sheet.toImage();
}

Image timerPanel() {
    constexpr float kSize = static_cast<float>(kTimerPanelSize);
    Canvas panel(kTimerPanelSize, kTimerPanelSize);
    panel.fillRoundedRect({1.0f, 1.0f}, {kSize - 1.0f, kSize - 1.0f}, 24.0f,
                          Paint::solid(hexColour(0x8CE0FF)));
    panel.fillRoundedRect(
        {5.0f, 5.0f}, {kSize - 5.0f, kSize - 5.0f}, 20.0f,
        Paint::linear({0.0f, 5.0f}, hexColour(0x242A3C), {0.0f, kSize - 5.0f}, hexColour(0x08090F)));
    // A faint gloss across the top, as on a glass face.
    panel.fillRoundedRect({11.0f, 9.0f}, {kSize - 11.0f, 42.0f}, 14.0f,
                          Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.08f}));
    return panel.toImage();
}

} // namespace qv::content
