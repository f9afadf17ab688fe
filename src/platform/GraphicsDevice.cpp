#include "platform/GraphicsDevice.h"

namespace qv {

void GraphicsDevice::beginFrame(Argb clearColor, float farPlane) {
    setTransform(TransformKind::Projection,
                 Matrix4::perspectiveFovLH(kFieldOfView, kAspect, kNearPlane, farPlane));
    clear(clearColor);
    beginScene();
}

void GraphicsDevice::endFrame() {
    setTexture(nullptr);
    endScene();
    present();
}

void GraphicsDevice::applyStartupStates() {
    // The device's own defaults first, so both back ends start from the same place.
    setRenderState(RenderState::ZWriteEnable, 1);
    setRenderState(RenderState::CullMode, kCullCcw);
    setRenderState(RenderState::FogEnable, 0);
    setRenderState(RenderState::FogTableMode, kFogNone);
    setRenderState(RenderState::FogVertexMode, kFogNone);
    setRenderStateFloat(RenderState::FogStart, 0.0f);
    setRenderStateFloat(RenderState::FogEnd, 1.0f);
    setRenderStateFloat(RenderState::PointSize, 1.0f);
    setRenderStateFloat(RenderState::PointSizeMin, 1.0f);
    setRenderStateFloat(RenderState::PointSizeMax, 64.0f);
    setRenderStateFloat(RenderState::PointScaleA, 1.0f);
    // Then the states the whole game assumes.
    setRenderState(RenderState::ZEnable, 1);
    setRenderState(RenderState::ShadeMode, kShadeGouraud);
    setRenderState(RenderState::AlphaBlendEnable, 1);
    setRenderState(RenderState::AlphaTestEnable, 1);
    setRenderState(RenderState::AlphaFunc, kCmpAlways);
    setRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
    setRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
    setRenderState(RenderState::Lighting, 0);
    setRenderState(RenderState::SpecularEnable, 0);
    setRenderState(RenderState::PointSpriteEnable, 1);
    setRenderState(RenderState::PointScaleEnable, 1);
    // Stage 0 always modulates texture by diffuse with linear filtering and a clear border;
    // the back ends build that in, so there is nothing more to set.
}

} // namespace qv
