#pragma once

#include "pictures/Canvas.h"
#include "pictures/CoverageMask.h"
#include "pictures/Paint.h"

#include <memory>
#include <string>

struct stbtt_fontinfo;

namespace qv::content {

struct TextMetrics {
    float width = 0.0f;   // advance of the whole string, pixels
    float ascent = 0.0f;  // above the baseline, pixels
    float descent = 0.0f; // below the baseline, pixels (positive)
};

struct TextStyle {
    float pixelHeight = 16.0f; // ascent plus descent of the font
    Paint fill = Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 1.0f});
    float outlineWidth = 0.0f; // 0: no outline
    Paint outline = Paint::solid(Rgba{0.0f, 0.0f, 0.0f, 1.0f});
};

// Anti-aliased lettering from a TrueType font (one byte per character, Latin-1).
class TextRenderer {
  public:
    static constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

    // Throws FatalError when the font cannot be read or parsed.
    explicit TextRenderer(const std::string& fontPath = kDefaultFont);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    TextMetrics measure(const std::string& text, float pixelHeight) const;
    // The largest height up to maxPixelHeight at which the text is no wider than maxWidth.
    float fitHeight(const std::string& text, float maxWidth, float maxPixelHeight) const;

    // Coverage of the text with its pen starting at x = left on the given baseline.
    CoverageMask rasterize(const std::string& text, float left, float baseline, float pixelHeight) const;
    void draw(Canvas& canvas, const std::string& text, float left, float baseline,
              const TextStyle& style) const;
    void drawCentred(Canvas& canvas, const std::string& text, float centreX, float baseline,
                     const TextStyle& style) const;

  private:
    std::string fontData_;
    std::unique_ptr<stbtt_fontinfo> font_;
};

} // namespace qv::content
