#pragma once

#include "assets/DataFiles.h"
#include "hud/OverlayCell.h"
#include "platform/GraphicsDevice.h"
#include "platform/Texture.h"
#include "race/RaceClock.h"

#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;

// Shows the race clock's remaining seconds in the top left corner. The shown time drops at once
// and climbs after a new goal's time a frame at a time, so a bonus visibly counts up.
class RaceTimer {
  public:
    static constexpr const char* kDigitTexture = data::kTimeDigitTexture;
    static constexpr const char* kBackTexture = data::kTimePanelTexture;

    // Throws FatalError "ERROR : Create Direct3DTexture" when either picture cannot be made.
    RaceTimer(GraphicsDevice& device, ContentCache& content, const RaceClock& clock);

    // The phase has set the overlay vertex format.
    void draw();

    double shownTime() const { return shown_; }
    // Shows the remaining time at once (after a replay's jump, which drew no frames to climb in).
    void settle() { shown_ = clock_.remainingTime(); }

    // Digit colour: blue with time to spare, then green, yellow and red.
    static Argb digitColour(double remaining);
    // Whole seconds of a frame count, never negative.
    static uint32_t secondsOf(double frames);

  private:
    void followRemaining();

    GraphicsDevice& device_;
    const RaceClock& clock_;
    OverlayCell digit_;
    OverlayCell back_;
    // Released in reverse order: the digits first, then the panel.
    std::unique_ptr<Texture> backTexture_;
    std::unique_ptr<Texture> digitTexture_;
    double shown_;
};

} // namespace qv
