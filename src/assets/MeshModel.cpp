#include "assets/MeshModel.h"

#include "assets/MeshLoader.h"
#include "core/FatalError.h"

#include <algorithm>

namespace qv {

namespace {

MeshData loadOrThrow(const std::string& path) {
    auto data = loadMeshFile(path);
    if (!data)
        throw FatalError("ERROR : Load Mesh " + path);
    return std::move(*data);
}

} // namespace

MeshModel::MeshModel(GraphicsDevice& device, const std::string& path) : device_(device) {
    MeshData data = loadOrThrow(path);
    materials_ = std::move(data.materials);
    for (Material& material : materials_)
        material.ambient = material.diffuse;
    textures_.assign(materials_.size(), nullptr);
    subsets_ = std::move(data.subsets);
    std::stable_sort(subsets_.begin(), subsets_.end(), [](const MeshSubset& a, const MeshSubset& b) {
        return a.materialIndex < b.materialIndex;
    });
}

void MeshModel::draw() const {
    device_.setVertexFormat(fvf::kMesh);
    auto subset = subsets_.begin();
    for (size_t i = 0; i < materials_.size(); ++i) {
        device_.setTexture(textures_[i]);
        device_.setMaterial(materials_[i]);
        for (; subset != subsets_.end() && subset->materialIndex == i; ++subset) {
            if (subset->indices.empty())
                continue;
            device_.drawIndexedTriangles(
                subset->vertices.data(), static_cast<uint32_t>(subset->vertices.size()),
                subset->indices.data(), static_cast<uint32_t>(subset->indices.size() / 3));
        }
    }
}

} // namespace qv
