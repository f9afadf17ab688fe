#pragma once

#include "app/Settings.h"
#include "assets/PlayerFiles.h"
#include "core/Random.h"
#include "menu/MenuStack.h"
#include "platform/Bindings.h"
#include "platform/SoundLevels.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace qv {

class DisplayExtras;
class KeyboardInput;
class SdlWindow;
class SoundClip;
class SoundSystem;

// The options screen: a page of four pages (video, sound, controls, game), each line a setting
// of the player's file. A change is written to the file at once (Settings::write keeps every
// other line as the player wrote it) and takes effect at once where it can: the volumes, full
// screen, the FPS display, the controls; the others with the next demo or run, the picture at
// the next start. A file that cannot be written leaves the change in force for this session
// only, and the status line says so.
class OptionPages {
  public:
    // The services a change reaches. window is null where there is none (the headless runner);
    // classicPicture is the picture the game was started with.
    struct Services {
        const Settings& settings;
        SoundSystem& sound;
        KeyboardInput& keyboard;
        DisplayExtras& display;
        SdlWindow* window;
        const PlayerFiles& files;
        bool classicPicture;
    };

    OptionPages(MenuStack& stack, Services services);
    ~OptionPages();
    OptionPages(const OptionPages&) = delete;
    OptionPages& operator=(const OptionPages&) = delete;

    // The options' first page, the values read afresh from the file. During a run the
    // high-score table stays as it is (the run plays against it).
    MenuPage firstPage(bool duringRun);

    const PlayerFiles& files() const { return services_.files; }
    // Waiting for the key or pad input of a new binding.
    bool capturing() const { return capturing_.has_value(); }
    // The new binding (or nothing, for a cancel) of the action being bound.
    void bind(const std::optional<Bindings::Binding>& binding);
    // Once a tick: the music sample plays only while the sound page is open.
    void tick();

    static constexpr const char* kTitle = "OPTIONS";
    static constexpr const char* kSoundTitle = "SOUND";
    // The label of an action on the controls page ("Back pedal").
    static std::string actionLabel(GameAction action);

  private:
    MenuPage mainPage();
    MenuPage videoPage();
    MenuPage soundPage();
    MenuPage controlsPage();
    MenuPage gamePage();
    MenuPage resetPage();

    MenuItem opener(std::string label, MenuPage (OptionPages::*page)());
    MenuItem backItem();
    MenuItem choice(std::string label, const SettingKey& key,
                    std::vector<std::pair<int32_t, std::string>> values);
    MenuItem range(std::string label, const SettingKey& key, int32_t low, int32_t high, int32_t step,
                   std::function<void(int32_t)> apply = {});
    MenuItem actionItem(GameAction action);

    int32_t value(const SettingKey& key);
    void set(const SettingKey& key, int32_t value);
    bool write(std::string_view section, std::string_view key, const std::string& text);
    void startCapture(GameAction action);
    void saveBinding(GameAction action);
    void resetControls();
    void resetScores();
    void playSample(SoundGroup group);

    MenuStack& stack_;
    Services services_;
    bool duringRun_ = false;
    std::map<std::string, int32_t, std::less<>> values_; // as read when the options opened, then as set
    std::optional<GameAction> capturing_;
    std::unique_ptr<SoundClip> musicSample_;
    std::unique_ptr<SoundClip> effectSample_;
    bool musicPlaying_ = false;
    Random random_;
};

} // namespace qv
