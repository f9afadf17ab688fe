#include "assets/ContentCache.h"
#include "assets/MeshModel.h"
#include "formats/XMeshWriter.h"
#include "meshes/MeshBuilder.h"
#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"
#include "scene/SceneLight.h"
#include "support/KeepLoadedLibraries.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv::content {
namespace {

constexpr uint32_t kSize = 64;
constexpr Argb kClear = 0xFF000000;

// A unit square in the xy plane whose outside faces -z, written and loaded as the game does.
std::string writeSquare(const test::TempDir& dir) {
    MeshBuilder b;
    b.addMaterial({1.0f, 0.0f, 0.0f, 1.0f});
    b.surface(1, 1, [](float s, float t) {
        return SurfacePoint{{s - 0.5f, t - 0.5f, 0.0f}, {0.0f, 0.0f, -1.0f}};
    });
    const std::vector<uint8_t> bytes = encodeXMesh(b.mesh(), "Square");
    return dir.write("square.x", std::string(bytes.begin(), bytes.end()));
}

// The square drawn by the real device with the game's culling, lit by the scene light.
class MeshWinding : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        window_ = std::make_unique<SdlWindow>("test", kSize, kSize, false);
        device_ = std::make_unique<GlRenderDevice>(*window_, kSize, kSize);
        test::keepLoadedLibraries();
    }
    static void TearDownTestSuite() {
        device_.reset();
        window_.reset();
    }

    // The colour at the middle of the picture with the eye on the given side of the square.
    static Argb centreSeenFrom(float eyeZ, uint32_t cullMode) {
        test::TempDir dir;
        ContentCache content;
        const MeshModel square(*device_, content, writeSquare(dir));
        SceneLight light(*device_);
        device_->beginFrame(kClear, 10.0f);
        device_->setTransform(TransformKind::View,
                              Matrix4::lookAtLH({0.0f, 0.0f, eyeZ}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
        device_->setTransform(TransformKind::World, Matrix4::identity());
        device_->setRenderState(RenderState::CullMode, cullMode);
        device_->setRenderState(RenderState::Lighting, 1);
        light.apply();
        square.draw();
        device_->endFrame();
        Image image;
        EXPECT_TRUE(device_->readBackBuffer(image));
        return image.pixels.empty() ? 0 : image.at(kSize / 2, kSize / 2);
    }

    static std::unique_ptr<SdlWindow> window_;
    static std::unique_ptr<GlRenderDevice> device_;
};

std::unique_ptr<SdlWindow> MeshWinding::window_;
std::unique_ptr<GlRenderDevice> MeshWinding::device_;

TEST_F(MeshWinding, FrontFacesShowAndBackFacesAreCulledByTheGame) {
    const Argb front = centreSeenFrom(-2.0f, kCullCcw);
    EXPECT_GT((front >> 16) & 0xFF, 150u) << std::hex << front; // lit red
    EXPECT_LT((front >> 8) & 0xFF, 40u) << std::hex << front;
    EXPECT_EQ(centreSeenFrom(2.0f, kCullCcw), kClear) << "the back of the square must be culled";
    EXPECT_NE(centreSeenFrom(2.0f, kCullNone), kClear) << "without culling the back shows";
}

} // namespace
} // namespace qv::content
