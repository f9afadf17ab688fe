#pragma once

#include "platform/GlBackBuffer.h"
#include "platform/GlContext.h"
#include "platform/GlFixedFunctionProgram.h"
#include "platform/GlStreamBuffer.h"
#include "platform/GlVertexLayout.h"
#include "platform/GraphicsDevice.h"
#include "platform/SdlWindow.h"

#include <array>

namespace qv {

// The real graphics device: the fixed-function model on OpenGL 3.3 core. The game draws into an
// offscreen back buffer of the configured size; present scales it into the window. Textures it
// creates must be destroyed before it.
class GlRenderDevice : public GraphicsDevice {
  public:
    // Throws FatalError "ERROR : Create Direct3DDevice" when no context or back buffer can be
    // made, "ERROR : No Useable Device" when the driver is older than GL 3.3.
    GlRenderDevice(SdlWindow& window, uint32_t backBufferWidth, uint32_t backBufferHeight);
    ~GlRenderDevice() override;
    GlRenderDevice(const GlRenderDevice&) = delete;
    GlRenderDevice& operator=(const GlRenderDevice&) = delete;

    void setRenderState(RenderState state, uint32_t value) override;
    uint32_t renderState(RenderState state) const override;
    void setTransform(TransformKind kind, const Matrix4& matrix) override;
    void setVertexFormat(uint32_t format) override;
    void setTexture(const Texture* texture) override;
    void setMaterial(const Material& material) override;
    void setLight(uint32_t index, const Light& light) override;
    void lightEnable(uint32_t index, bool enable) override;
    void drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t stride) override;
    void drawIndexedTriangles(const MeshVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                              uint32_t triangleCount) override;
    std::unique_ptr<Texture> createTexture(const Image& image) override;
    uint32_t backBufferWidth() const override { return backBuffer_.width(); }
    uint32_t backBufferHeight() const override { return backBuffer_.height(); }
    bool readBackBuffer(Image& out) override;

  protected:
    void clear(Argb color) override;
    void beginScene() override { backBuffer_.bind(); }
    void endScene() override {}
    void present() override;

  private:
    enum Dirty : uint32_t { kTransforms = 1, kLighting = 2, kFog = 4, kPoints = 8, kAll = 15 };

    uint32_t state(RenderState s) const { return states_[static_cast<size_t>(s)]; }
    float stateFloat(RenderState s) const;
    void applyPipelineState(RenderState s, uint32_t value);
    void applyCulling(uint32_t mode);
    void applyBlendFunction();
    void bindAttributes(const GlVertexLayout& layout, uint32_t stride);
    void flushUniforms(const GlVertexLayout& layout, bool points);
    GlLighting lighting(bool pretransformed) const;
    GlFog fog(bool pretransformed) const;
    GlPointSize pointSize() const;

    SdlWindow& window_;
    GlContext context_;
    GlBackBuffer backBuffer_;
    GlFixedFunctionProgram program_;
    GlStreamBuffer vertices_{GL_ARRAY_BUFFER};
    GlStreamBuffer indices_{GL_ELEMENT_ARRAY_BUFFER};
    GLuint vertexArray_ = 0;
    std::array<GLfloat, 2> pointSizeRange_{1.0f, 1.0f};

    std::array<uint32_t, static_cast<size_t>(RenderState::Count)> states_{};
    std::array<Matrix4, 3> transforms_{};
    GlVertexLayout layout_;
    const GlVertexLayout meshLayout_ = GlVertexLayout::forFormat(fvf::kMesh);
    GLuint boundTexture_ = 0;
    Material material_{};
    Light light_{};
    bool lightEnabled_ = false;
    uint32_t dirty_ = kAll;
    GlDrawInputs lastInputs_{};
    bool inputsUploaded_ = false;
};

} // namespace qv
