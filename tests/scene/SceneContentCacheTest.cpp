#include "assets/ContentCache.h"
#include "core/FatalError.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "scene/Scene.h"
#include "support/BuildPaths.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr SceneKind kKinds[] = {SceneKind::Attract, SceneKind::Play};

// Scenes after the first find every picture and mesh decoded: none of those files is opened
// again, so removing them all after the first scenes changes nothing for the next ones.
TEST(SceneContentCacheTest, ScenesAfterTheFirstReadNoPictureOrMeshAgain) {
    test::HeadlessRig rig;
    ContentCache kept;
    for (SceneKind kind : kKinds)
        Scene(kind, rig.graphics, kept, rig.sound, rig.keyboard, rig.state, rig.options());
    const size_t read = kept.filesRead();
    ASSERT_GT(read, 10u);
    rig.removePicturesAndMeshes();
    for (SceneKind kind : kKinds) {
        EXPECT_NO_THROW(Scene(kind, rig.graphics, kept, rig.sound, rig.keyboard, rig.state, rig.options()));
        EXPECT_THROW(
            Scene(kind, rig.graphics, rig.content, rig.sound, rig.keyboard, rig.state, rig.options()),
            FatalError)
            << "the files are gone for a scene that reads them";
    }
    EXPECT_EQ(kept.filesRead(), read);
}

// Records every command and a fingerprint of every texture's picture (the recording device keeps
// only a texture's size).
class PictureRecordingDevice : public RecordingRenderDevice {
  public:
    PictureRecordingDevice() : RecordingRenderDevice(Vertices::Keep) {}

    std::unique_ptr<Texture> createTexture(const Image& image) override {
        auto texture = RecordingRenderDevice::createTexture(image);
        uint64_t hash = 1469598103934665603ull ^ image.width ^ uint64_t { image.height } << 32;
        for (uint32_t pixel : image.pixels)
            hash = (hash ^ pixel) * 1099511628211ull;
        pictures_[texture.get()] = hash;
        return texture;
    }
    // Every command since the last call, each draw with all it saw, textures by their pictures.
    std::vector<std::string> takeCommands() {
        std::vector<std::string> commands;
        for (const Event& event : events())
            commands.push_back(bytesOf(event.op) + bytesOf(event.a) + bytesOf(event.b));
        for (const DrawCall& draw : draws())
            commands.push_back(describe(draw));
        clearLog();
        return commands;
    }

  private:
    template <typename T> static std::string bytesOf(const T& value) {
        std::string bytes(sizeof(T), '\0');
        std::memcpy(bytes.data(), &value, sizeof(T));
        return bytes;
    }
    std::string describe(const DrawCall& draw) const {
        const uint64_t picture = draw.texture ? pictures_.at(draw.texture) : 0;
        return bytesOf(draw.type) + bytesOf(draw.primitiveCount) + bytesOf(draw.vertexCount) +
               bytesOf(draw.stride) + bytesOf(draw.vertexFormat) + bytesOf(draw.indexed) + bytesOf(picture) +
               bytesOf(draw.world) + bytesOf(draw.view) + bytesOf(draw.projection) + bytesOf(draw.material) +
               bytesOf(draw.states) + std::string(draw.vertexBytes.begin(), draw.vertexBytes.end());
    }

    std::map<const Texture*, uint64_t> pictures_;
};

// A scene on the generated content, ridden for a while and drawn now and then (through the
// start and into the race): every command it gave the device.
std::vector<std::string> commandsOf(SceneKind kind, ContentCache& content) {
    PictureRecordingDevice graphics;
    NullSoundSystem sound;
    const ScriptedKeySource keys = ScriptedKeySource::fromText("");
    KeyboardInput keyboard(keys, keys);
    GameState game;
    game.random.seed(11);
    Scene scene(kind, graphics, content, sound, keyboard, game, SceneOptions{});
    scene.start();
    std::vector<std::string> commands = graphics.takeCommands();
    for (int update = 1; update <= 720; ++update) {
        scene.update();
        if (update % 40 == 0)
            scene.draw();
        for (std::string& command : graphics.takeCommands())
            commands.push_back(std::move(command));
    }
    return commands;
}

// What the kept content gives a scene is what the files give it: the same commands, the same
// pictures, the same mesh vertices and materials as a scene that reads every file itself.
TEST(SceneContentCacheTest, ScenesDrawTheSameWithKeptContentAsWithFreshlyReadContent) {
    test::ScopedWorkingDir run(test::gameBinary().parent_path());
    ContentCache kept;
    for (SceneKind kind : kKinds)
        commandsOf(kind, kept);
    const size_t read = kept.filesRead();
    for (SceneKind kind : kKinds) {
        ContentCache uncached(ContentCache::Keep::Nothing);
        const std::vector<std::string> expected = commandsOf(kind, uncached);
        const std::vector<std::string> drawn = commandsOf(kind, kept);
        ASSERT_EQ(drawn.size(), expected.size()) << static_cast<int>(kind);
        size_t differing = 0;
        for (size_t i = 0; i < drawn.size(); ++i)
            differing += drawn[i] != expected[i];
        EXPECT_EQ(differing, 0u) << "of " << drawn.size() << " commands, kind " << static_cast<int>(kind);
    }
    EXPECT_EQ(kept.filesRead(), read);
}

} // namespace
} // namespace qv
