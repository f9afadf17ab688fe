#include "scene/PhaseDrawing.h"

#include "platform/GraphicsDevice.h"
#include "world/Camera.h"
#include "world/SkyBackdrop.h"

namespace qv::phase {

void drawSky(const SceneParts& parts) {
    GraphicsDevice& g = parts.graphics;
    g.setRenderState(RenderState::Lighting, 0);
    g.setVertexFormat(fvf::kWorld);
    g.setRenderState(RenderState::ZEnable, 0);
    parts.sky.draw(parts.camera.eye(), parts.camera.yaw());
    g.setRenderState(RenderState::ZEnable, 1);
}

void beginMeshPass(const SceneParts& parts) {
    parts.graphics.setRenderState(RenderState::Lighting, 1);
    parts.graphics.setRenderState(RenderState::AlphaBlendEnable, 0);
}

void beginWorldPass(const SceneParts& parts) {
    parts.graphics.setRenderState(RenderState::Lighting, 0);
    parts.graphics.setVertexFormat(fvf::kWorld);
}

void beginTransparentPass(const SceneParts& parts) {
    parts.graphics.setRenderState(RenderState::AlphaBlendEnable, 1);
    parts.graphics.setRenderState(RenderState::ZWriteEnable, 0);
}

void endTransparentPass(const SceneParts& parts) {
    parts.graphics.setRenderState(RenderState::ZWriteEnable, 1);
}

void beginOverlayPass(const SceneParts& parts) {
    parts.graphics.setVertexFormat(fvf::kOverlay);
}

} // namespace qv::phase
