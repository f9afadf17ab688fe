#include "app/ErrorLog.h"

#include "core/FilePaths.h"
#include "core/LocalTime.h"
#include "core/Text.h"

#include <cstdio>

namespace qv {

std::string formatErrorLine(const std::string& message, std::time_t when) {
    return localTimeText(when, "%m/%d/%y %H:%M:%S") + " " + message + "\n";
}

// Replaced whole, never written through whatever stands at its name (a link, a pipe); what the
// message carries that is no text (a damaged file's bytes) is written as \xNN.
std::string replaceErrorLog(const std::string& message, const std::string& path) {
    const std::string line = formatErrorLine(printable(message), std::time(nullptr));
    writeFileAtomically(path, line.data(), line.size(), Links::Replace);
    return line;
}

void writeErrorLog(const std::string& message, const std::string& path) {
    std::fputs(replaceErrorLog(message, path).c_str(), stderr);
}

} // namespace qv
