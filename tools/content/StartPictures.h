#pragma once

#include "core/Image.h"
#include "pictures/TextRenderer.h"

namespace qv::content {

// tex/start.dds and tex/startd.dds: the full-screen pictures that open a run and the attract
// demo, then fade out from right to left over the sky. Both show the name over a sunny sky and
// the rider on its tricycle on a hill above the water; the demo's also says "PRESS ENTER". They
// are drawn for the 640 x 480 screen and stored as kStartPictureSize squared, which the game
// stretches back over the whole screen. Every pixel is opaque.
constexpr int kStartPictureSize = 1024;

enum class StartPicture { Run, Demo };

// A rectangle on the 640 x 480 screen.
struct ScreenBox {
    float left;
    float top;
    float right;
    float bottom;
};

// The name stays below the stage title the game shows at y 6..40 once a run has begun.
constexpr ScreenBox kTitleBox{40.0f, 48.0f, 600.0f, 168.0f};
// In the demo the mode caption covers x 132..508, y 268..372, so the rider stands above it and
// the call to press Enter sits below it.
constexpr ScreenBox kPressEnterBox{170.0f, 392.0f, 470.0f, 448.0f};
constexpr const char* kPressEnterText = "PRESS ENTER";

Image startPicture(const TextRenderer& text, StartPicture which);

} // namespace qv::content
