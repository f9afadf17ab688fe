#include "BinaryXWriter.h"
#include "XFiles.h"
#include "assets/MeshLoader.h"
#include "assets/XFileCheck.h"
#include "support/BuildPaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace qv {
namespace {

using namespace qv::test;

const std::string kRed = R"(Material Red {
 1.0;0.0;0.0;1.0;;
 5.0;
 0.0;0.0;0.0;;
 0.0;0.0;0.0;;
}
)";

// A quad of two triangles with normals, texture coordinates and two materials, Red on face 0
// and Blue on face 1.
const std::string kQuad = R"(xof 0303txt 0032
Mesh Quad {
 4;
 0.0;0.0;0.0;,
 1.0;0.0;0.0;,
 1.0;1.0;0.0;,
 0.0;1.0;0.0;;
 2;
 3;0,1,2;,
 3;0,2,3;;
 MeshNormals {
  1;
  0.0;0.0;1.0;;
  2;
  3;0,0,0;,
  3;0,0,0;;
 }
 MeshTextureCoords {
  4;
  0.0;0.0;,
  1.0;0.0;,
  1.0;1.0;,
  0.0;1.0;;
 }
 MeshMaterialList {
  2;
  2;
  0,
  1;;
)" + kRed + R"(Material Blue {
 0.0;0.0;1.0;1.0;;
 5.0;
 0.0;0.0;0.0;;
 0.0;0.0;0.0;;
 TextureFilename { "blue.png"; }
}
 }
}
)";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string repeated(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The reason the mesh is refused; empty when it loads.
std::string refusal(const std::string& bytes) {
    std::string problem;
    return parseMesh(bytes, &problem) ? std::string() : problem;
}

struct Fault {
    const char* what;
    std::string bytes;
    const char* reason;
};

void expectRefused(const std::vector<Fault>& faults) {
    for (const Fault& fault : faults) {
        const std::string problem = refusal(fault.bytes);
        EXPECT_NE(problem.find(fault.reason), std::string::npos)
            << fault.what << ": expected \"" << fault.reason << "\", got \"" << problem << "\"";
    }
}

size_t trianglesOf(const MeshData& mesh) {
    size_t indices = 0;
    for (const MeshSubset& subset : mesh.subsets)
        indices += subset.indices.size();
    return indices / 3;
}

TEST(XMeshLayout, TheQuadLoadsAsWritten) {
    std::string problem;
    const auto mesh = parseMesh(kQuad, &problem);
    ASSERT_TRUE(mesh) << problem;
    ASSERT_EQ(mesh->materials.size(), 2u);
    ASSERT_EQ(mesh->subsets.size(), 2u);
    EXPECT_EQ(trianglesOf(*mesh), 2u);
}

// Lists that disagree with their counts made Assimp index past its arrays (one such mesh from
// the fuzz harness crashed it); each is refused before Assimp, with what is wrong.
TEST(XMeshLayout, ListsThatDisagreeWithTheirCountsAreRefused) {
    expectRefused({
        {"vertex index", replaced(kQuad, "3;0,2,3;;", "3;0,2,4;;"), "mesh Quad: face 1 names vertex 4 of 4"},
        {"face beyond the count", replaced(kQuad, " 3;0,2,3;;\n", " 3;0,2,3;,\n 3;1,2,3;;\n"),
         "\"3\" where an object or '}' belongs in mesh Quad"},
        {"face of no corners", replaced(kQuad, " 3;0,1,2;,", " 0;,"), "face 0 has 0 corners"},
        {"normals for fewer faces", replaced(kQuad, "  2;\n  3;0,0,0;,\n", "  1;\n  3;0,0,0;,\n"),
         "mesh Quad's normals cover 1 faces, the mesh has 2"},
        {"normal face of other corners", replaced(kQuad, "  3;0,0,0;;", "  4;0,0,0,0;;"),
         "normals: face 1 has 4 corners, the mesh's face 3"},
        {"normal index", replaced(kQuad, "  3;0,0,0;;", "  3;0,0,1;;"),
         "normals: face 1 names normal 1 of 1"},
        {"normal cut short", replaced(kQuad, "  0.0;0.0;1.0;;", "  0.0;0.0;;"),
         "where a real number belongs there is \";\""},
        {"texture coordinates", replaced(kQuad, "  4;\n  0.0;0.0;,", "  3;\n  0.0;0.0;,"),
         "texture coordinates number 3, the mesh has 4 vertices"},
        {"material index", replaced(kQuad, "  0,\n  1;;", "  0,\n  2;;"), "face 1 uses material 2 of 2"},
        {"material indices", replaced(kQuad, "  2;\n  0,\n  1;;", "  3;\n  0,\n  1,\n  1;;"),
         "gives materials for 3 faces, the mesh has 2"},
        {"materials stated", replaced(kQuad, "  2;\n  2;\n  0,", "  3;\n  2;\n  0,"),
         "states 3 materials but holds 2"},
        {"second material list",
         replaced(kQuad, "\n }\n}\n", "\n }\n MeshMaterialList { 1; 1; 0;; { Red } }\n}\n"),
         "mesh Quad has a second material list"},
        {"file ends inside", kQuad.substr(0, kQuad.rfind('}')), "the file ends inside mesh Quad"},
        {"stray separator", replaced(kQuad, " MeshNormals", " ; MeshNormals"),
         "\";\" where an object or '}' belongs"},
    });
}

