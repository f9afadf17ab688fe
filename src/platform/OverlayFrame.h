#pragma once

#include "platform/GlBackBuffer.h"
#include "platform/RenderTypes.h"

#include <cstdint>

namespace qv {

// Where the 640 x 480 overlay space lands on a picture of width x height pixels. Stretched, it
// covers the whole picture whatever its shape (the classic look). Framed, it fills the largest
// centred 4:3 frame, at the picture's full height on a wider picture and its full width on a
// narrower one, so no overlay element changes its shape; the picture's edges then lie outside
// 0..640 x 0..480 in overlay units.
class OverlayFrame {
  public:
    // The clip-space placement: a classic overlay position (-1..1 across the whole picture) is
    // multiplied by scale and moved by offset.
    struct ClipFit {
        float scaleX = 1.0f, scaleY = 1.0f, offsetX = 0.0f, offsetY = 0.0f;
        bool operator==(const ClipFit&) const = default;
    };

    static OverlayFrame stretched(uint32_t width, uint32_t height);
    static OverlayFrame framed(uint32_t width, uint32_t height);

    // The frame in pixels, from the picture's top-left corner.
    const LetterboxRect& pixels() const { return frame_; }
    // The picture's edges in overlay units.
    OverlayRect bounds() const;
    ClipFit clipFit() const;
    bool operator==(const OverlayFrame&) const = default;

  private:
    OverlayFrame(uint32_t width, uint32_t height, const LetterboxRect& frame)
        : width_(width), height_(height), frame_(frame) {}

    uint32_t width_, height_;
    LetterboxRect frame_;
};

} // namespace qv
