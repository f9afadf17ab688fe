#pragma once

namespace qv {

// SDL as a whole: each subsystem (video for the window, audio for the mixer) starts with the
// service that needs it; this shuts SDL down once they are all gone. The program owns one,
// built before and destroyed after every SDL service.
class SdlLibrary {
  public:
    SdlLibrary() = default;
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;
};

} // namespace qv
