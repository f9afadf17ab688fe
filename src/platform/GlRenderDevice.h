#pragma once

#include "platform/GlContext.h"
#include "platform/GlFixedFunctionProgram.h"
#include "platform/GlFixedFunctionState.h"
#include "platform/GlFrameClock.h"
#include "platform/GlFrameTargets.h"
#include "platform/GlStreamBuffer.h"
#include "platform/GlVertexLayout.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderScale.h"
#include "platform/SdlWindow.h"

#include <memory>
#include <vector>

namespace qv {

// What the picture is made of.
enum class PictureMode {
    // The back buffer of the size the device was made with and the fixed-function model's
    // projection, overlay and texture borders, scaled into the window with black bars: the
    // original picture, exactly.
    Classic,
    // The back buffer follows the window's drawable size; the 3D view takes its shape (see
    // GraphicsDevice::projectionFor), the overlay keeps its shape in a centred 4:3 frame, and
    // textures are read past their edges as the game asks.
    Widescreen,
};

// How the GL device presents its frames.
struct GlPresentOptions {
    // Every frame is composed in the offscreen back buffer, which keeps it for readBackBuffer
    // (screenshots). Without it a frame the size of the window is drawn straight into the window
    // and presented without a copy, and readBackBuffer has nothing to read.
    bool readableFrames = true;
    // When not 0, the 3D part of the picture is drawn at a lower resolution while frames take
    // longer than this, and at full resolution again when there is room (see RenderScale).
    double frameBudgetMs = 0.0;
    // When above 0, the 3D part is always drawn at this scale (of each side) and frames are not
    // measured for it; the frame budget is then ignored.
    float fixedScale = 0.0f;
    PictureMode picture = PictureMode::Classic;
};

// The real graphics device: the fixed-function model on OpenGL 3.3 core. The game draws into a
// frame of the configured size (or, in the widescreen picture, of the window's drawable size);
// present shows it in the window, scaled to fit. Textures and static geometry it creates must be
// destroyed before it.
class GlRenderDevice : public GraphicsDevice {
  public:
    // Throws FatalError "ERROR : Create Direct3DDevice" when no context or back buffer can be
    // made, "ERROR : No Useable Device" when the driver is older than GL 3.3.
    GlRenderDevice(SdlWindow& window, uint32_t backBufferWidth, uint32_t backBufferHeight,
                   GlPresentOptions options = {});
    ~GlRenderDevice() override;
    GlRenderDevice(const GlRenderDevice&) = delete;
    GlRenderDevice& operator=(const GlRenderDevice&) = delete;

    void setRenderState(RenderState state, uint32_t value) override { state_.setRenderState(state, value); }
    uint32_t renderState(RenderState state) const override { return state_.renderState(state); }
    void setTransform(TransformKind kind, const Matrix4& matrix) override {
        state_.setTransform(kind, matrix);
    }
    void setVertexFormat(uint32_t format) override { layout_ = GlVertexLayout::forFormat(format); }
    void setTexture(const Texture* texture) override;
    void setMaterial(const Material& material) override { state_.setMaterial(material); }
    void setLight(uint32_t index, const Light& light) override { state_.setLight(index, light); }
    void lightEnable(uint32_t index, bool enable) override { state_.lightEnable(index, enable); }
    void drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t stride) override;
    void drawIndexedTriangles(const MeshVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                              uint32_t triangleCount) override;
    std::unique_ptr<StaticGeometry> createStaticVertices(const void* vertices, uint32_t vertexCount,
                                                         uint32_t stride) override;
    std::unique_ptr<StaticGeometry> createStaticMesh(std::span<const MeshVertex> vertices,
                                                     std::span<const uint32_t> indices) override;
    void drawStatic(const StaticGeometry& geometry, PrimitiveType type,
                    std::span<const VertexRange> ranges) override;
    void drawStaticMesh(const StaticGeometry& mesh) override;
    std::unique_ptr<Texture> createTexture(const Image& image) override;
    void setTextureEdges(Texture& texture, TextureEdges edges) override;
    OverlayRect overlayBounds() const override { return frame_.overlay().bounds(); }
    bool showsFrames() const override { return window_.showing(); }
    uint32_t backBufferWidth() const override { return frame_.width(); }
    uint32_t backBufferHeight() const override { return frame_.height(); }
    bool readBackBuffer(Image& out) override { return frame_.read(out); }
    bool readFrame(Image& out) override { return frame_.readPicture(out, state_.depthWrites()); }

    // The share of the back buffer's width and height the 3D part is drawn at.
    float renderScale() const { return renderScale_ ? renderScale_->scale() : fixedScale_; }

  protected:
    void clear(Argb color) override;
    void beginScene() override {}
    void endScene() override {}
    void present() override;
    Matrix4 frameProjection(float farPlane) override;

  private:
    void bindAttributes(const GlVertexLayout& layout, uint32_t stride, size_t base);
    void prepareDraw(const GlVertexLayout& layout, bool points);

    SdlWindow& window_;
    const PictureMode picture_;
    GlContext context_;
    GlFrameTargets frame_;
    GlFixedFunctionProgram program_;
    GlFixedFunctionState state_{program_};
    GlStreamBuffer vertices_{GL_ARRAY_BUFFER};
    GlStreamBuffer indices_{GL_ELEMENT_ARRAY_BUFFER};
    // Frames are timed only for an adaptive render scale; both are null otherwise.
    std::unique_ptr<GlFrameClock> clock_;
    std::unique_ptr<RenderScale> renderScale_;
    float fixedScale_ = 1.0f;
    GLuint vertexArray_ = 0;
    GlVertexLayout layout_;
    const GlVertexLayout meshLayout_ = GlVertexLayout::forFormat(fvf::kMesh);
    GLuint boundTexture_ = 0;
    std::vector<GLint> rangeFirsts_; // a static draw's ranges as GL takes them, kept between draws
    std::vector<GLsizei> rangeCounts_;
};

} // namespace qv