// A number of the wrong kind puts the parser out of step with the file; numbers that are
// not finite or not numbers at all have nothing to draw.
TEST(XMeshLayout, NumbersOfTheWrongKindAreRefused) {
    expectRefused({
        {"real for a count", replaced(kQuad, " 4;\n", " 4.0;\n"), "a real number, \"4.0;\""},
        {"decimal comma", replaced(kQuad, " 1.0;0.0;0.0;,", " 1,5;0.0;0.0;,"), "runs into a decimal comma"},
        {"no separator", replaced(kQuad, " 1.0;0.0;0.0;,", " 1.0 0.0;0.0;,"), "a ',' or ';' must follow"},
        {"exporter NaN", replaced(kQuad, " 1.0;0.0;0.0;,", " 1.#IND00;0.0;0.0;,"), "not finite"},
        {"infinity", replaced(kQuad, " 1.0;0.0;0.0;,", " -inf;0.0;0.0;,"), "not finite"},
        {"beyond a float", replaced(kQuad, " 1.0;0.0;0.0;,", " 1e39;0.0;0.0;,"), "beyond what a float holds"},
        {"word for a real", replaced(kQuad, " 1.0;0.0;0.0;,", " one;0.0;0.0;,"),
         "where a real number belongs there is \"one;0.0;0.0;,\""},
        {"digits the reader gives up on",
         replaced(kQuad, " 1.0;0.0;0.0;,", " 99999999999999999999.0;0.0;0.0;,"),
         "more digits than the reader takes"},
        {"negative index", replaced(kQuad, "3;0,2,3;;", "3;0,-2,3;;"), "a negative whole number, -2"},
    });
}

// What the importer would take long over, or overrun a fixed field with, is refused by name.
TEST(XMeshLayout, AbsurdShapesAreRefused) {
    const std::string tinyMesh = "Mesh{0;0;}\n";
    const std::string plainMaterial = "Material{0.0;0.0;0.0;0.0;;0.0;0.0;0.0;0.0;;0.0;0.0;0.0;;}\n";
    const std::string bigFace = "1025;" + repeated("0,", 1024) + "0;;";
    const std::string manyCorners = "33;\n" + repeated("1024;" + repeated("0,", 1023) + "0;,\n", 33);
    const std::string manyMaterials = "65537;\n" + repeated("3;0,0,0;,\n", 65537) +
                                      "MeshMaterialList{1024;1;0;;" + repeated(plainMaterial, 1024) + "}";
    expectRefused({
        {"long name", replaced(kQuad, "Mesh Quad", "Mesh " + std::string(1024, 'Q')), "a name of 1024 bytes"},
        {"deep frames", "xof 0303txt 0032\n" + repeated("Frame{", 65) + repeated("}", 65),
         "frames nested deeper than 64"},
        {"many meshes", "xof 0303txt 0032\n" + repeated(tinyMesh, 1025), "more than 1024 meshes"},
        {"many materials", "xof 0303txt 0032\n" + repeated(plainMaterial, 1025), "more than 1024 materials"},
        {"face of many corners", replaced(kQuad, "3;0,2,3;;", bigFace),
         "face 1 has 1025 corners, not 1 to 1024"},
        {"many faces of many corners", "xof 0303txt 0032\nMesh{1;0.0;0.0;0.0;;" + manyCorners + "}",
         "cutting its faces of many corners into triangles takes more than"},
        {"faces times materials", "xof 0303txt 0032\nMesh{1;0.0;0.0;0.0;;" + manyMaterials + "}",
         "sorting its faces and skin weights by material takes more than"},
        {"nine texture coordinate sets",
         replaced(kQuad, " MeshTextureCoords {",
                  repeated(" MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;; }\n", 8) +
                      " MeshTextureCoords {"),
         "more than 8 sets of mesh Quad's texture coordinates"},
        {"skin weight index",
         replaced(kQuad, "\n }\n}\n",
                  "\n }\n SkinWeights { \"Bone\"; 1; 4; 1.0; " + repeated("0.0,", 15) + "1.0;; }\n}\n"),
         "skin weights: weight 0 names vertex 4 of 4"},
    });
}

