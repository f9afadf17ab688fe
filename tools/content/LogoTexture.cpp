#include "LogoTexture.h"

#include "core/Angles.h"
#include "pictures/Canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::content {

namespace {

constexpr Vec2 kBadgeCentre{128.0f, 104.0f};
constexpr float kBadgeRadius = 92.0f;
constexpr float kBorder = 8.0f;

// How heavy the lines are: the logo's own (weight 1, every detail), or thicker for a picture a
// few dozen pixels across, which leaves out the details that would only blur.
struct LineStyle {
    float weight;
    bool details;
};

Rgba rgb(uint32_t hex) {
    return Rgba::fromArgb(0xFF000000u | hex);
}

// The lower edge of the badge at x.
float badgeBottom(float x, float radius) {
    const float dx = x - kBadgeCentre.x;
    return kBadgeCentre.y + std::sqrt(std::max(0.0f, radius * radius - dx * dx));
}

// A band across the badge: from a wavy top edge down to the badge's rim, so it stays inside.
void fillBadgeBand(Canvas& canvas, float (*top)(float x), const Paint& paint) {
    constexpr int kSteps = 64;
    const float r = kBadgeRadius - 0.5f;
    auto xAt = [r](int i) { return kBadgeCentre.x - r + 2.0f * r * static_cast<float>(i) / kSteps; };
    std::vector<Vec2> outline;
    for (int i = 0; i <= kSteps; ++i) {
        outline.push_back({xAt(i), std::min(top(xAt(i)), badgeBottom(xAt(i), r))});
    }
    for (int i = kSteps; i >= 0; --i) {
        outline.push_back({xAt(i), badgeBottom(xAt(i), r)});
    }
    canvas.fillPolygon(outline, paint);
}

// A gentle slope under both wheels, with a rise on either side of the rider.
float hillTop(float x) {
    auto bump = [x](float centre, float width) {
        return std::exp(-((x - centre) / width) * ((x - centre) / width));
    };
    return 147.0f - 0.028f * (x - 128.0f) - 8.0f * bump(52.0f, 22.0f) - 5.0f * bump(214.0f, 18.0f);
}

float waterTop(float x) {
    return 166.0f + 2.5f * std::sin(x * 0.2f);
}

void drawBadge(Canvas& canvas, const LineStyle& style) {
    canvas.fillDisc(kBadgeCentre, kBadgeRadius + kBorder * style.weight,
                    Paint::linear({0.0f, 4.0f}, rgb(0xFFE45C), {0.0f, 204.0f}, rgb(0xFF7A1A)));
    canvas.fillDisc(kBadgeCentre, kBadgeRadius,
                    Paint::radial({110.0f, 70.0f}, 130.0f, rgb(0x8FE3FF), rgb(0x1E5BD8)));
    canvas.fillDisc({74.0f, 54.0f}, 15.0f,
                    Paint::radial({70.0f, 50.0f}, 16.0f, rgb(0xFFFBD0), rgb(0xFFD21F)));
    fillBadgeBand(canvas, hillTop,
                  Paint::linear({0.0f, 130.0f}, rgb(0x5CD64E), {0.0f, 175.0f}, rgb(0x1E8C3A)));
    fillBadgeBand(canvas, waterTop,
                  Paint::linear({0.0f, 164.0f}, rgb(0x2EB8F0), {0.0f, 196.0f}, rgb(0x1560B8)));
    if (!style.details)
        return;
    // Wave crests, kept inside the badge.
    constexpr float kCrestY = 176.0f;
    const float half =
        std::sqrt(kBadgeRadius * kBadgeRadius - (kCrestY - kBadgeCentre.y) * (kCrestY - kBadgeCentre.y));
    for (float x = kBadgeCentre.x - half + 8.0f; x + 12.0f < kBadgeCentre.x + half - 6.0f; x += 24.0f) {
        canvas.strokeLine({x, kCrestY}, {x + 12.0f, kCrestY}, 2.5f, Paint::solid(rgb(0xD8F4FF)));
    }
}

void drawWheel(Canvas& canvas, Vec2 hub, float radius, int spokes, float turn, const LineStyle& style) {
    const Paint tyre = Paint::solid(rgb(0x1C1C28));
    const Paint rim = Paint::solid(rgb(0xFFD33A));
    const Paint spoke = Paint::solid(rgb(0xF4F4F4));
    // A heavier tyre grows inwards and pushes the rim in with it.
    const float grown = 0.22f * radius * (style.weight - 1.0f);
    canvas.fillRing(hub, radius - 0.22f * radius - grown, radius, tyre);
    canvas.fillRing(hub, radius - 0.32f * radius - grown, radius - 0.2f * radius - grown, rim);
    for (int i = 0; i < (style.details ? spokes : 0); ++i) {
        const float a = turn + static_cast<float>(i) * kPi / static_cast<float>(spokes);
        const Vec2 d{std::cos(a) * 0.7f * radius, std::sin(a) * 0.7f * radius};
        canvas.strokeLine({hub.x - d.x, hub.y - d.y}, {hub.x + d.x, hub.y + d.y}, 2.0f, spoke);
    }
    canvas.fillDisc(hub, 0.16f * radius + 1.5f, Paint::solid(rgb(0xE8262E)));
}

void drawSpeedLines(Canvas& canvas) {
    const Paint streak = Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.85f});
    canvas.strokeLine({44.0f, 96.0f}, {70.0f, 96.0f}, 4.0f, streak);
    canvas.strokeLine({36.0f, 110.0f}, {66.0f, 110.0f}, 4.0f, streak);
    canvas.strokeLine({46.0f, 124.0f}, {62.0f, 124.0f}, 4.0f, streak);
}

