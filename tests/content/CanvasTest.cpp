#include "pictures/Canvas.h"
#include "core/Angles.h"
#include "pictures/CoverageMask.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::content {
namespace {

const Rgba kRed{1.0f, 0.0f, 0.0f, 1.0f};
const Rgba kBlue{0.0f, 0.0f, 1.0f, 1.0f};

float inkArea(const Canvas& canvas) {
    float area = 0.0f;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            area += canvas.pixel(x, y).a;
        }
    }
    return area;
}

TEST(Canvas, DiscCoversItsAreaWithSoftEdges) {
    Canvas canvas(64, 64);
    canvas.fillDisc({32.5f, 32.5f}, 20.0f, Paint::solid(kRed));
    EXPECT_NEAR(inkArea(canvas), kPi * 400.0f, 5.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(32, 32).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(32, 32).r, 1.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(2, 2).a, 0.0f);
    // Where the rim crosses a pixel centre half-way, it is half covered.
    EXPECT_NEAR(canvas.pixel(52, 32).a, 0.5f, 0.01f);
}

TEST(Canvas, RingAndRoundedRectLeaveTheirOutsideAlone) {
    Canvas canvas(64, 64);
    canvas.fillRing({32.0f, 32.0f}, 10.0f, 20.0f, Paint::solid(kRed));
    EXPECT_FLOAT_EQ(canvas.pixel(32, 32).a, 0.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(32, 17).a, 1.0f);
    EXPECT_NEAR(inkArea(canvas), kPi * 300.0f, 5.0f);

    Canvas box(40, 40);
    box.fillRoundedRect({10.0f, 10.0f}, {30.0f, 30.0f}, 6.0f, Paint::solid(kRed));
    EXPECT_FLOAT_EQ(box.pixel(20, 10).a, 1.0f);
    EXPECT_FLOAT_EQ(box.pixel(10, 10).a, 0.0f); // the corner is cut round
    // Each corner loses a 6x6 square less its quarter disc.
    EXPECT_NEAR(inkArea(box), 400.0f - 4.0f * (36.0f - kPi * 9.0f), 2.0f);
}

TEST(Canvas, ConcavePolygonKeepsItsNotchEmpty) {
    Canvas canvas(40, 40);
    // An L: a 30x30 square missing its top-right 20x20 quarter.
    canvas.fillPolygon({{5, 5}, {15, 5}, {15, 15}, {35, 15}, {35, 35}, {5, 35}}, Paint::solid(kRed));
    EXPECT_FLOAT_EQ(canvas.pixel(25, 8).a, 0.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(10, 10).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(30, 30).a, 1.0f);
    EXPECT_NEAR(inkArea(canvas), 30.0f * 30.0f - 20.0f * 10.0f, 1.0f);
}

