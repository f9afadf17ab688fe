#include "platform/OverlayFrame.h"

namespace qv {

namespace {
constexpr uint32_t kOverlayWidth = 640;
constexpr uint32_t kOverlayHeight = 480;
} // namespace

OverlayFrame OverlayFrame::stretched(uint32_t width, uint32_t height) {
    return {width, height, {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)}};
}

OverlayFrame OverlayFrame::framed(uint32_t width, uint32_t height) {
    return {width, height, letterbox(kOverlayWidth, kOverlayHeight, width, height)};
}

OverlayRect OverlayFrame::bounds() const {
    if (frame_.width <= 0 || frame_.height <= 0)
        return {};
    const double unitsX = double{kOverlayWidth} / frame_.width;
    const double unitsY = double{kOverlayHeight} / frame_.height;
    return {static_cast<float>(-frame_.x * unitsX), static_cast<float>(-frame_.y * unitsY),
            static_cast<float>((static_cast<double>(width_) - frame_.x) * unitsX),
            static_cast<float>((static_cast<double>(height_) - frame_.y) * unitsY)};
}

// GL's clip space has y upwards; the frame's y counts down from the picture's top.
OverlayFrame::ClipFit OverlayFrame::clipFit() const {
    if (width_ == 0 || height_ == 0)
        return {};
    const double w = width_, h = height_;
    return {static_cast<float>(frame_.width / w), static_cast<float>(frame_.height / h),
            static_cast<float>((2.0 * frame_.x + frame_.width) / w - 1.0),
            static_cast<float>(1.0 - (2.0 * frame_.y + frame_.height) / h)};
}

} // namespace qv
