#pragma once

#include <cstdint>

namespace qv {

// The switches a scene's components read, taken from the settings file once per scene by the
// director (so an edit takes effect with the next demo or run). The defaults are the file's.
struct SceneOptions {
    int32_t fogMode = 1;           // 0: no fog; 1: per-pixel fog; any other value: per-vertex fog
    int32_t palette = 1;           // 1: coloured terrain and water; any other value: pale
    bool groundTexture = true;     // the terrain's detail texture
    bool ripples = true;           // ripple rings on the water
    bool splashes = true;          // splash particles
    bool initializeScores = false; // every run plays against a high score of 0
    bool focusPause = true;        // a player's race pauses when the window loses focus
};

} // namespace qv
