#pragma once

#include <string>

namespace qv::content {

// Where generated files go below the Data folder, as the game names them.
std::string texturePath(const std::string& name); // "tex/<name>"
std::string meshPath(const std::string& name);    // "x/<name>"
std::string wavePath(const std::string& name);    // "wave/<name>"

// Files the game itself writes (best scores, ride and goal recordings). Generated content
// never replaces one of these.
bool isGameWritten(const std::string& relativePath);
// Game-written files of which the tool ships a first version (the built-in demo), installed
// only where none exists, so a demo earned by the player survives every rebuild.
bool isInstallableDefault(const std::string& relativePath);

} // namespace qv::content
