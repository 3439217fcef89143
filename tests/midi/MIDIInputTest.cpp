#include "MidiTestSupport.h"

#include "framework/base/Exceptions.h"
#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIWait.h"
#include "framework/midi/MIDIWorker.h"
#include "framework/midi/MMEMIDIInput.h"

#include <atomic>
#include <chrono>

using namespace NSHarrowen;
using namespace miditest;

namespace {

constexpr size_t kAllBuffers = CMMEMIDIInput::kBufferCount;

struct InputFixture : ::testing::Test {
    platform::VirtualMidiDevice first{{.name = "First Synth"}};
    platform::VirtualMidiDevice second{{.name = "Second Synth"}};
    Registries registries;

    std::unique_ptr<CMIDIInput> Open(const std::string& name, CMIDIInputParser& receiver)
    {
        return registries.Input(name).CreatePort(receiver);
    }
};

} // namespace

TEST_F(InputFixture, OpenInputKeepsAllBuffersWithTheDeviceAndIsTheReceiversInput)
{
    RecordingReceiver receiver;
    auto input = Open("First Synth", receiver);
    EXPECT_EQ(receiver.GetInput(), input.get());
    EXPECT_TRUE(first.IsInputStarted());
    EXPECT_EQ(first.InputBuffersQueued(), kAllBuffers);
    auto& mme = dynamic_cast<CMMEMIDIInput&>(*input);
    EXPECT_TRUE(mme.IsAccepting());
    EXPECT_EQ(mme.GetPendingCount(), kAllBuffers);

    input.reset();
    EXPECT_EQ(receiver.GetInput(), nullptr);
    EXPECT_FALSE(first.IsInputOpen());
}

TEST_F(InputFixture, MessageOverSeveralBuffersArrivesInOrderOnTheWorker)
{
    RecordingReceiver receiver;
    auto input = Open("First Synth", receiver);
    const std::vector<uint8_t> message = Sysex(5000);

    EXPECT_EQ(first.Send(message, CMMEMIDIInput::kBufferSize), 5000u);

    ASSERT_TRUE(receiver.WaitForBytes(5000));
    EXPECT_EQ(receiver.Bytes(), message);
    EXPECT_EQ(receiver.Counts(), (std::vector<uint32_t>{2048, 2048, 904}));
    for (const std::thread::id id : receiver.Threads())
        EXPECT_EQ(id, GetMidiInputThreadId());
    EXPECT_NE(GetMidiInputThreadId(), std::this_thread::get_id());
}

TEST_F(InputFixture, DeliveredBuffersGoBackToTheDevice)
{
    RecordingReceiver receiver;
    auto input = Open("First Synth", receiver);
    // More bytes than the 32 buffers hold at once, in small pieces.
    const std::vector<uint8_t> message = Sysex(4000);
    size_t sent = 0;
    while (sent < message.size()) {
        const size_t piece = std::min<size_t>(100, message.size() - sent);
        if (first.Send(message.data() + sent, piece, 100) == piece)
            sent += piece;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(receiver.WaitForBytes(4000));
    EXPECT_EQ(receiver.Bytes(), message);
    EXPECT_TRUE(WaitForMIDI([&] { return first.InputBuffersQueued() == kAllBuffers; }, 2000));
}

TEST_F(InputFixture, SwitchedOffReceiverGetsNothingButTheBuffersGoBack)
{
    RecordingReceiver receiver;
    receiver.SetAcceptsLongData(false);
    auto input = Open("First Synth", receiver);
    first.Send(Sysex(300), 100);
    EXPECT_TRUE(first.SendLongError());
    EXPECT_TRUE(WaitForMIDI([&] { return first.InputBuffersQueued() == kAllBuffers; }, 2000));
    EXPECT_TRUE(receiver.Bytes().empty());

    // A buffer handed back as an error is not delivered even when switched on.
    receiver.SetAcceptsLongData(true);
    EXPECT_TRUE(first.SendLongError());
    first.Send(Sysex(5));
    ASSERT_TRUE(receiver.WaitForBytes(5));
    EXPECT_EQ(receiver.Counts(), (std::vector<uint32_t>{5}));
}

TEST_F(InputFixture, InputsShareOneWorkerThatTheLastCloseStops)
{
    EXPECT_FALSE(IsMidiInputThreadRunning());
    RecordingReceiver receiverA;
    RecordingReceiver receiverB;
    auto inputA = Open("First Synth", receiverA);
    EXPECT_TRUE(IsMidiInputThreadRunning());
    const std::thread::id worker = GetMidiInputThreadId();
    auto inputB = Open("Second Synth", receiverB);
    EXPECT_EQ(GetMidiInputThreadUsers(), 2u);
    EXPECT_EQ(GetMidiInputThreadId(), worker);

    first.Send(Sysex(10));
    second.Send(Sysex(20));
    ASSERT_TRUE(receiverA.WaitForBytes(10));
    ASSERT_TRUE(receiverB.WaitForBytes(20));
    EXPECT_EQ(receiverA.Threads().front(), worker);
    EXPECT_EQ(receiverB.Threads().front(), worker);

    inputA.reset();
    EXPECT_TRUE(IsMidiInputThreadRunning());
    second.Send(Sysex(7));
    ASSERT_TRUE(receiverB.WaitForBytes(27));

    inputB.reset();
    EXPECT_FALSE(IsMidiInputThreadRunning());
    EXPECT_EQ(GetMidiInputThreadUsers(), 0u);
    EXPECT_EQ(GetMidiInputThreadId(), std::thread::id());

    // A new input starts a new worker.
    auto again = Open("First Synth", receiverA);
    EXPECT_TRUE(IsMidiInputThreadRunning());
}

TEST_F(InputFixture, ClosingDuringTrafficReturnsWithAllBuffersBackAndDeliversNoMore)
{
    // A bound far beyond the close's own time: a close that waited for it
    // instead of the buffers coming back is told apart however busy the
    // machine is.
    constexpr uint32_t kBoundMs = 60000;
    ScopedWaitSlack slack(kBoundMs);
    RecordingReceiver receiver;
    auto input = Open("First Synth", receiver);
    std::atomic<bool> stop{false};
    std::thread traffic([&] {
        const std::vector<uint8_t> message = Sysex(700);
        while (!stop)
            first.Send(message, 64);
    });
    ASSERT_TRUE(receiver.WaitForBytes(10000));

    auto& mme = dynamic_cast<CMMEMIDIInput&>(*input);
    const auto start = std::chrono::steady_clock::now();
    const uint16_t pendingBefore = mme.GetPendingCount();
    EXPECT_GT(pendingBefore, 0u);
    input.reset();
    const auto took = std::chrono::steady_clock::now() - start;
    const size_t deliveredAtClose = receiver.Bytes().size();

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop = true;
    traffic.join();
    EXPECT_EQ(receiver.Bytes().size(), deliveredAtClose);
    // All 32 came back through the worker: no wait for the bound.
    EXPECT_LT(took, std::chrono::milliseconds(kBoundMs / 2));
    EXPECT_FALSE(first.IsInputOpen());
    EXPECT_FALSE(IsMidiInputThreadRunning());
}

TEST_F(InputFixture, ClosingAHungDeviceGivesUpAfterTheBound)
{
    ScopedWaitSlack slack(100);
    RecordingReceiver receiver;
    auto input = Open("First Synth", receiver);
    first.StallInput(true);
    const auto start = std::chrono::steady_clock::now();
    input.reset();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(100));
    EXPECT_LT(took, std::chrono::milliseconds(1000));
    EXPECT_FALSE(first.IsInputOpen());
    EXPECT_FALSE(IsMidiInputThreadRunning());

    // The device works again for the next input.
    first.StallInput(false);
    auto again = Open("First Synth", receiver);
    first.Send(Sysex(12));
    EXPECT_TRUE(receiver.WaitForBytes(12));
}

