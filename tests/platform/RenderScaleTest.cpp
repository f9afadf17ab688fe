#include "platform/RenderScale.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr double kBudget = 12.0;

void feed(RenderScale& scale, double ms, int frames) {
    for (int i = 0; i < frames; ++i)
        scale.frameTook(ms);
}

// Slow frames until the scale has stepped down the given number of levels and settled there.
void stepDown(RenderScale& scale, int levels) {
    for (int i = 0; i < levels; ++i) {
        feed(scale, 2 * kBudget, RenderScale::kFramesOverBeforeStepDown);
        feed(scale, 2 * kBudget, RenderScale::kFramesToSettle);
    }
}

TEST(RenderScaleTest, StartsAtFullSizeAndStaysThereWhileFramesFit) {
    RenderScale scale(kBudget);
    EXPECT_EQ(scale.scale(), 1.0f);
    feed(scale, kBudget, 500);
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, StepsDownAfterFramesInARowRunOverTheBudget) {
    RenderScale scale(kBudget);
    feed(scale, kBudget + 1, RenderScale::kFramesOverBeforeStepDown - 1);
    EXPECT_EQ(scale.scale(), 1.0f);
    scale.frameTook(kBudget + 1);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
}

TEST(RenderScaleTest, OneFrameInTimeStartsTheCountAgain) {
    RenderScale scale(kBudget);
    for (int i = 0; i < 20; ++i) {
        feed(scale, 3 * kBudget, RenderScale::kFramesOverBeforeStepDown - 1);
        scale.frameTook(kBudget - 1);
    }
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, FramesRightAfterAStepAreNotJudged) {
    RenderScale scale(kBudget);
    feed(scale, 2 * kBudget, RenderScale::kFramesOverBeforeStepDown);
    ASSERT_EQ(scale.scale(), RenderScale::kLevels[1]);
    feed(scale, 3 * kBudget, RenderScale::kFramesToSettle);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
    feed(scale, 3 * kBudget, RenderScale::kFramesOverBeforeStepDown);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[2]);
}

TEST(RenderScaleTest, NeverGoesBelowTheLowestLevel) {
    RenderScale scale(kBudget);
    feed(scale, 100 * kBudget, 1000);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels.back());
}

TEST(RenderScaleTest, StepsBackUpAfterASecondWithRoomForTheBiggerPicture) {
    RenderScale scale(kBudget);
    stepDown(scale, 3);
    ASSERT_EQ(scale.scale(), RenderScale::kLevels[3]);
    feed(scale, 0.5 * kBudget, RenderScale::kRoomyFramesBeforeStepUp - 1);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[3]);
    scale.frameTook(0.5 * kBudget);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[2]);
    feed(scale, 0.5 * kBudget, 1000);
    EXPECT_EQ(scale.scale(), 1.0f);
}

TEST(RenderScaleTest, StaysDownWhenTheBiggerPictureWouldNotFit) {
    RenderScale scale(kBudget);
    stepDown(scale, 1);
    // At 0.9 the frames fit, but with a fifth more pixels they would not.
    feed(scale, 0.8 * kBudget, 1000);
    EXPECT_EQ(scale.scale(), RenderScale::kLevels[1]);
}

} // namespace
} // namespace qv
