#include "field/Field.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/FilePaths.h"

#include <vector>

namespace qv {

namespace {

std::unique_ptr<Texture> loadGroundTexture(GraphicsDevice& device, ContentCache& content,
                                           const SceneOptions& options) {
    if (!options.groundTexture)
        return nullptr;
    std::unique_ptr<Texture> texture = requireTexture(device, content, resolvePath(data::kGroundTexture));
    // The picture repeats cell after cell; read across its seams, no dark line marks the cells.
    device.setTextureEdges(*texture, TextureEdges::Repeat);
    return texture;
}

std::unique_ptr<StaticGeometry> uploadGround(GraphicsDevice& device, const FieldGrid& grid) {
    std::vector<WorldVertex> vertices;
    vertices.reserve(grid.cells().size() * FieldCell::kVertexCount);
    for (const FieldCell& cell : grid.cells())
        vertices.insert(vertices.end(), cell.vertices.begin(), cell.vertices.end());
    return device.createStaticVertices(vertices.data(), static_cast<uint32_t>(vertices.size()),
                                       sizeof(WorldVertex));
}

} // namespace

Field::Field(GraphicsDevice& device, ContentCache& content, const GameState& state,
             const SceneOptions& options)
    : device_(device), window_(state.sightRange), palette_(options.palette),
      groundTexture_(loadGroundTexture(device, content, options)),
      grid_(FieldHeights::read(resolvePath(dataFilePath(state.stageNumber))), palette_),
      ground_(uploadGround(device, grid_)) {}

std::string Field::dataFilePath(uint32_t stageNumber) {
    return data::fieldFile(stageNumber & 3u);
}

void Field::draw(const Vec3& eye, float yaw) {
    const size_t count = window_.select(grid_.cells(), eye, yaw);
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(groundTexture_.get());
    // Nothing of the field in sight: there is nothing to hand the device.
    if (count == 0)
        return;
    device_.drawStatic(*ground_, PrimitiveType::TriangleList, window_.runs());
}

} // namespace qv
