#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Clock, FixedClockReplacesTheSystemClockOnlyWhileItLives) {
    {
        FixedClock clock(1000);
        EXPECT_EQ(Clock::Now(), 1000);
        clock.Advance(5);
        EXPECT_EQ(Clock::Now(), 1005);
    }
    EXPECT_GT(Clock::Now(), 1'700'000'000);
}
