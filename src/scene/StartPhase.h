#pragma once

#include <cstdint>

namespace qv {

class GraphicsDevice;
struct GameState;

// The opening of every scene: the signal stage (the start picture fades) and the reveal stage
// (the course comes out of the fog). The attract and play kinds differ in what they draw on top
// and in the camera they hand over to the race.
class StartPhase {
  public:
    static constexpr uint32_t kSignalFrames = 160;
    static constexpr uint32_t kRevealFrames = 120; // the reveal ends on the update after this many

    StartPhase(GraphicsDevice& graphics, GameState& state);
    virtual ~StartPhase() = default;
    StartPhase(const StartPhase&) = delete;
    StartPhase& operator=(const StartPhase&) = delete;

    virtual void draw() = 0;
    virtual bool stillRunning() = 0;
    void update();

    int32_t stage() const { return stage_; }
    uint32_t frameCounter() const { return frameCounter_; }

  protected:
    // True while the reveal has not run its course; the kinds add their hand-over on false.
    bool revealRunning() const { return !(frameCounter_ > kRevealFrames && stage_ == 1); }
    void beginFrame();
    void endFrame();

    GraphicsDevice& graphics_;
    GameState& game_;

  private:
    int32_t stage_ = 0;
    uint32_t frameCounter_ = 0;
    float farPlane_;
};

class AttractStartPhase : public StartPhase {
  public:
    using StartPhase::StartPhase;
    void draw() override;
    bool stillRunning() override;
};

class PlayStartPhase : public StartPhase {
  public:
    using StartPhase::StartPhase;
    void draw() override;
    bool stillRunning() override;
};

} // namespace qv
