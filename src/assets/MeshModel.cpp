#include "assets/MeshModel.h"

#include "assets/ContentCache.h"
#include "core/FatalError.h"

#include <algorithm>

namespace qv {

namespace {

std::shared_ptr<const MeshData> loadOrThrow(ContentCache& content, const std::string& path) {
    std::string problem;
    auto data = content.mesh(path, &problem);
    if (!data)
        throw FatalError("ERROR : Load Mesh " + path, path + ": " + problem);
    return data;
}

} // namespace

MeshModel::MeshModel(GraphicsDevice& device, ContentCache& content, const std::string& path)
    : device_(device) {
    const auto data = loadOrThrow(content, path);
    materials_ = data->materials;
    for (Material& material : materials_)
        material.ambient = material.diffuse;
    textures_.assign(materials_.size(), nullptr);
    subsets_ = data->subsets;
    std::stable_sort(subsets_.begin(), subsets_.end(), [](const MeshSubset& a, const MeshSubset& b) {
        return a.materialIndex < b.materialIndex;
    });
    for (const MeshSubset& subset : subsets_)
        geometry_.push_back(device_.createStaticMesh(subset.vertices, subset.indices));
}

void MeshModel::drawMaterials(bool ownTextures) const {
    device_.setVertexFormat(fvf::kMesh);
    size_t subset = 0;
    for (size_t i = 0; i < materials_.size(); ++i) {
        if (ownTextures)
            device_.setTexture(textures_[i]);
        device_.setMaterial(materials_[i]);
        for (; subset < subsets_.size() && subsets_[subset].materialIndex == i; ++subset) {
            if (!subsets_[subset].indices.empty() && geometry_[subset])
                device_.drawStaticMesh(*geometry_[subset]);
        }
    }
}

} // namespace qv
