// What goes wrong on the cable: corrupted, lost and refused answers, and what
// the link does about them.
#include "LinkRig.h"

#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/SysexFrame.h"

#include <algorithm>

using namespace linkrig;

namespace {

const std::string kAlertEnd = "Open the MIDI dialog and enable the port again.[OK]";

sim::SimAnswerFaultEntry Corrupt()
{
    return {sim::SimAnswerFault::Corrupt};
}

int CountLines(const std::vector<std::string>& log, const std::string& text)
{
    return static_cast<int>(std::count(log.begin(), log.end(), text));
}

// An answer frame (flag 0x08) whose checksum is wrong.
Bytes CorruptedAnswer()
{
    Bytes frame = SynthMessage(CMParamChange(1, 1, 0, 9), 0, 1);
    frame[2] |= SysexFrame::kFlagLast;
    frame[frame.size() - 2] ^= 0x01;
    return frame;
}

} // namespace

// The state request is on the dump queue: its frame in flight is sent
// again for each corrupted answer, three times; the fourth failure in a row
// loses the contact.
TEST(LinkFault, ACorruptedAnswerIsResentThreeTimesThenTheContactIsLost)
{
    CLinkRig rig;
    for (unsigned n = 1; n <= 4; ++n)
        rig.Synth().Faults().AtAnswer(n, Corrupt());
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 20));
    const std::string request = "slot A: SynthDataRequest SlotSelectionRequest SlotFocusRequest NumberOfVoicesRequest";
    const auto log = rig.SynthLog();
    EXPECT_EQ(CountLines(log, request), 1);
    EXPECT_GE(log.size(), 2u + 3u) << "the ping, the request and three repeats";
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Lost contact.\r" + kAlertEnd});
    for (const auto& document : rig.patches.documents)
        EXPECT_EQ(document->synth, nullptr);
}

TEST(LinkFault, ThreeCorruptedAnswersInARowAreRecovered)
{
    CLinkRig rig;
    for (unsigned n = 1; n <= 3; ++n)
        rig.Synth().Faults().AtAnswer(n, Corrupt());
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    EXPECT_TRUE(rig.application.alerts.empty());
    EXPECT_EQ(rig.Port().GetRetryCount(), 0) << "a good frame resets the count";
    EXPECT_TRUE(rig.SynthObject().HasSettings());
}

// A lost answer of a dump frame is overdue after 5,000 ms and asked again.
TEST(LinkFault, ALostAnswerIsAskedAgainWhenOverdue)
{
    CLinkRig rig;
    rig.Synth().Faults().AtAnswer(2, {sim::SimAnswerFault::Drop});
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.StepUntil([&] { return CountLines(rig.SynthLog(), "slot A: SessionNumberRequest") == 1; }));
    rig.Step();
    ASSERT_TRUE(rig.Port().IsAwaitingAnswer());
    const size_t before = rig.SynthLog().size();
    rig.Steps(5000 / 50 - 1);
    EXPECT_EQ(rig.SynthLog().size(), before) << "nothing is sent while the answer is awaited";
    rig.Step();
    EXPECT_EQ(rig.SynthLog().size(), before + 1);
    EXPECT_EQ(rig.SynthLog().back(), "repeated frame: answered again");
    ASSERT_TRUE(rig.Settle());
    EXPECT_TRUE(rig.application.alerts.empty());
}

TEST(LinkFault, AnswersLostFourTimesLoseTheContact)
{
    CLinkRig rig;
    for (unsigned n = 2; n <= 5; ++n)
        rig.Synth().Faults().AtAnswer(n, {sim::SimAnswerFault::Drop});
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 4 * 110));
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Lost contact.\r" + kAlertEnd});
}

// A request frame is gone once sent, and nothing else can be repeated: a
// bad frame then ends the contact at once. The synthesizer object is gone
// when the alert is built, so the status text names the port, not the
// synthesizer's name.
TEST(LinkFault, ABadFrameWithoutADumpFrameInFlightLosesTheContactAtOnce)
{
    for (const bool requestAwaited : {true, false}) {
        CLinkRig rig;
        rig.patches.loadFromSynth = false;
        rig.Synth().Settings().name = "Stage";
        rig.OpenPort(0, 0);
        ASSERT_TRUE(rig.Settle());
        ASSERT_EQ(rig.Port().GetDisplayName(), "Stage");
        if (requestAwaited)
            rig.SynthObject().SendSynthSettings(rig.SynthObject().GetSettings());
        ASSERT_EQ(rig.Port().IsAwaitingAnswer(), requestAwaited);
        rig.Inject(CorruptedAnswer());
        rig.Step();
        EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
        EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Lost contact.\r" + kAlertEnd});
    }
}

// The synthesizer's error report fails the port with its text, which ends
// with a period of its own.
TEST(LinkFault, ASynthesizerErrorFailsThePortWithItsText)
{
    CLinkRig rig;
    rig.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Error, 0, 5});
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 10));
    EXPECT_EQ(rig.application.alerts,
              std::vector<std::string>{"[STOP]Synth exception.\rStream execute error. Synth may be corrupted. "
                                       "Please turn it off and on.\r" +
                                       kAlertEnd});
}

// Live edits are not held back by an answer awaited.
TEST(LinkFault, LiveFramesPassWhileARequestAwaitsItsAnswer)
{
    sim::SimConfig config;
    config.latencyMs = 400;
    CLinkRig rig({config});
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    CSynth& synth = rig.SynthObject();
    synth.SendSynthSettings(synth.GetSettings());
    ASSERT_TRUE(rig.Port().IsAwaitingAnswer());
    rig.Synth().ClearLog();
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMParamChange>(1, 1, 0, 64));
    packet.SetSlot(2);
    synth.SendLiveEdit(packet);
    const auto log = rig.SynthLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("ParamChange"), std::string::npos) << log[0];
    EXPECT_TRUE(rig.Port().IsAwaitingAnswer());
}

// A failed send marks the port out of memory; its next idle step fails it.
TEST(LinkFault, AReportedLackOfMemoryFailsThePortAtItsNextStep)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    rig.Manager().ReportOutOfMemory(0);
    rig.Step();
    EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Out of memory.\r" + kAlertEnd});
}

// A document that cannot take what the synthesizer sent fails the port;
// the alert says why, made safe to stand in the alert's script.
TEST(LinkFault, ADocumentsApplyErrorFailsThePort)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    rig.Steps(2);
    rig.patches.Find(0, 0)->applyError = "Module [Osc^1] doesn't exist";
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 100));
    ASSERT_EQ(rig.application.alerts.size(), 1u);
    EXPECT_EQ(rig.application.alerts[0], "[STOP]Out of memory.\rModule (Osc~1) doesn't exist.\r" + kAlertEnd);
}

// A ping the MIDI output refuses (the device went away) fails the port with
// the system's reason instead of leaving the idle step by an exception.
TEST(LinkFault, APingTheOutputRefusesFailsThePort)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::UpdateMode; // stays, pinging every 2 s
    rig.OpenPort(0, 0);
    rig.Steps(2);
    ASSERT_EQ(rig.Port().GetStatus(), CSynthPort::kUpdateMode);
    rig.SimPort().Device().FailSend(platform::midierr::kNoDevice);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 60));
    EXPECT_EQ(rig.application.alerts,
              std::vector<std::string>{"[STOP]Out of memory.\rThe MIDI device is no longer present.\r" + kAlertEnd});
}
