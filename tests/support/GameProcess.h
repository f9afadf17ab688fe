#pragma once

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

    struct Result {
        int exitCode = -1; // -1 when the process did not exit normally
        std::string output;
    };
    Result run() const;
};

} // namespace qv::test
