#include "formats/XMeshWriter.h"

#include <cstdio>
#include <functional>

namespace qv::content {

namespace {

class XText {
  public:
    void line(const std::string& text) { out_ += text + '\n'; }
    std::string number(float v) const {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(v));
        return buffer;
    }
    // count items, "item;," between them and "item;;" after the last, as every .x array is laid out.
    void list(size_t count, const std::function<std::string(size_t)>& item, const char* between = ",",
              const char* last = ";") {
        line(std::to_string(count) + ";");
        for (size_t i = 0; i < count; ++i)
            line(item(i) + (i + 1 < count ? between : last));
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

std::string faceText(const TriangleMesh::Face& face) {
    return "3;" + std::to_string(face.corners[0]) + "," + std::to_string(face.corners[1]) + "," +
           std::to_string(face.corners[2]) + ";";
}

void writeFaces(XText& x, const TriangleMesh& mesh) {
    x.list(
        mesh.faces.size(), [&](size_t i) { return faceText(mesh.faces[i]); }, ",", ";");
}

void writePositions(XText& x, const TriangleMesh& mesh) {
    x.list(mesh.vertices.size(), [&](size_t i) {
        const MeshVertex& v = mesh.vertices[i];
        return x.number(v.x) + ";" + x.number(v.y) + ";" + x.number(v.z) + ";";
    });
    writeFaces(x, mesh);
}

void writeNormals(XText& x, const TriangleMesh& mesh) {
    x.line("MeshNormals {");
    x.list(mesh.vertices.size(), [&](size_t i) {
        const MeshVertex& v = mesh.vertices[i];
        return x.number(v.nx) + ";" + x.number(v.ny) + ";" + x.number(v.nz) + ";";
    });
    writeFaces(x, mesh);
    x.line("}");
}

void writeTextureCoords(XText& x, const TriangleMesh& mesh) {
    x.line("MeshTextureCoords {");
    x.list(mesh.vertices.size(), [&](size_t i) {
        const MeshVertex& v = mesh.vertices[i];
        return x.number(v.u) + ";" + x.number(v.v) + ";";
    });
    x.line("}");
}

std::string rgb(const XText& x, const ColorValue& c) {
    return x.number(c.r) + ";" + x.number(c.g) + ";" + x.number(c.b) + ";;";
}

void writeMaterial(XText& x, const Material& m) {
    x.line("Material {");
    x.line(x.number(m.diffuse.r) + ";" + x.number(m.diffuse.g) + ";" + x.number(m.diffuse.b) + ";" +
           x.number(m.diffuse.a) + ";;");
    x.line(x.number(m.power) + ";");
    x.line(rgb(x, m.specular));
    x.line(rgb(x, m.emissive));
    x.line("}");
}

void writeMaterials(XText& x, const TriangleMesh& mesh) {
    x.line("MeshMaterialList {");
    x.line(std::to_string(mesh.materials.size()) + ";");
    x.list(
        mesh.faces.size(), [&](size_t i) { return std::to_string(mesh.faces[i].material); }, ",", ";");
    for (const Material& material : mesh.materials)
        writeMaterial(x, material);
    x.line("}");
}

} // namespace

std::string writeXMesh(const TriangleMesh& mesh, const std::string& name) {
    XText x;
    x.line("xof 0303txt 0032");
    x.line("");
    x.line("Frame " + name + " {");
    x.line("FrameTransformMatrix {");
    x.line("1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,"
           "0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;;");
    x.line("}");
    x.line("Mesh " + name + "Mesh {");
    writePositions(x, mesh);
    writeNormals(x, mesh);
    writeTextureCoords(x, mesh);
    writeMaterials(x, mesh);
    x.line("}");
    x.line("}");
    return x.take();
}

std::vector<uint8_t> encodeXMesh(const TriangleMesh& mesh, const std::string& name) {
    const std::string text = writeXMesh(mesh, name);
    return {text.begin(), text.end()};
}

} // namespace qv::content
