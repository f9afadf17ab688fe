#include "scene/PhaseSteps.h"

#include "field/Field.h"
#include "field/WaterSurface.h"
#include "platform/GraphicsDevice.h"
#include "rider/Rider.h"
#include "world/BlobShadow.h"
#include "world/Camera.h"
#include "world/RippleSet.h"
#include "world/SkyBackdrop.h"
#include "world/SplashSet.h"

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

void drawGroundAndWater(const SceneParts& parts) {
    const Vec3& eye = parts.camera.eye();
    float yaw = parts.camera.yaw();
    beginWorldPass(parts);
    parts.field.draw(eye, yaw);
    beginTransparentPass(parts);
    parts.shadow.draw();
    parts.water.draw(eye, yaw);
    parts.ripples.draw();
    parts.rider.drawBoostEffect();
    endTransparentPass(parts);
}

void drawSplashes(const SceneParts& parts) {
    parts.graphics.setVertexFormat(fvf::kSplash);
    parts.splashes.draw();
}

void beginOverlayPass(const SceneParts& parts) {
    parts.graphics.setVertexFormat(fvf::kOverlay);
}

void moveWaterEffects(const SceneParts& parts) {
    const Rider& rider = parts.rider;
    if (rider.waterContact() != 0) {
        parts.ripples.spawn(rider.position(), rider.speed());
        parts.splashes.spawn(rider.position(), rider.speed(), rider.waterContact());
    }
    parts.ripples.update();
    parts.splashes.update();
}

} // namespace qv::phase
