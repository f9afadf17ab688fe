#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// The SDL audio drivers to try, in order, when the player has not named one (SDL_AUDIODRIVER):
// SDL's own order of the drivers it was built with, less the ones that play into a file or
// nowhere ("disk", "dummy"), and, on a machine without a sound card, less the ones that end up
// in ALSA's device list ("alsa", "sndio"): there ALSA only prints a page of configuration
// errors and costs start-up time, while a sound server still works without a card.
std::vector<std::string> audioDriverCandidates(const std::vector<std::string>& built, bool hasSoundCard);

// Whether the kernel shows a sound card: an ALSA control device (controlC0, controlC1, ...) in
// the device folder.
bool hasSoundCard(const std::filesystem::path& soundDevices = "/dev/snd");

} // namespace qv
