#include "field/Field.h"

#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "assets/TextureLoader.h"

namespace qv {

namespace {

std::unique_ptr<Texture> loadGroundTexture(GraphicsDevice& device, const Settings& settings) {
    if (settings.readInt("PERFORMANCE", "GROUNDTEXTURE", 1) == 0)
        return nullptr;
    auto texture = loadTexture(device, resolvePath("./Data/tex/ground.dds"), TextureFormat::A8R8G8B8);
    if (!texture)
        throw FatalError("ERROR : Create Direct3DTexture");
    return texture;
}

} // namespace

Field::Field(GraphicsDevice& device, const GameState& state, const Settings& settings)
    : device_(device), window_(state.sightRange), palette_(settings.readInt("EFFECT", "COLOR", 1)),
      groundTexture_(loadGroundTexture(device, settings)),
      grid_(FieldHeights::read(resolvePath(dataFilePath(state.stageNumber))), palette_) {}

std::string Field::dataFilePath(uint32_t stageNumber) {
    std::string path = "./Data/Field0.dat";
    path[path.find('0')] = static_cast<char>('0' + (stageNumber & 3u));
    return path;
}

void Field::draw(const Vec3& eye, float yaw) {
    const size_t count = window_.select(grid_.cells(), eye, yaw);
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(groundTexture_.get());
    // Nothing of the field in sight: there is nothing to hand the device.
    if (count == 0)
        return;
    device_.drawPrimitiveUP(PrimitiveType::TriangleList, static_cast<uint32_t>(count / 3), window_.vertices(),
                            sizeof(WorldVertex));
}

} // namespace qv
