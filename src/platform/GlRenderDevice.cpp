#include "platform/GlRenderDevice.h"

#include "platform/GlStaticGeometry.h"
#include "platform/GlTexture.h"
#include "platform/RecordingRenderDevice.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace qv {

namespace {

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

const void* offsetPointer(size_t offset) {
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset));
}

// An attribute the vertex format leaves out reads as a constant instead.
void bindOptional(GLuint index, GLint size, GLenum type, GLboolean normalized, int offset, uint32_t stride,
                  size_t base, const std::array<GLfloat, 4>& absent) {
    if (offset == GlVertexLayout::kAbsent) {
        glDisableVertexAttribArray(index);
        glVertexAttrib4fv(index, absent.data());
        return;
    }
    glVertexAttribPointer(index, size, type, normalized, static_cast<GLsizei>(stride),
                          offsetPointer(base + static_cast<size_t>(offset)));
    glEnableVertexAttribArray(index);
}

} // namespace

GlRenderDevice::GlRenderDevice(SdlWindow& window, uint32_t backBufferWidth, uint32_t backBufferHeight,
                               GlPresentOptions options)
    : window_(window), picture_(options.picture), context_(window.handle()),
      frame_(window, backBufferWidth, backBufferHeight, options.readableFrames,
             picture_ == PictureMode::Widescreen) {
    if (options.fixedScale > 0.0f)
        fixedScale_ = std::min(options.fixedScale, 1.0f);
    else if (options.frameBudgetMs > 0.0) {
        clock_ = std::make_unique<GlFrameClock>();
        renderScale_ = std::make_unique<RenderScale>(options.frameBudgetMs);
    }
    // Pacing is the tick's job; vertical sync is not available everywhere.
    SDL_GL_SetSwapInterval(0);
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    program_.use();
    glEnable(GL_PROGRAM_POINT_SIZE);
    glPointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, GL_UPPER_LEFT);
    glDepthFunc(GL_LEQUAL);
    // The back buffer has no alpha to speak of: destination alpha stays at 1.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    state_.setViewportHeight(frame_.height());
    setVertexFormat(fvf::kWorld);
    applyStartupStates();
}

GlRenderDevice::~GlRenderDevice() {
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray_);
}

void GlRenderDevice::setTexture(const Texture* texture) {
    const auto* glTexture = dynamic_cast<const GlTexture*>(texture);
    boundTexture_ = glTexture != nullptr ? glTexture->id() : 0;
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
}

void GlRenderDevice::bindAttributes(const GlVertexLayout& layout, uint32_t stride, size_t base) {
    glVertexAttribPointer(GlFixedFunctionProgram::kPosition, static_cast<GLint>(layout.positionComponents),
                          GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride), offsetPointer(base));
    glEnableVertexAttribArray(GlFixedFunctionProgram::kPosition);
    // Without a normal nothing is lit by the light; without a colour the vertex is opaque white.
    bindOptional(GlFixedFunctionProgram::kNormal, 3, GL_FLOAT, GL_FALSE, layout.normalOffset, stride, base,
                 {0, 0, 0, 0});
    bindOptional(GlFixedFunctionProgram::kDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, layout.diffuseOffset,
                 stride, base, {1, 1, 1, 1});
    bindOptional(GlFixedFunctionProgram::kTexCoord, 2, GL_FLOAT, GL_FALSE, layout.texCoordOffset, stride,
                 base, {0, 0, 0, 1});
}

// The overlay may send the frame to another target; then the uniforms follow it.
void GlRenderDevice::prepareDraw(const GlVertexLayout& layout, bool points) {
    if (frame_.prepareDraw(layout.pretransformed, state_.depthWrites()))
        state_.setViewportHeight(frame_.drawingHeight());
    state_.flush(layout, points, boundTexture_ != 0);
}

