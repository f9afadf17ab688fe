#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every file under Data/: the game reads them by these names and the content tool writes them by
// the same ones, so a renamed file is a compile error on both sides instead of a missing asset.
// Names are resolved without regard to case (core/FilePaths).
namespace qv::data {

inline constexpr const char* kFolder = "./Data/";

// Textures.
inline constexpr const char* kLogoTexture = "./Data/tex/zem.dds";
inline constexpr const char* kGroundTexture = "./Data/tex/ground.dds";
inline constexpr const char* kShadowTexture = "./Data/tex/shadow.dds";
inline constexpr const char* kBoostGaugeTexture = "./Data/tex/bgauge.dds";
inline constexpr const char* kRippleTexture = "./Data/tex/Ripple.dds";
inline constexpr const char* kSplashTexture = "./Data/tex/splash.dds";
inline constexpr const char* kTargetTexture = "./Data/tex/target.dds";
inline constexpr const char* kScoreDigitTexture = "./Data/tex/num.dds";
inline constexpr const char* kTimeDigitTexture = "./Data/tex/timenum.dds";
inline constexpr const char* kTimePanelTexture = "./Data/tex/timeback.dds";
inline constexpr const char* kStartTexture = "./Data/tex/start.dds";
inline constexpr const char* kDemoStartTexture = "./Data/tex/startd.dds";
inline constexpr const char* kBannerSheet = "./Data/tex/str.dds";
inline constexpr const char* kDemoBannerSheet = "./Data/tex/strd.dds";
inline constexpr const char* kStageNumberSheet = "./Data/tex/stagenum.dds";
inline constexpr const char* kRemainingSheet = "./Data/tex/rest.dds";
// The lettering of the lines written at run time (see assets/TextSheet.h); the game does
// without it, showing those lines on standard error only.
inline constexpr const char* kTextSheet = "./Data/tex/text.dds";
inline constexpr uint32_t kBoostTextureCount = 3;
inline constexpr uint32_t kFieldCount = 4;

// Meshes.
inline constexpr const char* kRiderBodyMesh = "./Data/x/tikobody.x";
inline constexpr const char* kRiderBrowsMesh = "./Data/x/tikomayu.x";
inline constexpr const char* kTricycleMesh = "./Data/x/tricycle.x";
inline constexpr const char* kBoostMesh = "./Data/x/boost.x";
inline constexpr const char* kGoalMesh = "./Data/x/strollen.x";
inline constexpr const char* kArrowMesh = "./Data/x/arrow.x";

// Sounds.
inline constexpr const char* kLogoSound = "./Data/wave/logo.wav";
inline constexpr const char* kReadySound = "./Data/wave/Ready.wav";
inline constexpr const char* kMusic = "./Data/wave/bgm.wav";
inline constexpr const char* kWarningSound = "./Data/wave/warning.wav";
inline constexpr const char* kJumpSound = "./Data/wave/jump.wav";
inline constexpr const char* kBumpSound = "./Data/wave/boyon.wav";
inline constexpr const char* kBoostSound = "./Data/wave/boost.wav";
inline constexpr const char* kLaughSound = "./Data/wave/wara.wav";
inline constexpr const char* kKnockDownSound = "./Data/wave/down.wav";
inline constexpr const char* kScoreCountSound = "./Data/wave/score.wav";
inline constexpr const char* kStampSound = "./Data/wave/bang.wav";
inline constexpr const char* kWadeSound = "./Data/wave/splash0.wav";
inline constexpr const char* kDeepSplashSound = "./Data/wave/splash1.wav";

// Recordings and scores. The built-in demo ships as demo.dat and dgoal.dat; the game writes
// the rest.
inline constexpr const char* kDemoRecording = "./Data/demo.dat";
inline constexpr const char* kDemoGoals = "./Data/dgoal.dat";
inline constexpr const char* kReplayRecording = "./Data/replay.dat";
inline constexpr const char* kReplayGoals = "./Data/rgoal.dat";
inline constexpr const char* kScoreTable = "./Data/score.dat";

// "./Data/FieldN.dat", "./Data/tex/mapN.dds" and "./Data/tex/boostN.dds" for N = 0, 1, ...
inline std::string numbered(std::string_view stem, uint32_t n, std::string_view extension) {
    return std::string(stem) + std::to_string(n) + std::string(extension);
}
inline std::string fieldFile(uint32_t n) {
    return numbered("./Data/Field", n, ".dat");
}
inline std::string mapPicture(uint32_t n) {
    return numbered("./Data/tex/map", n, ".dds");
}
inline std::string boostTexture(uint32_t n) {
    return numbered("./Data/tex/boost", n, ".dds");
}

// Every file the game reads from its content and cannot do without (the built-in demo is not
// one: a missing demo only stands still), for a check of a content folder before the game starts.
inline std::vector<std::string> contentFiles() {
    std::vector<std::string> files{
        kLogoTexture,    kGroundTexture,    kShadowTexture,     kBoostGaugeTexture, kRippleTexture,
        kSplashTexture,  kTargetTexture,    kScoreDigitTexture, kTimeDigitTexture,  kTimePanelTexture,
        kStartTexture,   kDemoStartTexture, kBannerSheet,       kDemoBannerSheet,   kStageNumberSheet,
        kRemainingSheet, kRiderBodyMesh,    kRiderBrowsMesh,    kTricycleMesh,      kBoostMesh,
        kGoalMesh,       kArrowMesh,        kLogoSound,         kReadySound,        kMusic,
        kWarningSound,   kJumpSound,        kBumpSound,         kBoostSound,        kLaughSound,
        kKnockDownSound, kScoreCountSound,  kStampSound,        kWadeSound,         kDeepSplashSound};
    for (uint32_t n = 0; n < kFieldCount; ++n) {
        files.push_back(fieldFile(n));
        files.push_back(mapPicture(n));
    }
    for (uint32_t n = 0; n < kBoostTextureCount; ++n)
        files.push_back(boostTexture(n));
    return files;
}

// A name as the content tool writes it, relative to the Data folder: "tex/zem.dds".
inline std::string_view underData(std::string_view path) {
    const std::string_view folder = kFolder;
    return path.substr(0, folder.size()) == folder ? path.substr(folder.size()) : path;
}

} // namespace qv::data
