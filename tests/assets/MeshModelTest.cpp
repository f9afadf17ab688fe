#include "assets/MeshModel.h"
#include "XFiles.h"
#include "assets/ContentCache.h"
#include "core/FatalError.h"
#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using namespace qv::test;
using Op = RecordingRenderDevice::Op;

class MeshModelTest : public ::testing::Test {
  protected:
    TempDir dir;
    RecordingRenderDevice device{RecordingRenderDevice::Vertices::Keep};
    ContentCache content;

    std::vector<Op> drawOps() const {
        std::vector<Op> ops;
        for (const auto& e : device.events())
            ops.push_back(e.op);
        return ops;
    }

    void expectLoadError(const std::string& path) {
        try {
            MeshModel model(device, content, path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const FatalError& e) {
            EXPECT_EQ(std::string(e.what()), "ERROR : Load Mesh " + path);
        }
    }
};

TEST_F(MeshModelTest, CopiesMaterialsWithAmbientFromDiffuseAndEmptyTextureSlots) {
    MeshModel model(device, content, dir.write("cube.x", cubeWithInlineMaterials()));
    ASSERT_EQ(model.materialCount(), 2u);
    for (const Material& m : model.materials())
        EXPECT_EQ(m.ambient, m.diffuse);
    EXPECT_EQ(model.materials()[0].diffuse, (ColorValue{0.8f, 0.25f, 0.1f, 0.5f}));
    EXPECT_EQ(model.textures(), (std::vector<const Texture*>{nullptr, nullptr}));
}

TEST_F(MeshModelTest, DrawsEachMaterialThenItsSubsetsInMaterialOrder) {
    // The file's first subset uses material 1; the draw must still go material 0 first.
    MeshModel model(device, content, dir.write("parts.x", twoPartsOutOfOrder()));
    device.clearLog();
    model.draw();
    EXPECT_EQ(drawOps(), (std::vector<Op>{Op::VertexFormat, Op::Texture, Op::Material, Op::Draw, Op::Texture,
                                          Op::Material, Op::Draw}));
    EXPECT_EQ(device.events()[0].a, fvf::kMesh);
    ASSERT_EQ(device.draws().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const auto& draw = device.draws()[i];
        EXPECT_EQ(draw.material, model.materials()[i]) << i;
        EXPECT_TRUE(draw.indexed);
        EXPECT_EQ(draw.vertexFormat, fvf::kMesh);
        EXPECT_EQ(draw.texture, nullptr);
        EXPECT_EQ(draw.primitiveCount, 2u);
        EXPECT_EQ(draw.vertexCount, 4u);
    }
    // Paint (material 0) covers the +x face, Chrome (material 1) the -z face.
    auto hasNormal = [](const RecordingRenderDevice::DrawCall& draw, float nx, float nz) {
        for (uint32_t v = 0; v < draw.vertexCount; ++v) {
            const auto& vertex = draw.vertex<MeshVertex>(v);
            if (vertex.nx == nx && vertex.nz == nz)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(hasNormal(device.draws()[0], 1, 0));
    EXPECT_FALSE(hasNormal(device.draws()[0], 0, -1));
    EXPECT_TRUE(hasNormal(device.draws()[1], 0, -1));
    EXPECT_FALSE(hasNormal(device.draws()[1], 1, 0));
}

TEST_F(MeshModelTest, UnusedMaterialIsSetButDrawsNothing) {
    MeshModel model(device, content, dir.write("cube.x", cubeWithUnusedMaterial()));
    device.clearLog();
    model.draw();
    // Paint, then Spare (no faces), then Chrome.
    EXPECT_EQ(drawOps(), (std::vector<Op>{Op::VertexFormat, Op::Texture, Op::Material, Op::Draw, Op::Texture,
                                          Op::Material, Op::Texture, Op::Material, Op::Draw}));
    ASSERT_EQ(device.draws().size(), 2u);
    EXPECT_EQ(device.draws()[1].material, model.materials()[2]);
}

TEST_F(MeshModelTest, TintedMaterialsAreWhatIsDrawn) {
    MeshModel model(device, content, dir.write("cube.x", cubeWithInlineMaterials()));
    model.materials()[1].diffuse.a = 0.25f;
    model.materials()[1].emissive = {1.0f, 0.0f, 0.0f, 1.0f};
    device.clearLog();
    model.draw();
    ASSERT_EQ(device.draws().size(), 2u);
    EXPECT_EQ(device.draws()[1].material.diffuse.a, 0.25f);
    EXPECT_EQ(device.draws()[1].material.emissive, (ColorValue{1.0f, 0.0f, 0.0f, 1.0f}));
}

TEST_F(MeshModelTest, UnloadableMeshThrowsNamingTheFile) {
    expectLoadError(dir.file("missing.x"));
    expectLoadError(dir.write("empty.x", ""));
    expectLoadError(dir.write("garbled.x", "xof 0303txt 0032\nMesh { 3; 0.0;0.0;"));
    ScopedWorkingDir cwd(dir.path());
    expectLoadError("./Data/x/strollen.x");
}

} // namespace
} // namespace qv
