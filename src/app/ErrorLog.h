#pragma once

#include <ctime>
#include <string>

namespace qv {

// The one line error.log holds: "MM/DD/YY HH:MM:SS message".
std::string formatErrorLine(const std::string& message, std::time_t when);

// Replaces the log at path (the player's error.log) with the line for message, so it holds only
// the last error; the line, whether or not the log could be written.
std::string replaceErrorLog(const std::string& message, const std::string& path);

// replaceErrorLog, and the same line on standard error. A log that cannot be written is
// skipped; the caller ends the program either way.
void writeErrorLog(const std::string& message, const std::string& path);

} // namespace qv
