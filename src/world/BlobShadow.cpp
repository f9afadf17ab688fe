#include "world/BlobShadow.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"

namespace qv {

namespace {

// The octagon on the unit circle, the first corner repeated to close the fan; 0.71 stands in
// for the diagonal's 1/sqrt(2).
constexpr std::array<Vec2, BlobShadow::kVertexCount> kUnitFan{{{0.0f, 0.0f},
                                                               {1.0f, 0.0f},
                                                               {0.71f, -0.71f},
                                                               {0.0f, -1.0f},
                                                               {-0.71f, -0.71f},
                                                               {-1.0f, 0.0f},
                                                               {-0.71f, 0.71f},
                                                               {0.0f, 1.0f},
                                                               {0.71f, 0.71f},
                                                               {1.0f, 0.0f}}};
// Just above the ground, so the depth test does not fight the terrain it lies on.
constexpr float kUnitLift = 0.01f;

// The centre samples the top of the texture's column, the rim 0.9 down it: the fall-off is
// whatever that column holds.
constexpr float kColumnU = 0.9f;
constexpr float kCentreV = 0.0f;
constexpr float kRimV = 0.9f;

std::array<Vec3, BlobShadow::kVertexCount> scaledOffsets() {
    std::array<Vec3, BlobShadow::kVertexCount> offsets;
    for (size_t i = 0; i < offsets.size(); ++i)
        offsets[i] = Vec3{kUnitFan[i].x, kUnitLift, kUnitFan[i].y} * BlobShadow::kRadius;
    return offsets;
}

} // namespace

BlobShadow::BlobShadow(GraphicsDevice& device, ContentCache& content, const Rider& rider, const Field& field)
    : device_(device), rider_(rider), field_(field), offsets_(scaledOffsets()) {
    for (size_t i = 0; i < fan_.size(); ++i)
        fan_[i] = {0.0f, 0.0f, 0.0f, kColor, kColumnU, i == 0 ? kCentreV : kRimV};
    texture_ = requireTexture(device_, content, data::kShadowTexture);
}

void BlobShadow::draw() {
    const Vec3& p = rider_.position();
    for (size_t i = 0; i < fan_.size(); ++i) {
        fan_[i].x = p.x + offsets_[i].x;
        fan_[i].z = p.z + offsets_[i].z;
        fan_[i].y = field_.heightAt(fan_[i].x, fan_[i].z) + offsets_[i].y;
    }
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(texture_.get());
    device_.drawPrimitiveUP(PrimitiveType::TriangleFan, kVertexCount - 2, fan_.data(), sizeof(WorldVertex));
}

} // namespace qv
