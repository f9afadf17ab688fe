#pragma once

#include "core/Image.h"
#include "platform/GlBackBuffer.h"
#include "platform/OverlayFrame.h"
#include "platform/RenderTypes.h"
#include "platform/SdlWindow.h"

#include <cstdint>
#include <memory>

namespace qv {

// Where the device draws a frame. The picture is composed at the back buffer's size: straight in
// the window when the window has that size and the frame need not be read back after it is shown,
// else in the offscreen back buffer, which present scales into the window. The back buffer keeps
// the size it was made with, or follows the window's drawable size; then the overlay is framed
// in a centred 4:3 frame instead of stretched over the picture. At a render scale
// below 1 the 3D part goes to a smaller buffer and is scaled up into the picture at the first
// overlay draw (or at present), so the overlay keeps every pixel; a 3D draw after that goes
// straight into the picture.
class GlFrameTargets {
  public:
    // readable: every frame is composed in the back buffer, which keeps it after present.
    // followWindow: the back buffer takes the window's drawable size at every frame.
    // Throws FatalError "ERROR : Create Direct3DDevice" when a buffer cannot be made at the start.
    GlFrameTargets(SdlWindow& window, uint32_t width, uint32_t height, bool readable, bool followWindow);

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    // The height of the target draws go to now (point sprites are sized from it).
    uint32_t drawingHeight() const { return drawing_.height; }
    // Where overlay draws land on the picture.
    OverlayFrame overlay() const;

    // Reads the window's drawable size before a frame and, when the back buffer follows it,
    // gives the back buffer that size. A size the driver cannot take, or no size at all (a
    // minimised window), keeps the last one, which is then scaled into the window.
    void fitWindow();
    // Chooses this frame's targets, binds the one for its 3D part and clears it. depthWrites is
    // the depth mask to leave set.
    void begin(Argb clearColour, float scale, bool depthWrites);
    // Called before every draw; true when the draw goes to another target than the last one.
    bool prepareDraw(bool overlay, bool depthWrites);
    // Finishes the picture and scales it into the window if it is not there yet; the caller swaps.
    void finish(bool depthWrites);
    // The last frame, when frames are kept readable.
    bool read(Image& out) const;
    // The picture of the frame being drawn, as it is now (a scaled 3D part is first enlarged
    // into it, as an overlay draw would), wherever it is composed.
    bool readPicture(Image& out, bool depthWrites);

  private:
    struct Target {
        GLuint framebuffer = 0;
        uint32_t width = 0, height = 0;
        bool operator==(const Target&) const = default;
    };

    bool windowFits(uint32_t windowWidth, uint32_t windowHeight) const;
    void resizeBackBuffer(uint32_t width, uint32_t height);
    Target backBufferTarget();
    Target sceneTarget(float scale);
    void bind(const Target& target);
    void resolveScene(bool depthWrites);

    SdlWindow& window_;
    uint32_t width_, height_;
    bool readable_;
    bool followWindow_;
    bool windowUsable_;
    std::unique_ptr<GlBackBuffer> backBuffer_;
    std::unique_ptr<GlBackBuffer> scene_; // the smaller buffer of a scaled 3D part
    Target picture_;                      // where this frame is composed
    Target drawing_;                      // where draws go now
    uint32_t windowWidth_ = 0, windowHeight_ = 0;
};

} // namespace qv
