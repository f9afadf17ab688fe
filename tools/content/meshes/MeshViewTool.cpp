#include "meshes/MeshViewTool.h"

#include "assets/ContentCache.h"
#include "assets/DataFiles.h"
#include "assets/PngWriter.h"
#include "assets/TextureLoader.h"
#include "core/FatalError.h"
#include "meshes/MeshReview.h"
#include "meshes/RiderLayout.h"
#include "pictures/ContactSheet.h"
#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace qv::content {

namespace {

constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 480;
// The boost effect's scale on the first and the last frame of a boost.
constexpr float kBoostLargest = 7.06f;
constexpr float kBoostSmallest = 2.22f;
// The target is drawn 12 times its size around its goal point, 0.6 above the ground.
constexpr float kGoalScale = 12.0f;
constexpr float kGoalLift = 0.6f;

struct View {
    const char* name;
    Vec3 towardsEye;
};

constexpr View kViews[] = {
    {"front", {1.0f, 0.25f, 0.0f}}, {"side", {0.0f, 0.25f, 1.0f}}, {"chase", {-1.0f, 0.7f, 0.45f}}};

struct Subject {
    std::string name;
    std::vector<MeshReview::Part> parts;
};

std::unique_ptr<Texture> textureOrThrow(GraphicsDevice& device, const std::string& path) {
    auto texture = loadTexture(device, path, TextureFormat::A8R8G8B8);
    if (!texture)
        throw FatalError("cannot load " + path);
    return texture;
}

// Where one of the game's files lies in the Data folder under review.
std::string inData(const std::string& dataDir, std::string_view gameName) {
    return dataDir + "/" + std::string(data::underData(gameName));
}

Matrix4 uniform(float s) {
    return Matrix4::scaling(s, s, s);
}

void review(const std::string& dataDir, const std::string& outDir, std::ostream& out) {
    SdlWindow window("qorvex-meshview", kWidth, kHeight, false);
    GlRenderDevice device(window, kWidth, kHeight);
    ContentCache content;
    const MeshModel tricycle(device, content, inData(dataDir, data::kTricycleMesh));
    const MeshModel body(device, content, inData(dataDir, data::kRiderBodyMesh));
    const MeshModel brows(device, content, inData(dataDir, data::kRiderBrowsMesh));
    const MeshModel boost(device, content, inData(dataDir, data::kBoostMesh));
    const MeshModel target(device, content, inData(dataDir, data::kGoalMesh));
    const auto flame = textureOrThrow(device, inData(dataDir, data::boostTexture(0)));

    const Matrix4 drawn = uniform(rider::kDrawScale);
    const std::vector<MeshReview::Part> rider{{&body, drawn}, {&brows, drawn}, {&tricycle, drawn}};
    auto withBoost = [&](float scale) {
        auto parts = rider;
        parts.push_back({&boost, uniform(scale), flame.get()});
        return parts;
    };
    const std::vector<Subject> subjects{
        {"tricycle", {{&tricycle, drawn}}},
        {"body", {{&body, drawn}}},
        {"brows", {{&brows, drawn}}},
        {"rider", rider},
        {"boost", {{&boost, uniform(3.0f), flame.get()}}},
        {"boost-start", withBoost(kBoostLargest)},
        {"boost-end", withBoost(kBoostSmallest)},
        {"target", {{&target, uniform(kGoalScale) * Matrix4::translation(0.0f, kGoalLift, 0.0f)}}},
        {"target-tumbling",
         {{&target, uniform(kGoalScale) * Matrix4::rotationX(1.1f) * Matrix4::rotationY(-0.7f) *
                        Matrix4::rotationZ(2.0f) * Matrix4::translation(0.0f, 1.2f, 0.0f)}}}};

    std::filesystem::create_directories(outDir);
    MeshReview reviewer(device);
    std::vector<NamedImage> pictures;
    for (const Subject& subject : subjects) {
        for (const View& view : kViews) {
            const std::string name = subject.name + "-" + view.name;
            Image image = reviewer.render(subject.parts, view.towardsEye);
            if (!writePng(outDir + "/" + name + ".png", image))
                throw FatalError("cannot write " + outDir + "/" + name + ".png");
            out << "wrote " << name << ".png\n";
            pictures.push_back({name, std::move(image)});
        }
    }
    if (!writePng(outDir + "/sheet.png", buildContactSheet(pictures, TextRenderer())))
        throw FatalError("cannot write " + outDir + "/sheet.png");
    out << "wrote sheet.png\n";
}

} // namespace

int runMeshView(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc != 3) {
        err << "usage: qorvex-meshview DATADIR OUTDIR\n"
               "Renders the rider's and the target's meshes from a generated Data folder into PNG "
               "pictures.\n";
        return 2;
    }
    try {
        review(argv[1], argv[2], out);
    } catch (const std::exception& e) {
        err << "qorvex-meshview: error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace qv::content
