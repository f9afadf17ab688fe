#pragma once

#include "core/Matrix4.h"
#include "platform/GlFixedFunctionProgram.h"
#include "platform/GlVertexLayout.h"
#include "platform/RenderTypes.h"

#include <array>
#include <cstdint>

namespace qv {

// The fixed-function states as the GL device keeps them. Depth, blending and culling go to GL
// as they are set; everything else reaches the shader as uniforms at the next draw, and only the
// groups that changed since the last one.
class GlFixedFunctionState {
  public:
    explicit GlFixedFunctionState(GlFixedFunctionProgram& program);

    void setRenderState(RenderState state, uint32_t value);
    uint32_t renderState(RenderState state) const;
    void setTransform(TransformKind kind, const Matrix4& matrix);
    void setMaterial(const Material& material);
    void setLight(uint32_t index, const Light& light);
    void lightEnable(uint32_t index, bool enable);

    bool depthWrites() const { return state(RenderState::ZWriteEnable) != 0; }
    // Point sprites are sized from the height of the target drawn into.
    void setViewportHeight(uint32_t height);
    // Where overlay draws land in the target drawn into.
    void setOverlayFit(const OverlayFrame::ClipFit& fit);
    // Uploads what a draw of vertices in this layout needs.
    void flush(const GlVertexLayout& layout, bool points, bool textured);

  private:
    enum Dirty : uint32_t { kTransforms = 1, kLighting = 2, kFog = 4, kPoints = 8, kOverlay = 16, kAll = 31 };

    uint32_t state(RenderState s) const { return states_[static_cast<size_t>(s)]; }
    float stateFloat(RenderState s) const;
    void applyPipelineState(RenderState s, uint32_t value);
    void applyCulling(uint32_t mode);
    void applyBlendFunction();
    void flushDrawInputs(const GlDrawInputs& inputs);
    GlLighting lighting(bool pretransformed) const;
    GlFog fog(bool pretransformed) const;
    GlPointSize pointSize() const;

    GlFixedFunctionProgram& program_;
    std::array<GLfloat, 2> pointSizeRange_{1.0f, 1.0f};
    std::array<uint32_t, static_cast<size_t>(RenderState::Count)> states_{};
    std::array<Matrix4, 3> transforms_{};
    Material material_{};
    Light light_{};
    bool lightEnabled_ = false;
    uint32_t viewportHeight_ = 0;
    OverlayFrame::ClipFit overlayFit_;
    uint32_t dirty_ = kAll;
    GlDrawInputs lastInputs_{};
    bool inputsUploaded_ = false;
};

} // namespace qv
