#include "platform/ScriptedKeySource.h"

#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "platform/KeyCodes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

namespace qv {

namespace {

constexpr uint32_t kFirstTick = 1;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw FatalError("ERROR : key script " + where + ": " + what);
}

std::string withoutComment(const std::string& line) {
    return line.substr(0, line.find('#'));
}

// Also drops the '\r' of files written with Windows line ends.
std::string trimmed(const std::string& text) {
    constexpr const char* kSpace = " \t\r";
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

uint32_t parseTick(const std::string& word, const std::string& where) {
    uint32_t tick = 0;
    const char* end = word.data() + word.size();
    auto [last, ec] = std::from_chars(word.data(), end, tick);
    if (ec != std::errc() || last != end || tick < kFirstTick)
        fail(where, "bad tick \"" + word + "\" (a whole number from 1)");
    return tick;
}

std::string lowerCase(std::string word) {
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return std::tolower(c); });
    return word;
}

// One of two words, whatever its case: true for the first.
bool parseEither(const std::string& word, const char* yes, const char* no, const std::string& what,
                 const std::string& where) {
    const std::string lower = lowerCase(word);
    if (lower == yes)
        return true;
    if (lower == no)
        return false;
    fail(where, "bad " + what + " \"" + word + "\" (" + yes + " or " + no + ")");
}

uint8_t parseKey(const std::string& word, const std::string& where) {
    if (auto code = keyCodeFromName(word))
        return *code;
    fail(where, "unknown key \"" + word + "\"");
}

} // namespace

ScriptedKeySource::ScriptedKeySource(std::vector<Event> events) : events_(std::move(events)) {
    std::ranges::stable_sort(events_, {}, &Event::tick);
}

ScriptedKeySource ScriptedKeySource::fromFile(const std::string& path) {
    std::string text;
    if (!readFile(path, text))
        throw FatalError("ERROR : key script " + path + " cannot be read");
    return parse(text, path);
}

ScriptedKeySource ScriptedKeySource::fromText(const std::string& text) {
    return parse(text, "text");
}

ScriptedKeySource ScriptedKeySource::parse(const std::string& text, const std::string& source) {
    std::vector<Event> events;
    std::istringstream lines(text);
    std::string line;
    for (size_t number = 1; std::getline(lines, line); ++number) {
        line = trimmed(withoutComment(line));
        if (line.empty())
            continue;
        events.push_back(parseLine(line, source + " line " + std::to_string(number)));
    }
    return ScriptedKeySource(std::move(events));
}

ScriptedKeySource::Event ScriptedKeySource::parseLine(const std::string& line, const std::string& where) {
    std::istringstream words(line);
    std::string tick, verb, key, extra;
    words >> tick >> verb >> key;
    if (key.empty() || (words >> extra))
        fail(where, "expected \"TICK down KEY\" or \"TICK up KEY\", got \"" + line + "\"");
    // Checked in the order they are written, so the message names the first bad word.
    const uint32_t at = parseTick(tick, where);
    if (lowerCase(verb) == "focus")
        return Event{at, 0, parseEither(key, "gained", "lost", "focus", where), true};
    const bool down = parseEither(verb, "down", "up", "verb", where);
    return Event{at, parseKey(key, where), down};
}

void ScriptedKeySource::advanceTo(uint32_t tick) {
    for (; next_ < events_.size() && events_[next_].tick <= tick; ++next_) {
        const Event& event = events_[next_];
        (event.focus ? focused_ : down_[event.code]) = event.down;
    }
}

void ScriptedKeySource::readAll(KeyTable& down) const {
    if (focused_)
        down = down_;
    else
        down.fill(false);
}

} // namespace qv
