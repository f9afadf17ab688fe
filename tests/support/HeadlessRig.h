#pragma once

#include "app/GameState.h"
#include "app/Settings.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "platform/VirtualClock.h"
#include "support/TempDir.h"

#include <string>

namespace qv::test {

// The headless back ends in a throw-away working directory that holds the files the game
// loads: a logo picture and the scene sounds (empty files, enough for the null mixer to count
// them as loaded).
class HeadlessRig {
  public:
    explicit HeadlessRig(const std::string& keyScript = "");

    // Applies the key script for tick t (1-based), as the main loop does before each tick.
    void keysFor(uint32_t tick) { keys.advanceTo(tick); }
    std::string path(const std::string& name) const { return dir.file(name); }
    void removeFile(const std::string& name) const;

    TempDir dir;
    ScopedWorkingDir cwd{dir.path()};
    GameState state;
    Settings settings{"./Pedalon.ini"};
    RecordingRenderDevice graphics;
    NullSoundSystem sound;
    ScriptedKeySource keys;
    KeyboardInput keyboard{keys};
    VirtualClock clock;
};

// Writes a small logo picture (DDS) at path.
void writeTestLogo(const std::string& path);

} // namespace qv::test
