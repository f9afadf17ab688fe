#include "world/Fog.h"

#include <algorithm>

namespace qv {

Fog::Fog(GraphicsDevice& device, const GameState& state, const SceneOptions& options)
    : device_(device), enabled_(false) {
    const float range = static_cast<float>(GameState::clampSightRange(state.sightRange));
    restingStart_ = fogStart_ = range - 2.0f;
    restingEnd_ = fogEnd_ = range;
    const int32_t mode = options.fogMode;
    if (mode == 0) {
        device_.setRenderState(RenderState::FogEnable, 0);
        return;
    }
    enabled_ = true;
    device_.setRenderState(RenderState::FogEnable, 1);
    device_.setRenderState(RenderState::FogColor, kColor);
    const bool perPixel = mode == 1;
    device_.setRenderState(RenderState::FogVertexMode, perPixel ? kFogNone : kFogLinear);
    device_.setRenderState(RenderState::FogTableMode, perPixel ? kFogLinear : kFogNone);
    reset();
    device_.setRenderStateFloat(RenderState::FogDensity, kDensity);
}

void Fog::enable() {
    if (enabled_)
        device_.setRenderState(RenderState::FogEnable, 1);
}

void Fog::disable() {
    if (enabled_)
        device_.setRenderState(RenderState::FogEnable, 0);
}

void Fog::reset() {
    setDistances(restingStart_, restingEnd_);
}

void Fog::closeIn() {
    setDistances(kClosedStart, kClosedEnd);
}

void Fog::openUp() {
    setDistances(std::min(fogStart_ + kStartStep, restingStart_), std::min(fogEnd_ + kEndStep, restingEnd_));
}

void Fog::setDistances(float start, float end) {
    if (!enabled_)
        return;
    fogStart_ = start;
    fogEnd_ = end;
    device_.setRenderStateFloat(RenderState::FogStart, fogStart_);
    device_.setRenderStateFloat(RenderState::FogEnd, fogEnd_);
}

} // namespace qv
