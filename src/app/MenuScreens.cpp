#include "app/MenuScreens.h"

#include "app/ControlHints.h"
#include "app/DisplayExtras.h"
#include "app/RecordsPage.h"
#include "app/ReplayLibrary.h"
#include "app/ReplayVerifier.h"
#include "hud/OverlayText.h"
#include "menu/MenuView.h"
#include "platform/KeyCodes.h"
#include "platform/KeyboardInput.h"

#include <array>

namespace qv {

namespace {

constexpr float kSignBottom = 472.0f;     // the hint panel's bottom edge, overlay units
constexpr float kRaceSignBottom = 446.0f; // over a race: above the boost gauge
constexpr float kPausedScale = 3.0f;
constexpr float kReplayTop = 84.0f; // under the timer and the score

float centred(float width) {
    return 320.0f - 0.5f * width;
}

} // namespace

MenuScreens::MenuScreens(MenuInput& input, DisplayExtras& display, OptionPages::Services services)
    : input_(input), display_(display), keyboard_(services.keyboard), options_(stack_, services) {}

MenuScreens::Request MenuScreens::tick(Place place) {
    MenuCommand command = input_.poll();
    if (ignoreCommand_)
        command = MenuCommand::None;
    ignoreCommand_ = false;
    lastCommand_ = isOpen() ? MenuCommand::None : command;
    if (input_.lastUsed() != device_) {
        device_ = input_.lastUsed();
        stack_.touch();
    }
    if (isOpen()) {
        const bool capturing = options_.capturing();
        stack_.handle(capturing ? MenuCommand::None : command);
        return menuTick(capturing);
    }
    if (place == Place::Title)
        return titleTick();
    if (place == Place::Run && input_.pressed(PadButton::Start))
        return Request::Pause;
    return Request::None;
}

// A binding being chosen takes the next key or pad input (not the press that asked for it);
// Escape cancels it.
MenuScreens::Request MenuScreens::menuTick(bool capturing) {
    if (capturing) {
        if (input_.pressed(key::kEscape))
            options_.bind(std::nullopt);
        else if (auto binding = input_.newPress())
            options_.bind(binding);
    }
    options_.tick();
    Request request = request_;
    request_ = Request::None;
    if (isOpen())
        return Request::None;
    // Back out of the pause menu resumes the run.
    if (pauseOpen_ && request == Request::None)
        request = Request::Resume;
    pauseOpen_ = false;
    return request;
}

MenuScreens::Request MenuScreens::titleTick() {
    if (input_.pressed(key::kO) || input_.pressed(PadButton::Y))
        stack_.open(options_.firstPage(false));
    else if (input_.pressed(key::kH) || input_.pressed(PadButton::X))
        openRecords();
    return Request::None;
}

void MenuScreens::openRecords() {
    MenuItem back{"Back", {}, {}, [this] { stack_.pop(); }};
    const auto replays = ReplayLibrary(options_.files().replays(), 0).bests();
    std::array<bool, 5> watchable{};
    for (size_t entry = 0; entry < replays.size(); ++entry)
        watchable[entry] = replays[entry].has_value();
    auto watch = [this, replays](size_t entry) { watchRecord(*replays[entry]); };
    stack_.open(RecordsPage::make(ScoreFile::load(options_.files().scoreTable()), newest_, std::move(back),
                                  watchable, watch));
}

// A replay that cannot be ridden stays unwatched, and the screen says why.
void MenuScreens::watchRecord(const std::string& path) {
    std::string error;
    toWatch_ = ReplayVerifier::loadForRiding(path, error);
    if (!toWatch_) {
        stack_.setStatus("Cannot watch it: " + error);
        return;
    }
    request_ = Request::Watch;
    stack_.clear();
}

std::optional<ReplayRun> MenuScreens::takeReplay() {
    std::optional<ReplayRun> run = std::move(toWatch_);
    toWatch_.reset();
    return run;
}

void MenuScreens::openPause() {
    pauseOpen_ = true;
    ignoreCommand_ = true;
    request_ = Request::None;
    stack_.open(pausePage());
}

MenuPage MenuScreens::pausePage() {
    MenuItem options{"Options", {}, {}, [this] { stack_.push(options_.firstPage(true)); }};
    return MenuPage("PAUSED", {requestItem("Resume", Request::Resume), options,
                               requestItem("End this run", Request::EndRun),
                               requestItem("Quit the game", Request::QuitGame)});
}

MenuItem MenuScreens::requestItem(std::string label, Request request) {
    return {std::move(label), {}, {}, [this, request] {
                request_ = request;
                stack_.clear();
            }};
}

void MenuScreens::setReplayCaption(std::vector<std::string> lines) {
    if (lines == replayCaption_)
        return;
    replayCaption_ = std::move(lines);
    stack_.touch();
}

bool MenuScreens::stepPressed() const {
    return input_.pressed(key::kPeriod) || input_.pressed(PadButton::RightShoulder);
}

void MenuScreens::warn(const std::string& title, const std::string& detail) {
    display_.warn(title, detail);
}

void MenuScreens::setSign(Sign sign) {
    if (sign == sign_)
        return;
    sign_ = sign;
    stack_.touch();
}

std::string MenuScreens::footer() const {
    if (device_ == InputDevice::Pad)
        return "D-pad: choose and change   A: select   B: back";
    return "Up/Down: choose   Left/Right: change   Enter: select   Esc: back";
}

std::string MenuScreens::signText() const {
    const Bindings& bindings = keyboard_.bindings();
    switch (sign_) {
    case Sign::TitleControls:
        return ControlHints::demo(bindings, device_);
    case Sign::RidingControls:
        return ControlHints::driving(bindings, device_);
    case Sign::Paused: {
        const std::string pause = ControlHints::firstOf(bindings, GameAction::Pause, device_);
        const std::string menu = ControlHints::firstOf(bindings, GameAction::Quit, device_);
        std::string line = pause.empty() ? std::string() : pause + " resumes";
        if (!menu.empty())
            line += (line.empty() ? "" : "   ") + menu + " menu";
        return line;
    }
    case Sign::Replay:
        if (device_ == InputDevice::Pad)
            return "A pause   Up/Down speed   Left/Right -/+10 s   RB step   B leave";
        return "Enter pause   Up/Down speed   Left/Right -/+10 s   . step   Esc leave";
    case Sign::None:
        break;
    }
    return {};
}

void MenuScreens::drawOver(GraphicsDevice& device) {
    OverlayText* text = display_.lettering(device);
    if (text) {
        if (isOpen())
            MenuView::draw(*text, stack_.top(), stack_.status(), footer());
        else
            drawSign(*text);
    }
    display_.drawOver(device);
}

void MenuScreens::drawSign(OverlayText& text) const {
    if (sign_ == Sign::Replay && !replayCaption_.empty()) {
        std::vector<std::u32string> lines;
        for (const std::string& line : replayCaption_)
            lines.push_back(OverlayText::decode(line));
        text.draw(lines, {centred(OverlayText::panelSize(lines).x), kReplayTop});
    }
    if (sign_ == Sign::Paused) {
        const std::array paused{OverlayText::decode("PAUSED")};
        const OverlayText::Style big{.scale = kPausedScale};
        const Vec2 size = OverlayText::panelSize(paused, big);
        text.draw(paused, {centred(size.x), 240.0f - size.y}, big);
    }
    const std::string line = signText();
    if (line.empty())
        return;
    const std::array lines{OverlayText::decode(line)};
    const Vec2 size = OverlayText::panelSize(lines);
    const float bottom = sign_ == Sign::TitleControls ? kSignBottom : kRaceSignBottom;
    text.draw(lines, {centred(size.x), bottom - size.y});
}

} // namespace qv
