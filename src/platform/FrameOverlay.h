#pragma once

namespace qv {

class GraphicsDevice;

// Drawn over every frame once the game has drawn all of it, just before it is shown: the
// player's own tools (the FPS display, the screenshot notice), which may read the frame first.
class FrameOverlay {
  public:
    virtual ~FrameOverlay() = default;
    virtual void drawOver(GraphicsDevice& device) = 0;
};

} // namespace qv
