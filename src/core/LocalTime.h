#pragma once

#include <array>
#include <ctime>
#include <string>

namespace qv {

// A moment as the player's clock shows it, in a strftime format ("%Y-%m-%d_%H-%M-%S"): the
// names of screenshots, replays and set-aside files, and error.log's stamp.
inline std::string localTimeText(std::time_t when, const char* format) {
    std::tm local{};
    localtime_r(&when, &local);
    std::array<char, 64> text{};
    std::strftime(text.data(), text.size(), format, &local);
    return text.data();
}

} // namespace qv
