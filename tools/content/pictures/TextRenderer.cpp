#include "pictures/TextRenderer.h"

#include "core/FatalError.h"
#include "core/FilePaths.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::content {

namespace {

struct GlyphPlacement {
    int codepoint;
    int penX; // whole pixels of the pen position
    float shiftX;
    int box[4]; // x0, y0, x1, y1 relative to the pen and the baseline
};

int codepointAt(const std::string& text, size_t i) {
    return static_cast<unsigned char>(text[i]);
}

} // namespace

TextRenderer::TextRenderer(const std::string& fontPath) : font_(std::make_unique<stbtt_fontinfo>()) {
    if (!readFile(fontPath, fontData_)) {
        throw FatalError("cannot read the font " + fontPath + " (package fonts-dejavu-core)");
    }
    const auto* data = reinterpret_cast<const unsigned char*>(fontData_.data());
    const int offset = stbtt_GetFontOffsetForIndex(data, 0);
    if (offset < 0 || !stbtt_InitFont(font_.get(), data, offset)) {
        throw FatalError("cannot parse the font " + fontPath);
    }
}

TextRenderer::~TextRenderer() = default;

TextMetrics TextRenderer::measure(const std::string& text, float pixelHeight) const {
    const float scale = stbtt_ScaleForPixelHeight(font_.get(), pixelHeight);
    int ascent = 0;
    int descent = 0;
    int lineGap = 0;
    stbtt_GetFontVMetrics(font_.get(), &ascent, &descent, &lineGap);
    float width = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(font_.get(), codepointAt(text, i), &advance, &bearing);
        width += static_cast<float>(advance) * scale;
        if (i + 1 < text.size()) {
            width += scale * static_cast<float>(stbtt_GetCodepointKernAdvance(
                                 font_.get(), codepointAt(text, i), codepointAt(text, i + 1)));
        }
    }
    return {width, static_cast<float>(ascent) * scale, -static_cast<float>(descent) * scale};
}

float TextRenderer::fitHeight(const std::string& text, float maxWidth, float maxPixelHeight) const {
    // Width grows linearly with the height, apart from rounding in the hinting-free metrics.
    const float width = measure(text, maxPixelHeight).width;
    return width <= maxWidth || width <= 0.0f ? maxPixelHeight : maxPixelHeight * maxWidth / width;
}

CoverageMask TextRenderer::rasterize(const std::string& text, float left, float baseline,
                                     float pixelHeight) const {
    const float scale = stbtt_ScaleForPixelHeight(font_.get(), pixelHeight);
    const int baseY = static_cast<int>(std::floor(baseline));
    const float shiftY = baseline - static_cast<float>(baseY);
    std::vector<GlyphPlacement> glyphs;
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    float pen = left;
    for (size_t i = 0; i < text.size(); ++i) {
        GlyphPlacement g{codepointAt(text, i), static_cast<int>(std::floor(pen)), 0.0f, {0, 0, 0, 0}};
        g.shiftX = pen - static_cast<float>(g.penX);
        stbtt_GetCodepointBitmapBoxSubpixel(font_.get(), g.codepoint, scale, scale, g.shiftX, shiftY,
                                            &g.box[0], &g.box[1], &g.box[2], &g.box[3]);
        if (g.box[2] > g.box[0] && g.box[3] > g.box[1]) {
            const bool first = glyphs.empty();
            minX = first ? g.penX + g.box[0] : std::min(minX, g.penX + g.box[0]);
            minY = first ? g.box[1] : std::min(minY, g.box[1]);
            maxX = first ? g.penX + g.box[2] : std::max(maxX, g.penX + g.box[2]);
            maxY = first ? g.box[3] : std::max(maxY, g.box[3]);
            glyphs.push_back(g);
        }
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(font_.get(), g.codepoint, &advance, &bearing);
        pen += static_cast<float>(advance) * scale;
        if (i + 1 < text.size()) {
            pen += scale * static_cast<float>(stbtt_GetCodepointKernAdvance(font_.get(), g.codepoint,
                                                                            codepointAt(text, i + 1)));
        }
    }
    CoverageMask mask(minX, baseY + minY, maxX - minX, maxY - minY);
    std::vector<unsigned char> bitmap;
    for (const GlyphPlacement& g : glyphs) {
        const int w = g.box[2] - g.box[0];
        const int h = g.box[3] - g.box[1];
        bitmap.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
        stbtt_MakeCodepointBitmapSubpixel(font_.get(), bitmap.data(), w, h, w, scale, scale, g.shiftX, shiftY,
                                          g.codepoint);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                mask.add(g.penX + g.box[0] + x - minX, g.box[1] + y - minY,
                         bitmap[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] /
                             255.0f);
            }
        }
    }
    return mask;
}

void TextRenderer::draw(Canvas& canvas, const std::string& text, float left, float baseline,
                        const TextStyle& style) const {
    const CoverageMask mask = rasterize(text, left, baseline, style.pixelHeight);
    if (style.outlineWidth > 0.0f) {
        canvas.fillMask(mask.dilated(style.outlineWidth), style.outline);
    }
    canvas.fillMask(mask, style.fill);
}

void TextRenderer::drawCentred(Canvas& canvas, const std::string& text, float centreX, float baseline,
                               const TextStyle& style) const {
    // Centre the ink, not the advance: trailing bearings would pull the word off-centre.
    const CoverageMask ink = rasterize(text, 0.0f, baseline, style.pixelHeight);
    const float inkCentre = static_cast<float>(ink.left()) + 0.5f * static_cast<float>(ink.width());
    draw(canvas, text, centreX - inkCentre, baseline, style);
}

} // namespace qv::content
