#include "pictures/Lettering.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::content {

namespace {

constexpr float kMeasureHeight = 100.0f;
constexpr float kShadowOffset = 0.6f; // of the rim width, down and right
constexpr float kShadowAlpha = 0.45f;

CoverageMask shifted(const CoverageMask& mask, int dx, int dy) {
    CoverageMask out(mask.left() + dx, mask.top() + dy, mask.width(), mask.height());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            out.add(x, y, mask.at(x, y));
    return out;
}

} // namespace

Lettering::Lettering(const TextRenderer& text) : text_(text) {
    const CoverageMask h = text.rasterize("H", 0.0f, 0.0f, kMeasureHeight);
    capShare_ = static_cast<float>(h.height()) / kMeasureHeight;
}

Lettering::InkSpan Lettering::inkOf(const std::vector<Placed>& placed) {
    InkSpan span{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()};
    for (const Placed& p : placed) {
        if (p.ink.width() == 0)
            continue;
        span.left = std::min(span.left, static_cast<float>(p.ink.left()));
        span.right = std::max(span.right, static_cast<float>(p.ink.left() + p.ink.width()));
    }
    return span;
}

std::vector<Lettering::Placed> Lettering::place(const std::vector<TextRun>& runs, float left, float baseline,
                                                float pixelHeight) const {
    std::vector<Placed> placed;
    float pen = left;
    for (const TextRun& run : runs) {
        placed.push_back({text_.rasterize(run.text, pen, baseline, pixelHeight), &run.look});
        pen += text_.measure(run.text, pixelHeight).width;
    }
    return placed;
}

float Lettering::fittedPixelHeight(const std::vector<TextRun>& runs, float capHeight, float room) const {
    const float pixelHeight = capHeight / capShare_;
    const float width = inkOf(place(runs, 0.0f, 0.0f, pixelHeight)).width();
    return width > room ? pixelHeight * room / width : pixelHeight;
}

void Lettering::paint(Canvas& canvas, const std::vector<Placed>& placed, float rimWidth, int shadow,
                      float capTop, float baseline) const {
    std::vector<CoverageMask> rims;
    for (const Placed& p : placed)
        rims.push_back(p.ink.dilated(rimWidth));
    for (const CoverageMask& rim : rims)
        canvas.fillMask(shifted(rim, shadow, shadow), Paint::solid(Rgba{0.0f, 0.0f, 0.0f, kShadowAlpha}));
    for (size_t i = 0; i < placed.size(); ++i)
        canvas.fillMask(rims[i], Paint::solid(placed[i].look->rim));
    for (const Placed& p : placed)
        canvas.fillMask(p.ink, Paint::linear({0.0f, capTop}, p.look->top, {0.0f, baseline}, p.look->bottom));
}

void Lettering::line(Canvas& canvas, const std::vector<TextRun>& runs, Vec2 at, float align, float capHeight,
                     float maxWidth, float rimWidth) const {
    const int shadow = std::max(1, static_cast<int>(std::lround(kShadowOffset * rimWidth)));
    const float pixelHeight =
        fittedPixelHeight(runs, capHeight, maxWidth - 2.0f * rimWidth - static_cast<float>(shadow));
    const InkSpan ink = inkOf(place(runs, 0.0f, 0.0f, pixelHeight));
    if (ink.width() <= 0.0f)
        return;
    const float inkStart = at.x - align * (ink.width() + 2.0f * rimWidth) + rimWidth;
    const float baseline = at.y + 0.5f * this->capHeight(pixelHeight);
    paint(canvas, place(runs, inkStart - ink.left, baseline, pixelHeight), rimWidth, shadow,
          baseline - this->capHeight(pixelHeight), baseline);
}

} // namespace qv::content
