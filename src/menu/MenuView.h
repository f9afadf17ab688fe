#pragma once

#include "hud/OverlayText.h"
#include "menu/MenuPage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// Draws a menu page over the game, centred in the 640 x 480 overlay: its title in large
// letters, its lines under it with the chosen one on a highlight bar (a long page scrolls to
// keep it in sight), then a status line (what just happened, what failed) and the controls.
class MenuView {
  public:
    static constexpr size_t kVisibleLines = 14;
    static constexpr float kTitleScale = 2.0f;
    static constexpr float kTop = 40.0f;
    static constexpr float kWidth = 560.0f;    // every panel's width, overlay units
    static constexpr float kGap = 8.0f;        // between panels
    static constexpr Argb kPanel = 0xE8141C2C; // nearly opaque: the game behind must not show through
    static constexpr Argb kShade = 0x90000000; // over the whole game, behind the panels

    // The page's visible lines as drawn ("Music volume   < 80 >"), and which of them is chosen;
    // a page that scrolls says so above and below its lines.
    struct Body {
        std::vector<std::u32string> lines;
        size_t highlighted = 0;
    };
    static Body body(const MenuPage& page);

    // Shades the game, then draws the page. status and footer are UTF-8; an empty one is not
    // drawn.
    static void draw(OverlayText& text, const MenuPage& page, const std::string& status,
                     const std::string& footer);

    // Text broken into lines of at most columns characters, between words where it can be.
    static std::vector<std::u32string> wrapped(const std::u32string& text, size_t columns);

  private:
    static size_t firstShown(const MenuPage& page);
};

} // namespace qv
