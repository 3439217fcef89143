#include "MidiTestSupport.h"

#include "framework/base/Exceptions.h"
#include "framework/midi/MIDIOutput.h"
#include "platform/system/Clock.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"

#include <chrono>

using namespace NSHarrowen;
using namespace miditest;

namespace {

struct OutputFixture : ::testing::Test {
    RecordingHandler handler;
    platform::VirtualMidiDevice device{{.name = "Test Synth"}, &handler};
    Registries registries;

    std::unique_ptr<CMIDIOutput> Open() { return registries.Output("Test Synth").CreatePort(); }
};

} // namespace

TEST_F(OutputFixture, LongWriteGoesOutInChunksEachAfterThePreviousWasSent)
{
    device.SetCompletionDelay(15);
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(5000);

    EXPECT_TRUE(output->WriteSysexAndWait(message.data(), 5000));

    ASSERT_EQ(handler.chunks.size(), 3u);
    EXPECT_EQ(handler.chunks[0].size(), 2048u);
    EXPECT_EQ(handler.chunks[1].size(), 2048u);
    EXPECT_EQ(handler.chunks[2].size(), 904u);
    std::vector<uint8_t> joined;
    for (const auto& chunk : handler.chunks)
        joined.insert(joined.end(), chunk.begin(), chunk.end());
    EXPECT_EQ(joined, message);
    EXPECT_EQ(device.OverlappingSends(), 0u);
}

// A device that never finishes a chunk shows who waits for it: a write that
// waited would fail at its bound.
TEST_F(OutputFixture, WriteReturnsWhileTheLastChunkIsStillGoingOut)
{
    ScopedWaitSlack slack(100);
    device.StallOutput(true);
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(100);

    EXPECT_NO_THROW(output->WriteSysex(message.data(), 100));
    EXPECT_EQ(handler.chunks.size(), 1u);
    // The next write waits for the device to finish the first.
    EXPECT_THROW(output->WriteSysex(message.data(), 100), XMIDIWriteFailed);
    EXPECT_EQ(handler.chunks.size(), 1u);
    EXPECT_EQ(device.OverlappingSends(), 0u);
}

// Some systems (the ALSA sequencer) take a whole block at once; the output
// still keeps each block for its wire time, 320 µs a byte, so a sender that
// waits for a block keeps to the cable's pace.
TEST(Output, ABlockTakenAtOnceStillTakesItsWireTime)
{
    struct Stamps : platform::VirtualMidiHandler {
        void OnLongMessage(const uint8_t*, size_t) override { times.push_back(platform::NowMilliseconds()); }
        std::vector<uint64_t> times;
    } stamps;
    platform::CVirtualClock clock{1000};
    const platform::CScopedClock scoped{clock};
    platform::VirtualMidiDevice device{{.name = "Quick Synth"}, &stamps};
    Registries registries;
    auto output = registries.Output("Quick Synth").CreatePort();
    const std::vector<uint8_t> packet = Sysex(134); // 42.88 ms on the wire

    EXPECT_TRUE(output->WriteSysexAndWait(packet.data(), 134));
    EXPECT_GE(clock.Now() - stamps.times.at(0), 43u);
    EXPECT_LE(clock.Now() - stamps.times.at(0), 44u);
    // Sends that wait for the block before them (the editor's) go out a wire time apart.
    output->WriteSysex(packet.data(), 134);
    output->WriteSysex(packet.data(), 134);
    ASSERT_EQ(stamps.times.size(), 3u);
    EXPECT_GE(stamps.times[2] - stamps.times[1], 43u);
}

// The device never finishes a chunk: a wait for one would fail at its bound.
TEST_F(OutputFixture, NothingToSendSendsNothingAndDoesNotWait)
{
    device.StallOutput(true);
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(10);
    for (int32_t count : {0, -1}) {
        output->WriteSysex(message.data(), count);
        EXPECT_TRUE(output->WriteSysexAndWait(message.data(), count));
    }
    EXPECT_TRUE(handler.chunks.empty());
}

