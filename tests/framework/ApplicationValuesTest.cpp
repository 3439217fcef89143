#include "framework/application/ApplicationValues.h"
#include "framework/base/Exceptions.h"
#include "platform/system/ConfigStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

TEST(ApplicationValues, WrittenValuesReadBackAndTooSmallBuffersThrow)
{
    testsupport::ScopedConfigHome home;
    platform::SetApplicationName("Values Test");
    uint8_t buffer[8]{};
    size_t length = 99;
    EXPECT_FALSE(ReadApplicationValue("StayOnTop", buffer, length));
    EXPECT_EQ(length, 0u);

    const uint8_t one[] = {1};
    WriteApplicationValue("StayOnTop", one);
    ASSERT_TRUE(ReadApplicationValue("StayOnTop", buffer, length));
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(buffer[0], 1);

    const uint8_t nine[9]{};
    WriteApplicationValue("Big", nine);
    EXPECT_THROW(ReadApplicationValue("Big", buffer, length), XBase);
}

TEST(WindowPlacement, RecordRoundTripsAndRejectsOtherSizes)
{
    CWindowPlacement p;
    p.showState = CWindowPlacement::kShowMaximized;
    p.left = -5;
    p.top = 10;
    p.right = 800;
    p.bottom = 600;
    const auto bytes = p.ToBytes();
    EXPECT_EQ(bytes[0], 44);
    EXPECT_EQ(bytes[8], 3);
    EXPECT_EQ(CWindowPlacement::FromBytes(bytes), p);
    EXPECT_FALSE(CWindowPlacement::FromBytes(std::span(bytes).first(43)));
    auto wrongLength = bytes;
    wrongLength[0] = 40;
    EXPECT_FALSE(CWindowPlacement::FromBytes(wrongLength));
}

TEST(WindowPlacement, RestoredOnlyForNormalStartsOfNormalOrMaximisedFrames)
{
    struct Case {
        int start;
        uint32_t stored;
        bool restore;
    } cases[] = {
        {1, CWindowPlacement::kShowNormal, true},
        {1, CWindowPlacement::kShowMaximized, true},
        {1, CWindowPlacement::kShowMinimized, false},
        {3, CWindowPlacement::kShowNormal, false},
    };
    for (const Case& c : cases) {
        CWindowPlacement p;
        p.showState = c.stored;
        EXPECT_EQ(ShouldRestorePlacement(c.start, p), c.restore) << c.start << " " << c.stored;
    }
}
