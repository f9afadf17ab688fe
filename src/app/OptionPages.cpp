#include "app/OptionPages.h"

#include "app/ControlHints.h"
#include "app/DisplayExtras.h"
#include "assets/DataFiles.h"
#include "core/FilePaths.h"
#include "platform/KeyboardInput.h"
#include "platform/SdlWindow.h"
#include "platform/SoundSystem.h"
#include "race/ScoreFile.h"

#include <algorithm>
#include <ctime>

namespace qv {

namespace {

using Values = std::vector<std::pair<int32_t, std::string>>;

const Values kOnOff{{0, "Off"}, {1, "On"}};

std::string keyOf(const SettingKey& key) {
    std::string name(key.section);
    name += '/';
    name += key.key;
    return name;
}

// The entry shown for a value; a value the list does not name reads as the last entry (what
// the game makes of "any other value").
size_t indexOf(const Values& values, int32_t value) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].first == value)
            return i;
    }
    return values.size() - 1;
}

std::string padded(std::string text, size_t width) {
    text.resize(std::max(width, text.size() + 1), ' ');
    return text;
}

std::string shownList(const Bindings::List& list) {
    std::string text;
    for (const Bindings::Binding& binding : list)
        text += (text.empty() ? "" : ", ") + ControlHints::shownName(binding);
    return text.empty() ? "-" : text;
}

} // namespace

OptionPages::OptionPages(MenuStack& stack, Services services)
    : stack_(stack), services_(services), random_(static_cast<uint32_t>(std::time(nullptr))) {}

OptionPages::~OptionPages() = default;

MenuPage OptionPages::firstPage(bool duringRun) {
    duringRun_ = duringRun;
    capturing_.reset();
    values_.clear();
    return mainPage();
}

std::string OptionPages::actionLabel(GameAction action) {
    switch (action) {
    case GameAction::Pedal:
        return "Pedal";
    case GameAction::Brake:
        return "Brake";
    case GameAction::BackPedal:
        return "Back pedal";
    case GameAction::Jump:
        return "Jump";
    case GameAction::Boost:
        return "Boost";
    case GameAction::Left:
        return "Steer left";
    case GameAction::Right:
        return "Steer right";
    case GameAction::Pause:
        return "Pause";
    case GameAction::Enter:
        return "Start / end run";
    case GameAction::Quit:
        return "Quit / menu";
    default:
        return "Camera " + std::to_string(static_cast<int>(action) - static_cast<int>(GameAction::Camera0));
    }
}

MenuPage OptionPages::mainPage() {
    return MenuPage(kTitle,
                    {opener("Video", &OptionPages::videoPage), opener("Sound", &OptionPages::soundPage),
                     opener("Controls", &OptionPages::controlsPage), opener("Game", &OptionPages::gamePage),
                     backItem()},
                    0, "Every change is saved at once in " + shownPath(services_.settings.path()));
}

MenuPage OptionPages::videoPage() {
    SdlWindow* window = services_.window;
    MenuItem display = choice("Display", setting::kFullscreen, {{0, "Window"}, {1, "Full screen"}});
    if (window) {
        display.value = [window] { return window->fullscreen() ? "Full screen" : "Window"; };
        display.change = [this, window](int) {
            window->setFullscreen(!window->fullscreen());
            set(setting::kFullscreen, window->fullscreen() ? 1 : 0);
        };
    }
    MenuItem picture = choice("Picture", setting::kClassicPicture, {{0, "Widescreen"}, {1, "Classic 4:3"}});
    picture.value = [this, shown = picture.value] {
        const bool classic = value(setting::kClassicPicture) != 0;
        return shown() + (classic != services_.classicPicture ? "  (at the next start)" : "");
    };
    MenuItem fps = choice("FPS display", setting::kShowFps, kOnOff);
    DisplayExtras& extras = services_.display;
    fps.value = [&extras] { return extras.fpsShown() ? "On" : "Off"; };
    fps.change = [this, &extras](int) {
        extras.toggleFps();
        set(setting::kShowFps, extras.fpsShown() ? 1 : 0);
    };
    return MenuPage(
        "VIDEO",
        {display, picture, range("Sight range", setting::kSightRange, 8, 100, 1),
         choice("Fog", setting::kFog, {{0, "Off"}, {1, "Per pixel"}, {2, "Per vertex"}}),
         choice("Palette", setting::kColor, {{1, "Coloured"}, {0, "Pale"}}),
         choice("Ground texture", setting::kGroundTexture, kOnOff),
         choice("Ripples", setting::kRipple, kOnOff), choice("Splashes", setting::kSplash, kOnOff), fps,
         backItem()},
        0, "Sight range, fog, palette, ground, ripples and splashes apply from the next demo or run.");
}

