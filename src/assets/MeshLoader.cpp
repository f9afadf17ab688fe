#include "assets/MeshLoader.h"

#include "assets/XFileCheck.h"
#include "core/FilePaths.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <exception>
#include <filesystem>

namespace qv {

namespace {

// Assimp converts .x data to right-handed space on import; converting back leaves positions,
// normals, UVs and winding exactly as the file has them.
constexpr unsigned kImportFlags =
    aiProcess_Triangulate | aiProcess_ConvertToLeftHanded | aiProcess_JoinIdenticalVertices;

bool isIdentity(const aiMatrix4x4& m) {
    return m == aiMatrix4x4();
}

ColorValue toColor(const aiColor4D& c) {
    return {c.r, c.g, c.b, c.a};
}

// Specular and emissive are RGB in the file; their alpha is unused and set opaque.
ColorValue toColor(const aiColor3D& c) {
    return {c.r, c.g, c.b, 1.0f};
}

Material toMaterial(const aiMaterial& source) {
    aiColor4D diffuse(0.0f, 0.0f, 0.0f, 1.0f);
    aiColor3D specular(0.0f, 0.0f, 0.0f), emissive(0.0f, 0.0f, 0.0f);
    float power = 0.0f, opacity = 1.0f;
    source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    // Importers that keep alpha apart from the diffuse colour store it as opacity.
    if (source.Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
        diffuse.a = opacity;
    source.Get(AI_MATKEY_COLOR_SPECULAR, specular);
    source.Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
    source.Get(AI_MATKEY_SHININESS, power);
    Material material;
    material.diffuse = toColor(diffuse);
    material.specular = toColor(specular);
    material.emissive = toColor(emissive);
    material.power = power;
    return material;
}

// Frame transforms are baked into the vertices, as a loader that flattens the frame hierarchy
// must. Normals go through the inverse transpose and are renormalized.
struct VertexTransform {
    aiMatrix4x4 points;
    aiMatrix3x3 normals;
    bool identity = true;

    explicit VertexTransform(const aiMatrix4x4& m) : points(m), identity(isIdentity(m)) {
        if (!identity)
            normals = aiMatrix3x3(m).Inverse().Transpose();
    }
};

MeshVertex toVertex(const aiMesh& mesh, unsigned i, const VertexTransform& transform) {
    aiVector3D position = mesh.mVertices[i];
    aiVector3D normal = mesh.HasNormals() ? mesh.mNormals[i] : aiVector3D();
    const aiVector3D uv = mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0][i] : aiVector3D();
    if (!transform.identity) {
        position = transform.points * position;
        normal = (transform.normals * normal).NormalizeSafe();
    }
    return {position.x, position.y, position.z, normal.x, normal.y, normal.z, uv.x, uv.y};
}

std::optional<MeshSubset> toSubset(const aiMesh& mesh, const VertexTransform& transform,
                                   size_t materialCount) {
    if (mesh.mMaterialIndex >= materialCount || mesh.mVertices == nullptr)
        return std::nullopt;
    MeshSubset subset;
    subset.materialIndex = mesh.mMaterialIndex;
    subset.vertices.reserve(mesh.mNumVertices);
    for (unsigned i = 0; i < mesh.mNumVertices; ++i)
        subset.vertices.push_back(toVertex(mesh, i, transform));
    subset.indices.reserve(static_cast<size_t>(mesh.mNumFaces) * 3);
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        // Points and lines left over after triangulation have nothing to draw.
        if (face.mNumIndices != 3)
            continue;
        for (unsigned k = 0; k < 3; ++k) {
            if (face.mIndices[k] >= mesh.mNumVertices)
                return std::nullopt;
            subset.indices.push_back(face.mIndices[k]);
        }
    }
    return subset;
}

bool collectSubsets(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent, MeshData& out) {
    const aiMatrix4x4 global = parent * node.mTransformation;
    const VertexTransform transform(global);
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        if (node.mMeshes[i] >= scene.mNumMeshes || scene.mMeshes[node.mMeshes[i]] == nullptr)
            return false;
        auto subset = toSubset(*scene.mMeshes[node.mMeshes[i]], transform, out.materials.size());
        if (!subset)
            return false;
        out.subsets.push_back(std::move(*subset));
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        if (node.mChildren[c] == nullptr || !collectSubsets(scene, *node.mChildren[c], global, out))
            return false;
    return true;
}

std::optional<MeshData> convertScene(const aiScene& scene) {
    if (scene.mRootNode == nullptr || (scene.mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0)
        return std::nullopt;
    MeshData data;
    for (unsigned i = 0; i < scene.mNumMaterials; ++i)
        data.materials.push_back(toMaterial(*scene.mMaterials[i]));
    if (!collectSubsets(scene, *scene.mRootNode, aiMatrix4x4(), data) || data.subsets.empty())
        return std::nullopt;
    return data;
}

std::optional<MeshData> importMesh(const std::string& bytes, std::string& why) {
    try {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), kImportFlags, "x");
        if (scene == nullptr) {
            why = importer.GetErrorString();
            return std::nullopt;
        }
        auto mesh = convertScene(*scene);
        if (!mesh)
            why = "it holds no mesh the game can draw";
        return mesh;
    } catch (const std::exception& e) {
        // Import errors come back as null; this keeps anything thrown past Assimp's own guard
        // from ending the game.
        why = e.what();
        return std::nullopt;
    }
}

// Checking the signature and the layout first keeps Assimp from handing a damaged file to
// another format's importer that might accept it, and its .x parser from reading what it would
// mis-read: arrays sized by absurd counts, indices past them, counts taken from other data.
std::optional<MeshData> checkAndImport(const std::string& bytes, std::string& why) {
    why = xFileProblem(bytes);
    if (!why.empty())
        return std::nullopt;
    return importMesh(bytes, why);
}

} // namespace

std::optional<MeshData> loadMeshFile(const std::string& path, std::string* problem) {
    std::string bytes;
    if (!readFile(resolvePath(path), bytes, kMaxMeshBytes)) {
        if (problem != nullptr)
            *problem = "it cannot be read, is no regular file or is larger than " +
                       std::to_string(kMaxMeshBytes >> 20) + " MiB";
        return std::nullopt;
    }
    return parseMesh(bytes, problem);
}

std::optional<MeshData> parseMesh(const std::string& bytes, std::string* problem) {
    std::string why;
    std::optional<MeshData> mesh = checkAndImport(bytes, why);
    if (!mesh && problem != nullptr)
        *problem = why;
    return mesh;
}

} // namespace qv
