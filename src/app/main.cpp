#include "app/BuildInfo.h"
#include "app/CommandLine.h"
#include "app/GameFolders.h"
#include "app/Program.h"
#include "app/ReplayVerifier.h"
#include "core/FilePaths.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// The game reads its content relative to its content folder and moves there before it starts;
// the files named on the command line stay where the player meant them.
void anchorToWorkingDirectory(qv::CommandLine& commandLine, const std::filesystem::path& working) {
    auto anchor = [&working](std::string& path) {
        if (!path.empty() && std::filesystem::path(path).is_relative())
            path = (working / path).string();
    };
    anchor(commandLine.keysFile);
    anchor(commandLine.traceFile);
    anchor(commandLine.verifyFile);
    anchor(commandLine.replayFile);
    for (qv::ScreenshotRequest& shot : commandLine.screenshots)
        anchor(shot.path);
}

int printHelp(const qv::GameFolders::Request& request) {
    std::cout << qv::CommandLine::usage() << "\nFolders:\n";
    std::string error;
    if (auto folders = qv::GameFolders::locate(request, error))
        std::cout << folders->describe();
    else
        std::cout << "  " << error << "\n";
    return 0;
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
    if (commandLine->version) {
        std::cout << "qorvex " << qv::BuildInfo::version() << "\n";
        return 0;
    }
    const auto request = qv::GameFolders::requestOf(commandLine->contentDir, commandLine->userDir);
    if (commandLine->help)
        return printHelp(request);
    auto folders = qv::GameFolders::locate(request, error);
    if (!folders || !folders->prepare(error)) {
        std::cerr << "qorvex: " << error << "\n";
        return 2;
    }
    // A write beyond a file-size limit fails and is reported, instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);
    for (const std::string& folder : folders->files().folders())
        qv::removeStaleTemporaries(folder);
    anchorToWorkingDirectory(*commandLine, request.workingDirectory);
    std::error_code ec;
    std::filesystem::current_path(folders->content(), ec);
    if (ec) {
        std::cerr << "qorvex: cannot enter the content folder " << folders->content().string() << ": "
                  << ec.message() << "\n";
        return 2;
    }
    if (!commandLine->verifyFile.empty())
        return qv::ReplayVerifier::verify(commandLine->verifyFile, std::cout, std::cerr);
    std::optional<qv::ReplayRun> watch;
    if (!commandLine->replayFile.empty() &&
        !(watch = qv::ReplayVerifier::loadForRiding(commandLine->replayFile, error))) {
        std::cerr << "qorvex: " << error << "\n";
        return 2;
    }
    qv::Program program(*commandLine, folders->files(), std::move(watch));
    return program.run();
}
