#include "ContentTool.h"

#include "BuiltInDemo.h"
#include "core/FatalError.h"
#include "formats/WavWriter.h"
#include "pictures/ContactSheet.h"

#include <exception>

namespace qv::content {

void generateContent(const std::string& outDir, const std::vector<ContentGenerator>& generators,
                     std::ostream& log, const std::string& gamePath) {
    OutputFolder out(outDir, log);
    const TextRenderer text;
    const Synth synth(static_cast<float>(wav::kSampleRate));
    GeneratorContext context{out, text, synth};
    for (const ContentGenerator& generator : generators) {
        try {
            generator.run(context);
        } catch (const FatalError& e) {
            throw FatalError(generator.name + ": " + e.what());
        }
    }
    out.writePicture("contact-sheet.png", buildContactSheet(out.textures(), text));
    if (!gamePath.empty())
        recordBuiltInDemo(out, outDir, gamePath, log);
}

int runContentTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    bool withGame = argc == 4 && std::string(argv[2]) == "--game" && argv[3][0] != '\0';
    if ((argc != 2 && !withGame) || argv[1][0] == '\0' || argv[1][0] == '-') {
        err << "usage: qorvex-content OUTDIR [--game QORVEX]\n"
               "Generates the game's Data folder (textures, sounds, ...) into OUTDIR; with the game,\n"
               "also records the built-in attract demo where OUTDIR has none.\n";
        return 2;
    }
    try {
        generateContent(argv[1], contentGenerators(), out, withGame ? argv[3] : "");
    } catch (const std::exception& e) {
        err << "qorvex-content: error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace qv::content
