#pragma once

#include <string>
#include <string_view>

namespace qv::content {

// A game file's path below the Data folder, from the name the game reads it by
// (assets/DataFiles.h): "./Data/tex/zem.dds" -> "tex/zem.dds". Generators name every file they
// write through it, so a file renamed in the game is renamed here too or fails to compile.
// Throws FatalError for a name outside the Data folder.
std::string dataFile(std::string_view gameName);

// Files the game itself writes (best scores, ride and goal recordings). Generated content
// never replaces one of these.
bool isGameWritten(const std::string& relativePath);
// Game-written files of which the tool ships a first version (the built-in demo), installed
// only where none exists, so a demo earned by the player survives every rebuild.
bool isInstallableDefault(const std::string& relativePath);

} // namespace qv::content
