#pragma once

#include "platform/GraphicsDevice.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

// Headless graphics device: draws nothing and records every state change and draw, so tests
// can check what a component asked for (primitive, vertex format, counts, transforms, texture).
// Copies of the vertices are kept only when asked for: the headless runner never reads them, and
// copying the terrain every frame would cost more than the whole game step.
class RecordingRenderDevice : public GraphicsDevice {
  public:
    enum class Vertices { Skip, Keep };

    enum class Op {
        RenderState,
        Transform,
        VertexFormat,
        Texture,
        Material,
        Light,
        LightEnable,
        Draw,
        Clear,
        BeginScene,
        EndScene,
        Present
    };

    // What a draw saw: its own arguments and the states in force.
    struct DrawCall {
        PrimitiveType type = PrimitiveType::TriangleList;
        uint32_t primitiveCount = 0;
        uint32_t vertexCount = 0;
        uint32_t stride = 0;
        uint32_t vertexFormat = 0;
        bool indexed = false;
        const Texture* texture = nullptr;
        Matrix4 world, view, projection;
        Material material;
        std::vector<uint8_t> vertexBytes; // a copy of the vertices as drawn, when the device keeps them
        std::array<uint32_t, static_cast<size_t>(RenderState::Count)> states{};

        uint32_t state(RenderState s) const { return states[static_cast<size_t>(s)]; }
        // Throws std::out_of_range past the kept bytes, so a test that forgot to ask the device
        // for vertices fails instead of reading garbage.
        template <typename V> const V& vertex(size_t i) const {
            if ((i + 1) * stride > vertexBytes.size() || sizeof(V) > stride)
                throw std::out_of_range("vertex not recorded: build the device with Vertices::Keep");
            return *reinterpret_cast<const V*>(vertexBytes.data() + i * stride);
        }
    };

    struct Event {
        Op op;
        uint32_t a = 0; // state id, transform kind, light index, clear colour ...
        uint32_t b = 0; // state value, enable flag ...
    };

    explicit RecordingRenderDevice(Vertices vertices = Vertices::Skip, uint32_t width = 640,
                                   uint32_t height = 480);

    void setRenderState(RenderState state, uint32_t value) override;
    uint32_t renderState(RenderState state) const override { return states_[static_cast<size_t>(state)]; }
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
    bool readsVertices() const override { return vertices_ == Vertices::Keep; }
    std::unique_ptr<Texture> createTexture(const Image& image) override;
    uint32_t backBufferWidth() const override { return width_; }
    uint32_t backBufferHeight() const override { return height_; }
    bool readBackBuffer(Image&) override { return false; }

    const std::vector<DrawCall>& draws() const { return draws_; }
    const std::vector<Event>& events() const { return events_; }
    const Matrix4& transform(TransformKind kind) const { return transforms_[static_cast<size_t>(kind)]; }
    const Light& light() const { return light_; }
    bool lightEnabled() const { return lightEnabled_; }
    uint32_t vertexFormat() const { return vertexFormat_; }
    const Texture* texture() const { return texture_; }
    int framesPresented() const { return framesPresented_; }
    int texturesAlive() const { return *texturesAlive_; }
    void clearLog();

  protected:
    void clear(Argb color) override;
    void beginScene() override { events_.push_back({Op::BeginScene}); }
    void endScene() override { events_.push_back({Op::EndScene}); }
    void present() override;

  private:
    Vertices vertices_;
    uint32_t width_, height_;
    std::array<uint32_t, static_cast<size_t>(RenderState::Count)> states_{};
    std::array<Matrix4, 3> transforms_{};
    uint32_t vertexFormat_ = 0;
    const Texture* texture_ = nullptr;
    Material material_{};
    Light light_{};
    bool lightEnabled_ = false;
    int framesPresented_ = 0;
    std::shared_ptr<int> texturesAlive_ = std::make_shared<int>(0);
    std::vector<DrawCall> draws_;
    std::vector<Event> events_;

    DrawCall& record(PrimitiveType type, uint32_t primitiveCount, uint32_t vertexCount, uint32_t stride,
                     const void* vertices);
};

// Number of vertices a primitive count uses.
uint32_t vertexCountFor(PrimitiveType type, uint32_t primitiveCount);

} // namespace qv
