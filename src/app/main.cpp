#include "app/CommandLine.h"
#include "app/Program.h"
#include "core/FilePaths.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The game reads and writes its files relative to its folder; started from elsewhere (a menu, a
// terminal in another folder) it moves there. The files named on the command line stay where the
// player meant them. Where neither folder holds the game's files, it stays, and the missing file
// is reported as always.
void runFromGameFolder(qv::CommandLine& commandLine) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path working = fs::current_path(ec);
    const fs::path folder = qv::portableFolder(working, fs::read_symlink("/proc/self/exe", ec));
    if (folder.empty() || folder == working)
        return;
    auto anchor = [&working](std::string& path) {
        if (!path.empty() && fs::path(path).is_relative())
            path = (working / path).string();
    };
    anchor(commandLine.keysFile);
    anchor(commandLine.traceFile);
    for (qv::ScreenshotRequest& shot : commandLine.screenshots)
        anchor(shot.path);
    fs::current_path(folder, ec);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto commandLine = qv::CommandLine::parse(args, error);
    if (!commandLine) {
        std::cerr << "qorvex: " << error << "\n" << qv::CommandLine::usage();
        return 2;
    }
    if (commandLine->help) {
        std::cout << qv::CommandLine::usage();
        return 0;
    }
    runFromGameFolder(*commandLine);
    qv::Program program(*commandLine);
    return program.run();
}