// Each file below is one Assimp reads correctly; the check must let it through.
TEST(XMeshLayout, WhatAssimpReadsCorrectlyLoads) {
    const std::vector<std::pair<const char*, std::string>> files{
        {"no separator after faces and vectors",
         replaced(replaced(kQuad, " 3;0,1,2;,\n", " 3;0,1,2;\n"), " 1.0;0.0;0.0;,\n", " 1.0;0.0;0.0;\n")},
        {"reals without a point", replaced(kQuad, " 1.0;1.0;0.0;,", " 1;1;0;,")},
        {"a real of many leading zeros",
         replaced(kQuad, " 1.0;1.0;0.0;,", " 0000000000000000000000001.0;1.0;0.0;,")},
        {"comments and the header line's rest",
         replaced(replaced(kQuad, "txt 0032\n", "txt 0032 exported\n# made by hand\n"), " 2;\n",
                  " 2; // faces\n")},
        {"a stray brace, a template and objects not read",
         replaced(replaced(kQuad, "Mesh Quad {",
                           "}\ntemplate Thing {\n <01234567-89AB-CDEF-0123-456789ABCDEF>\n DWORD n;\n}\n"
                           "Header { 1; 0; -1; }\nMesh Quad {"),
                  " MeshNormals {", " VertexDuplicationIndices { 4; -4; 0, 1, 2, 3; }\n MeshNormals {")},
        {"a material reference",
         replaced(replaced(kQuad, kRed, "{ Red }\n"), "Mesh Quad {", kRed + "Mesh Quad {")},
    };
    for (const auto& [what, bytes] : files) {
        std::string problem;
        const auto mesh = parseMesh(bytes, &problem);
        ASSERT_TRUE(mesh) << what << ": " << problem;
        EXPECT_EQ(trianglesOf(*mesh), 2u) << what;
    }
}

TEST(XMeshLayout, OneMaterialIndexStandsForEveryFace) {
    std::string problem;
    const auto mesh = parseMesh(replaced(kQuad, "  2;\n  0,\n  1;;", "  1;\n  1;;"), &problem);
    ASSERT_TRUE(mesh) << problem;
    ASSERT_EQ(mesh->subsets.size(), 1u);
    EXPECT_EQ(mesh->subsets[0].materialIndex, 1u);
    EXPECT_EQ(mesh->subsets[0].indices.size(), 6u);
}

