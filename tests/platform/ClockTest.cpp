#include "platform/SdlClock.h"
#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

namespace qv {

TEST(VirtualClockTest, TimeMovesOnlyByWaitingOrAdvancing) {
    VirtualClock clock;
    EXPECT_EQ(clock.now(), 0u);
    EXPECT_EQ(clock.now(), 0u);
    clock.advance(5);
    EXPECT_EQ(clock.now(), 5u);
    EXPECT_EQ(VirtualClock(1234).now(), 1234u);
}

TEST(VirtualClockTest, WaitJumpsToAFutureDeadlineAndIgnoresAPastOne) {
    VirtualClock clock(100);
    clock.waitUntil(117);
    EXPECT_EQ(clock.now(), 117u);
    clock.waitUntil(117);
    EXPECT_EQ(clock.now(), 117u);
    clock.waitUntil(50);
    EXPECT_EQ(clock.now(), 117u);
}

TEST(VirtualClockTest, DeadlinesCompareAcrossTheWrapOfTheMillisecondCounter) {
    VirtualClock late(0xFFFFFFF0u);
    late.waitUntil(7); // 23 ms later, after the wrap
    EXPECT_EQ(late.now(), 7u);

    VirtualClock early(7);
    early.waitUntil(0xFFFFFFF0u); // 23 ms earlier
    EXPECT_EQ(early.now(), 7u);

    VirtualClock wrapping(0xFFFFFFFFu);
    wrapping.advance(2);
    EXPECT_EQ(wrapping.now(), 1u);
}

TEST(SdlClockTest, WaitReturnsNoEarlierThanTheDeadline) {
    SdlClock clock;
    for (uint32_t wait : {0u, 1u, 2u, 3u, 17u, 30u}) {
        const uint32_t deadline = clock.now() + wait;
        clock.waitUntil(deadline);
        EXPECT_FALSE(clockBefore(clock.now(), deadline)) << wait;
    }
}

TEST(SdlClockTest, ARelaxedWaitSleepsButStillReturnsNoEarlierThanTheDeadline) {
    SdlClock clock;
    clock.setRelaxed(true);
    for (uint32_t wait : {0u, 1u, 2u, 17u}) {
        const uint32_t deadline = clock.now() + wait;
        clock.waitUntil(deadline);
        EXPECT_FALSE(clockBefore(clock.now(), deadline)) << wait;
    }
}

TEST(SdlClockTest, PastDeadlineReturnsWithoutWaitingForAWrap) {
    SdlClock clock;
    const uint32_t start = clock.now();
    clock.waitUntil(start - 1000); // would take ~49 days if compared without wrapping
    EXPECT_FALSE(clockBefore(clock.now(), start));
}

} // namespace qv
