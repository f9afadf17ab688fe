#include "OverlayLettering.h"

#include "ContentPaths.h"
#include "assets/DataFiles.h"
#include "assets/TextSheet.h"
#include "pictures/Canvas.h"

#include <string>

namespace qv::content {

namespace {
constexpr float kOutlineWidth = 1.5f;
// The glyphs drawn: printable ASCII and the printable half of Latin-1, one byte each as the
// renderer reads them.
constexpr int kFirstAscii = 0x20, kLastAscii = 0x7E, kFirstLatin = 0xA0, kLastLatin = 0xFF;

void drawGlyph(Canvas& sheet, const TextRenderer& mono, int byte, const TextStyle& style) {
    const int cell = *textsheet::cellOf(static_cast<char32_t>(byte));
    const float left = static_cast<float>((cell % textsheet::kColumns) * textsheet::kCellWidth) +
                       0.5f * static_cast<float>(textsheet::kCellWidth - textsheet::kAdvance);
    const float baseline =
        static_cast<float>((cell / textsheet::kColumns) * textsheet::kCellHeight + textsheet::kBaseline);
    mono.draw(sheet, std::string(1, static_cast<char>(byte)), left, baseline, style);
}
} // namespace

Image textSheet(const TextRenderer& mono) {
    TextStyle style;
    // The advance grows with the pixel height in proportion, so one measure sizes the font.
    style.pixelHeight = static_cast<float>(textsheet::kAdvance) / mono.measure("M", 1.0f).width;
    style.outlineWidth = kOutlineWidth;
    Canvas sheet(textsheet::kWidth, textsheet::kHeight);
    for (int byte = kFirstAscii; byte <= kLastAscii; ++byte)
        drawGlyph(sheet, mono, byte, style);
    for (int byte = kFirstLatin; byte <= kLastLatin; ++byte)
        drawGlyph(sheet, mono, byte, style);
    return sheet.toImage();
}

void writeOverlayLettering(GeneratorContext& context) {
    const TextRenderer mono(kMonoFont);
    context.out.writeTexture(dataFile(data::kTextSheet), textSheet(mono));
}

} // namespace qv::content
