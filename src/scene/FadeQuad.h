#pragma once

#include "platform/RenderTypes.h"

#include <array>
#include <cstdint>

namespace qv {

class GraphicsDevice;

// A full-screen black quad whose alpha climbs by 3 a step: the fade at the end of a scene. It
// covers the whole picture, also where that reaches beyond the overlay's 4:3 frame.
class FadeQuad {
  public:
    explicit FadeQuad(GraphicsDevice& graphics);
    void step();
    void draw();
    int32_t fadeCounter() const { return fadeCounter_; }
    const std::array<OverlayVertex, 4>& quad() const { return quad_; }

  private:
    GraphicsDevice& graphics_;
    std::array<OverlayVertex, 4> quad_;
    int32_t fadeCounter_ = 0;
};

} // namespace qv
