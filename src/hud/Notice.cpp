#include "hud/Notice.h"

namespace qv {

void Notice::show(const std::string& title, const std::string& detail, double nowMs, double showMs) {
    lines_ = {OverlayText::lastCharacters(OverlayText::decode(title), kMaxCharacters),
              OverlayText::lastCharacters(OverlayText::decode(detail), kMaxCharacters)};
    shown_ = true;
    shownAtMs_ = nowMs;
    showMs_ = showMs;
}

// A clock that went back (it wrapped) ends the notice rather than keeping it for weeks.
bool Notice::visible(double nowMs) const {
    return shown_ && nowMs >= shownAtMs_ && nowMs - shownAtMs_ < showMs_;
}

void Notice::draw(OverlayText& text, double nowMs) const {
    if (!visible(nowMs))
        return;
    text.draw(lines_, {kLeft, kBottom - OverlayText::panelSize(lines_).y});
}

} // namespace qv
