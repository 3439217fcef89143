#include "platform/system/Clock.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"

#include <gtest/gtest.h>

TEST(ClockTest, SystemClockMovesForwardAcrossASleep)
{
    const uint64_t before = platform::NowMilliseconds();
    platform::SleepMilliseconds(20);
    const uint64_t after = platform::NowMilliseconds();
    EXPECT_GE(after - before, 19u);
}

TEST(ClockTest, AnInstalledVirtualClockAdvancesOnlyBySleeps)
{
    platform::CVirtualClock clock(1000);
    {
        platform::CScopedClock scope(clock);
        EXPECT_EQ(platform::NowMilliseconds(), 1000u);
        platform::SleepMilliseconds(250);
        EXPECT_EQ(platform::NowMilliseconds(), 1250u);
        clock.Advance(5);
        EXPECT_EQ(platform::NowMilliseconds(), 1255u);
    }
    // The system clock is back: sleeping no longer advances the virtual one.
    platform::SleepMilliseconds(1);
    EXPECT_EQ(clock.Now(), 1255u);
    EXPECT_EQ(platform::InstallClock(nullptr), nullptr);
}
