#include "StartPictures.h"

#include "core/Angles.h"
#include "pictures/Canvas.h"
#include "pictures/GlyphPicture.h"
#include "pictures/Palette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::content {

namespace {

constexpr float kScreenWidth = 640.0f;
constexpr float kScreenHeight = 480.0f;
constexpr float kPixelsPerUnit = 2.0f; // drawn at twice the screen's size, then resampled

// Maps a drawing's own units to canvas pixels: p -> origin + p * scale.
struct Placement {
    Vec2 origin;
    float scale;

    Vec2 operator()(float x, float y) const { return {origin.x + x * scale, origin.y + y * scale}; }
    float operator()(float length) const { return length * scale; }
};

constexpr Placement kScreen{{0.0f, 0.0f}, kPixelsPerUnit};

// Where the scene's parts go, in screen units. The tricycle is drawn in units of its front
// wheel's radius around that wheel's hub, its wheels on y = 1.
struct Layout {
    Vec2 hub;
    float wheelRadius;
    float waterTop;
};

constexpr Layout kRunLayout{{392.0f, 348.0f}, 52.0f, 432.0f};
constexpr Layout kDemoLayout{{368.0f, 238.0f}, 27.0f, 452.0f};

float groundUnder(const Layout& layout) {
    return layout.hub.y + layout.wheelRadius;
}

// Fills everything below a curve, given as a height (screen units) for each x.
void fillCurveDown(Canvas& canvas, float (*height)(float x, const Layout&), const Layout& layout,
                   const Paint& paint) {
    CoverageMask below(0, 0, canvas.width(), canvas.height());
    for (int x = 0; x < canvas.width(); ++x) {
        const float top = kScreen(height((static_cast<float>(x) + 0.5f) / kPixelsPerUnit, layout));
        for (int y = std::max(0, static_cast<int>(std::floor(top))); y < canvas.height(); ++y)
            below.add(x, y, std::clamp(static_cast<float>(y) + 1.0f - top, 0.0f, 1.0f));
    }
    canvas.fillMask(below, paint);
}

// The near hill: level under the tricycle, falling away to both sides.
float nearHill(float x, const Layout& layout) {
    const float middle = layout.hub.x - 1.2f * layout.wheelRadius;
    const float beyond = std::max(0.0f, std::fabs(x - middle) - 2.6f * layout.wheelRadius);
    return groundUnder(layout) + 0.0016f * beyond * beyond + 3.0f * std::sin(x * 0.05f);
}

float farHills(float x, const Layout& layout) {
    return groundUnder(layout) - 26.0f + 18.0f * std::sin(x * 0.013f + 0.8f) + 9.0f * std::sin(x * 0.031f);
}

float waterSurface(float x, const Layout& layout) {
    return layout.waterTop + 2.5f * std::sin(x * 0.07f);
}

void drawSky(Canvas& canvas, const Layout& layout) {
    canvas.fill(
        Paint::linear(kScreen(0.0f, 0.0f), hexColour(0x8ADCFF), kScreen(0.0f, 330.0f), hexColour(0x2F6FE8)));
    // Sun rays fanning out from behind the rider: every other wedge of kRays is lit.
    constexpr int kRays = 20;
    const Vec2 centre = kScreen(layout.hub.x - 1.2f * layout.wheelRadius, layout.hub.y - layout.wheelRadius);
    const float wedge = kTwoPi / kRays;
    CoverageMask rays(0, 0, canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float dx = static_cast<float>(x) + 0.5f - centre.x;
            const float dy = static_cast<float>(y) + 0.5f - centre.y;
            const float turns = (std::atan2(dy, dx) + kPi) / wedge;
            const float within = turns - std::floor(turns);
            // Distance to the nearest edge of the wedge, in pixels; negative in an unlit wedge.
            const float edge = std::min(within, 1.0f - within) * wedge * std::hypot(dx, dy);
            const bool lit = static_cast<int>(std::floor(turns)) % 2 == 0;
            rays.add(x, y, std::clamp(0.5f + (lit ? edge : -edge), 0.0f, 1.0f));
        }
    }
    canvas.fillMask(rays, Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.12f}));
}

void drawCloud(Canvas& canvas, Vec2 centre, float size) {
    const Placement at{kScreen(centre.x, centre.y), kPixelsPerUnit * size};
    const Paint puff =
        Paint::linear(at(0.0f, -30.0f), hexColour(0xFFFFFF), at(0.0f, 22.0f), hexColour(0xD6E8FF));
    canvas.fillRoundedRect(at(-44.0f, -4.0f), at(44.0f, 22.0f), at(13.0f), puff);
    const float discs[][3] = {
        {-26.0f, 2.0f, 18.0f}, {-8.0f, -12.0f, 21.0f}, {16.0f, -8.0f, 22.0f}, {33.0f, 6.0f, 15.0f}};
    for (const auto& d : discs)
        canvas.fillDisc(at(d[0], d[1]), at(d[2]), puff);
}

