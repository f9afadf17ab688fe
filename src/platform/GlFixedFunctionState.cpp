#include "platform/GlFixedFunctionState.h"

#include <algorithm>
#include <bit>

namespace qv {

namespace {

// Blend factors by their fixed-function code (1 = zero ... 11 = source alpha saturate).
constexpr std::array<GLenum, 12> kBlendFactors = {GL_ONE,
                                                  GL_ZERO,
                                                  GL_ONE,
                                                  GL_SRC_COLOR,
                                                  GL_ONE_MINUS_SRC_COLOR,
                                                  GL_SRC_ALPHA,
                                                  GL_ONE_MINUS_SRC_ALPHA,
                                                  GL_DST_ALPHA,
                                                  GL_ONE_MINUS_DST_ALPHA,
                                                  GL_DST_COLOR,
                                                  GL_ONE_MINUS_DST_COLOR,
                                                  GL_SRC_ALPHA_SATURATE};
constexpr uint32_t kCullCw = 2;

GLenum blendFactor(uint32_t code, GLenum fallback) {
    return code > 0 && code < kBlendFactors.size() ? kBlendFactors[code] : fallback;
}

void enableIf(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

ColorValue operator+(const ColorValue& a, const ColorValue& b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a};
}

} // namespace

GlFixedFunctionState::GlFixedFunctionState(GlFixedFunctionProgram& program) : program_(program) {
    glGetFloatv(GL_POINT_SIZE_RANGE, pointSizeRange_.data());
    transforms_.fill(Matrix4::identity());
}

void GlFixedFunctionState::setRenderState(RenderState s, uint32_t value) {
    if (static_cast<size_t>(s) >= states_.size())
        return;
    states_[static_cast<size_t>(s)] = value;
    applyPipelineState(s, value);
}

uint32_t GlFixedFunctionState::renderState(RenderState s) const {
    return static_cast<size_t>(s) < states_.size() ? state(s) : 0;
}

float GlFixedFunctionState::stateFloat(RenderState s) const {
    return std::bit_cast<float>(state(s));
}

void GlFixedFunctionState::applyPipelineState(RenderState s, uint32_t value) {
    switch (s) {
    case RenderState::ZEnable:
        enableIf(GL_DEPTH_TEST, value != 0);
        break;
    case RenderState::ZWriteEnable:
        glDepthMask(value != 0 ? GL_TRUE : GL_FALSE);
        break;
    case RenderState::AlphaBlendEnable:
        enableIf(GL_BLEND, value != 0);
        break;
    case RenderState::SrcBlend:
    case RenderState::DestBlend:
        applyBlendFunction();
        break;
    case RenderState::CullMode:
        applyCulling(value);
        break;
    case RenderState::Lighting:
    case RenderState::Ambient:
        dirty_ |= kLighting;
        break;
    case RenderState::FogEnable:
    case RenderState::FogColor:
    case RenderState::FogTableMode:
    case RenderState::FogVertexMode:
    case RenderState::FogStart:
    case RenderState::FogEnd:
        dirty_ |= kFog;
        break;
    case RenderState::PointScaleEnable:
    case RenderState::PointSize:
    case RenderState::PointSizeMin:
    case RenderState::PointSizeMax:
    case RenderState::PointScaleA:
    case RenderState::PointScaleB:
    case RenderState::PointScaleC:
        dirty_ |= kPoints;
        break;
    default: // kept for renderState() only: shading is always Gouraud, the alpha test always passes
        break;
    }
}

void GlFixedFunctionState::applyCulling(uint32_t mode) {
    // Culling "counter-clockwise" removes faces that look counter-clockwise on screen.
    enableIf(GL_CULL_FACE, mode == kCullCcw || mode == kCullCw);
    glFrontFace(mode == kCullCw ? GL_CCW : GL_CW);
    glCullFace(GL_BACK);
}

void GlFixedFunctionState::applyBlendFunction() {
    glBlendFunc(blendFactor(state(RenderState::SrcBlend), GL_ONE),
                blendFactor(state(RenderState::DestBlend), GL_ZERO));
}

void GlFixedFunctionState::setTransform(TransformKind kind, const Matrix4& matrix) {
    transforms_[static_cast<size_t>(kind)] = matrix;
    dirty_ |= kTransforms;
    // The light's direction is kept in view space.
    if (kind == TransformKind::View)
        dirty_ |= kLighting;
}

void GlFixedFunctionState::setMaterial(const Material& material) {
    material_ = material;
    dirty_ |= kLighting;
}

// The game lights with one directional light; other indices have nothing to drive.
void GlFixedFunctionState::setLight(uint32_t index, const Light& light) {
    if (index != 0)
        return;
    light_ = light;
    dirty_ |= kLighting;
}

void GlFixedFunctionState::lightEnable(uint32_t index, bool enable) {
    if (index != 0)
        return;
    lightEnabled_ = enable;
    dirty_ |= kLighting;
}

void GlFixedFunctionState::setViewportHeight(uint32_t height) {
    if (height != viewportHeight_)
        dirty_ |= kPoints;
    viewportHeight_ = height;
}

void GlFixedFunctionState::setOverlayFit(const OverlayFrame::ClipFit& fit) {
    if (!(fit == overlayFit_))
        dirty_ |= kOverlay;
    overlayFit_ = fit;
}

GlLighting GlFixedFunctionState::lighting(bool pretransformed) const {
    GlLighting l;
    l.enabled = state(RenderState::Lighting) != 0 && !pretransformed;
    l.material = material_;
    l.ambientLight = colorFromArgb(state(RenderState::Ambient));
    if (lightEnabled_) {
        l.ambientLight = l.ambientLight + light_.ambient;
        l.lightDiffuse = light_.diffuse;
    }
    Vec3 direction = normalize(transformNormal(light_.direction, transforms_[1]));
    l.toLight = direction * -1.0f;
    return l;
}

GlFog GlFixedFunctionState::fog(bool pretransformed) const {
    GlFog f;
    f.start = stateFloat(RenderState::FogStart);
    f.end = stateFloat(RenderState::FogEnd);
    f.color = colorFromArgb(state(RenderState::FogColor));
    if (state(RenderState::FogEnable) == 0 || pretransformed)
        return f;
    // Per-pixel fog wins when both are asked for; only linear fog is modelled.
    if (state(RenderState::FogTableMode) == kFogLinear)
        f.mode = GlFogMode::PerPixel;
    else if (state(RenderState::FogTableMode) == kFogNone && state(RenderState::FogVertexMode) == kFogLinear)
        f.mode = GlFogMode::PerVertex;
    return f;
}

GlPointSize GlFixedFunctionState::pointSize() const {
    GlPointSize p;
    p.scaled = state(RenderState::PointScaleEnable) != 0;
    p.size = stateFloat(RenderState::PointSize);
    p.maximum = std::clamp(stateFloat(RenderState::PointSizeMax), pointSizeRange_[0], pointSizeRange_[1]);
    p.minimum = std::clamp(stateFloat(RenderState::PointSizeMin), pointSizeRange_[0], p.maximum);
    p.a = stateFloat(RenderState::PointScaleA);
    p.b = stateFloat(RenderState::PointScaleB);
    p.c = stateFloat(RenderState::PointScaleC);
    p.viewportHeight = static_cast<float>(viewportHeight_);
    return p;
}

void GlFixedFunctionState::flushDrawInputs(const GlDrawInputs& inputs) {
    if (!inputsUploaded_ || inputs.pretransformed != lastInputs_.pretransformed)
        dirty_ |= kLighting | kFog;
    if (!inputsUploaded_ || !(inputs == lastInputs_))
        program_.setDrawInputs(inputs);
    lastInputs_ = inputs;
    inputsUploaded_ = true;
}

void GlFixedFunctionState::flush(const GlVertexLayout& layout, bool points, bool textured) {
    const GlDrawInputs inputs{layout.pretransformed, layout.diffuseOffset != GlVertexLayout::kAbsent,
                              textured, points && state(RenderState::PointSpriteEnable) != 0};
    flushDrawInputs(inputs);
    if (dirty_ == 0)
        return;
    const Matrix4& world = transforms_[0];
    const Matrix4& view = transforms_[1];
    if (dirty_ & kTransforms)
        program_.setTransforms(world, view, transforms_[2]);
    GlLighting lit = lighting(inputs.pretransformed);
    if ((dirty_ & (kTransforms | kLighting)) && lit.enabled)
        program_.setNormalTransform(world * view);
    if (dirty_ & kLighting)
        program_.setLighting(lit);
    if (dirty_ & kFog)
        program_.setFog(fog(inputs.pretransformed));
    if (dirty_ & kPoints)
        program_.setPointSize(pointSize());
    if (dirty_ & kOverlay)
        program_.setOverlayFit(overlayFit_);
    dirty_ = 0;
}

} // namespace qv
