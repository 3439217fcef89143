#include <gtest/gtest.h>

#include "simulator/SimProgramOptions.h"

using namespace sim;

TEST(SimProgramOptions, AFullCommandLine)
{
    SimProgramOptions o;
    std::string error;
    ASSERT_TRUE(
        ParseProgramOptions({"--model", "pebix",         "--version", "3.12.0.1.2", "--update-mode", "--memory-protect",
                             "--slot",  "B=/p/Bass.pch", "--flash",   "/banks",     "--latency",     "40",
                             "--pace",  "--faults",      "f.txt",     "--values",   "C:25",          "--log",
                             "-",       "--name",        "synth2",    "--api",      "jack"},
                            o, error))
        << error;
    EXPECT_EQ(o.config.model, SimModel::Pebix);
    EXPECT_EQ(o.config.version, (std::array<uint8_t, 5>{3, 12, 0, 1, 2}));
    EXPECT_TRUE(o.config.updateMode);
    EXPECT_TRUE(o.config.memoryProtect);
    EXPECT_TRUE(o.config.paceAtWireRate);
    EXPECT_EQ(o.config.latencyMs, 40u);
    EXPECT_EQ(o.slotFiles, (std::vector<std::pair<int, std::string>>{{1, "/p/Bass.pch"}}));
    EXPECT_EQ(o.flashFolder, "/banks");
    EXPECT_EQ(o.faultScript, "f.txt");
    EXPECT_EQ(o.valueSlot, 2);
    EXPECT_EQ(o.valueRate, 25u);
    EXPECT_EQ(o.logFile, "-");
    EXPECT_EQ(o.portName, "synth2");
    EXPECT_EQ(o.api, "jack");
}

TEST(SimProgramOptions, TheUpdateState)
{
    SimProgramOptions o;
    std::string error;
    EXPECT_FALSE(o.osUpdate);
    EXPECT_EQ(o.replyLength, 13u);
    ASSERT_TRUE(ParseProgramOptions({"--os-update", "--reply-length", "11", "--payload", "/tmp/os.bin"}, o, error))
        << error;
    EXPECT_TRUE(o.osUpdate);
    EXPECT_EQ(o.replyLength, 11u);
    EXPECT_EQ(o.payloadFile, "/tmp/os.bin");
}

TEST(SimProgramOptions, ALossyCableForBothStates)
{
    for (const bool update : {false, true}) {
        SimProgramOptions o;
        std::string error;
        std::vector<std::string> args{"--lossy", "0.02,0.01,12345"};
        if (update)
            args.push_back("--os-update");
        ASSERT_TRUE(ParseProgramOptions(args, o, error)) << error;
        ASSERT_TRUE(o.config.lossy.has_value());
        EXPECT_EQ(*o.config.lossy, (SimLossRates{0.02, 0.01, 12345}));
        EXPECT_EQ(o.osUpdate, update);
    }
    SimProgramOptions o;
    std::string error;
    ASSERT_TRUE(ParseProgramOptions({}, o, error));
    EXPECT_FALSE(o.config.lossy.has_value()) << "a good cable unless asked";
}

TEST(SimProgramOptions, WhatIsNotUnderstoodIsSaid)
{
    const std::string kLossyWants =
        "--lossy wants DROP,SPOIL,SEED: two shares from 0 to 1 that add up to 1 at most, and a whole number";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--model", "kandrel x"}, "unknown model: kandrel x"},
        {{"--version", "3.3.0.0"}, "a version is five numbers 0 to 127 joined by dots"},
        {{"--version", "3.300.0.0.0"}, "a version is five numbers 0 to 127 joined by dots"},
        {{"--slot", "E=x.pch"}, "--slot wants S=FILE with S from A to D"},
        {{"--values", "A:fast"}, "--values wants S:RATE with S from A to D"},
        {{"--latency", "-5"}, "--latency wants milliseconds"},
        {{"--api", "mme"}, "unknown MIDI system: mme"},
        {{"--flash"}, "--flash needs a value"},
        {{"--reply-length", "14"}, "--reply-length wants 11, 12 or 13"},
        {{"--payload"}, "--payload needs a value"},
        {{"--lossy", "0.02,0.01"}, kLossyWants},
        {{"--lossy", "0.02;0.01;7"}, kLossyWants},
        {{"--lossy", "0.7,0.4,7"}, kLossyWants},
        {{"--lossy", "-0.1,0,7"}, kLossyWants},
        {{"--lossy", "0.02,0.01,-7"}, kLossyWants},
        {{"--lossy", "0.02,0.01,7x"}, kLossyWants},
        {{"--lossy", "nan,0,7"}, kLossyWants},
        {{"--colour"}, "unknown option: --colour"},
        {{"stray"}, "unknown option: stray"},
    };
    for (const auto& [args, message] : cases) {
        SimProgramOptions o;
        std::string error;
        EXPECT_FALSE(ParseProgramOptions(args, o, error)) << message;
        EXPECT_EQ(error, message);
    }
}