void drawLand(Canvas& canvas, const Layout& layout) {
    fillCurveDown(canvas, farHills, layout,
                  Paint::linear(kScreen(0.0f, groundUnder(layout) - 50.0f), hexColour(0x9BEA78),
                                kScreen(0.0f, groundUnder(layout) + 40.0f), hexColour(0x4FB84C)));
    fillCurveDown(canvas, nearHill, layout,
                  Paint::linear(kScreen(0.0f, groundUnder(layout)), hexColour(0x66DA52),
                                kScreen(0.0f, layout.waterTop), hexColour(0x1E8C3A)));
    // Flowers dotted over the near hill.
    for (int i = 0; i < 14; ++i) {
        const float x = 20.0f + 46.0f * static_cast<float>(i) + 9.0f * std::sin(static_cast<float>(i) * 2.3f);
        const float y =
            nearHill(x, layout) + 8.0f + 10.0f * (0.5f + 0.5f * std::sin(static_cast<float>(i) * 1.7f));
        if (y > layout.waterTop - 6.0f)
            continue;
        canvas.fillDisc(kScreen(x, y), kScreen(3.2f),
                        Paint::solid(i % 3 == 0 ? hexColour(0xFF6FA8) : hexColour(0xFFFFFF)));
        canvas.fillDisc(kScreen(x, y), kScreen(1.4f), Paint::solid(hexColour(0xFFD21F)));
    }
    fillCurveDown(canvas, waterSurface, layout,
                  Paint::linear(kScreen(0.0f, layout.waterTop), hexColour(0x2EB8F0),
                                kScreen(0.0f, kScreenHeight), hexColour(0x1560B8)));
    for (float x = 14.0f; x < kScreenWidth; x += 46.0f) {
        const float y = layout.waterTop + 12.0f + 8.0f * std::fabs(std::sin(x * 0.37f));
        canvas.strokeLine(kScreen(x, y), kScreen(x + 16.0f, y), kScreen(2.5f),
                          Paint::solid(hexColour(0xD8F4FF)));
    }
}

void drawWheel(Canvas& canvas, const Placement& at, Vec2 hub, float radius, float turn, bool far) {
    const Paint tyre = Paint::solid(far ? hexColour(0x0C0C14) : hexColour(0x1C1C28));
    const Paint rim = Paint::solid(far ? hexColour(0xC9A21A) : hexColour(0xFFD33A));
    canvas.fillRing(at(hub.x, hub.y), at(0.76f * radius), at(radius), tyre);
    canvas.fillRing(at(hub.x, hub.y), at(0.66f * radius), at(0.78f * radius), rim);
    for (int i = 0; i < 4; ++i) {
        const float a = turn + static_cast<float>(i) * kPi / 4.0f;
        const Vec2 d{std::cos(a) * 0.68f * radius, std::sin(a) * 0.68f * radius};
        canvas.strokeLine(at(hub.x - d.x, hub.y - d.y), at(hub.x + d.x, hub.y + d.y), at(0.07f),
                          Paint::solid(hexColour(0xF4F4F4)));
    }
    canvas.fillDisc(at(hub.x, hub.y), at(0.18f * radius), Paint::solid(hexColour(0xE8262E)));
}

void drawFrame(Canvas& canvas, const Placement& at) {
    const Paint red =
        Paint::linear(at(-2.0f, -1.6f), hexColour(0xFF5A4A), at(0.0f, 0.4f), hexColour(0xC4101C));
    const Paint dark = Paint::solid(hexColour(0x1C1C28));
    canvas.strokeLine(at(-2.3f, 0.35f), at(-2.05f, 0.15f), at(0.14f),
                      Paint::solid(hexColour(0xB8BCC8))); // axle
    canvas.strokeLine(at(-2.3f, 0.35f), at(-0.18f, -0.9f), at(0.3f), red);
    canvas.strokeLine(at(-1.5f, -0.4f), at(-1.58f, -1.0f), at(0.22f), red);
    canvas.fillRoundedRect(at(-2.05f, -1.2f), at(-1.12f, -0.92f), at(0.13f),
                           Paint::solid(hexColour(0x2154E6)));
    canvas.strokeLine(at(0.0f, 0.0f), at(-0.25f, -1.3f), at(0.3f), red);
    // The handlebar: a stem up from the fork and a grip turned back towards the rider.
    canvas.strokeLine(at(-0.25f, -1.3f), at(-0.3f, -1.5f), at(0.16f), dark);
    canvas.strokeLine(at(-0.3f, -1.5f), at(-0.5f, -1.5f), at(0.2f), dark);
}

