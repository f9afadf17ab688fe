#pragma once

#include "platform/RenderTypes.h"
#include "platform/Texture.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;
class GraphicsDevice;
struct GameState;

// The full-screen start picture of the signal stage: opaque for 99 frames, then fading out from
// right to left. The demo shows its own picture (with "press Enter").
class StartSignal {
  public:
    StartSignal(GraphicsDevice& graphics, ContentCache& content, const GameState& state);
    void animate();
    void draw();

    const std::array<OverlayVertex, 4>& quad() const { return quad_; }
    const Texture& texture() const { return *texture_; }

  private:
    GraphicsDevice& graphics_;
    std::array<OverlayVertex, 4> quad_;
    std::unique_ptr<Texture> texture_;
    int32_t frameCounter_ = 0;
};

} // namespace qv
