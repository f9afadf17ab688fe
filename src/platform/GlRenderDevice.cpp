#include "platform/GlRenderDevice.h"

#include "platform/GlTexture.h"
#include "platform/RecordingRenderDevice.h"

#include <algorithm>
#include <bit>
#include <climits>

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

GLenum primitiveMode(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::PointList:
        return GL_POINTS;
    case PrimitiveType::TriangleList:
        return GL_TRIANGLES;
    case PrimitiveType::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case PrimitiveType::TriangleFan:
        return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}

void enableIf(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

ColorValue colorFromArgb(Argb c) {
    auto channel = [c](int shift) { return static_cast<float>((c >> shift) & 0xFFu) / 255.0f; };
    return {channel(16), channel(8), channel(0), channel(24)};
}

ColorValue operator+(const ColorValue& a, const ColorValue& b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a};
}

const void* offsetPointer(int offset) {
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset));
}

// An attribute the vertex format leaves out reads as a constant instead.
void bindOptional(GLuint index, GLint size, GLenum type, GLboolean normalized, int offset, uint32_t stride,
                  const std::array<GLfloat, 4>& absent) {
    if (offset == GlVertexLayout::kAbsent) {
        glDisableVertexAttribArray(index);
        glVertexAttrib4fv(index, absent.data());
        return;
    }
    glVertexAttribPointer(index, size, type, normalized, static_cast<GLsizei>(stride), offsetPointer(offset));
    glEnableVertexAttribArray(index);
}

} // namespace

GlRenderDevice::GlRenderDevice(SdlWindow& window, uint32_t backBufferWidth, uint32_t backBufferHeight)
    : window_(window), context_(window.handle()), backBuffer_(backBufferWidth, backBufferHeight) {
    // Pacing is the tick's job; vertical sync is not available everywhere.
    SDL_GL_SetSwapInterval(0);
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    program_.use();
    glGetFloatv(GL_POINT_SIZE_RANGE, pointSizeRange_.data());
    glEnable(GL_PROGRAM_POINT_SIZE);
    glPointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, GL_UPPER_LEFT);
    glDepthFunc(GL_LEQUAL);
    // The back buffer has no alpha to speak of: destination alpha stays at 1.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    transforms_.fill(Matrix4::identity());
    setVertexFormat(fvf::kWorld);
    applyStartupStates();
}

GlRenderDevice::~GlRenderDevice() {
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray_);
}

void GlRenderDevice::setRenderState(RenderState s, uint32_t value) {
    if (static_cast<size_t>(s) >= states_.size())
        return;
    states_[static_cast<size_t>(s)] = value;
    applyPipelineState(s, value);
}

uint32_t GlRenderDevice::renderState(RenderState s) const {
    return static_cast<size_t>(s) < states_.size() ? state(s) : 0;
}

float GlRenderDevice::stateFloat(RenderState s) const {
    return std::bit_cast<float>(state(s));
}