void GlRenderDevice::drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                     uint32_t stride) {
    uint32_t count = vertexCountFor(type, primitiveCount);
    if (vertices == nullptr || count == 0 || count > INT_MAX || !layout_.valid || stride < layout_.size)
        return;
    // The last vertex is read only as far as the format reaches, never a whole stride.
    size_t base = vertices_.upload(vertices, static_cast<size_t>(count - 1) * stride + layout_.size);
    bindAttributes(layout_, stride, base);
    prepareDraw(layout_, type == PrimitiveType::PointList);
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
    size_t base = vertices_.upload(vertices, static_cast<size_t>(vertexCount) * sizeof(MeshVertex));
    size_t first = indices_.upload(indices, indexCount * sizeof(uint32_t));
    bindAttributes(meshLayout_, sizeof(MeshVertex), base);
    prepareDraw(meshLayout_, false);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, offsetPointer(first));
}

std::unique_ptr<StaticGeometry> GlRenderDevice::createStaticVertices(const void* vertices,
                                                                     uint32_t vertexCount, uint32_t stride) {
    if (vertices == nullptr)
        return nullptr;
    return GlStaticGeometry::vertices(vertices, vertexCount, stride);
}

std::unique_ptr<StaticGeometry> GlRenderDevice::createStaticMesh(std::span<const MeshVertex> vertices,
                                                                 std::span<const uint32_t> indices) {
    return GlStaticGeometry::mesh(vertices, indices);
}

void GlRenderDevice::drawStatic(const StaticGeometry& geometry, PrimitiveType type,
                                std::span<const VertexRange> ranges) {
    const auto* gl = dynamic_cast<const GlStaticGeometry*>(&geometry);
    if (gl == nullptr || !layout_.valid || gl->stride() < layout_.size)
        return;
    rangeFirsts_.clear();
    rangeCounts_.clear();
    for (const VertexRange& r : ranges) {
        if (!gl->holds(r) || r.count > INT_MAX)
            return;
        rangeFirsts_.push_back(static_cast<GLint>(r.first));
        rangeCounts_.push_back(static_cast<GLsizei>(r.count));
    }
    if (rangeFirsts_.empty())
        return;
    gl->bind();
    bindAttributes(layout_, gl->stride(), 0);
    prepareDraw(layout_, type == PrimitiveType::PointList);
    glMultiDrawArrays(primitiveMode(type), rangeFirsts_.data(), rangeCounts_.data(),
                      static_cast<GLsizei>(rangeFirsts_.size()));
}

void GlRenderDevice::drawStaticMesh(const StaticGeometry& mesh) {
    const auto* gl = dynamic_cast<const GlStaticGeometry*>(&mesh);
    if (gl == nullptr || gl->indexCount() == 0 || gl->indexCount() > INT_MAX)
        return;
    gl->bind();
    bindAttributes(meshLayout_, sizeof(MeshVertex), 0);
    prepareDraw(meshLayout_, false);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(gl->indexCount()), GL_UNSIGNED_INT, nullptr);
}

std::unique_ptr<Texture> GlRenderDevice::createTexture(const Image& image) {
    std::unique_ptr<Texture> texture = GlTexture::create(image);
    // Creation binds the new texture; the draws keep the one the game set.
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
    return texture;
}

void GlRenderDevice::setTextureEdges(Texture& texture, TextureEdges edges) {
    auto* glTexture = dynamic_cast<GlTexture*>(&texture);
    if (glTexture == nullptr || picture_ == PictureMode::Classic)
        return;
    glTexture->setEdges(edges);
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
}

Matrix4 GlRenderDevice::frameProjection(float farPlane) {
    frame_.fitWindow();
    if (picture_ == PictureMode::Classic)
        return GraphicsDevice::frameProjection(farPlane);
    return projectionFor(frame_.width(), frame_.height(), farPlane);
}

void GlRenderDevice::clear(Argb color) {
    if (clock_)
        clock_->frameStarts();
    frame_.begin(color, renderScale(), state_.depthWrites());
    state_.setViewportHeight(frame_.drawingHeight());
    state_.setOverlayFit(frame_.overlay().clipFit());
}

void GlRenderDevice::present() {
    frame_.finish(state_.depthWrites());
    if (clock_)
        clock_->frameDrawn();
    SDL_GL_SwapWindow(window_.handle());
    if (!clock_)
        return;
    if (std::optional<double> ms = clock_->framePresented())
        renderScale_->frameTook(*ms);
}

} // namespace qv