TEST_F(OutputFixture, StalledDeviceFailsTheWriteWithinItsBoundAndRecovers)
{
    ScopedWaitSlack slack(100);
    device.StallOutput(true);
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(9);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(output->WriteSysexAndWait(message.data(), 9), XMIDIWriteFailed);
    const auto waited = std::chrono::steady_clock::now() - start;
    // 9 bytes are 3 ms on the wire, plus the slack.
    EXPECT_GE(waited, std::chrono::milliseconds(100));
    EXPECT_LT(waited, std::chrono::milliseconds(1000));

    // A chunk that never finishes also stops a longer write before its next chunk.
    const std::vector<uint8_t> longer = Sysex(3000);
    try {
        output->WriteSysex(longer.data(), 3000);
        FAIL() << "the write should fail";
    } catch (const XMIDIWriteFailed& failure) {
        EXPECT_FALSE(failure.GetText().empty());
    }

    device.StallOutput(false);
    handler.chunks.clear();
    EXPECT_TRUE(output->WriteSysexAndWait(message.data(), 9));
    EXPECT_EQ(handler.chunks.size(), 1u);
}

TEST_F(OutputFixture, ClosingWithAStalledChunkReturns)
{
    ScopedWaitSlack slack(50);
    device.StallOutput(true);
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(9);
    output->WriteSysex(message.data(), 9);
    output.reset();
    EXPECT_FALSE(device.IsOutputOpen());
}

TEST_F(OutputFixture, FailedSendThrowsWithTheSystemTextAndTheNextWriteStartsClean)
{
    auto output = Open();
    const std::vector<uint8_t> message = Sysex(9);
    device.FailSend(platform::midierr::kNotReady);
    try {
        output->WriteSysex(message.data(), 9);
        FAIL() << "the write should fail";
    } catch (const XMIDIWriteFailed& failure) {
        EXPECT_EQ(failure.GetText(), platform::MidiErrorText(platform::midierr::kNotReady));
        EXPECT_FALSE(failure.GetText().empty());
    }
    device.FailSend(platform::midierr::kOk);
    EXPECT_TRUE(output->WriteSysexAndWait(message.data(), 9));
    ASSERT_EQ(handler.chunks.size(), 1u);
    EXPECT_EQ(handler.chunks[0], message);
}

TEST_F(OutputFixture, ShortMessagesArePackedStatusFirstAndFailuresAreReturned)
{
    auto output = Open();
    EXPECT_EQ(output->SendShortMessage(0x90, 0x3C, 0x64), 0u);
    EXPECT_EQ(output->SendShortMessage(0x1B0, 0x107, 0x17F), 0u); // only the low bytes count
    ASSERT_EQ(handler.shortMessages.size(), 2u);
    EXPECT_EQ(handler.shortMessages[0], 0x00643C90u);
    EXPECT_EQ(handler.shortMessages[1], 0x007F07B0u);

    device.FailSend(platform::midierr::kNotReady);
    EXPECT_EQ(output->SendShortMessage(0x90, 0x3C, 0x64), platform::midierr::kNotReady);
}

TEST_F(OutputFixture, OpenFailuresCarryTheSystemText)
{
    device.FailOpen(platform::midierr::kAllocated);
    try {
        Open();
        FAIL() << "the open should fail";
    } catch (const XFailedOpeningMIDIPort& failure) {
        EXPECT_EQ(failure.GetText(), platform::MidiErrorText(platform::midierr::kAllocated));
    }
    EXPECT_FALSE(device.IsOutputOpen());
}

TEST(Output, UnpluggedDeviceFailsWrites)
{
    auto unplugged =
        std::make_unique<platform::VirtualMidiDevice>(platform::VirtualMidiDevice::Options{.name = "Gone"});
    Registries withGone;
    auto gone = withGone.Output("Gone").CreatePort();
    unplugged.reset();
    const std::vector<uint8_t> message = Sysex(9);
    EXPECT_THROW(gone->WriteSysex(message.data(), 9), XMIDIWriteFailed);
    EXPECT_NE(gone->SendShortMessage(0x90, 1, 2), 0u);
}
