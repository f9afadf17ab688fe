#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ScreenshotRequest {
    uint32_t tick = 0;
    std::string path;
};

// What the command line asks for. Without --headless the game runs with the real back ends.
struct CommandLine {
    bool headless = false;
    bool gl = false;        // headless flow with the real GL device on SDL's offscreen driver
    bool autopilot = false; // a bot rides player runs
    std::optional<uint32_t> ticks;
    std::optional<uint32_t> seed;
    std::string keysFile;
    std::string traceFile;
    std::vector<ScreenshotRequest> screenshots;
    std::string contentDir; // the folder holding the game's Data, instead of the one found
    std::string userDir;    // the folder of the player's files, instead of the usual ones
    std::string verifyFile; // a replay to ride again headless and check, instead of playing
    std::string replayFile; // a replay to watch, instead of playing
    bool help = false;
    bool version = false;

    // Parses argv; on a bad argument returns nullopt and sets error to a message for the user.
    static std::optional<CommandLine> parse(const std::vector<std::string>& args, std::string& error);
    static const char* usage();
};

} // namespace qv
