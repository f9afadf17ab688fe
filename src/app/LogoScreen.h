#pragma once

#include "core/Matrix4.h"
#include "platform/RenderTypes.h"
#include "platform/SoundSystem.h"
#include "platform/Texture.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

class GraphicsDevice;

// The opening logo: a textured square flies in spinning, rests, then fades out diagonally,
// with a jingle. It draws its own frames inside update().
class LogoScreen {
  public:
    static constexpr uint32_t kLastFrame = 290;

    LogoScreen(GraphicsDevice& graphics, SoundSystem& sound);
    ~LogoScreen();
    LogoScreen(const LogoScreen&) = delete;
    LogoScreen& operator=(const LogoScreen&) = delete;

    // Advances and draws one frame; true while the logo is still showing.
    bool update();

    uint32_t frameCounter() const { return frameCounter_; }
    const std::array<WorldVertex, 4>& quad() const { return quad_; }

    // The square's world transform and vertex alphas for update number n (1-based).
    static Matrix4 worldTransformFor(uint32_t n);
    static void applyFade(uint32_t n, std::array<WorldVertex, 4>& quad);

  private:
    void drawFrame(uint32_t n);

    GraphicsDevice& graphics_;
    std::unique_ptr<SoundClip> sound_;
    uint32_t frameCounter_ = 0;
    std::array<WorldVertex, 4> quad_;
    std::unique_ptr<Texture> texture_;
};

} // namespace qv
