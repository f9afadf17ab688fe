#include "platform/GlFrameClock.h"

#include <algorithm>

namespace qv {

GlFrameClock::GlFrameClock() {
    for (Pending& frame : frames_)
        glGenQueries(1, &frame.query);
}

GlFrameClock::~GlFrameClock() {
    for (Pending& frame : frames_)
        glDeleteQueries(1, &frame.query);
}

void GlFrameClock::frameStarts() {
    glGetInteger64v(GL_TIMESTAMP, &frames_[next_].startNs);
    wallStart_ = WallClock::now();
}

void GlFrameClock::frameDrawn() {
    glQueryCounter(frames_[next_].query, GL_TIMESTAMP);
    // A driver that rasterizes on its own threads starts on the frame now, as a window's
    // present would make it; an offscreen surface's present would not.
    glFlush();
}

std::optional<double> GlFrameClock::framePresented() {
    Pending& frame = frames_[next_];
    frame.presentMs = std::chrono::duration<double, std::milli>(WallClock::now() - wallStart_).count();
    frame.active = true;
    next_ = (next_ + 1) % kInFlight;
    // With every slot out, the oldest frame is read with a wait: by now it is long finished.
    std::optional<double> ms = collect(frames_[oldest_], next_ == oldest_);
    if (ms)
        oldest_ = (oldest_ + 1) % kInFlight;
    return ms;
}

// A frame took until the later of its present returning (a window's present waits for the driver
// and copies the picture out) and the driver finishing its last command.
std::optional<double> GlFrameClock::collect(Pending& frame, bool wait) {
    if (!frame.active)
        return std::nullopt;
    GLint available = GL_FALSE;
    if (!wait)
        glGetQueryObjectiv(frame.query, GL_QUERY_RESULT_AVAILABLE, &available);
    if (!wait && available == GL_FALSE)
        return std::nullopt;
    GLuint64 endNs = 0;
    glGetQueryObjectui64v(frame.query, GL_QUERY_RESULT, &endNs);
    frame.active = false;
    const double driverMs = static_cast<double>(static_cast<GLint64>(endNs) - frame.startNs) / 1.0e6;
    return std::max(frame.presentMs, driverMs);
}

} // namespace qv
