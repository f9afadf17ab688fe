#pragma once

#include "hud/FpsDisplay.h"
#include "hud/FrameTimes.h"
#include "hud/Notice.h"
#include "hud/OverlayText.h"
#include "platform/FrameOverlay.h"
#include "platform/Texture.h"

#include <iosfwd>
#include <memory>

namespace qv {

class Clock;
class ScreenshotFolder;

// What the game shows over every frame besides the game: the FPS display (F9) and the notice of
// where a screenshot went, in the overlay's corners, and the screenshot itself (F12), taken
// before anything of this is drawn so the picture shows the game alone. It times every frame
// it is shown, so the display has the last second's figures as soon as it is turned on. The
// lettering is loaded when first needed; without it the notice goes to the log stream only.
// Destroy it before the graphics device it drew on.
class DisplayExtras : public FrameOverlay {
  public:
    // log gets why a screenshot could not be saved.
    DisplayExtras(Clock& clock, const ScreenshotFolder& screenshots, std::ostream& log);
    ~DisplayExtras() override;
    DisplayExtras(const DisplayExtras&) = delete;
    DisplayExtras& operator=(const DisplayExtras&) = delete;

    void toggleFps();
    bool fpsShown() const { return fpsShown_; }
    // The next frame shown is saved.
    void requestScreenshot() { screenshotRequested_ = true; }
    bool screenshotRequested() const { return screenshotRequested_; }
    const Notice& notice() const { return notice_; }
    // Something the player must know (a save that failed), in the notice's corner for a while.
    void warn(const std::string& title, const std::string& detail);

    void drawOver(GraphicsDevice& device) override;
    // The lettering, loaded on first use; null when its sheet cannot be had.
    OverlayText* lettering(GraphicsDevice& device);
    // Something of this overlay changes on screen: a paused game must go on drawing frames.
    bool needsFrames(double nowMs) const {
        return fpsShown_ || screenshotRequested_ || notice_.visible(nowMs);
    }

  private:
    void takeScreenshot(GraphicsDevice& device, double nowMs);

    Clock& clock_;
    const ScreenshotFolder& screenshots_;
    std::ostream& log_;
    FrameTimes times_;
    FpsDisplay fps_;
    Notice notice_;
    bool fpsShown_ = false;
    bool screenshotRequested_ = false;
    bool sheetTried_ = false;
    std::unique_ptr<Texture> sheet_;
    std::unique_ptr<OverlayText> text_;
};

} // namespace qv
