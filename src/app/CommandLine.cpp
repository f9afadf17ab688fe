#include "app/CommandLine.h"

#include <charconv>

namespace qv {

namespace {

std::optional<uint32_t> parseUnsigned(const std::string& text) {
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<ScreenshotRequest> parseScreenshot(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        return std::nullopt;
    auto tick = parseUnsigned(text.substr(0, colon));
    if (!tick || *tick == 0)
        return std::nullopt;
    return ScreenshotRequest{*tick, text.substr(colon + 1)};
}

// The string an option with a text value fills.
std::string& textOption(CommandLine& cl, const std::string& option) {
    if (option == "--keys")
        return cl.keysFile;
    if (option == "--trace")
        return cl.traceFile;
    if (option == "--verify")
        return cl.verifyFile;
    if (option == "--replay")
        return cl.replayFile;
    return option == "--content-dir" ? cl.contentDir : cl.userDir;
}

} // namespace

const char* CommandLine::usage() {
    return "usage: qorvex [options] [FILE.qvr]\n"
           "  --headless              run without window, sound or real time (virtual 17 ms clock)\n"
           "  --gl                    with --headless: draw with the real GL device offscreen\n"
           "  --ticks N               stop after N director ticks\n"
           "  --seed N                seed of the random generator (default: the clock)\n"
           "  --keys FILE             key script: lines 'TICK down KEY' / 'TICK up KEY'\n"
           "  --autopilot             a bot rides the player runs\n"
           "  --trace FILE            write one JSON object per tick\n"
           "  --screenshot-at T:FILE  save the frame after tick T as PNG (repeatable)\n"
           "  --content-dir DIR       read the game's content from DIR (the folder holding Data)\n"
           "  --user-dir DIR          keep the player's settings, scores and recordings in DIR\n"
           "  --replay FILE.qvr       watch a replay (a file of the replays folder)\n"
           "  --verify FILE.qvr       ride a replay again and check its score (exit 0 it matches,\n"
           "                          1 it does not, 2 the file cannot be used)\n"
           "  --version               print the version\n"
           "  --help                  print this and the folders the game would use\n";
}

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& args, std::string& error) {
    CommandLine cl;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--headless") {
            cl.headless = true;
        } else if (a == "--gl") {
            cl.gl = true;
        } else if (a == "--autopilot") {
            cl.autopilot = true;
        } else if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--version") {
            cl.version = true;
        } else if (a == "--ticks" || a == "--seed") {
            if (!value(v))
                return std::nullopt;
            auto n = parseUnsigned(v);
            if (!n) {
                error = a + " needs a whole number, got '" + v + "'";
                return std::nullopt;
            }
            if (a == "--ticks" && *n == 0) {
                error = "--ticks needs a number of ticks from 1 (the game always runs at least one)";
                return std::nullopt;
            }
            (a == "--ticks" ? cl.ticks : cl.seed) = *n;
        } else if (a == "--keys" || a == "--trace" || a == "--content-dir" || a == "--user-dir" ||
                   a == "--verify" || a == "--replay") {
            if (!value(v))
                return std::nullopt;
            if (v.empty()) {
                error = a + " needs a non-empty value";
                return std::nullopt;
            }
            textOption(cl, a) = v;
        } else if (a == "--screenshot-at") {
            if (!value(v))
                return std::nullopt;
            auto shot = parseScreenshot(v);
            if (!shot) {
                error = "--screenshot-at needs TICK:FILE.png with TICK >= 1, got '" + v + "'";
                return std::nullopt;
            }
            cl.screenshots.push_back(*shot);
        } else if (!a.starts_with("-") && a.ends_with(".qvr")) {
            cl.replayFile = a; // a replay opened from the desktop
        } else {
            error = "unknown argument '" + a + "'";
            return std::nullopt;
        }
    }
    if (cl.gl && !cl.headless) {
        error = "--gl goes with --headless";
        return std::nullopt;
    }
    if (!cl.screenshots.empty() && cl.headless && !cl.gl) {
        error = "--screenshot-at needs a real GL device: add --gl to --headless";
        return std::nullopt;
    }
    return cl;
}

} // namespace qv