void GlRenderDevice::applyPipelineState(RenderState s, uint32_t value) {
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

void GlRenderDevice::applyCulling(uint32_t mode) {
    // Culling "counter-clockwise" removes faces that look counter-clockwise on screen.
    enableIf(GL_CULL_FACE, mode == kCullCcw || mode == kCullCw);
    glFrontFace(mode == kCullCw ? GL_CCW : GL_CW);
    glCullFace(GL_BACK);
}

void GlRenderDevice::applyBlendFunction() {
    glBlendFunc(blendFactor(state(RenderState::SrcBlend), GL_ONE),
                blendFactor(state(RenderState::DestBlend), GL_ZERO));
}

void GlRenderDevice::setTransform(TransformKind kind, const Matrix4& matrix) {
    transforms_[static_cast<size_t>(kind)] = matrix;
    dirty_ |= kTransforms;
    // The light's direction is kept in view space.
    if (kind == TransformKind::View)
        dirty_ |= kLighting;
}

void GlRenderDevice::setVertexFormat(uint32_t format) {
    layout_ = GlVertexLayout::forFormat(format);
}

void GlRenderDevice::setTexture(const Texture* texture) {
    const auto* glTexture = dynamic_cast<const GlTexture*>(texture);
    boundTexture_ = glTexture != nullptr ? glTexture->id() : 0;
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
}

void GlRenderDevice::setMaterial(const Material& material) {
    material_ = material;
    dirty_ |= kLighting;
}

// The game lights with one directional light; other indices have nothing to drive.
void GlRenderDevice::setLight(uint32_t index, const Light& light) {
    if (index != 0)
        return;
    light_ = light;
    dirty_ |= kLighting;
}

void GlRenderDevice::lightEnable(uint32_t index, bool enable) {
    if (index != 0)
        return;
    lightEnabled_ = enable;
    dirty_ |= kLighting;
}

GlLighting GlRenderDevice::lighting(bool pretransformed) const {
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

GlFog GlRenderDevice::fog(bool pretransformed) const {
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

GlPointSize GlRenderDevice::pointSize() const {
    GlPointSize p;
    p.scaled = state(RenderState::PointScaleEnable) != 0;
    p.size = stateFloat(RenderState::PointSize);
    p.maximum = std::clamp(stateFloat(RenderState::PointSizeMax), pointSizeRange_[0], pointSizeRange_[1]);
    p.minimum = std::clamp(stateFloat(RenderState::PointSizeMin), pointSizeRange_[0], p.maximum);
    p.a = stateFloat(RenderState::PointScaleA);
    p.b = stateFloat(RenderState::PointScaleB);
    p.c = stateFloat(RenderState::PointScaleC);
    p.viewportHeight = static_cast<float>(backBuffer_.height());
    return p;
}

void GlRenderDevice::bindAttributes(const GlVertexLayout& layout, uint32_t stride) {
    glVertexAttribPointer(GlFixedFunctionProgram::kPosition, static_cast<GLint>(layout.positionComponents),
                          GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride), nullptr);
    glEnableVertexAttribArray(GlFixedFunctionProgram::kPosition);
    // Without a normal nothing is lit by the light; without a colour the vertex is opaque white.
    bindOptional(GlFixedFunctionProgram::kNormal, 3, GL_FLOAT, GL_FALSE, layout.normalOffset, stride,
                 {0, 0, 0, 0});
    bindOptional(GlFixedFunctionProgram::kDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, layout.diffuseOffset,
                 stride, {1, 1, 1, 1});
    bindOptional(GlFixedFunctionProgram::kTexCoord, 2, GL_FLOAT, GL_FALSE, layout.texCoordOffset, stride,
                 {0, 0, 0, 1});
}

void GlRenderDevice::flushUniforms(const GlVertexLayout& layout, bool points) {
    GlDrawInputs inputs{layout.pretransformed, layout.diffuseOffset != GlVertexLayout::kAbsent,
                        boundTexture_ != 0, points && state(RenderState::PointSpriteEnable) != 0};
    if (!inputsUploaded_ || inputs.pretransformed != lastInputs_.pretransformed)
        dirty_ |= kLighting | kFog;
    if (!inputsUploaded_ || !(inputs == lastInputs_))
        program_.setDrawInputs(inputs);
    lastInputs_ = inputs;
    inputsUploaded_ = true;
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
    dirty_ = 0;
}

void GlRenderDevice::drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                     uint32_t stride) {
    uint32_t count = vertexCountFor(type, primitiveCount);
    if (vertices == nullptr || count == 0 || count > INT_MAX || !layout_.valid || stride < layout_.size)
        return;
    // The last vertex is read only as far as the format reaches, never a whole stride.
    vertices_.upload(vertices, static_cast<size_t>(count - 1) * stride + layout_.size);
    bindAttributes(layout_, stride);
    flushUniforms(layout_, type == PrimitiveType::PointList);
    glDrawArrays(primitiveMode(type), 0, static_cast<GLsizei>(count));
}

void GlRenderDevice::drawIndexedTriangles(const MeshVertex* vertices, uint32_t vertexCount,
                                          const uint32_t* indices, uint32_t triangleCount) {
    size_t indexCount = static_cast<size_t>(triangleCount) * 3;
    if (vertices == nullptr || indices == nullptr || vertexCount == 0 || indexCount == 0 ||
        indexCount > INT_MAX)
        return;
    // An index past the vertices would make the driver read beyond what was uploaded.
    if (std::any_of(indices, indices + indexCount, [vertexCount](uint32_t i) { return i >= vertexCount; }))
        return;
    vertices_.upload(vertices, static_cast<size_t>(vertexCount) * sizeof(MeshVertex));
    indices_.upload(indices, indexCount * sizeof(uint32_t));
    bindAttributes(meshLayout_, sizeof(MeshVertex));
    flushUniforms(meshLayout_, false);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
}

std::unique_ptr<Texture> GlRenderDevice::createTexture(const Image& image) {
    std::unique_ptr<Texture> texture = GlTexture::create(image);
    // Creation binds the new texture; the draws keep the one the game set.
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
    return texture;
}

bool GlRenderDevice::readBackBuffer(Image& out) {
    backBuffer_.read(out);
    return true;
}

void GlRenderDevice::clear(Argb color) {
    ColorValue c = colorFromArgb(color);
    backBuffer_.bind();
    // Clearing ignores the write masks of drawing; alpha is cleared to opaque for good.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(c.r, c.g, c.b, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glDepthMask(state(RenderState::ZWriteEnable) != 0 ? GL_TRUE : GL_FALSE);
}

void GlRenderDevice::present() {
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_.handle(), &width, &height);
    backBuffer_.blitToWindow(static_cast<uint32_t>(std::max(width, 0)),
                             static_cast<uint32_t>(std::max(height, 0)));
    SDL_GL_SwapWindow(window_.handle());
}

} // namespace qv