void drawTricycle(Canvas& canvas, const LineStyle& style) {
    const float w = style.weight;
    const Vec2 front{164.0f, 110.0f};
    const Vec2 rear{92.0f, 126.0f};
    const Vec2 head{152.0f, 66.0f};
    const Vec2 seat{114.0f, 90.0f};
    const Paint frame = Paint::linear({90.0f, 60.0f}, rgb(0xFF4A4A), {160.0f, 130.0f}, rgb(0xC4101C));
    const Paint dark = Paint::solid(rgb(0x1C1C28));
    drawWheel(canvas, {rear.x + 9.0f, rear.y - 7.0f}, 22.0f, 3, 0.9f, style); // far rear wheel
    canvas.strokeLine(rear, {rear.x + 9.0f, rear.y - 7.0f}, 6.0f * w, Paint::solid(rgb(0xB8BCC8))); // axle
    drawWheel(canvas, rear, 22.0f, 3, 0.4f, style);
    canvas.strokeLine(rear, {148.0f, 84.0f}, 9.0f * w, frame);                     // main tube
    canvas.strokeLine({seat.x, seat.y + 2.0f}, {118.0f, 106.0f}, 7.0f * w, frame); // seat post
    drawWheel(canvas, front, 36.0f, 4, 0.2f, style);
    canvas.strokeLine(front, head, 9.0f * w, frame);                                             // fork
    canvas.strokeLine({head.x - 14.0f, head.y - 4.0f}, {head.x + 4.0f, head.y}, 6.0f * w, dark); // bars
    canvas.fillDisc({head.x - 15.0f, head.y - 4.0f}, 4.5f, dark);
    canvas.fillRoundedRect({seat.x - 17.0f, seat.y - 7.0f}, {seat.x + 13.0f, seat.y + 3.0f}, 5.0f, dark);
    canvas.strokeLine(front, {front.x + 10.0f, front.y + 16.0f}, 5.0f * w,
                      Paint::solid(rgb(0xB8BCC8))); // crank
    canvas.fillRoundedRect({front.x + 3.0f, front.y + 14.0f}, {front.x + 19.0f, front.y + 20.0f}, 2.5f, dark);
}

void drawName(Canvas& canvas, const TextRenderer& text) {
    const char* name = "QORVEX";
    TextStyle style;
    style.pixelHeight = text.fitHeight(name, 236.0f, 66.0f);
    style.fill = Paint::linear({0.0f, 200.0f}, rgb(0xFFF78A), {0.0f, 246.0f}, rgb(0xFF8A1A));
    style.outlineWidth = 4.0f;
    style.outline = Paint::solid(rgb(0x0E1E5A));
    text.drawCentred(canvas, name, 128.0f, 246.0f, style);
}

} // namespace

Image drawLogo(const TextRenderer& text) {
    constexpr LineStyle kLogoLines{1.0f, true};
    Canvas canvas(kLogoSize, kLogoSize);
    drawBadge(canvas, kLogoLines);
    drawSpeedLines(canvas);
    drawTricycle(canvas, kLogoLines);
    drawName(canvas, text);
    return canvas.toCutoutImage(Rgba{0.0f, 0.0f, 0.0f, 1.0f});
}

Image drawLogoBadge(int size, float lineWeight) {
    const LineStyle style{std::max(lineWeight, 1.0f), lineWeight <= 1.0f};
    const float outer = kBadgeRadius + kBorder * style.weight;
    Canvas canvas(size, size);
    canvas.setView({kBadgeCentre.x - outer, kBadgeCentre.y - outer},
                   static_cast<float>(size) / (2.0f * outer));
    drawBadge(canvas, style);
    if (style.details)
        drawSpeedLines(canvas);
    drawTricycle(canvas, style);
    return canvas.toImage();
}

} // namespace qv::content
