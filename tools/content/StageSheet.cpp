#include "LetteringSheets.h"

#include "pictures/SignArt.h"
#include "pictures/SignSheet.h"

#include <string>

namespace qv::content {

namespace {

using namespace signs;

// Title and digits share one height and one middle line, so that the title and the two digits
// drawn over its right end read as one line: "STAGE 2-3".
constexpr float kCapHeight = kTitleCapHeight;
// "10" needs two digits in one cell: drawn this much wider and squeezed in, it keeps the height.
constexpr float kTwoDigitStretch = 1.4f;
constexpr float kDigitPitch = 23.0f; // between the middles of two digits, before the squeeze
// Room between the title's rim and the cycle digit's quad; the digit's ink sits further in.
constexpr float kTitleGap = 6.0f;

// A number's digits each centred on its own place, a fixed pitch apart, so the two digits of
// "10" sit evenly whatever their widths.
SignSheet::Art digits(const Lettering& lettering, int value, Vec2 shown) {
    return [&lettering, value, shown](Canvas& canvas, float unit) {
        const std::string text = std::to_string(value);
        const float count = static_cast<float>(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            const float x = 0.5f * shown.x + (static_cast<float>(i) - 0.5f * (count - 1.0f)) * kDigitPitch;
            writeLine(lettering, canvas, unit, {{text.substr(i, 1), skyLetters()}}, {x, kTitleMiddle}, 0.5f,
                      kCapHeight, shown.x / count);
        }
    };
}

// A dash between the digits, at the middle of the capitals, rimmed and shadowed like them.
void drawDash(Canvas& canvas, float unit, Vec2 centre) {
    constexpr float kHalfLength = 4.5f, kHalfHeight = 1.9f;
    const float rim = rimFor(kCapHeight), shadow = 0.6f * rim;
    const LetterLook look = skyLetters();
    auto bar = [&](float grow, Vec2 shift, Rgba colour) {
        canvas.fillRoundedRect({(centre.x + shift.x - kHalfLength - grow) * unit,
                                (centre.y + shift.y - kHalfHeight - grow) * unit},
                               {(centre.x + shift.x + kHalfLength + grow) * unit,
                                (centre.y + shift.y + kHalfHeight + grow) * unit},
                               (kHalfHeight + grow) * unit, Paint::solid(colour));
    };
    bar(rim, {shadow, shadow}, Rgba{0.0f, 0.0f, 0.0f, 0.45f});
    bar(rim, {}, look.rim);
    bar(0.0f, {}, look.top);
}

// "STAGE" ending short of the cycle digit, and a dash in the gap between the two digit quads;
// where the digits land the row stays clear.
SignSheet::Art stageTitle(const Lettering& lettering) {
    return [&lettering](Canvas& canvas, float unit) {
        const float middle = kTitleMiddle - kTitleTop;
        const float titleEnd = kCycleDigitLeft - kTitleGap - kTitleLeft;
        writeLine(lettering, canvas, unit, {{"STAGE", skyLetters()}}, {titleEnd, middle}, 1.0f, kCapHeight,
                  titleEnd);
        const float gapCentre = 0.5f * (kCycleDigitLeft + kDigitQuad.x + kStageDigitLeft);
        drawDash(canvas, unit, {gapCentre - kTitleLeft, middle});
    };
}

} // namespace

Image stageSheet(const TextRenderer& text) {
    const Lettering lettering(text);
    SignSheet sheet;
    for (int d = 0; d <= 9; ++d)
        sheet.paint(SignSheet::cell(d), kDigitQuad, digits(lettering, d, kDigitQuad));
    const Vec2 wide{kDigitQuad.x * kTwoDigitStretch, kDigitQuad.y};
    sheet.paint(SignSheet::cell(kHighestCycle), wide, digits(lettering, kHighestCycle, wide));
    sheet.paint(SignSheet::row(kStageTitleRow), kTitleQuad, stageTitle(lettering));
    return sheet.image();
}

} // namespace qv::content
