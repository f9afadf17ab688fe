#pragma once

#include <filesystem>

namespace qv::test {

// Where this build's sources and tools are. Only BuildPaths.cpp is compiled with the paths, so
// the test files' compile commands are the same in every clone and ccache can share them.
std::filesystem::path sourceDir();
std::filesystem::path contentTool();
std::filesystem::path gameBinary(); // in the run folder, next to the generated Data
std::filesystem::path buildDir();
std::filesystem::path contentDir(); // the generated content as made, which gets installed
std::filesystem::path cmakeCommand();
// A library the crash tests preload into the game: it kills the game with SIGKILL on entering
// its rename number $QORVEX_KILL_AT (or just after $QORVEX_KILL_AFTER), or fails its writes as a read-only
// file system would when $QORVEX_READ_ONLY is 1.
std::filesystem::path fileSystemFaultsLibrary();

} // namespace qv::test