TEST(Canvas, SourceOverCompositingAndGradients) {
    Canvas canvas(10, 1, kBlue);
    canvas.fill(Paint::solid(kRed.withAlpha(0.25f)));
    const Rgba p = canvas.pixel(0, 0);
    EXPECT_FLOAT_EQ(p.a, 1.0f);
    EXPECT_FLOAT_EQ(p.r, 0.25f);
    EXPECT_FLOAT_EQ(p.b, 0.75f);

    Canvas clear(1, 1);
    clear.fill(Paint::solid(kRed.withAlpha(0.5f)));
    clear.fill(Paint::solid(kBlue.withAlpha(0.5f)));
    EXPECT_FLOAT_EQ(clear.pixel(0, 0).a, 0.75f);
    EXPECT_NEAR(clear.pixel(0, 0).b, 2.0f / 3.0f, 1e-6f);

    Canvas ramp(10, 1);
    ramp.fill(Paint::linear({0.5f, 0.0f}, kRed, {9.5f, 0.0f}, kBlue));
    EXPECT_FLOAT_EQ(ramp.pixel(0, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(ramp.pixel(9, 0).b, 1.0f);
    EXPECT_NEAR(ramp.pixel(3, 0).b, 1.0f / 3.0f, 1e-6f);
}

TEST(Canvas, CutoutImageIsOpaqueOrClearWithEdgesOverTheMatte) {
    Canvas canvas(4, 1);
    canvas.fill(Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.0f}));
    canvas.fillRoundedRect({1.0f, 0.0f}, {4.0f, 1.0f}, 0.0f, Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 0.5f}));
    canvas.fillRoundedRect({2.0f, 0.0f}, {4.0f, 1.0f}, 0.0f, Paint::solid(Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
    const Image image = canvas.toCutoutImage(Rgba{0.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_EQ(image.at(0, 0), 0x00000000u);
    EXPECT_EQ(image.at(1, 0), 0xFF808080u); // half white over black
    EXPECT_EQ(image.at(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.toImage().at(1, 0), 0x80FFFFFFu);
}

TEST(Canvas, DrawImageScalesAndBlends) {
    const Image checker{2, 2, {0xFFFF0000u, 0x00000000u, 0x00000000u, 0xFFFF0000u}};
    Canvas canvas(4, 4, kBlue);
    canvas.drawImage(checker, 0, 0, 4, 4);
    EXPECT_EQ(canvas.toImage().at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.toImage().at(3, 0), 0xFF0000FFu);
    Canvas small(1, 1);
    small.drawImage(checker, 0, 0, 1, 1);
    EXPECT_NEAR(small.pixel(0, 0).a, 0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(small.pixel(0, 0).r, 1.0f);
}

TEST(Canvas, ViewDrawsADrawingMadeForAnotherSizeToScale) {
    // The drawing's point (5, 5) at the top-left corner, twice as large: shapes and paints alike
    // land where they would had they been drawn in pixels at that size.
    Canvas viewed(32, 32);
    viewed.setView({5.0f, 5.0f}, 2.0f);
    viewed.fillDisc({13.0f, 13.0f}, 6.0f, Paint::linear({7.0f, 0.0f}, kRed, {19.0f, 0.0f}, kBlue));
    Canvas direct(32, 32);
    direct.fillDisc({16.0f, 16.0f}, 12.0f, Paint::linear({4.0f, 0.0f}, kRed, {28.0f, 0.0f}, kBlue));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Rgba a = viewed.pixel(x, y);
            const Rgba b = direct.pixel(x, y);
            ASSERT_NEAR(a.a, b.a, 1e-5f) << x << "," << y;
            ASSERT_NEAR(a.r, b.r, 1e-5f) << x << "," << y;
        }
    }
    // Shrunk far below a pixel a unit, a fill still covers every pixel fully.
    Canvas shrunk(4, 4);
    shrunk.setView({100.0f, 100.0f}, 0.1f);
    shrunk.fill(Paint::solid(kRed));
    EXPECT_FLOAT_EQ(inkArea(shrunk), 16.0f);
}

TEST(CoverageMask, DilationGrowsByTheRadius) {
    CoverageMask dot(10, 20, 1, 1);
    dot.add(0, 0, 1.0f);
    dot.add(5, 5, 1.0f); // outside: ignored
    const CoverageMask grown = dot.dilated(2.0f);
    auto at = [&grown](int canvasX, int canvasY) {
        return grown.at(canvasX - grown.left(), canvasY - grown.top());
    };
    EXPECT_FLOAT_EQ(at(10, 20), 1.0f);
    EXPECT_FLOAT_EQ(at(12, 20), 1.0f);
    EXPECT_FLOAT_EQ(at(10, 18), 1.0f);
    EXPECT_GT(at(11, 22), 0.0f);
    EXPECT_GT(at(12, 22), 0.0f); // 2.83 away: on the soft rim
    EXPECT_LT(at(12, 22), 0.5f);
    EXPECT_FLOAT_EQ(at(13, 20), 0.0f);
    EXPECT_FLOAT_EQ(at(13, 21), 0.0f);
}

} // namespace
} // namespace qv::content