// The round orange rider, in profile facing right, as the game's 3D rider looks.
void drawRider(Canvas& canvas, const Placement& at) {
    const Rgba skin = hexColour(0xFF9E4C);
    const Paint body = Paint::radial(at(-1.6f, -2.4f), at(1.4f), hexColour(0xFFC27A), skin);
    const Paint pink = Paint::solid(hexColour(0xFF6F7A));
    for (float x : {-1.95f, -0.95f}) {
        canvas.fillDisc(at(x, -2.62f), at(0.3f), body);
        canvas.fillDisc(at(x + 0.04f, -2.62f), at(0.15f), pink);
    }
    canvas.fillDisc(at(-1.35f, -1.92f), at(0.86f), body);
    canvas.strokeLine(at(-1.35f, -2.75f), at(-1.2f, -3.02f), at(0.16f), Paint::solid(skin)); // the tuft
    canvas.fillDisc(at(-1.12f, -3.05f), at(0.1f), Paint::solid(skin));
    const Paint white = Paint::solid(hexColour(0xFFFFFF));
    const Paint pupil = Paint::solid(hexColour(0x140F1F));
    for (const auto& [x, r] : {std::pair{-1.02f, 0.16f}, std::pair{-0.7f, 0.2f}}) {
        canvas.fillDisc(at(x, -2.25f), at(r), white);
        canvas.fillDisc(at(x + 0.06f, -2.23f), at(0.6f * r), pupil);
        canvas.fillDisc(at(x + 0.1f, -2.29f), at(0.18f * r), white);
    }
    canvas.fillDisc(at(-0.82f, -1.9f), at(0.14f), pink);
    const Paint mouth = Paint::solid(hexColour(0x8C1420));
    canvas.strokeLine(at(-0.74f, -1.76f), at(-0.6f, -1.7f), at(0.07f), mouth);
    canvas.strokeLine(at(-0.6f, -1.7f), at(-0.53f, -1.82f), at(0.07f), mouth);
}

void drawLimbs(Canvas& canvas, const Placement& at) {
    const Paint skin = Paint::solid(hexColour(0xFF9E4C));
    canvas.strokeLine(at(-1.1f, -1.25f), at(-0.3f, -0.75f), at(0.3f), skin); // thigh
    canvas.strokeLine(at(-0.3f, -0.75f), at(0.36f, 0.36f), at(0.26f), skin); // shin
    canvas.strokeLine(at(0.0f, 0.0f), at(0.38f, 0.42f), at(0.12f),
                      Paint::solid(hexColour(0xB8BCC8))); // crank
    canvas.fillRoundedRect(at(0.18f, 0.3f), at(0.72f, 0.56f), at(0.12f),
                           Paint::solid(hexColour(0x2154E6)));                // shoe
    canvas.strokeLine(at(-0.85f, -1.4f), at(-0.5f, -1.48f), at(0.22f), skin); // arm
    canvas.fillDisc(at(-0.46f, -1.5f), at(0.16f), Paint::solid(hexColour(0xFFFFFF)));
}

void drawSpeedLines(Canvas& canvas, const Placement& at) {
    const Paint streak = Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.9f});
    canvas.strokeLine(at(-4.2f, -1.6f), at(-3.0f, -1.6f), at(0.14f), streak);
    canvas.strokeLine(at(-4.6f, -1.0f), at(-3.2f, -1.0f), at(0.14f), streak);
    canvas.strokeLine(at(-4.1f, -0.4f), at(-3.35f, -0.4f), at(0.14f), streak);
}

void drawRiderOnTricycle(Canvas& canvas, const Layout& layout) {
    const Placement at{kScreen(layout.hub.x, layout.hub.y), kPixelsPerUnit * layout.wheelRadius};
    drawSpeedLines(canvas, at);
    drawWheel(canvas, at, {-2.05f, 0.15f}, 0.62f, 0.5f, true);
    drawWheel(canvas, at, {-2.3f, 0.35f}, 0.65f, 0.2f, false);
    drawFrame(canvas, at);
    drawRider(canvas, at);
    drawWheel(canvas, at, {0.0f, 0.0f}, 1.0f, 0.3f, false);
    drawLimbs(canvas, at);
}

