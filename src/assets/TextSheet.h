#pragma once

#include <cstdint>
#include <optional>

// The overlay's lettering sheet (tex/text.dds): one glyph of a monospaced font per cell, white
// with a dark outline, for the lines the game writes on screen at run time (the FPS display, the
// screenshot notice). The content tool draws it and the game reads it by this layout.
namespace qv::textsheet {

inline constexpr int kColumns = 16;
inline constexpr int kRows = 12;
inline constexpr int kCellWidth = 24;  // texels
inline constexpr int kCellHeight = 36; // texels
inline constexpr int kWidth = kColumns * kCellWidth;
inline constexpr int kHeight = kRows * kCellHeight;
// Every glyph advances the pen by this many texels and is centred across its cell; the
// baseline runs this many texels below the cell's top. The margins round the advance keep the
// outline of wide letters inside the cell.
inline constexpr int kAdvance = 15;
inline constexpr int kBaseline = 27;

// Cells 0..94 hold ' ' to '~', cell 95 is empty, cells 96..191 hold Latin-1 U+00A0..U+00FF.
inline constexpr char32_t kReplacement = U'?';

// The cell of a character; empty for one the sheet has no glyph for.
constexpr std::optional<int> cellOf(char32_t c) {
    if (c >= U' ' && c <= U'~')
        return static_cast<int>(c - U' ');
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<int>(c - 0xA0) + 96;
    return std::nullopt;
}

} // namespace qv::textsheet
