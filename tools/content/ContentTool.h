#pragma once

#include "ContentGenerators.h"

#include <ostream>
#include <string>
#include <vector>

namespace qv::content {

// Runs the given generators into the Data folder outDir, then writes outDir/contact-sheet.png
// of every texture made; with a game binary, then records the built-in demo. Progress goes to
// log; failures throw FatalError.
void generateContent(const std::string& outDir, const std::vector<ContentGenerator>& generators,
                     std::ostream& log, const std::string& gamePath = "");

// The command line: "qorvex-content OUTDIR [--game QORVEX]". Returns the exit code; 0 on success.
int runContentTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace qv::content