std::string seed(const std::string& name) {
    std::ifstream in(sourceDir() / "fuzz" / "corpus" / "Mesh" / name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The mesh seed with every object the reader knows: frames, a skinned mesh with colours, a
// material reference, an animation set. It draws its quad and triangle moved by their frame.
TEST(XMeshLayout, EveryObjectTheReaderKnowsIsFollowed) {
    std::string problem;
    const auto mesh = parseMesh(seed("features.x"), &problem);
    ASSERT_TRUE(mesh) << problem;
    ASSERT_EQ(mesh->subsets.size(), 2u);
    EXPECT_EQ(mesh->subsets[0].indices.size(), 6u);
    EXPECT_EQ(mesh->subsets[1].indices.size(), 3u);
    for (const MeshSubset& subset : mesh->subsets)
        for (const MeshVertex& v : subset.vertices)
            EXPECT_GE(v.x, 2.0f);
}

// The two meshes the fuzz harness found: Assimp crashed on the first and grew an array to 8 GB
// over 30 s on the second.
TEST(XMeshLayout, TheFuzzFindingsAreRefused) {
    EXPECT_NE(refusal(seed("uneven-lists-text.x")).find("line 496: \"3\" where an object or '}' belongs"),
              std::string::npos);
    EXPECT_NE(
        refusal(seed("out-of-order-binary.x")).find("where a whole number belongs there is a list of real"),
        std::string::npos);
}

// A binary triangle written by parts: its vertex count, positions and faces as given.
std::string binaryTriangleWith(const std::function<void(BinaryXWriter&)>& geometry) {
    BinaryXWriter x;
    x.name("Mesh");
    x.open();
    geometry(x);
    x.close();
    return x.bytes();
}

TEST(XMeshLayout, BinaryNumbersMustComeInTheirOwnLists) {
    const std::vector<float> positions{0, 0, 5, 1, 0, 5, 0, 1, 5};
    auto faces = [](BinaryXWriter& x) { x.ints({1, 3, 0, 2, 1}); };
    BinaryXWriter cutName; // a name of 255 bytes of which one is there
    cutName.word(0x01);
    cutName.dword(255);
    expectRefused({
        {"whole numbers for reals", binaryTriangleWith([&](BinaryXWriter& x) {
             x.ints({3, 0, 0, 5, 1, 0, 5, 0, 1, 5});
             faces(x);
         }),
         "a whole number where a real number belongs"},
        {"reals for a count", binaryTriangleWith([&](BinaryXWriter& x) {
             x.floats({3});
             x.floats(positions);
             faces(x);
         }),
         "where a whole number belongs there is a list of real numbers"},
        {"an empty list", binaryTriangleWith([&](BinaryXWriter& x) {
             x.ints({});
             x.floats(positions);
             faces(x);
         }),
         "an empty list where a whole number belongs"},
        {"numbers left over", binaryTriangleWith([&](BinaryXWriter& x) {
             x.ints({3});
             x.floats(positions);
             x.ints({1, 3, 0, 2, 1, 7});
         }),
         "a list holds 1 numbers more than the mesh's layout reads"},
        {"an unknown token", binaryTriangleWith([&](BinaryXWriter& x) {
             x.ints({3});
             x.floats(positions);
             faces(x);
             x.word(0x21);
         }),
         "an unknown binary token 33"},
        {"a name past the end",
         binaryTriangle({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}) + cutName.bytes().substr(16) + "M",
         "a token runs past the end of the file"},
    });
}

TEST(XMeshLayout, BinaryMeshesOfEveryFormLoad) {
    const std::vector<float> material{0.9f, 0.1f, 0.3f, 0.7f, 5.0f, 0.2f, 0.3f, 0.4f, 0.05f, 0.06f, 0.07f};
    const auto single = parseMesh(binaryTriangle(material));
    const auto doubles = parseMesh(binaryTriangle(material, true));
    ASSERT_TRUE(single && doubles);
    EXPECT_EQ(doubles->materials, single->materials);
    ASSERT_EQ(doubles->subsets.size(), 1u);
    EXPECT_EQ(doubles->subsets[0].indices, single->subsets[0].indices);
    // Lone integer tokens, one list per value and a texture name as a string token.
    const std::string loose = binaryTriangleWith([](BinaryXWriter& x) {
        x.integer(3);
        for (float v : {0.f, 0.f, 5.f, 1.f, 0.f, 5.f, 0.f, 1.f, 5.f})
            x.floats({v});
        for (uint32_t v : {1u, 3u, 0u, 2u, 1u})
            x.integer(v);
        x.name("MeshMaterialList");
        x.open();
        x.ints({1, 1, 0});
        x.name("Material");
        x.open();
        x.floats({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0});
        x.name("TextureFilename");
        x.open();
        x.string("paint.png");
        x.close();
        x.close();
        x.close();
    });
    std::string problem;
    const auto mesh = parseMesh(loose, &problem);
    ASSERT_TRUE(mesh) << problem;
    EXPECT_EQ(trianglesOf(*mesh), 1u);
}

TEST(XMeshLayout, FilesWithoutAMeshOrOfAnotherFormAreRefused) {
    EXPECT_NE(xFileProblem("xof 0303txt 0032\nFrame Empty {\n}\n").find("it holds no mesh"),
              std::string::npos);
    EXPECT_NE(xFileProblem("xof 0303txt 0016\nMesh{0;0;}").find("float size \"0016\""), std::string::npos);
    EXPECT_NE(xFileProblem("xof 0303bzip0032").find("not text or binary"), std::string::npos);
    EXPECT_EQ(xFileProblem("xof 0303txt 0064\nMesh{0;0;}"), "");
}

} // namespace
} // namespace qv
