#include "platform/SdlPadSource.h"

#include "core/FilePaths.h"
#include "core/Text.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <sstream>

namespace qv {

namespace {

// PadButton and PadAxis follow SDL's order, so a controller's buttons and axes index both.
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadButton::Back) == SDL_CONTROLLER_BUTTON_BACK);
static_assert(static_cast<int>(PadAxis::RightTrigger) == SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
static_assert(static_cast<int>(PadAxis::LeftY) == SDL_CONTROLLER_AXIS_LEFTY);

// A joystick SDL has no mapping for: the layout most plain pads share.
constexpr std::array kPlainButtons = {PadButton::A,
                                      PadButton::B,
                                      PadButton::X,
                                      PadButton::Y,
                                      PadButton::LeftShoulder,
                                      PadButton::RightShoulder};
constexpr std::array kPlainAxes = {PadAxis::LeftX, PadAxis::LeftY};

constexpr float kAxisScale = 32767.0f;
constexpr std::string_view kPlatformField = "platform:";

float axisFraction(Sint16 value) {
    return std::max(static_cast<float>(value) / kAxisScale, -1.0f);
}

void press(PadState& state, PadButton button, bool down) {
    state.buttons[static_cast<size_t>(button)] = state.buttons[static_cast<size_t>(button)] || down;
}

// With several pads, the one pushed furthest wins.
void mergeAxis(PadState& state, PadAxis axis, float value) {
    float& merged = state.axes[static_cast<size_t>(axis)];
    if (std::abs(value) > std::abs(merged))
        merged = value;
}

void readController(SDL_GameController* controller, PadState& state) {
    for (size_t b = 0; b < kPadButtonCount; ++b)
        press(state, static_cast<PadButton>(b),
              SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)) != 0);
    for (size_t a = 0; a < kPadAxisCount; ++a)
        mergeAxis(
            state, static_cast<PadAxis>(a),
            axisFraction(SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(a))));
}

void readJoystick(SDL_Joystick* joystick, PadState& state) {
    const int buttons = SDL_JoystickNumButtons(joystick);
    for (size_t b = 0; b < kPlainButtons.size() && static_cast<int>(b) < buttons; ++b)
        press(state, kPlainButtons[b], SDL_JoystickGetButton(joystick, static_cast<int>(b)) != 0);
    const int axes = SDL_JoystickNumAxes(joystick);
    for (size_t a = 0; a < kPlainAxes.size() && static_cast<int>(a) < axes; ++a)
        mergeAxis(state, kPlainAxes[a], axisFraction(SDL_JoystickGetAxis(joystick, static_cast<int>(a))));
    if (SDL_JoystickNumHats(joystick) < 1)
        return;
    const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
    press(state, PadButton::DpadUp, (hat & SDL_HAT_UP) != 0);
    press(state, PadButton::DpadDown, (hat & SDL_HAT_DOWN) != 0);
    press(state, PadButton::DpadLeft, (hat & SDL_HAT_LEFT) != 0);
    press(state, PadButton::DpadRight, (hat & SDL_HAT_RIGHT) != 0);
}

// A line for another system (its "platform:" field names another) is not for this game.
bool forThisSystem(std::string_view line) {
    const size_t field = line.find(kPlatformField);
    if (field == std::string_view::npos)
        return true;
    const std::string_view rest = line.substr(field + kPlatformField.size());
    const std::string_view platform = rest.substr(0, rest.find(','));
    return platform == SDL_GetPlatform();
}

// SDL takes any first field as a GUID; a mapping whose GUID is not 32 hex digits (or SDL's
// "xinput") never matches a pad, so it is as broken as one SDL refuses.
bool hasGuid(std::string_view line) {
    const std::string_view guid = line.substr(0, line.find(','));
    if (guid == "xinput")
        return true;
    return guid.size() == 32 &&
           std::ranges::all_of(guid, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

} // namespace

SdlPadSource::SdlPadSource(SDL_Window* focusWindow, const std::string& mappingFile, std::ostream& messages)
    : focusWindow_(focusWindow), messages_(messages) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        messages_ << "qorvex: no game pad support (" << SDL_GetError() << "); the keyboard still plays\n";
        return;
    }
    available_ = true;
    std::string text;
    if (!mappingFile.empty() && readFile(mappingFile, text))
        addMappings(text, mappingFile, messages_);
    // SDL reads this variable itself, but drops what it cannot parse without a word.
    if (const char* config = std::getenv("SDL_GAMECONTROLLERCONFIG"))
        addMappings(config, "SDL_GAMECONTROLLERCONFIG", messages_);
    update();
}

