#include "pictures/SignArt.h"

#include "pictures/CoverageMask.h"

#include <algorithm>
#include <vector>

namespace qv::content::signs {

Rgba rgb(uint32_t hex) {
    return Rgba::fromArgb(0xFF000000u | hex);
}

LetterLook skyLetters() {
    return {rgb(0xFFFFFF), rgb(0xB4DCFF)};
}

LetterLook goldLetters() {
    return {rgb(0xFFF27A), rgb(0xFF9A14)};
}

LetterLook goLetters() {
    return {rgb(0xE4FF6E), rgb(0x2EBE3A)};
}

LetterLook alarmLetters() {
    return {rgb(0xFF9A78), rgb(0xE0141E)};
}

LetterLook plainLetters() {
    return {rgb(0xFFFFFF), rgb(0xD4D8E4)};
}

float rimFor(float capHeight) {
    return 0.09f * capHeight + 0.5f;
}

void writeLine(const Lettering& lettering, Canvas& canvas, float unit, const std::vector<TextRun>& runs,
               Vec2 at, float align, float capHeight, float maxWidth) {
    lettering.line(canvas, runs, {at.x * unit, at.y * unit}, align, capHeight * unit, maxWidth * unit,
                   rimFor(capHeight) * unit);
}

namespace {

// How much of each pixel a rounded rectangle covers.
CoverageMask roundedRectCoverage(int width, int height, Vec2 topLeft, Vec2 bottomRight, float radius) {
    Canvas shape(width, height);
    shape.fillRoundedRect(topLeft, bottomRight, radius, Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
    CoverageMask mask(0, 0, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.add(x, y, shape.pixel(x, y).a);
    return mask;
}

} // namespace

void drawPlate(Canvas& canvas, Vec2 topLeft, Vec2 bottomRight, float frameWidth) {
    const float radius = 0.3f * (bottomRight.y - topLeft.y);
    const Vec2 innerTopLeft{topLeft.x + frameWidth, topLeft.y + frameWidth};
    const Vec2 innerBottomRight{bottomRight.x - frameWidth, bottomRight.y - frameWidth};
    const int w = canvas.width(), h = canvas.height();
    const CoverageMask outer = roundedRectCoverage(w, h, topLeft, bottomRight, radius);
    const CoverageMask inner = roundedRectCoverage(w, h, innerTopLeft, innerBottomRight, radius - frameWidth);
    CoverageMask frame(0, 0, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame.add(x, y, std::max(0.0f, outer.at(x, y) - inner.at(x, y)));
    canvas.fillMask(inner, Paint::linear({0.0f, innerTopLeft.y}, Rgba{0.10f, 0.16f, 0.45f, 0.78f},
                                         {0.0f, innerBottomRight.y}, Rgba{0.02f, 0.03f, 0.14f, 0.78f}));
    canvas.fillMask(frame,
                    Paint::linear({0.0f, topLeft.y}, rgb(0xFFF0A0), {0.0f, bottomRight.y}, rgb(0xFFB21E)));
}

void drawPointer(Canvas& canvas, Vec2 centre, float size, float direction, const LetterLook& look,
                 float rimWidth) {
    const float half = 0.5f * size;
    const std::vector<Vec2> corners{{centre.x + direction * half, centre.y},
                                    {centre.x - direction * half, centre.y - half},
                                    {centre.x - direction * half, centre.y + half}};
    const Paint rim = Paint::solid(look.rim);
    for (size_t i = 0; i < corners.size(); ++i)
        canvas.strokeLine(corners[i], corners[(i + 1) % corners.size()], 2.0f * rimWidth, rim);
    canvas.fillPolygon(corners, rim);
    canvas.fillPolygon(
        corners, Paint::linear({0.0f, centre.y - half}, look.top, {0.0f, centre.y + half}, look.bottom));
}

} // namespace qv::content::signs
