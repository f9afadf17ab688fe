#include "pictures/GlyphPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::content {

namespace {

constexpr int kTaps = 4; // samples per destination pixel when squeezing
constexpr int kMargin = 2;

// The mask squeezed horizontally by `factor` (at most 1), averaging what falls into each pixel,
// with its top-left corner moved to (left, top).
CoverageMask squeezed(const CoverageMask& mask, float factor, int left, int top) {
    const int width = std::max(1, static_cast<int>(std::ceil(static_cast<float>(mask.width()) * factor)));
    CoverageMask out(left, top, width, mask.height());
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (int t = 0; t < kTaps; ++t) {
                const float source =
                    (static_cast<float>(x) + (static_cast<float>(t) + 0.5f) / kTaps) / factor;
                sum += mask.at(static_cast<int>(source), y);
            }
            out.add(x, y, sum / kTaps);
        }
    }
    return out;
}

constexpr float kFar = 1e20f; // squared distance of a pixel no ink reaches

// One pass of the exact squared Euclidean distance transform (Felzenszwalb and Huttenlocher):
// out[q] = min over p of (q - p)^2 + f[p], for the line f of n values.
void distancePass(const float* f, float* out, int n, std::vector<int>& hull, std::vector<float>& bounds) {
    if (n <= 0)
        return;
    hull.assign(static_cast<size_t>(n), 0);
    bounds.assign(static_cast<size_t>(n) + 1, 0.0f);
    auto crossing = [&](int q, int p) {
        return ((f[q] + static_cast<float>(q * q)) - (f[p] + static_cast<float>(p * p))) /
               static_cast<float>(2 * q - 2 * p);
    };
    size_t k = 0;
    bounds[0] = -kFar;
    bounds[1] = kFar;
    for (int q = 1; q < n; ++q) {
        float s = crossing(q, hull[k]);
        while (k > 0 && s <= bounds[k]) {
            --k;
            s = crossing(q, hull[k]);
        }
        ++k;
        hull[k] = q;
        bounds[k] = s;
        bounds[k + 1] = kFar;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (bounds[k + 1] < static_cast<float>(q))
            ++k;
        const float d = static_cast<float>(q - hull[k]);
        out[q] = d * d + f[hull[k]];
    }
}

} // namespace

CoverageMask grownMask(const CoverageMask& mask, float radius) {
    const int margin = static_cast<int>(std::ceil(std::max(radius, 0.0f))) + 1;
    const int w = mask.width() + 2 * margin;
    const int h = mask.height() + 2 * margin;
    std::vector<float> field(static_cast<size_t>(w) * static_cast<size_t>(h), kFar);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y) >= 0.5f)
                field[static_cast<size_t>(y + margin) * static_cast<size_t>(w) +
                      static_cast<size_t>(x + margin)] = 0.0f;
    std::vector<int> hull;
    std::vector<float> bounds;
    std::vector<float> line(static_cast<size_t>(std::max(w, h)));
    std::vector<float> done(line.size());
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y)
            line[static_cast<size_t>(y)] =
                field[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
        distancePass(line.data(), done.data(), h, hull, bounds);
        for (int y = 0; y < h; ++y)
            field[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                done[static_cast<size_t>(y)];
    }
    CoverageMask grown(mask.left() - margin, mask.top() - margin, w, h);
    for (int y = 0; y < h; ++y) {
        float* row = field.data() + static_cast<size_t>(y) * static_cast<size_t>(w);
        distancePass(row, done.data(), w, hull, bounds);
        for (int x = 0; x < w; ++x) {
            const float rim = std::clamp(radius + 0.5f - std::sqrt(done[static_cast<size_t>(x)]), 0.0f, 1.0f);
            grown.add(x, y, std::max(rim, mask.at(x - margin, y - margin)));
        }
    }
    return grown;
}

void fillOutlined(Canvas& canvas, const CoverageMask& letters, float outlineWidth, const Paint& fill,
                  const Paint& outline) {
    if (outlineWidth > 0.0f)
        canvas.fillMask(grownMask(letters, outlineWidth), outline);
    canvas.fillMask(letters, fill);
}

Image glyphPicture(const TextRenderer& text, const std::string& s, const GlyphLook& look) {
    const CoverageMask ink = text.rasterize(s, 0.0f, look.pixelHeight, look.pixelHeight);
    const float outline = look.outlineShare * static_cast<float>(ink.height());
    const int border = static_cast<int>(std::ceil(outline)) + kMargin;
    const CoverageMask letters = squeezed(ink, std::clamp(look.condense, 0.05f, 1.0f), border, border);
    Canvas canvas(letters.width() + 2 * border, letters.height() + 2 * border);
    const float inkTop = static_cast<float>(border);
    fillOutlined(canvas, letters, outline,
                 Paint::linear({0.0f, inkTop}, look.top,
                               {0.0f, inkTop + static_cast<float>(letters.height())}, look.bottom),
                 Paint::solid(look.outline));
    return canvas.toImage();
}

void drawCentredIn(Canvas& canvas, const Image& picture, const TexelBox& box, float width, float height) {
    const int w = std::max(1, static_cast<int>(std::lround(width)));
    const int h = std::max(1, static_cast<int>(std::lround(height)));
    canvas.drawImage(picture, box.left + (box.width - w) / 2, box.top + (box.height - h) / 2, w, h);
}

} // namespace qv::content
