#pragma once

#include "assets/MeshData.h"
#include "platform/GraphicsDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class ContentCache;

// A loaded mesh as every mesh owner in the game keeps it: its own copy of the materials with
// ambient equal to diffuse, one texture slot per material (always empty: the file's texture
// names are ignored), drawn material by material.
class MeshModel {
  public:
    // The mesh comes from the content cache (parsed once for every model made of it); its
    // buffers are made on the device. Throws FatalError("ERROR : Load Mesh " + path) when the
    // mesh cannot be loaded.
    MeshModel(GraphicsDevice& device, ContentCache& content, const std::string& path);

    // Sets the mesh vertex format, then for each material i in order: texture slot i,
    // material i, and every subset that uses material i. The caller sets the world transform.
    void draw() const { drawMaterials(true); }
    // The same with the texture the caller bound kept for every subset (the boost's flicker).
    void drawWithBoundTexture() const { drawMaterials(false); }

    // Owners tint their copies (the goal's colour, the walker's fade).
    std::vector<Material>& materials() { return materials_; }
    const std::vector<Material>& materials() const { return materials_; }
    size_t materialCount() const { return materials_.size(); }
    const std::vector<const Texture*>& textures() const { return textures_; }
    const std::vector<MeshSubset>& subsets() const { return subsets_; }

  private:
    void drawMaterials(bool ownTextures) const;

    GraphicsDevice& device_;
    std::vector<Material> materials_;
    std::vector<const Texture*> textures_;
    std::vector<MeshSubset> subsets_; // ordered by material, file order within one material
    std::vector<std::unique_ptr<StaticGeometry>> geometry_; // one per subset, kept by the device
};

} // namespace qv
