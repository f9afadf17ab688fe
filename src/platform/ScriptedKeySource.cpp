#include "platform/ScriptedKeySource.h"

#include "core/FatalError.h"
#include "core/FilePaths.h"
#include "core/Text.h"
#include "platform/KeyCodes.h"
#include "platform/PadCodes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <sstream>

namespace qv {

namespace {

constexpr uint32_t kFirstTick = 1;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw FatalError("ERROR : key script " + where + ": " + what);
}

[[noreturn]] void failShape(const std::string& line, const std::string& where) {
    fail(where, "expected \"TICK down KEY\", \"TICK up KEY\", \"TICK axis AXIS VALUE\", \"TICK padconnect\", "
                "\"TICK paddisconnect\" or \"TICK focus lost|gained\", got \"" +
                    line + "\"");
}

std::string withoutComment(const std::string& line) {
    return line.substr(0, line.find('#'));
}

uint32_t parseTick(const std::string& word, const std::string& where) {
    uint32_t tick = 0;
    const char* end = word.data() + word.size();
    auto [last, ec] = std::from_chars(word.data(), end, tick);
    if (ec != std::errc() || last != end || tick < kFirstTick)
        fail(where, "bad tick \"" + word + "\" (a whole number from 1)");
    return tick;
}

using Kind = ScriptedKeySource::EventKind;

std::string lowered(std::string word) {
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return std::tolower(c); });
    return word;
}

// The kind of event a verb starts and how many words its line has.
struct Verb {
    std::string_view name;
    Kind kind;
    size_t words;
};

constexpr Verb kVerbs[] = {
    {"down", Kind::Key, 3},
    {"up", Kind::Key, 3},
    {"axis", Kind::PadAxis, 4},
    {"padconnect", Kind::PadConnect, 2},
    {"paddisconnect", Kind::PadDisconnect, 2},
    {"focus", Kind::Focus, 3},
};

const Verb& parseVerb(const std::string& word, const std::string& where) {
    const std::string lower = lowered(word);
    for (const Verb& verb : kVerbs)
        if (verb.name == lower)
            return verb;
    fail(where, "bad verb \"" + word + "\" (down, up, axis, padconnect, paddisconnect or focus)");
}

// "gained" or "lost", whatever the case: true when gained.
bool parseFocus(const std::string& word, const std::string& where) {
    const std::string lower = lowered(word);
    if (lower != "gained" && lower != "lost")
        fail(where, "bad focus \"" + word + "\" (gained or lost)");
    return lower == "gained";
}

float parseAxisValue(const std::string& word, const std::string& where) {
    float value = 0.0f;
    const char* end = word.data() + word.size();
    auto [last, ec] = std::from_chars(word.data(), end, value);
    if (ec != std::errc() || last != end)
        fail(where, "bad axis value \"" + word + "\" (a number such as -0.6)");
    return value;
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
        line = std::string(trimmed(withoutComment(line)));
        if (line.empty())
            continue;
        events.push_back(parseLine(line, source + " line " + std::to_string(number)));
    }
    return ScriptedKeySource(std::move(events));
}

ScriptedKeySource::Event ScriptedKeySource::parseLine(const std::string& line, const std::string& where) {
    std::istringstream stream(line);
    std::vector<std::string> words{std::istream_iterator<std::string>(stream), {}};
    if (words.size() < 2)
        failShape(line, where);
    // Checked in the order they are written, so the message names the first bad word.
    Event event{parseTick(words[0], where), Kind::Key, 0};
    const Verb& verb = parseVerb(words[1], where);
    if (words.size() != verb.words)
        failShape(line, where);
    event.kind = verb.kind;
    if (verb.kind == Kind::Key)
        parsePress(words[2], verb.name == "down", where, event);
    else if (verb.kind == Kind::PadAxis)
        parseAxis(words[2], words[3], where, event);
    else if (verb.kind == Kind::Focus)
        event.down = parseFocus(words[2], where);
    return event;
}

void ScriptedKeySource::parsePress(const std::string& name, bool down, const std::string& where,
                                   Event& event) {
    event.down = down;
    if (auto code = keyCodeFromName(name)) {
        event.index = *code;
    } else if (auto button = padButtonFromName(name)) {
        event.kind = Kind::PadButton;
        event.index = static_cast<uint8_t>(*button);
    } else {
        fail(where, "unknown key \"" + name + "\"");
    }
}

void ScriptedKeySource::parseAxis(const std::string& name, const std::string& value, const std::string& where,
                                  Event& event) {
    auto axis = padAxisFromName(name);
    if (!axis)
        fail(where, "unknown pad axis \"" + name + "\" (LEFTX, LEFTY, RIGHTX, RIGHTY, LT or RT)");
    event.index = static_cast<uint8_t>(*axis);
    event.value = parseAxisValue(value, where);
}

void ScriptedKeySource::advanceTo(uint32_t tick) {
    for (; next_ < events_.size() && events_[next_].tick <= tick; ++next_)
        apply(events_[next_]);
}

void ScriptedKeySource::apply(const Event& event) {
    switch (event.kind) {
    case Kind::Key:
        down_[event.index] = event.down;
        break;
    case Kind::PadConnect:
    case Kind::PadDisconnect:
        pad_ = PadState{.connected = event.kind == Kind::PadConnect};
        break;
    case Kind::PadButton:
        if (pad_.connected)
            pad_.buttons[event.index] = event.down;
        break;
    case Kind::PadAxis:
        if (pad_.connected)
            pad_.axes[event.index] = event.value;
        break;
    case Kind::Focus:
        focused_ = event.down;
        break;
    }
}

void ScriptedKeySource::readAll(KeyTable& down) const {
    if (focused_)
        down = down_;
    else
        down.fill(false);
}

} // namespace qv
