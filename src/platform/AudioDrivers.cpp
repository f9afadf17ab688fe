#include "platform/AudioDrivers.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

namespace qv {

namespace {
constexpr std::array<std::string_view, 2> kNeverChosen{"disk", "dummy"};
constexpr std::array<std::string_view, 2> kNeedACard{"alsa", "sndio"};
constexpr std::string_view kControlDevice = "controlC";

bool isIn(const auto& names, const std::string& name) {
    return std::ranges::find(names, name) != names.end();
}
} // namespace

std::vector<std::string> audioDriverCandidates(const std::vector<std::string>& built, bool hasSoundCard) {
    std::vector<std::string> candidates;
    for (const std::string& driver : built) {
        if (!isIn(kNeverChosen, driver) && (hasSoundCard || !isIn(kNeedACard, driver)))
            candidates.push_back(driver);
    }
    return candidates;
}

bool hasSoundCard(const std::filesystem::path& soundDevices) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(soundDevices, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(kControlDevice))
            return true;
    }
    return false;
}

} // namespace qv
