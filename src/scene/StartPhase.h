#pragma once

#include "scene/SceneParts.h"
#include "scene/StartSignal.h"

#include <cstdint>

namespace qv {

enum class CameraMode : int32_t;
class MessageBoard;

// The opening of every scene: the signal stage (the start picture fades while the rider settles)
// and the reveal stage (the course comes out of the fog). The attract and play kinds differ in
// what they draw on top and in the camera they hand over to the race.
class StartPhase {
  public:
    static constexpr uint32_t kSignalFrames = 160;
    static constexpr uint32_t kRevealFrames = 120; // the reveal ends on the update after this many

    explicit StartPhase(const SceneParts& parts);
    virtual ~StartPhase() = default;
    StartPhase(const StartPhase&) = delete;
    StartPhase& operator=(const StartPhase&) = delete;

    virtual void draw() = 0;
    virtual bool stillRunning() = 0;
    void update();

    int32_t stage() const { return stage_; }
    uint32_t frameCounter() const { return frameCounter_; }
    const StartSignal& signal() const { return signal_; }

  protected:
    // False once the reveal has run its course; the rider's control is then switched on and the
    // camera handed the race view.
    bool stillRevealing(CameraMode raceView);
    void beginFrame();
    void drawShared();
    void endFrame();
    // The whole frame, with the kind's texts drawn over it unfogged.
    void drawWithTexts(void (*texts)(MessageBoard&));

    SceneParts parts_;

  private:
    void updateSignal();
    void updateReveal();
    void followWithStartView();

    int32_t stage_ = 0;
    StartSignal signal_;
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
