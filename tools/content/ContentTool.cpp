#include "ContentTool.h"

#include "BuiltInDemo.h"
#include "DesktopIcon.h"
#include "core/FatalError.h"
#include "formats/WavWriter.h"
#include "pictures/ContactSheet.h"

#include <exception>
#include <sstream>

namespace qv::content {

namespace {

constexpr const char* kUsage =
    "usage: qorvex-content OUTDIR [--game QORVEX] [--icons DIR] [--icon-name NAME] [--copy-to DIR]\n"
    "Generates the game's Data folder (textures, sounds, ...) into OUTDIR; with the game, also\n"
    "records the built-in attract demo where OUTDIR has none.\n"
    "  --icons DIR       draw the desktop icons into DIR/hicolor/NxN/apps/NAME.png\n"
    "  --icon-name NAME  the icons' file name (default: qorvex)\n"
    "  --copy-to DIR     then bring the generated files into the Data folder DIR the game runs\n"
    "                    with, keeping the scores, recordings and demo the game wrote there\n";

// The run folder gets the very files just generated and logged: one line says enough, and
// names the player's own demo where it was kept.
void copyIntoRunFolder(const std::string& from, const std::string& to, std::ostream& log) {
    std::ostringstream perFile;
    OutputFolder run(to, perFile);
    const std::vector<std::string> kept = run.copyFrom(from);
    log << "copied " << run.written().size() << " files into " << to;
    for (const std::string& file : kept)
        log << ", kept its " << file;
    log << '\n';
}

} // namespace

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

std::optional<ContentCommand> parseContentCommand(int argc, const char* const* argv) {
    if (argc < 2 || argv[1][0] == '\0' || argv[1][0] == '-')
        return std::nullopt;
    ContentCommand command;
    command.dataDir = argv[1];
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc || argv[i + 1][0] == '\0')
            return std::nullopt;
        std::string* value = option == "--game"        ? &command.gamePath
                             : option == "--icons"     ? &command.iconDir
                             : option == "--icon-name" ? &command.iconName
                             : option == "--copy-to"   ? &command.copyTo
                                                       : nullptr;
        if (value == nullptr)
            return std::nullopt;
        *value = argv[i + 1];
    }
    return command;
}

void runContentCommand(const ContentCommand& command, const std::vector<ContentGenerator>& generators,
                       std::ostream& log) {
    generateContent(command.dataDir, generators, log, command.gamePath);
    if (!command.iconDir.empty()) {
        OutputFolder icons(command.iconDir, log);
        writeDesktopIcons(icons, command.iconName);
    }
    if (!command.copyTo.empty())
        copyIntoRunFolder(command.dataDir, command.copyTo, log);
}

int runContentTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    const std::optional<ContentCommand> command = parseContentCommand(argc, argv);
    if (!command) {
        err << kUsage;
        return 2;
    }
    try {
        runContentCommand(*command, contentGenerators(), out);
    } catch (const std::exception& e) {
        err << "qorvex-content: error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace qv::content