MenuPage OptionPages::soundPage() {
    auto volume = [this](SoundGroup group) {
        return [this, group](int32_t percent) {
            services_.sound.setVolume(group, percent);
            playSample(group);
        };
    };
    return MenuPage(
        kSoundTitle,
        {range("Music volume", setting::kMusicVolume, 0, 100, 10, volume(SoundGroup::Music)),
         range("Effects volume", setting::kEffectsVolume, 0, 100, 10, volume(SoundGroup::Effects)),
         backItem()},
        0, "M mutes and unmutes the sound anywhere in the game.");
}

MenuPage OptionPages::controlsPage() {
    std::vector<MenuItem> items;
    for (GameAction action : allGameActions())
        items.push_back(actionItem(action));
    items.push_back({"Reset to defaults", {}, {}, [this] { resetControls(); }});
    items.push_back(backItem());
    return MenuPage("CONTROLS", std::move(items), 0,
                    "Enter: choose a new key or pad button (keys first, then pad). A binding taken from "
                    "another action is swapped.");
}

MenuPage OptionPages::gamePage() {
    MenuItem reset = opener("Reset high scores", &OptionPages::resetPage);
    if (duringRun_) {
        reset.value = [] { return std::string("(from the title screen)"); };
        reset.activate = [this] {
            stack_.setStatus("The high scores can be reset from the title screen, not during a run.");
        };
    }
    return MenuPage("GAME", {choice("Pause on focus loss", setting::kFocusPause, kOnOff), reset, backItem()});
}

MenuPage OptionPages::resetPage() {
    const std::string backup = shownPath(ScoreFile::backupOf(services_.files.scoreTable()));
    return MenuPage("RESET HIGH SCORES?",
                    {{"No, keep them", {}, {}, [this] { stack_.pop(); }},
                     {"Yes, reset them", {}, {}, [this] { resetScores(); }}},
                    0, "The old table is kept in " + backup);
}

MenuItem OptionPages::opener(std::string label, MenuPage (OptionPages::*page)()) {
    return {std::move(label), {}, {}, [this, page] { stack_.push((this->*page)()); }};
}

MenuItem OptionPages::backItem() {
    return {"Back", {}, {}, [this] { stack_.pop(); }};
}

MenuItem OptionPages::choice(std::string label, const SettingKey& key, Values values) {
    MenuItem item{std::move(label)};
    item.value = [this, key, values] { return values[indexOf(values, value(key))].second; };
    item.change = [this, key, values](int step) {
        const auto count = static_cast<int>(values.size());
        const int index = (static_cast<int>(indexOf(values, value(key))) + step + count) % count;
        set(key, values[static_cast<size_t>(index)].first);
    };
    return item;
}

MenuItem OptionPages::range(std::string label, const SettingKey& key, int32_t low, int32_t high, int32_t step,
                            std::function<void(int32_t)> apply) {
    MenuItem item{std::move(label)};
    item.value = [this, key, low, high] { return std::to_string(std::clamp(value(key), low, high)); };
    item.change = [this, key, low, high, step, apply](int direction) {
        const int32_t next = std::clamp(std::clamp(value(key), low, high) + direction * step, low, high);
        set(key, next);
        if (apply)
            apply(next);
    };
    return item;
}

