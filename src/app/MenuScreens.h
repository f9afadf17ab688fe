#pragma once

#include "app/OptionPages.h"
#include "menu/MenuInput.h"
#include "menu/MenuStack.h"
#include "platform/FrameOverlay.h"
#include "replay/ReplayRun.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class DisplayExtras;
class OverlayText;

// The screens drawn over the game: the options (O or pad Y on the title screen, or from the
// pause menu), the records (H or pad X on the title screen) and the pause menu of a run, all
// driven by the menu controls; and, when no screen is open, the sign of the moment: the
// controls on the title screen, the riding controls early in the first run, "PAUSED" over a
// paused race. As the frame overlay it draws all this, then the player's own display extras.
class MenuScreens : public FrameOverlay {
  public:
    // Where the game is in this tick.
    enum class Place { Title, Run, Watch, Elsewhere };
    // What the director must do after a tick.
    enum class Request { None, Pause, Resume, EndRun, QuitGame, Watch };
    enum class Sign { None, TitleControls, RidingControls, Paused, Replay };

    MenuScreens(MenuInput& input, DisplayExtras& display, OptionPages::Services services);

    // Reads the menu controls once a tick and acts on the open screen; with none open, on the
    // title screen O / pad Y opens the options and H / pad X the records, in a run the pad's
    // Start asks for the pause menu.
    Request tick(Place place);
    bool isOpen() const { return !stack_.empty(); }
    void openPause();
    // The replay the records screen asked to watch (Request::Watch), handed over once.
    std::optional<ReplayRun> takeReplay();
    // A run just set a new best in this table entry.
    void noteNewRecord(size_t entry) { newest_ = entry; }
    void setSign(Sign sign);
    // A failure the player must know of, shown over whatever is on screen.
    void warn(const std::string& title, const std::string& detail);
    // The replay sign's lines (what is shown, how it plays), shown with its controls.
    void setReplayCaption(std::vector<std::string> lines);
    // The menu command of this tick, read by tick() when no screen is open (a replay's controls).
    MenuCommand lastCommand() const { return lastCommand_; }
    // The step key of a paused replay: '.' or the pad's right shoulder, pressed this tick.
    bool stepPressed() const;
    // Moves on with every change a player could see.
    uint32_t revision() const { return stack_.revision(); }
    const MenuStack& stack() const { return stack_; }
    const OptionPages& options() const { return options_; }
    // The line of keys shown at the foot of an open screen.
    std::string footer() const;
    // The sign's lines as drawn, for the sign of the moment.
    std::string signText() const;

    void drawOver(GraphicsDevice& device) override;

  private:
    Request titleTick();
    Request menuTick(bool capturing);
    void openRecords();
    void watchRecord(const std::string& path);
    MenuPage pausePage();
    MenuItem requestItem(std::string label, Request request);
    void drawSign(OverlayText& text) const;

    MenuInput& input_;
    DisplayExtras& display_;
    const KeyboardInput& keyboard_;
    MenuStack stack_;
    OptionPages options_;
    bool pauseOpen_ = false;
    bool ignoreCommand_ = false; // the press that opened the pause menu does nothing on it
    Request request_ = Request::None;
    Sign sign_ = Sign::None;
    InputDevice device_ = InputDevice::Keyboard;
    std::optional<size_t> newest_;
    MenuCommand lastCommand_ = MenuCommand::None;
    std::optional<ReplayRun> toWatch_;
    std::vector<std::string> replayCaption_;
};

} // namespace qv
