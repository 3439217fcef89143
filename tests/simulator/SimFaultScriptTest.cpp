#include <gtest/gtest.h>

#include "simulator/SimFaultPlan.h"

using namespace sim;

TEST(SimFaultScript, LinesSetTheirFaults)
{
    CSimFaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.ParseScript("# faults\r\n"
                                 "drop 2\n"
                                 "delay 3 250\n"
                                 "error 4 6\n"
                                 "\n"
                                 "identify version 3 12 0 0 0\n"
                                 "version-change 2 3 4 0 0 0\n"
                                 "buffers 7 11\n"
                                 "values truncated\n",
                                 error))
        << error;
    EXPECT_FALSE(plan.TakeAnswerFault(1));
    EXPECT_EQ(plan.TakeAnswerFault(2)->kind, SimAnswerFault::Drop);
    EXPECT_FALSE(plan.TakeAnswerFault(2)) << "a fault happens once";
    const auto delay = plan.TakeAnswerFault(3);
    EXPECT_EQ(delay->kind, SimAnswerFault::Delay);
    EXPECT_EQ(delay->delayMs, 250u);
    EXPECT_EQ(plan.TakeAnswerFault(4)->errorCode, 6);
    EXPECT_EQ(plan.identify, SimIdentifyFault::OtherVersion);
    EXPECT_EQ(plan.otherVersion, (std::array<uint8_t, 5>{3, 12, 0, 0, 0}));
    EXPECT_EQ(plan.changeVersionAfter, 2u);
    EXPECT_EQ(plan.changedVersion, (std::array<uint8_t, 5>{3, 4, 0, 0, 0}));
    EXPECT_EQ(plan.bufferSizes, (std::vector<size_t>{7, 11}));
    EXPECT_EQ(plan.valueFault, SimValueFault::Truncated);
}

TEST(SimFaultScript, WhatIsNotUnderstoodIsReported)
{
    const char* const bad[] = {
        "drop",     "drop 0", "delay 3", "identify sideways", "buffers", "values odd", "identify version 3 300 0 0 0",
        "explode 1"};
    for (const char* line : bad) {
        CSimFaultPlan plan;
        std::string error;
        EXPECT_FALSE(plan.ParseScript(line, error)) << line;
        EXPECT_EQ(error, std::string("not understood: ") + line);
    }
}