MenuItem OptionPages::actionItem(GameAction action) {
    MenuItem item{actionLabel(action)};
    item.value = [this, action] {
        const Bindings::List& list = services_.keyboard.bindings().of(action);
        if (capturing_ == action)
            return std::string("... press a key or pad button");
        return padded(shownList(Bindings::keysOf(list)), 22) + shownList(Bindings::padInputsOf(list));
    };
    item.activate = [this, action] { startCapture(action); };
    return item;
}

int32_t OptionPages::value(const SettingKey& key) {
    const std::string name = keyOf(key);
    auto found = values_.find(name);
    if (found == values_.end())
        found = values_.emplace(name, services_.settings.read(key)).first;
    return found->second;
}

// The value is in force for the session even when the file could not take it.
void OptionPages::set(const SettingKey& key, int32_t newValue) {
    values_[keyOf(key)] = newValue;
    write(key.section, key.key, std::to_string(newValue));
}

bool OptionPages::write(std::string_view section, std::string_view key, const std::string& text) {
    std::string error;
    if (services_.settings.write(section, key, text, error))
        return true;
    stack_.setStatus("Not saved: " + error + ".");
    return false;
}

void OptionPages::startCapture(GameAction action) {
    capturing_ = action;
    stack_.setStatus("New key or pad button for " + actionLabel(action) + "? (Escape cancels)");
}

void OptionPages::bind(const std::optional<Bindings::Binding>& binding) {
    const GameAction action = *capturing_;
    capturing_.reset();
    stack_.touch();
    if (!binding)
        return;
    const std::string name = ControlHints::shownName(*binding);
    if (Bindings::firstHotKey({*binding})) {
        stack_.setStatus(name + " is the game's own key (mute, F9, F12, Print Screen); choose another.");
        return;
    }
    if (Bindings::describe({*binding}).empty()) {
        stack_.setStatus("That key has no name the settings file knows; choose another.");
        return;
    }
    Bindings bindings = services_.keyboard.bindings();
    const std::optional<GameAction> from = bindings.assign(action, *binding);
    services_.keyboard.setBindings(bindings);
    std::string status = actionLabel(action) + ": " + name;
    if (from)
        status +=
            " (taken from " + actionLabel(*from) + ", which now has " + shownList(bindings.of(*from)) + ")";
    stack_.setStatus(status + ".");
    saveBinding(action);
    if (from)
        saveBinding(*from);
}

void OptionPages::saveBinding(GameAction action) {
    write(setting::kControlsSection, gameActionName(action),
          Bindings::describe(services_.keyboard.bindings().of(action)));
}

// Only the actions that differ from their defaults are written.
void OptionPages::resetControls() {
    const Bindings defaults = Bindings::defaults();
    const Bindings current = services_.keyboard.bindings();
    services_.keyboard.setBindings(defaults);
    stack_.setStatus("Every action has its default keys and pad buttons again.");
    for (GameAction action : allGameActions()) {
        if (current.of(action) != defaults.of(action))
            saveBinding(action);
    }
}

void OptionPages::resetScores() {
    const PlayerFiles& files = services_.files;
    const SaveResult result = ScoreFile::resetKeepingBackup(random_, files.scoreTable(), files.scoreText());
    stack_.pop();
    if (result.ok())
        stack_.setStatus("High scores reset; the old table is kept in " +
                         ScoreFile::backupOf(files.scoreTable()) + ".");
    else
        stack_.setStatus("High scores not reset: cannot write " + result.failed.front() + ".");
}

void OptionPages::playSample(SoundGroup group) {
    SoundSystem& sound = services_.sound;
    if (group == SoundGroup::Effects) {
        if (!effectSample_)
            effectSample_ = sound.createClip(data::kJumpSound, false);
        effectSample_->play();
        return;
    }
    if (!musicSample_)
        musicSample_ = sound.createMusic(data::kMusic);
    if (!musicPlaying_)
        musicSample_->play();
    musicPlaying_ = true;
}

void OptionPages::tick() {
    const bool soundPage = !stack_.empty() && stack_.top().title() == kSoundTitle;
    if (musicPlaying_ && !soundPage) {
        musicSample_->stop();
        musicPlaying_ = false;
    }
}

} // namespace qv
