#pragma once

#include "app/Settings.h"
#include "assets/ContentCache.h"
#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "platform/VirtualClock.h"
#include "support/TempDir.h"

#include <functional>
#include <string>

namespace qv::test {

// Terrain height at grid point (i, j): x = i, z = j.
using Heights = std::function<float(int i, int j)>;

Heights flatAt(float height);

// The headless back ends in a throw-away working directory that holds small stand-ins for
// every file a scene loads: a level dry field, tiny textures, a two-material mesh for each
// model, and empty sound files (enough for the null mixer to count them as loaded).
class HeadlessRig {
  public:
    explicit HeadlessRig(const std::string& keyScript = "");

    // Applies the key script for tick t (1-based), as the main loop does before each tick.
    void keysFor(uint32_t tick) { keys.advanceTo(tick); }
    std::string path(const std::string& name) const { return dir.file(name); }
    void removeFile(const std::string& name) const;
    // Removes every picture and mesh: only content kept from before can build a scene then.
    void removePicturesAndMeshes() const;
    // Writes the field file of every stage with these heights.
    void writeField(const Heights& heights) const;
    // The scene options the rig's settings file gives, read afresh.
    SceneOptions options() const { return settings.sceneOptions(); }

    TempDir dir;
    ScopedWorkingDir cwd{dir.path()};
    GameState state;
    Settings settings{"./Pedalon.ini"};
    RecordingRenderDevice graphics{RecordingRenderDevice::Vertices::Keep};
    // Reads every file afresh, so a file a test removes or rewrites counts at once.
    ContentCache content{ContentCache::Keep::Nothing};
    NullSoundSystem sound;
    ScriptedKeySource keys;
    KeyboardInput keyboard{keys, keys};
    VirtualClock clock;
};

// Writes a small picture (DDS) at path, creating its folders.
void writeTestPicture(const std::string& path, uint32_t colour = 0xFFFF8800);

} // namespace qv::test
