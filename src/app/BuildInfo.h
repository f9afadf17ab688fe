#pragma once

namespace qv {

// What the build was configured with: the game's version, and where the installed content sits
// relative to the installed binary's folder ("../share/qorvex").
struct BuildInfo {
    static const char* version();
    static const char* contentFromBinary();
};

} // namespace qv
