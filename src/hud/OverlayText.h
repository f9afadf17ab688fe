#pragma once

#include "assets/TextSheet.h"
#include "core/Vec3.h"
#include "platform/RenderTypes.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class GraphicsDevice;
class Texture;

// How a block of overlay lines is drawn: letters this many times their usual size, a panel at
// least this wide (overlay units), and one line, when given, on a highlight bar across the panel.
struct TextStyle {
    float scale = 1.0f;
    float minWidth = 0.0f;
    std::optional<size_t> highlighted = std::nullopt;
    Argb panel = 0xA0000000;
};

// Lines of text in the 640 x 480 overlay space, lettered from the text sheet (assets/TextSheet.h)
// on a dark translucent panel, so they read over sky and water alike. A character the sheet has
// no glyph for shows as '?'. It draws with the overlay vertex format, without the depth test and
// culling, and puts back the render states it changes, so it may draw over a finished frame.
class OverlayText {
  public:
    static constexpr float kCharWidth = 8.0f; // overlay units from one character to the next
    // Overlay units per texel of the sheet, and from one line to the next (a whole cell).
    static constexpr float kScale = kCharWidth / static_cast<float>(textsheet::kAdvance);
    static constexpr float kLineHeight = kScale * static_cast<float>(textsheet::kCellHeight);
    static constexpr float kPadding = 4.0f;              // round the text, inside the panel
    static constexpr Argb kHighlightColour = 0xC0B06000; // the bar behind a chosen line

    using Style = TextStyle;

    // The sheet must outlive this.
    OverlayText(GraphicsDevice& device, const Texture& sheet);

    // The panel's top-left corner at topLeft; white letters.
    void draw(std::span<const std::u32string> lines, Vec2 topLeft, const Style& style = {});
    // Covers the whole picture, wider than the overlay's frame too, in a translucent colour: the
    // game goes into the background behind a menu.
    void shade(Argb colour);
    // The panel's width and height round these lines.
    static Vec2 panelSize(std::span<const std::u32string> lines, const Style& style = {});

    // The characters of UTF-8 text; a byte that starts no valid character reads as '?'.
    static std::u32string decode(std::string_view utf8);
    // At most count characters of the line: its end, after "...", when it is longer (the end of
    // a path is the part worth reading).
    static std::u32string lastCharacters(const std::u32string& line, size_t count);

  private:
    void addGlyph(char32_t c, Vec2 pen, float scale);
    void drawQuad(Vec2 topLeft, Vec2 size, Argb colour);

    GraphicsDevice& device_;
    const Texture& sheet_;
    std::vector<OverlayVertex> glyphs_; // one triangle list of every glyph of a draw
};

} // namespace qv
