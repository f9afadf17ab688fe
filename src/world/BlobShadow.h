#pragma once

#include "core/Vec3.h"
#include "field/Field.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/Texture.h"
#include "rider/Rider.h"

#include <array>
#include <cstddef>
#include <memory>

namespace qv {

class ContentCache;

// The rider's shadow: a small dark octagon laid on the ground under the rider, each corner at
// the terrain height of its own point so the disc folds with the ground. It ignores the light
// and the rider's height, so it stays on the ground through a jump.
class BlobShadow {
  public:
    static constexpr float kRadius = 0.11f;
    static constexpr Argb kColor = 0x70000000; // black, alpha 112
    static constexpr size_t kVertexCount = 10; // centre, eight corners, the first corner again

    // Throws FatalError "ERROR : Create Direct3DTexture" when ./Data/tex/shadow.dds cannot be made.
    BlobShadow(GraphicsDevice& device, ContentCache& content, const Rider& rider, const Field& field);

    // One triangle fan. The phase has set lighting off, the world vertex format, blending on,
    // depth writes off and the depth test on.
    void draw();

    const Texture& texture() const { return *texture_; }

  private:
    GraphicsDevice& device_;
    const Rider& rider_;
    const Field& field_;
    std::array<Vec3, kVertexCount> offsets_;
    std::array<WorldVertex, kVertexCount> fan_{};
    std::unique_ptr<Texture> texture_;
};

} // namespace qv
