#include "platform/RecordingRenderDevice.h"

#include <cstring>

namespace qv {

namespace {

class RecordedTexture : public Texture {
  public:
    RecordedTexture(uint32_t w, uint32_t h, std::shared_ptr<int> alive)
        : w_(w), h_(h), alive_(std::move(alive)) {
        ++*alive_;
    }
    ~RecordedTexture() override { --*alive_; }
    uint32_t width() const override { return w_; }
    uint32_t height() const override { return h_; }

  private:
    uint32_t w_, h_;
    std::shared_ptr<int> alive_;
};

} // namespace

uint32_t vertexCountFor(PrimitiveType type, uint32_t primitiveCount) {
    switch (type) {
    case PrimitiveType::PointList:
        return primitiveCount;
    case PrimitiveType::TriangleList:
        return primitiveCount * 3;
    case PrimitiveType::TriangleStrip:
    case PrimitiveType::TriangleFan:
        return primitiveCount == 0 ? 0 : primitiveCount + 2;
    }
    return 0;
}

RecordingRenderDevice::RecordingRenderDevice(Vertices vertices, uint32_t width, uint32_t height)
    : vertices_(vertices), width_(width), height_(height) {
    for (auto& t : transforms_)
        t = Matrix4::identity();
    applyStartupStates();
    clearLog();
}

void RecordingRenderDevice::setRenderState(RenderState state, uint32_t value) {
    states_[static_cast<size_t>(state)] = value;
    events_.push_back({Op::RenderState, static_cast<uint32_t>(state), value});
}

void RecordingRenderDevice::setTransform(TransformKind kind, const Matrix4& matrix) {
    transforms_[static_cast<size_t>(kind)] = matrix;
    events_.push_back({Op::Transform, static_cast<uint32_t>(kind)});
}

void RecordingRenderDevice::setVertexFormat(uint32_t format) {
    vertexFormat_ = format;
    events_.push_back({Op::VertexFormat, format});
}

void RecordingRenderDevice::setTexture(const Texture* texture) {
    texture_ = texture;
    events_.push_back({Op::Texture, texture != nullptr});
}

void RecordingRenderDevice::setMaterial(const Material& material) {
    material_ = material;
    events_.push_back({Op::Material});
}

void RecordingRenderDevice::setLight(uint32_t index, const Light& light) {
    if (index == 0)
        light_ = light;
    events_.push_back({Op::Light, index});
}

void RecordingRenderDevice::lightEnable(uint32_t index, bool enable) {
    if (index == 0)
        lightEnabled_ = enable;
    events_.push_back({Op::LightEnable, index, enable});
}

void RecordingRenderDevice::drawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                            uint32_t stride) {
    record(type, primitiveCount, vertexCountFor(type, primitiveCount), stride, vertices);
}

void RecordingRenderDevice::drawIndexedTriangles(const MeshVertex* vertices, uint32_t vertexCount,
                                                 const uint32_t*, uint32_t triangleCount) {
    record(PrimitiveType::TriangleList, triangleCount, vertexCount, sizeof(MeshVertex), vertices).indexed =
        true;
}

// Built in place: a draw's record holds three matrices and every state, and the headless runner
// makes dozens of draws a tick.
RecordingRenderDevice::DrawCall& RecordingRenderDevice::record(PrimitiveType type, uint32_t primitiveCount,
                                                               uint32_t vertexCount, uint32_t stride,
                                                               const void* vertices) {
    events_.push_back({Op::Draw, static_cast<uint32_t>(draws_.size())});
    DrawCall& call = draws_.emplace_back();
    call.type = type;
    call.primitiveCount = primitiveCount;
    call.vertexCount = vertexCount;
    call.stride = stride;
    call.vertexFormat = vertexFormat_;
    call.texture = texture_;
    call.world = transforms_[0];
    call.view = transforms_[1];
    call.projection = transforms_[2];
    call.material = material_;
    call.states = states_;
    if (vertices_ == Vertices::Keep) {
        const auto* bytes = static_cast<const uint8_t*>(vertices);
        call.vertexBytes.assign(bytes, bytes + static_cast<size_t>(vertexCount) * stride);
    }
    return call;
}

std::unique_ptr<Texture> RecordingRenderDevice::createTexture(const Image& image) {
    if (image.width == 0 || image.height == 0)
        return nullptr;
    return std::make_unique<RecordedTexture>(image.width, image.height, texturesAlive_);
}

void RecordingRenderDevice::clear(Argb color) {
    events_.push_back({Op::Clear, color});
}

void RecordingRenderDevice::present() {
    ++framesPresented_;
    events_.push_back({Op::Present});
}

void RecordingRenderDevice::clearLog() {
    draws_.clear();
    events_.clear();
}

} // namespace qv
