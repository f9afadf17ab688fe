#pragma once

#include "core/Image.h"
#include "core/Matrix4.h"
#include "platform/FrameOverlay.h"
#include "platform/RenderTypes.h"
#include "platform/StaticGeometry.h"
#include "platform/Texture.h"

#include <bit>
#include <memory>
#include <span>

namespace qv {

// The fixed-function drawing device every component draws through. Two back ends: the real
// GlRenderDevice and the RecordingRenderDevice for tests. Components set only their world
// transform, texture and materials; the phases set every other state around them.
class GraphicsDevice {
  public:
    static constexpr float kFieldOfView = 0.7853982f; // pi / 4, vertical
    static constexpr float kAspect = 1.33f;           // the model's, whatever the back buffer size
    static constexpr float kNearPlane = 0.1f;

    // The projection for a picture of this shape that stretches nothing: the vertical field of
    // view above on a picture at least kAspect wide (a wider one sees more to the sides), and
    // the horizontal field of view that gives at kAspect on a narrower one, so nothing of the
    // classic view is cut off at the sides.
    static Matrix4 projectionFor(uint32_t width, uint32_t height, float farPlane);

    virtual ~GraphicsDevice() = default;

    // Frame bracket: projection for the far plane, clear colour and depth, begin scene.
    void beginFrame(Argb clearColor, float farPlane);
    // Lets the frame overlay draw, unbinds the texture, ends the scene and presents.
    void endFrame();
    // Drawn over every frame before it is presented; null for none. It must outlive its use.
    void setFrameOverlay(FrameOverlay* overlay) { frameOverlay_ = overlay; }

    virtual void setRenderState(RenderState state, uint32_t value) = 0;
    void setRenderStateFloat(RenderState state, float value) {
        setRenderState(state, std::bit_cast<uint32_t>(value));
    }
    virtual uint32_t renderState(RenderState state) const = 0;

    virtual void setTransform(TransformKind kind, const Matrix4& matrix) = 0;
    virtual void setVertexFormat(uint32_t format) = 0;
    // Stage 0 only; null unbinds (untextured draws then show their vertex or material colour).
    virtual void setTexture(const Texture* texture) = 0;
    virtual void setMaterial(const Material& material) = 0;
    virtual void setLight(uint32_t index, const Light& light) = 0;
    virtual void lightEnable(uint32_t index, bool enable) = 0;

    // Draws primitiveCount primitives from the caller's memory in the current vertex format.
    virtual void drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                 uint32_t stride) = 0;
    // Indexed triangle list of MeshVertex from the caller's memory (one mesh subset).
    virtual void drawIndexedTriangles(const MeshVertex* vertices, uint32_t vertexCount,
                                      const uint32_t* indices, uint32_t triangleCount) = 0;

    // Whether draws read the vertices they are handed. One that only counts them (the headless
    // runner's) spares callers filling large buffers.
    virtual bool readsVertices() const { return true; }

    // Static geometry. This base keeps a copy in memory and draws it through the two calls above,
    // which is all a device without memory of its own (the recorder) needs; the GL device keeps
    // it in buffers of its own. Vertices are read in the vertex format current at the draw.
    virtual std::unique_ptr<StaticGeometry> createStaticVertices(const void* vertices, uint32_t vertexCount,
                                                                 uint32_t stride);
    virtual std::unique_ptr<StaticGeometry> createStaticMesh(std::span<const MeshVertex> vertices,
                                                             std::span<const uint32_t> indices);
    // Draws ranges of static vertices in order. The ranges of a triangle list make one list; each
    // range of a strip or a fan is a strip or a fan of its own.
    virtual void drawStatic(const StaticGeometry& geometry, PrimitiveType type,
                            std::span<const VertexRange> ranges);
    // Draws the indexed triangle list of a static mesh, as drawIndexedTriangles does.
    virtual void drawStaticMesh(const StaticGeometry& mesh);

    // Creates a texture from pixels; null when the device cannot make one.
    virtual std::unique_ptr<Texture> createTexture(const Image& image) = 0;

    // How a texture is read past its edges. The fixed-function model always reads a clear
    // border, and so does this base; a device drawing the widescreen picture honours the request.
    virtual void setTextureEdges(Texture& /*texture*/, TextureEdges /*edges*/) {}
    // Where the picture's edges lie in the 640 x 480 overlay space during a frame: the overlay
    // covers the whole picture in the fixed-function model; a device that frames it in a picture
    // of another shape gives the larger rectangle full-screen overlays must cover.
    virtual OverlayRect overlayBounds() const { return {}; }
    // False while a frame drawn now could not be seen (a minimised window); drawing may then be
    // left out.
    virtual bool showsFrames() const { return true; }

    virtual uint32_t backBufferWidth() const = 0;
    virtual uint32_t backBufferHeight() const = 0;
    // Reads the back buffer as it is after the last frame; false when the device draws nothing.
    virtual bool readBackBuffer(Image& out) = 0;
    // Reads the frame being drawn (between beginFrame and endFrame) as it is now, at the back
    // buffer's size: what the player would see if it were presented now. Any device that draws
    // can, whether or not it keeps its frames readable; false for one that draws nothing.
    virtual bool readFrame(Image& out) {
        (void)out;
        return false;
    }

  protected:
    // The states the whole game assumes from the start; each back end calls this once built.
    void applyStartupStates();
    // The projection of the frame about to begin: the model's fixed one. A device whose picture
    // follows its window's shape fits the picture first and gives projectionFor its shape.
    virtual Matrix4 frameProjection(float farPlane);

    virtual void clear(Argb color) = 0;
    virtual void beginScene() = 0;
    virtual void endScene() = 0;
    virtual void present() = 0;

  private:
    FrameOverlay* frameOverlay_ = nullptr;
};

} // namespace qv
