#pragma once

#include "ContentGenerators.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv::content {

// Runs the given generators into the Data folder outDir, then writes outDir/contact-sheet.png
// of every texture made; with a game binary, then records the built-in demo. Progress goes to
// log; failures throw FatalError.
void generateContent(const std::string& outDir, const std::vector<ContentGenerator>& generators,
                     std::ostream& log, const std::string& gamePath = "");

// What one run of the tool makes. The build generates into a folder of its own that the game
// never writes (it is what gets installed), then brings that into the folder the game runs in.
struct ContentCommand {
    std::string dataDir;
    std::string gamePath; // records the built-in demo when set
    std::string iconDir;  // draws the desktop icons there when set
    std::string iconName = "qorvex";
    std::string copyTo; // the Data folder the game runs with, brought up to date when set
};

// "qorvex-content OUTDIR [--game QORVEX] [--icons DIR] [--icon-name NAME] [--copy-to DIR]";
// nothing when the arguments are not that.
std::optional<ContentCommand> parseContentCommand(int argc, const char* const* argv);

// Generates the Data folder, then draws the icons and copies into the run folder as asked.
void runContentCommand(const ContentCommand& command, const std::vector<ContentGenerator>& generators,
                       std::ostream& log);

// The command line. Returns the exit code; 0 on success.
int runContentTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace qv::content
