#include "XFiles.h"

#include "BinaryXWriter.h"

namespace qv::test {

namespace {

const char* const kCubeGeometry = R"(
 8;
 -1.0;0.0;1.0;,
 2.0;0.0;1.0;,
 -1.0;2.0;1.0;,
 2.0;2.0;1.0;,
 -1.0;0.0;3.0;,
 2.0;0.0;3.0;,
 -1.0;2.0;3.0;,
 2.0;2.0;3.0;;
 6;
 4;0,2,3,1;,
 4;1,3,7,5;,
 4;4,5,7,6;,
 4;0,4,6,2;,
 4;2,6,7,3;,
 4;0,1,5,4;;
 MeshNormals {
  6;
  0.0;0.0;-1.0;,
  1.0;0.0;0.0;,
  0.0;0.0;1.0;,
  -1.0;0.0;0.0;,
  0.0;1.0;0.0;,
  0.0;-1.0;0.0;;
  6;
  4;0,0,0,0;,
  4;1,1,1,1;,
  4;2,2,2,2;,
  4;3,3,3,3;,
  4;4,4,4,4;,
  4;5,5,5,5;;
 }
 MeshTextureCoords {
  8;
  0.125;0.0625;,
  0.625;0.0625;,
  0.125;0.5625;,
  0.625;0.5625;,
  0.375;0.1875;,
  0.875;0.1875;,
  0.375;0.6875;,
  0.875;0.6875;;
 }
)";

const char* const kPaint = R"(
 Material Paint {
  0.8;0.25;0.1;0.5;;
  12.5;
  0.25;0.5;0.75;;
  0.125;0.0625;0.0;;
 }
)";

const char* const kChrome = R"(
 Material Chrome {
  0.2;0.4;0.6;1.0;;
  40.0;
  1.0;1.0;1.0;;
  0.0;0.0;0.0;;
  TextureFilename { "chrome.bmp"; }
 }
)";

const char* const kSpare = R"(
 Material Spare {
  0.0;0.0;1.0;1.0;;
  1.0;
  0.0;0.0;0.0;;
  0.0;0.0;0.0;;
 }
)";

const char* const kHeader = "xof 0303txt 0032\n";

std::string cubeFile(const std::string& fileMaterials, const std::string& materialList) {
    return kHeader + fileMaterials + "Mesh Cube {" + kCubeGeometry + " MeshMaterialList {\n" + materialList +
           " }\n}\n";
}

} // namespace

std::string cubeWithInlineMaterials() {
    return cubeFile("", std::string("  2;\n  6;\n  1,0,1,0,1,0;;\n") + kPaint + kChrome);
}

std::string twoPartsOutOfOrder() {
    return std::string(kHeader) + R"(
Frame Body {
 Frame Side {
  Mesh PlusX {
   4;
   2.0;0.0;1.0;,
   2.0;2.0;1.0;,
   2.0;2.0;3.0;,
   2.0;0.0;3.0;;
   1;
   4;0,1,2,3;;
   MeshNormals { 1; 1.0;0.0;0.0;; 1; 4;0,0,0,0;; }
   MeshMaterialList { 1; 1; 0;;)" +
           kPaint + R"( }
  }
 }
}
Mesh MinusZ {
 4;
 -1.0;0.0;1.0;,
 -1.0;2.0;1.0;,
 2.0;2.0;1.0;,
 2.0;0.0;1.0;;
 1;
 4;0,1,2,3;;
 MeshNormals { 1; 0.0;0.0;-1.0;; 1; 4;0,0,0,0;; }
 MeshMaterialList { 1; 1; 0;;)" +
           kChrome + R"( }
}
)";
}

std::string cubeWithUnusedMaterial() {
    return cubeFile("", std::string("  3;\n  6;\n  2,0,2,0,2,0;;\n") + kPaint + kSpare + kChrome);
}

std::string triangleInFrames() {
    return std::string(kHeader) + R"(
Frame Parent {
 FrameTransformMatrix {
  1.0,0.0,0.0,0.0,
  0.0,1.0,0.0,0.0,
  0.0,0.0,1.0,0.0,
  10.0,20.0,30.0,1.0;;
 }
 Frame Child {
  FrameTransformMatrix {
   0.0,0.0,-2.0,0.0,
   0.0,2.0,0.0,0.0,
   2.0,0.0,0.0,0.0,
   0.0,0.0,0.0,1.0;;
  }
  Mesh Tri {
   3;
   1.0;0.0;0.0;,
   1.0;1.0;0.0;,
   1.0;0.0;1.0;;
   1;
   3;0,1,2;;
   MeshNormals {
    1;
    1.0;0.0;0.0;;
    1;
    3;0,0,0;;
   }
  }
 }
}
)";
}

std::string binaryTriangle(const std::vector<float>& material, bool doubles) {
    BinaryXWriter x(doubles);
    x.name("Mesh");
    x.open();
    x.ints({3});
    x.floats({0, 0, 5, 1, 0, 5, 0, 1, 5});
    x.ints({1, 3, 0, 2, 1});
    x.name("MeshNormals");
    x.open();
    x.ints({1});
    x.floats({0, 0, -1});
    x.ints({1, 3, 0, 0, 0});
    x.close();
    x.name("MeshTextureCoords");
    x.open();
    x.ints({3});
    x.floats({0, 0, 1, 0, 0, 1});
    x.close();
    x.name("MeshMaterialList");
    x.open();
    x.ints({1, 1, 0});
    x.name("Material");
    x.open();
    x.floats(material);
    x.close();
    x.close();
    x.close();
    return x.bytes();
}

} // namespace qv::test
