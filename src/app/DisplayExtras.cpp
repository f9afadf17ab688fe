#include "app/DisplayExtras.h"

#include "assets/DataFiles.h"
#include "assets/ScreenshotFolder.h"
#include "assets/TextureLoader.h"
#include "core/FilePaths.h"
#include "platform/Clock.h"
#include "platform/GraphicsDevice.h"

#include <ostream>

namespace qv {

DisplayExtras::DisplayExtras(Clock& clock, const ScreenshotFolder& screenshots, std::ostream& log)
    : clock_(clock), screenshots_(screenshots), log_(log) {}

// The lettering goes before its sheet.
DisplayExtras::~DisplayExtras() {
    text_.reset();
    sheet_.reset();
}

void DisplayExtras::toggleFps() {
    fpsShown_ = !fpsShown_;
    fps_.restart();
}

void DisplayExtras::drawOver(GraphicsDevice& device) {
    const double now = static_cast<double>(clock_.now());
    times_.frameShown(now);
    if (screenshotRequested_)
        takeScreenshot(device, now);
    if (!fpsShown_ && !notice_.visible(now))
        return;
    OverlayText* text = lettering(device);
    if (text == nullptr)
        return;
    if (fpsShown_)
        fps_.draw(*text, times_, now);
    notice_.draw(*text, now);
}

void DisplayExtras::warn(const std::string& title, const std::string& detail) {
    constexpr double kWarningMs = 8000.0;
    notice_.show(title, detail, static_cast<double>(clock_.now()), kWarningMs);
}

// The frame is read before anything of this overlay is drawn on it. A failure is no reason to
// stop: it is shown, and said on the log stream.
void DisplayExtras::takeScreenshot(GraphicsDevice& device, double nowMs) {
    screenshotRequested_ = false;
    Image picture;
    std::string error = "this renderer keeps no pictures";
    std::optional<std::string> path;
    if (device.readFrame(picture))
        path = screenshots_.save(picture, error);
    if (path) {
        notice_.show("Screenshot saved", shownPath(*path), nowMs);
        return;
    }
    notice_.show("Screenshot not saved", error, nowMs);
    log_ << "qorvex: screenshot not saved: " << error << "\n";
}

OverlayText* DisplayExtras::lettering(GraphicsDevice& device) {
    if (!sheetTried_) {
        sheetTried_ = true;
        sheet_ = loadTexture(device, data::kTextSheet, TextureFormat::A8R8G8B8);
        if (sheet_)
            text_ = std::make_unique<OverlayText>(device, *sheet_);
        else
            log_ << "qorvex: cannot load " << data::kTextSheet << "; nothing is written on screen\n";
    }
    return text_.get();
}

} // namespace qv
