#pragma once

#include "assets/MeshModel.h"
#include "platform/GraphicsDevice.h"
#include "scene/SceneLight.h"

#include <vector>

namespace qv::content {

// Renders meshes with a real graphics device the way the game draws them, for a person to look
// at: the scene's light and ambient, culling on, over a patch of flat ground at y = 0 against
// the sky colour. The view is framed to fit whatever is drawn.
class MeshReview {
  public:
    // One mesh at its world transform. With an effect texture it is drawn as the boost effect
    // is: unlit, textured, blended, without depth writes, after everything else.
    struct Part {
        const MeshModel* model = nullptr;
        Matrix4 world = Matrix4::identity();
        const Texture* effectTexture = nullptr;
    };

    explicit MeshReview(GraphicsDevice& device);

    // The parts seen from `towardsEye` (a direction from the middle of the parts).
    Image render(const std::vector<Part>& parts, const Vec3& towardsEye);

  private:
    void drawGround();
    void drawParts(const std::vector<Part>& parts, bool effects);

    GraphicsDevice& device_;
    SceneLight light_;
};

} // namespace qv::content
