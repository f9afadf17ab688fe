#pragma once

#include "assets/XTokens.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Walks a .x file's objects in the order and the steps Assimp's .x parser reads them, before it
// does, and throws XLayoutError at the first thing the parser would mis-read or the importer
// could not use safely. The parser trusts the file: it indexes normals, texture coordinates,
// colours, skin weights and materials by face and vertex indices it never checked, and its
// binary number reads go astray on one token out of place. So every object it reads is
// followed here: frames (nested at most kMaxFrameDepth), their transform (16 reals), meshes
// (vertex count N, 3N reals, face count F, F faces of 1 to kMaxCorners vertex indices below N)
// with their normals, texture coordinates, vertex colours, material list, skin header and
// weights, materials, animation sets and templates. Any other object is passed over as a
// balanced brace block, as the parser passes over it.
//
// Counts must be ones the file can hold (countLimit), and what the importer does in time
// quadratic in the file's objects is bounded: at most kMaxMeshes meshes and kMaxMaterials
// materials in a file, kMaxSortWork steps of sorting faces and skin weights by material, and
// kMaxPolygonWork steps of cutting faces of more than four corners into triangles (the square
// of their corners: a 16 MiB file of 256-cornered faces took 12 s).
class XMeshLayout {
  public:
    static constexpr int kMaxFrameDepth = 64;
    static constexpr uint64_t kMaxCorners = 1024;
    static constexpr size_t kMaxNameBytes = 1023; // the importer copies frame names into 1 KiB
    static constexpr uint64_t kMaxMeshes = 1024;
    static constexpr uint64_t kMaxMaterials = 1024;
    static constexpr uint64_t kMaxSortWork = uint64_t{1} << 26;
    static constexpr uint64_t kMaxPolygonWork = uint64_t{1} << 25;
    static constexpr int kMaxVertexSets = 8; // texture coordinate and colour sets the importer keeps

    XMeshLayout(XTokens& tokens, uint64_t countLimit);

    // Reads the whole file; throws XLayoutError with the reason.
    void walk();

  private:
    // What the objects inside a mesh are checked against.
    struct Mesh {
        std::string name;
        uint64_t vertices = 0;
        std::vector<uint32_t> corners; // per face
        uint64_t materials = 0;
        bool hasMaterialList = false;
        uint64_t skinWeights = 0;
        int textureSets = 0;
        int colorSets = 0;
    };

    template <typename Child> void children(const std::string& inside, Child child);
    template <typename Describe> uint64_t indexBelow(uint64_t limit, Describe describe);
    void fileObject(const XToken& token);
    std::string header();
    std::string kept(std::string_view name);
    void closingBrace(const std::string& of);
    void skipUnknown();
    void skipTemplate();
    uint64_t count();
    void reals(uint64_t count);
    void vectors(uint64_t count, uint64_t size);
    void frame(int depth);
    void transformMatrix();
    void mesh();
    void faces(Mesh& mesh);
    bool meshChild(Mesh& mesh, std::string_view name);
    void normals(const Mesh& mesh);
    void perVertexCount(const Mesh& mesh, const std::string& called);
    void anotherVertexSet(int& sets, const std::string& called);
    void textureCoordinates(Mesh& mesh);
    void vertexColors(Mesh& mesh);
    void materialList(Mesh& mesh);
    uint64_t materialListEntries(const std::string& called);
    void materialReference();
    void material();
    void skinHeader();
    void skinWeights(Mesh& mesh);
    void animationSet();
    void animation();
    void animationKey();
    void ticksPerSecond();
    void countMaterial();
    void countSortWork(const Mesh& mesh);
    void countPolygonWork(const Mesh& mesh, uint64_t corners);
    [[noreturn]] void refuse(const std::string& why) const { tokens_.refuse(why); }

    XTokens& tokens_;
    uint64_t countLimit_;
    uint64_t meshes_ = 0;
    uint64_t materials_ = 0;
    uint64_t sortWork_ = 0;
    uint64_t polygonWork_ = 0;
};

} // namespace qv
