#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qv {

// One key of Pedalon.ini and the value it has when the file, its section or the key is missing
// or the value is malformed.
struct SettingKey {
    std::string_view section;
    std::string_view key;
    int32_t fallback;
};

// Every key the game reads, in one place (the README's settings table lists the same).
namespace setting {

inline constexpr SettingKey kSightRange{"PERFORMANCE", "SIGHTRANGE", 15};
inline constexpr SettingKey kGroundTexture{"PERFORMANCE", "GROUNDTEXTURE", 1};
inline constexpr SettingKey kWidth{"SCREENMODE", "WIDTH", 640};
inline constexpr SettingKey kHeight{"SCREENMODE", "HEIGHT", 480};
inline constexpr SettingKey kFullscreen{"SCREENMODE", "FULLSCREEN", 1};
// Accepted for old files; the renderer always draws in 32-bit colour.
inline constexpr SettingKey kFullColor{"SCREENMODE", "FULLCOLOR", 1};
// 1: the fixed WIDTH x HEIGHT picture, letterboxed, as it always was; 0: the widescreen picture.
inline constexpr SettingKey kClassicPicture{"SCREENMODE", "CLASSIC", 0};
// 0: a player's race goes on when the window loses focus.
inline constexpr SettingKey kFocusPause{"WINDOW", "FOCUSPAUSE", 1};
// 1: the FPS display (F9) is on from the start.
inline constexpr SettingKey kShowFps{"WINDOW", "SHOWFPS", 0};
inline constexpr SettingKey kFog{"EFFECT", "FOG", 1};
inline constexpr SettingKey kColor{"EFFECT", "COLOR", 1};
inline constexpr SettingKey kRipple{"EFFECT", "RIPPLE", 1};
inline constexpr SettingKey kSplash{"EFFECT", "SPLASH", 1};
inline constexpr SettingKey kInitializeScores{"SCORE", "INITIALIZE", 0};
// 0..100 (clamped): the background music, and every other sound.
inline constexpr SettingKey kMusicVolume{"SOUND", "MUSIC", 100};
inline constexpr SettingKey kEffectsVolume{"SOUND", "EFFECTS", 100};
// How many finished runs the replays/ folder keeps, besides the best of each mode and stage.
inline constexpr SettingKey kReplaysKept{"REPLAYS", "KEEP", 100};
// 1: the attract demo rides one of the best runs of replays/, drawn at random for every demo;
// 0: the best endless run (demo.dat), as always.
inline constexpr SettingKey kAttractFromReplays{"REPLAYS", "ATTRACT", 0};

// The controls: each key of this section is a game action's name (PEDAL, BRAKE, ... as
// platform/GameAction names them) and its value the keys and pad inputs that do it, "F, C, PAD_A"
// (platform/Bindings gives the defaults).
inline constexpr std::string_view kControlsSection{"CONTROLS"};

inline constexpr std::array kAll{
    kSightRange,     kGroundTexture,    kWidth,       kHeight,        kFullscreen,  kFullColor,
    kClassicPicture, kFocusPause,       kShowFps,     kFog,           kColor,       kRipple,
    kSplash,         kInitializeScores, kMusicVolume, kEffectsVolume, kReplaysKept, kAttractFromReplays};

} // namespace setting
} // namespace qv
