#include "platform/RenderScale.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr double kBudget = 12.0;
constexpr int kWindow = static_cast<int>(RenderScale::kJudgedFrames);

void feed(RenderScale& scale, double ms, int frames) {
    for (int i = 0; i < frames; ++i)
        scale.frameTook(ms);
}

// A machine whose frames take a fixed part (overlay, present) and a part that grows with the
// pixels of the 3D picture.
struct Machine {
    double fixedMs, sceneMs;
    void run(RenderScale& scale, int frames) const {
        for (int i = 0; i < frames; ++i) {
            const double s = scale.scale();
            scale.frameTook(fixedMs + sceneMs * s * s);
        }
    }
};

TEST(RenderScaleTest, StartsAtFullSizeAndStaysThereWhileFramesFit) {
    RenderScale scale(kBudget);
    EXPECT_EQ(scale.scale(), 1.0f);
    feed(scale, kBudget, 500);
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, StepsDownOnceMostOfHalfASecondRanOverTheBudget) {
    RenderScale scale(kBudget);
    feed(scale, kBudget + 1, kWindow - 1);
    EXPECT_EQ(scale.scale(), 1.0f);
    scale.frameTook(kBudget + 1);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
}

TEST(RenderScaleTest, SlowFramesNowAndThenDoNotStepDown) {
    RenderScale scale(kBudget);
    for (int i = 0; i < 100; ++i) {
        feed(scale, 3 * kBudget, 2);
        feed(scale, kBudget - 1, 3);
    }
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, FramesRightAfterAStepAreNotJudged) {
    RenderScale scale(kBudget);
    feed(scale, 2 * kBudget, kWindow);
    ASSERT_EQ(scale.scale(), RenderScale::kLevels[1]);
    // Frames still in flight when the step was taken: however slow, they neither undo the step
    // nor count towards the next.
    feed(scale, 100 * kBudget, RenderScale::kFramesToSettle);
    feed(scale, 1.5 * kBudget, kWindow - 1);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
    scale.frameTook(1.5 * kBudget);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[2]);
}

TEST(RenderScaleTest, SlowPicturesStepDownToTheLowestLevelAndNoFurther) {
    RenderScale scale(kBudget);
    Machine{0.0, 100 * kBudget}.run(scale, 2000);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels.back());
}

TEST(RenderScaleTest, StepsBackUpWhenThereIsRoomForTheBiggerPicture) {
    RenderScale scale(kBudget);
    // Slow enough to settle three steps down, then the machine gets quick (another program
    // stopped).
    Machine{0.0, 1.8 * kBudget}.run(scale, 1000);
    ASSERT_EQ(scale.scale(), RenderScale::kLevels[3]);
    feed(scale, 0.5 * kBudget, kWindow);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[2]);
    feed(scale, 0.5 * kBudget, 1000);
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, StaysDownWhenTheBiggerPictureWouldNotFit) {
    RenderScale scale(kBudget);
    // Over the budget at full size, within it at 0.9, but not with a fifth more pixels to spare.
    Machine{0.0, 1.1 * kBudget}.run(scale, 1000);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
}

// Scaling a small back buffer up to a big screen costs the same whatever the 3D part's size:
// shrinking the picture would only make it worse to look at. After one try the full size comes
// back and stays for a while.
TEST(RenderScaleTest, ShrinkingThatDoesNotMakeFramesFasterIsUndone) {
    RenderScale scale(kBudget);
    Machine presentBound{2 * kBudget, 0.05 * kBudget};
    int framesBelowFullSize = 0;
    for (int i = 0; i < 3000; ++i) {
        presentBound.run(scale, 1);
        framesBelowFullSize += scale.scale() < 1.0f;
    }
    EXPECT_EQ(scale.scale(), 1.0f);
    EXPECT_LT(framesBelowFullSize, 3000 / 10);

    RenderScale later(kBudget);
    Machine{0.0, 1.6 * kBudget}.run(later, 300); // 1.6 -> 1.30 -> 1.02 -> 0.78: three steps pay
    ASSERT_EQ(later.scale(), RenderScale::kLevels[3]);
    // Then the picture stops being what costs.
    presentBound.run(later, 2000);
    EXPECT_EQ(later.scale(), 1.0f);
}

// Enlarging the smaller 3D part is a pass of its own: the first steps cost more than they save,
// the smaller ones pay.
TEST(RenderScaleTest, ShrinkingThatPaysOnlyFurtherDownGoesThere) {
    RenderScale scale(kBudget);
    for (int i = 0; i < 1000; ++i) {
        const double s = scale.scale();
        scale.frameTook(0.8 * kBudget + 3.3 * kBudget * s * s + (s < 1.0 ? 1.25 * kBudget : 0.0));
    }
    EXPECT_EQ(scale.scale(), RenderScale::kLevels.back());
}

TEST(RenderScaleTest, ASteadyMachineSettlesOnOneLevel) {
    RenderScale scale(kBudget);
    Machine machine{4.0, 2 * kBudget};
    machine.run(scale, 500);
    const float settled = scale.scale();
    machine.run(scale, 3000);
    EXPECT_EQ(scale.scale(), settled);
    EXPECT_LT(settled, 1.0f);
}

} // namespace
} // namespace qv