SdlPadSource::~SdlPadSource() {
    for (const Pad& pad : pads_)
        close(pad);
    if (available_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int SdlPadSource::addMappings(std::string_view text, const std::string& origin, std::ostream& messages) {
    int added = 0;
    std::istringstream lines{std::string(text)};
    std::string raw;
    for (size_t number = 1; std::getline(lines, raw); ++number) {
        const std::string line(trimmed(raw));
        if (line.empty() || line.front() == '#' || !forThisSystem(line))
            continue;
        if (hasGuid(line) && SDL_GameControllerAddMapping(line.c_str()) >= 0) {
            ++added;
            continue;
        }
        messages << "qorvex: " << origin << " line " << number
                 << ": not a game controller mapping SDL understands (GUID,name,a:b0,...); left out\n";
    }
    return added;
}

void SdlPadSource::update() {
    if (!available_)
        return;
    SDL_GameControllerUpdate(); // also notices pads plugged in or pulled out
    closePulledOut();
    openPluggedIn();
    state_ = readPads();
}

void SdlPadSource::closePulledOut() {
    std::erase_if(pads_, [this](const Pad& pad) {
        if (SDL_JoystickGetAttached(pad.joystick))
            return false;
        messages_ << "qorvex: game pad disconnected: " << pad.name << "\n";
        close(pad);
        return true;
    });
}

void SdlPadSource::close(const Pad& pad) {
    if (pad.controller)
        SDL_GameControllerClose(pad.controller);
    else
        SDL_JoystickClose(pad.joystick);
}

void SdlPadSource::openPluggedIn() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (id >= 0 && !known(id))
            open(index, id);
    }
}

bool SdlPadSource::known(SDL_JoystickID id) const {
    return std::ranges::find(pads_, id, &Pad::id) != pads_.end() ||
           std::ranges::find(unusable_, id) != unusable_.end();
}

void SdlPadSource::open(int deviceIndex, SDL_JoystickID id) {
    Pad pad{id, nullptr, nullptr, ""};
    const bool mapped = SDL_IsGameController(deviceIndex);
    // A mapping names the pad as the player's database does.
    const char* name =
        mapped ? SDL_GameControllerNameForIndex(deviceIndex) : SDL_JoystickNameForIndex(deviceIndex);
    pad.name = name ? name : "unnamed pad";
    if (mapped) {
        pad.controller = SDL_GameControllerOpen(deviceIndex);
        pad.joystick = pad.controller ? SDL_GameControllerGetJoystick(pad.controller) : nullptr;
    } else {
        pad.joystick = SDL_JoystickOpen(deviceIndex);
    }
    if (!pad.joystick) {
        messages_ << "qorvex: game pad " << pad.name << " cannot be opened (" << SDL_GetError() << ")\n";
        unusable_.push_back(id);
        return;
    }
    messages_ << "qorvex: game pad connected: " << pad.name
              << (pad.controller ? "\n" : " (no mapping known: its first buttons and axis play)\n");
    pads_.push_back(std::move(pad));
}

bool SdlPadSource::focused() const {
    return focusWindow_ == nullptr || SDL_GetKeyboardFocus() == focusWindow_;
}

PadState SdlPadSource::readPads() const {
    PadState state;
    if (pads_.empty() || !focused())
        return state;
    state.connected = true;
    for (const Pad& pad : pads_) {
        if (pad.controller)
            readController(pad.controller, state);
        else
            readJoystick(pad.joystick, state);
    }
    return state;
}

} // namespace qv
