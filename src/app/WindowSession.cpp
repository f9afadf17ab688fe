#include "app/WindowSession.h"

#include "platform/KeyCodes.h"
#include "platform/SdlClock.h"
#include "platform/SdlKeySource.h"
#include "platform/SdlWindow.h"

#include <ostream>

namespace qv {

WindowSession::WindowSession(SdlWindow& window, SdlKeySource* keys, SdlClock* clock, std::string stateFile,
                             std::optional<WindowState> saved, std::ostream& errors)
    : window_(window), keys_(keys), clock_(clock), stateFile_(std::move(stateFile)), saved_(saved),
      errors_(errors) {}

bool WindowSession::pass() {
    const WindowEvents events = window_.pumpEvents();
    if (events.enterTaken && keys_)
        keys_->holdUpUntilReleased(key::kReturn);
    const bool showing = window_.showing();
    if (clock_)
        clock_->setRelaxed(!showing);
    pictureChanged_ = events.stateChanged || (showing && !wasShowing_);
    wasShowing_ = showing;
    if (events.stateChanged)
        settling_ = kSettlePasses;
    else if (settling_ > 0 && --settling_ == 0)
        save();
    return events.quit;
}

void WindowSession::close() {
    save();
}

// Nothing is written for a state the file already holds, nor after a write failed once (the
// player has been told; the game goes on).
void WindowSession::save() {
    const WindowState state = window_.state();
    if (stateFile_.empty() || saveFailed_ || (saved_ && *saved_ == state))
        return;
    if (!writeWindowState(stateFile_, state)) {
        saveFailed_ = true;
        errors_ << "qorvex: could not save " << stateFile_ << "; the window's size is not kept\n";
        return;
    }
    saved_ = state;
}

} // namespace qv
