#pragma once

#include "platform/RenderTypes.h"

namespace qv {

class GraphicsDevice;

// The scene's one directional light, applied before every phase draw.
class SceneLight {
  public:
    static constexpr Argb kAmbient = 0xFF505050;

    explicit SceneLight(GraphicsDevice& graphics);
    void apply();
    const Light& light() const { return light_; }

  private:
    GraphicsDevice& graphics_;
    Light light_;
};

} // namespace qv