TEST_F(InputFixture, FailedOpenLeavesNothingOpenAndTheWorkerStopped)
{
    RecordingReceiver receiver;
    first.FailOpen(platform::midierr::kAllocated);
    try {
        Open("First Synth", receiver);
        FAIL() << "the open should fail";
    } catch (const XFailedOpeningMIDIPort& failure) {
        EXPECT_EQ(failure.GetText(), platform::MidiErrorText(platform::midierr::kAllocated));
    }
    EXPECT_EQ(receiver.GetInput(), nullptr);
    EXPECT_FALSE(IsMidiInputThreadRunning());
    EXPECT_EQ(GetMidiInputThreadUsers(), 0u);
    {
        platform::LockGuard guard(GetMIDILock());
        EXPECT_TRUE(CMIDIInput::OpenInputs().empty());
    }

    // A second input already running keeps the worker through a failed open.
    first.FailOpen(platform::midierr::kOk);
    auto running = Open("First Synth", receiver);
    RecordingReceiver other;
    second.FailOpen(platform::midierr::kNoDevice);
    EXPECT_THROW(Open("Second Synth", other), XFailedOpeningMIDIPort);
    EXPECT_EQ(GetMidiInputThreadUsers(), 1u);
    EXPECT_TRUE(IsMidiInputThreadRunning());
}

TEST_F(InputFixture, FailedWorkerStartTakesNoUser)
{
    RecordingReceiver receiver;
    FailNextMidiInputThreadStartForTesting();
    try {
        Open("First Synth", receiver);
        FAIL() << "the open should fail";
    } catch (const XFailedOpeningMIDIPort& failure) {
        EXPECT_TRUE(failure.GetText().empty());
    }
    EXPECT_EQ(GetMidiInputThreadUsers(), 0u);
    EXPECT_FALSE(IsMidiInputThreadRunning());
    EXPECT_FALSE(first.IsInputOpen());

    // The next open starts the worker, and its close stops it.
    auto input = Open("First Synth", receiver);
    EXPECT_EQ(GetMidiInputThreadUsers(), 1u);
    input.reset();
    EXPECT_FALSE(IsMidiInputThreadRunning());
}

TEST_F(InputFixture, DataBeforeTheInputStartsIsNotTaken)
{
    RecordingReceiver receiver;
    EXPECT_EQ(first.Send(Sysex(10)), 0u); // nothing open
    auto input = Open("First Synth", receiver);
    EXPECT_EQ(first.Send(Sysex(10)), 10u);
    EXPECT_TRUE(receiver.WaitForBytes(10));
}
