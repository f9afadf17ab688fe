#include "app/ErrorLog.h"

#include <cstdio>

namespace qv {

std::string formatErrorLine(const std::string& message, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%m/%d/%y %H:%M:%S", &local);
    return std::string(stamp) + " " + message + "\n";
}

void writeErrorLog(const std::string& message, const std::string& path) {
    std::string line = formatErrorLine(message, std::time(nullptr));
    if (std::FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs(line.c_str(), f);
        std::fclose(f);
    }
    std::fputs(line.c_str(), stderr);
}

} // namespace qv