// The font size at which the text's ink fits width x height pixels.
float inkFit(const TextRenderer& text, const std::string& s, float width, float height) {
    constexpr float kTrial = 100.0f;
    const CoverageMask ink = text.rasterize(s, 0.0f, 0.0f, kTrial);
    return kTrial * std::min(width / static_cast<float>(std::max(ink.width(), 1)),
                             height / static_cast<float>(std::max(ink.height(), 1)));
}

struct Lettering {
    float pixelHeight;
    float outlineWidth;
    Paint fill;
    Paint outline;
};

// Draws outlined text with its ink centred on the point.
void drawCentredOn(Canvas& canvas, const TextRenderer& text, const std::string& s, Vec2 centre,
                   const Lettering& look) {
    const CoverageMask trial = text.rasterize(s, 0.0f, 0.0f, look.pixelHeight);
    const float left =
        centre.x - (static_cast<float>(trial.left()) + 0.5f * static_cast<float>(trial.width()));
    const float baseline =
        centre.y - (static_cast<float>(trial.top()) + 0.5f * static_cast<float>(trial.height()));
    fillOutlined(canvas, text.rasterize(s, left, baseline, look.pixelHeight), look.outlineWidth, look.fill,
                 look.outline);
}

void drawTitle(Canvas& canvas, const TextRenderer& text) {
    const char* name = "QORVEX";
    const ScreenBox& b = kTitleBox;
    const Vec2 centre = kScreen(0.5f * (b.left + b.right), 0.5f * (b.top + b.bottom));
    const float outline = kScreen(7.0f);
    const float size = inkFit(text, name, kScreen(b.right - b.left) - 2.0f * outline - kScreen(5.0f),
                              kScreen(b.bottom - b.top) - 2.0f * outline - kScreen(7.0f));
    // A soft drop shadow, then the letters: warm, with a dark outline that holds them against the sky.
    drawCentredOn(canvas, text, name, {centre.x + kScreen(5.0f), centre.y + kScreen(7.0f)},
                  {size, outline, Paint::solid(Rgba{}), Paint::solid(Rgba{0.02f, 0.06f, 0.25f, 0.45f})});
    drawCentredOn(canvas, text, name, centre,
                  {size, outline,
                   Paint::linear(kScreen(0.0f, b.top + 10.0f), hexColour(0xFFF78A),
                                 kScreen(0.0f, b.bottom - 10.0f), hexColour(0xFF7A1A)),
                   Paint::solid(hexColour(0x0E1E5A))});
}

void drawPressEnter(Canvas& canvas, const TextRenderer& text) {
    const ScreenBox& b = kPressEnterBox;
    auto pill = [&](float inset, const Paint& paint) {
        canvas.fillRoundedRect(kScreen(b.left + inset, b.top + inset),
                               kScreen(b.right - inset, b.bottom - inset),
                               kScreen(0.5f * (b.bottom - b.top) - inset), paint);
    };
    pill(0.0f, Paint::solid(hexColour(0x0E1E5A)));
    pill(3.5f, Paint::solid(hexColour(0xFFFFFF)));
    pill(6.5f, Paint::linear(kScreen(0.0f, b.top), hexColour(0xFF5A4A), kScreen(0.0f, b.bottom),
                             hexColour(0xC00818)));
    const float size = inkFit(text, kPressEnterText, kScreen(b.right - b.left - 76.0f), kScreen(26.0f));
    drawCentredOn(
        canvas, text, kPressEnterText, kScreen(0.5f * (b.left + b.right), 0.5f * (b.top + b.bottom)),
        {size, kScreen(2.5f), Paint::solid(hexColour(0xFFFFFF)), Paint::solid(hexColour(0x5A0010))});
}

} // namespace

Image startPicture(const TextRenderer& text, StartPicture which) {
    const Layout& layout = which == StartPicture::Demo ? kDemoLayout : kRunLayout;
    Canvas canvas(static_cast<int>(kScreen(kScreenWidth)), static_cast<int>(kScreen(kScreenHeight)));
    drawSky(canvas, layout);
    drawCloud(canvas, {92.0f, 224.0f}, 1.0f);
    drawCloud(canvas, {560.0f, 206.0f}, 0.8f);
    drawCloud(canvas, {250.0f, 192.0f}, 0.55f);
    drawLand(canvas, layout);
    drawRiderOnTricycle(canvas, layout);
    drawTitle(canvas, text);
    if (which == StartPicture::Demo)
        drawPressEnter(canvas, text);
    Canvas stored(kStartPictureSize, kStartPictureSize);
    stored.drawImage(canvas.toImage(), 0, 0, kStartPictureSize, kStartPictureSize);
    return stored.toImage();
}

} // namespace qv::content
