#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

// The game binary run as a player would start it: in a working directory of the test's choice,
// with its own environment. Output (standard output and error together) is kept for the test.
struct GameProcess {
    std::filesystem::path binary;
    std::vector<std::string> args;
    std::filesystem::path workingDirectory;
    // Variables to set (a value) or to remove (nullopt); the rest of the environment is kept,
    // with SDL's dummy sound driver.
    std::map<std::string, std::optional<std::string>> environment;
    // The largest file the game may write (RLIMIT_FSIZE): a full disk, as far as it can tell.
    std::optional<uint64_t> fileSizeLimit = {};
    // Run as this user and group instead (only root can): a folder made read-only then holds
    // for the game even when the tests run as root.
    std::optional<uint32_t> user = {};

    struct Result {
        int exitCode = -1; // -1 when the process did not exit normally
        int signal = 0;    // the signal that ended it, if one did
        std::string output;
    };
    Result run() const;
};

} // namespace qv::test
