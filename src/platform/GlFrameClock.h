#pragma once

#include <epoxy/gl.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>

namespace qv {

// Measures how long frames take, from their first command until the driver has finished them
// and present has returned, without ever waiting for the driver: when a frame ends, a timestamp
// is queued behind its last command and read back when it is there, a frame or two later.
class GlFrameClock {
  public:
    GlFrameClock();
    ~GlFrameClock();
    GlFrameClock(const GlFrameClock&) = delete;
    GlFrameClock& operator=(const GlFrameClock&) = delete;

    void frameStarts();
    // After the frame's last command, before it is presented.
    void frameDrawn();
    // After present; gives the time of the oldest frame whose end has come back, if any.
    std::optional<double> framePresented();

  private:
    using WallClock = std::chrono::steady_clock;
    struct Pending {
        GLuint query = 0;
        GLint64 startNs = 0; // on the driver's clock
        double presentMs = 0.0;
        bool active = false;
    };
    static constexpr size_t kInFlight = 4;

    std::optional<double> collect(Pending& frame, bool wait);

    std::array<Pending, kInFlight> frames_{};
    size_t next_ = 0;   // the slot of the frame being drawn
    size_t oldest_ = 0; // the earliest frame still out
    WallClock::time_point wallStart_;
};

} // namespace qv
