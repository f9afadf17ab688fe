#include "pictures/TextRenderer.h"
#include "core/FatalError.h"

#include <gtest/gtest.h>

namespace qv::content {
namespace {

struct InkBox {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// Bounds of the pixels more than half covered in the given colour channel test.
template <typename Test> InkBox inkBox(const Canvas& canvas, Test isInk) {
    InkBox box;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (isInk(canvas.pixel(x, y))) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

bool opaque(const Rgba& p) {
    return p.a > 0.5f;
}

class TextRendererTest : public ::testing::Test {
  protected:
    TextRenderer text;
    TextStyle style{40.0f};
};

TEST_F(TextRendererTest, CapitalISitsOnTheBaselineAsATallNarrowBar) {
    Canvas canvas(60, 60);
    text.draw(canvas, "I", 10.0f, 50.0f, style);
    const InkBox ink = inkBox(canvas, opaque);
    EXPECT_EQ(ink.bottom, 49);        // resting on the baseline
    EXPECT_NEAR(ink.height(), 25, 2); // cap height of the face at this size
    EXPECT_NEAR(ink.width(), 6, 2);   // a bold stem
    EXPECT_GE(ink.left, 10);          // after the pen position
    const int middleX = (ink.left + ink.right) / 2;
    EXPECT_FLOAT_EQ(canvas.pixel(middleX, 38).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(ink.left - 2, 38).a, 0.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(middleX, ink.top - 2).a, 0.0f);
}

TEST_F(TextRendererTest, LetterOHasAnEmptyCounterInsideARing) {
    Canvas canvas(60, 60);
    text.draw(canvas, "O", 10.0f, 50.0f, style);
    const InkBox ink = inkBox(canvas, opaque);
    const int cx = (ink.left + ink.right) / 2;
    const int cy = (ink.top + ink.bottom) / 2;
    EXPECT_FLOAT_EQ(canvas.pixel(cx, cy).a, 0.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(ink.left + 2, cy).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.pixel(cx, ink.bottom - 1).a, 1.0f);
    EXPECT_GT(ink.width(), 20);
}

TEST_F(TextRendererTest, OutlineSurroundsTheFill) {
    Canvas canvas(60, 60);
    style.fill = Paint::solid(0xFFFFFFFFu);
    style.outlineWidth = 3.0f;
    style.outline = Paint::solid(0xFFFF0000u);
    text.draw(canvas, "I", 10.0f, 50.0f, style);
    const InkBox white = inkBox(canvas, [](const Rgba& p) { return p.a > 0.5f && p.g > 0.5f; });
    const InkBox all = inkBox(canvas, opaque);
    EXPECT_NEAR(white.left - all.left, 3, 1);
    EXPECT_NEAR(all.bottom - white.bottom, 3, 1);
    const Rgba rim = canvas.pixel(white.left - 2, (white.top + white.bottom) / 2);
    EXPECT_FLOAT_EQ(rim.a, 1.0f);
    EXPECT_FLOAT_EQ(rim.r, 1.0f);
    EXPECT_FLOAT_EQ(rim.g, 0.0f);
}

TEST_F(TextRendererTest, MeasureAndFitFollowTheLetters) {
    const TextMetrics one = text.measure("I", 40.0f);
    EXPECT_NEAR(text.measure("II", 40.0f).width, 2.0f * one.width, 0.01f);
    EXPECT_GT(text.measure("MM", 40.0f).width, text.measure("II", 40.0f).width);
    EXPECT_NEAR(one.ascent + one.descent, 40.0f, 0.01f);
    EXPECT_NEAR(text.measure("I", 20.0f).width, 0.5f * one.width, 0.01f);
    const float fitted = text.fitHeight("A LONG TITLE", 100.0f, 60.0f);
    EXPECT_LT(fitted, 60.0f);
    EXPECT_NEAR(text.measure("A LONG TITLE", fitted).width, 100.0f, 0.5f);
    EXPECT_FLOAT_EQ(text.fitHeight("I", 100.0f, 60.0f), 60.0f);
}

TEST_F(TextRendererTest, CentredTextHasItsInkAroundTheCentre) {
    Canvas canvas(200, 60);
    text.drawCentred(canvas, "QORVEX", 100.0f, 50.0f, style);
    const InkBox ink = inkBox(canvas, [](const Rgba& p) { return p.a > 0.0f; });
    EXPECT_NEAR(0.5f * static_cast<float>(ink.left + ink.right + 1), 100.0f, 1.0f);
}

TEST(TextRendererFont, MissingFontIsAClearError) {
    try {
        TextRenderer missing("/no/such/font.ttf");
        FAIL() << "no error";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("/no/such/font.ttf"), std::string::npos);
    }
}

} // namespace
} // namespace qv::content
