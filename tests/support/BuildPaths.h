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

} // namespace qv::test
