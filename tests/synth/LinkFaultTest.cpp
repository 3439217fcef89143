// What goes wrong on the cable: corrupted, lost and refused answers, and what
// the link does about them.
#include "LinkRig.h"

#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/SysexFrame.h"

#include <algorithm>
#include <functional>

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

// A message of the synthesizer with a good checksum whose molecule id the
// editor does not know.
Bytes UnreadableMessage()
{
    Bytes frame = SynthMessage(CMParamChange(1, 1, 0, 9), 0, 1);
    frame[SysexFrame::kHeaderLength] = 0x7D;
    uint32_t sum = 0;
    for (size_t i = 0; i + 2 < frame.size(); ++i)
        sum += frame[i];
    frame[frame.size() - 2] = static_cast<uint8_t>(sum & 0x7F);
    return frame;
}

int CountPings(CLinkRig& rig)
{
    return CountLines(rig.SynthLog(), "identify ping");
}

// A port connected and settled, its slots' documents complete.
std::unique_ptr<CLinkRig> SettledRig(const sim::SimConfig& config = {})
{
    auto rig = std::make_unique<CLinkRig>(std::vector<sim::SimConfig>{config});
    rig->patches.loadFromSynth = false;
    rig->OpenPort(0, 0);
    EXPECT_TRUE(rig->Settle());
    return rig;
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
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Lost contact.\r" + kAlertEnd});
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
// Meanwhile only the contact pings go out, one after each 2,000 ms without
// a word from the synthesizer, and their answers leave the frame awaited.
TEST(LinkFault, ALostAnswerIsAskedAgainWhenOverdue)
{
    CLinkRig rig;
    rig.Synth().Faults().AtAnswer(2, {sim::SimAnswerFault::Drop});
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.StepUntil([&] { return CountLines(rig.SynthLog(), "slot A: SessionNumberRequest") == 1; }));
    rig.Step();
    ASSERT_TRUE(rig.Port().IsAwaitingAnswer());
    rig.SynthReceived();
    const size_t before = rig.SynthLog().size();
    rig.Steps(5000 / 50 - 1);
    const auto identify = MakeIdentifyFrame();
    const std::vector<Bytes> pings(2, Bytes(identify.begin(), identify.end()));
    EXPECT_EQ(rig.SynthReceived(), pings) << "the pings alone, at 2,000 and 4,000 ms";
    EXPECT_TRUE(rig.Port().IsAwaitingAnswer());
    rig.Step();
    EXPECT_EQ(rig.SynthLog().size(), before + 2 + 1);
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
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Lost contact.\r" + kAlertEnd});
}

// With nothing awaited a bad frame asks for the contact: a ping goes out at
// once, and its reply keeps the link.
TEST(LinkFault, ABadFrameWithNothingAwaitedAsksForTheContact)
{
    const auto rig = SettledRig();
    ASSERT_FALSE(rig->Port().IsAwaitingAnswer());
    const int pings = CountPings(*rig);
    rig->Inject(CorruptedAnswer());
    rig->Step();
    EXPECT_EQ(CountPings(*rig), pings + 1);
    rig->Steps(3);
    EXPECT_TRUE(rig->Manager().HasSynth(0));
    EXPECT_FALSE(rig->Port().IsAwaitingAnswer());
    EXPECT_EQ(rig->Port().GetRetryCount(), 0) << "the ping's reply resets the count";
    EXPECT_TRUE(rig->application.alerts.empty());
}

// Replies to a connected port's contact ping lost on the cable: the ping is
// repeated each time its reply is overdue, three times, and only a fourth
// loss ends the contact.
TEST(LinkFault, ALostPingReplyIsAskedAgainThreeTimes)
{
    for (const int lost : {1, 3, 4}) {
        const auto rig = SettledRig();
        const int pings = CountPings(*rig);
        rig->Synth().Faults().identify = sim::SimIdentifyFault::NoReply;
        ASSERT_TRUE(rig->StepUntil([&] { return CountPings(*rig) == pings + lost; }, lost * (5000 / 50 + 2) + 50))
            << lost;
        rig->Synth().Faults().identify = sim::SimIdentifyFault::None;
        rig->Steps(5000 / 50 + 10);
        const bool held = lost <= 3;
        EXPECT_EQ(rig->Manager().HasSynth(0), held) << lost;
        if (held) {
            EXPECT_EQ(CountPings(*rig), pings + lost + 1) << "one more, answered";
            EXPECT_EQ(rig->Port().GetRetryCount(), 0);
            EXPECT_TRUE(rig->application.alerts.empty());
        } else {
            EXPECT_EQ(rig->application.alerts, std::vector<std::string>{"[STOP]Port 1: Lost contact.\r" + kAlertEnd});
        }
    }
}

// A reply whose version bytes were spoilt on the cable is not taken for a
// new system: the next reply, with the version the port knows, keeps the
// link.
TEST(LinkFault, ASpoiltPingReplyDoesNotEndInNewFound)
{
    const auto rig = SettledRig();
    rig->Synth().Faults().identify = sim::SimIdentifyFault::NoReply;
    const int pings = CountPings(*rig);
    ASSERT_TRUE(rig->StepUntil([&] { return CountPings(*rig) > pings; }));
    rig->Synth().Faults().identify = sim::SimIdentifyFault::None;
    rig->Inject(Bytes{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 0x13, 0, 0, 0, 0, 0xF7});
    rig->Steps(200);
    EXPECT_TRUE(rig->Manager().HasSynth(0));
    EXPECT_EQ(rig->Port().GetStatusText(), "Kandrel V3.03");
    EXPECT_TRUE(rig->application.alerts.empty());
}

// A spoilt message of the synthesizer's own (no answer flag) while a frame
// awaits its answer: the frame is not repeated, which would draw a second
// answer taken for the next frame's; its answer ends the wait.
TEST(LinkFault, ASpoiltMessageOfTheSynthesizersOwnRepeatsNothing)
{
    sim::SimConfig config;
    config.latencyMs = 400;
    const auto rig = SettledRig(config);
    CSynth& synth = rig->SynthObject();
    synth.SendSynthSettings(synth.GetSettings());
    ASSERT_TRUE(rig->Port().IsAwaitingAnswer());
    Bytes spoilt = SynthMessage(CMParamChange(1, 1, 0, 9), 0, 1);
    spoilt[spoilt.size() - 2] ^= 0x01;
    rig->Inject(spoilt);
    ASSERT_TRUE(rig->StepUntil([&] { return !rig->Port().IsAwaitingAnswer(); }, 20));
    EXPECT_EQ(CountLines(rig->SynthLog(), "repeated frame: answered again"), 0);
    EXPECT_TRUE(rig->Manager().HasSynth(0));
}

// An edit frame whose answer is lost is sent again once it is overdue; the
// synthesizer answers the repeat without taking the edit twice, and the link
// goes on. The contact pings go on while the answer is awaited.
TEST(LinkFault, AnEditWhoseAnswerIsLostIsSentAgainAndTakenOnce)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    rig.Synth().Faults().AtAnswer(rig.Synth().AnswerCount() + 1, {sim::SimAnswerFault::Drop});
    rig.Synth().ClearLog();
    rig.SynthReceived();
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMModuleNew>(1, 5, 7, 2, 3, "Osc A"));
    packet.SetSlot(0);
    rig.SynthObject().SendPatchEdit(packet);
    ASSERT_TRUE(rig.Port().IsAwaitingAnswer());
    ASSERT_TRUE(rig.StepUntil([&] { return !rig.Port().IsAwaitingAnswer(); }, 5000 / 50 + 10));
    const auto identify = MakeIdentifyFrame();
    const auto sent = rig.SynthReceived();
    EXPECT_GE(std::count(sent.begin(), sent.end(), Bytes(identify.begin(), identify.end())), 2);
    const auto log = rig.SynthLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return line.find("ModuleNew") != std::string::npos; }),
              1);
    EXPECT_EQ(CountLines(log, "repeated frame: answered again"), 1);
    EXPECT_EQ(rig.Synth().Slot(0).patch.areas[1].modules.count(5), 1u);
    rig.Steps(200);
    EXPECT_TRUE(rig.application.alerts.empty());
    EXPECT_TRUE(rig.Manager().HasSynth(0));
}

// What ends the link and what the alert says: the synthesizer's error
// report with its text (none for a code without one), a frame the editor
// cannot read with the status text alone.
TEST(LinkFault, AFailureOfTheReceivePathGivesItsStatusAndText)
{
    struct Case {
        const char* name;
        std::function<void(CLinkRig&)> cause;
        std::string alert;
    };
    const Case cases[] = {
        {"error code with a text",
         [](CLinkRig& rig) {
             rig.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Error, 0, 5});
         },
         "[STOP]Port 1: Synth exception.\rStream execute error. Synth may be corrupted. Please turn it off and on.\r"},
        {"error code without a text",
         [](CLinkRig& rig) {
             rig.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Error, 0, 9});
         },
         "[STOP]Port 1: Synth exception.\r"},
        {"frame that cannot be read",
         [](CLinkRig& rig) {
             rig.Steps(2);
             rig.Inject(UnreadableMessage());
         },
         "[STOP]Port 1: Out of memory.\r"},
    };
    for (const Case& c : cases) {
        CLinkRig rig;
        rig.OpenPort(0, 0);
        c.cause(rig);
        ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 10)) << c.name;
        EXPECT_EQ(rig.application.alerts, std::vector<std::string>{c.alert + kAlertEnd}) << c.name;
    }
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
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Out of memory.\r" + kAlertEnd});
}

// A part the slot's document refuses leaves the port up: the document keeps
// what it took and asks for the rest, and the user sees one alert naming
// the port and slot and what was refused, made safe to stand in the script.
TEST(LinkFault, APartTheSlotsDocumentRefusesLeavesThePortUp)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    rig.Steps(2);
    CRecordingPatch& document = *rig.patches.Find(0, 0);
    document.applyError = "Module [Osc^1] doesn't exist";
    ASSERT_TRUE(rig.StepUntil([&] { return !document.applied.empty(); }, 100));
    ASSERT_TRUE(rig.Settle());
    EXPECT_TRUE(rig.Manager().HasSynth(0));
    EXPECT_EQ(rig.application.alerts,
              std::vector<std::string>{"[WARN]Port 1, slot A: the synthesizer's patch was not taken in full.\r"
                                       "Module (Osc~1) doesn't exist.[OK]"});
    EXPECT_TRUE(document.parts.empty()) << "every part was still asked for";
    EXPECT_EQ(document.applied.size(), document.asked.size()) << "and applied";
}

// The MIDI output refusing a ping (the device went away) loses the contact,
// with the system's reason, instead of leaving the idle step by an exception.
TEST(LinkFault, APingTheOutputRefusesFailsThePort)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::UpdateMode; // stays, pinging every 2 s
    rig.OpenPort(0, 0);
    rig.Steps(2);
    ASSERT_EQ(rig.Port().GetStatus(), CSynthPort::kUpdateMode);
    rig.SimPort().Device().FailSend(platform::midierr::kNoDevice);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 60));
    EXPECT_EQ(
        rig.application.alerts,
        std::vector<std::string>{"[STOP]Port 1: Lost contact.\rThe MIDI device is no longer present.\r" + kAlertEnd});
}

// A handler of a port's step that shows an alert runs the idle step from
// the alert's loop, here for 30 s while that port's synthesizer has gone
// silent. The port is not stepped again beneath its own step (where it
// would fail and be deleted under its handler), while the other port keeps
// its contact; the silent one is lost, and the user told, once its step
// has ended.
TEST(LinkFault, APortIsNotSteppedBeneathItsOwnStep)
{
    CLinkRig rig({sim::SimConfig{}, sim::SimConfig{}});
    rig.OpenPort(0, 0);
    rig.OpenPort(1, 1);
    ASSERT_TRUE(rig.Settle(0));
    ASSERT_TRUE(rig.Settle(1));
    CRecordingPatch& document = *rig.patches.Find(0, 0);
    int alertSteps = 0;
    document.duringApply = [&] {
        rig.Synth(0).Faults().identify = sim::SimIdentifyFault::NoReply;
        rig.SynthLog(1);
        for (; alertSteps < 600; ++alertSteps)
            rig.Step();
        EXPECT_TRUE(rig.application.alerts.empty());
        EXPECT_TRUE(rig.Manager().HasSynth(1));
        EXPECT_GE(CountLines(rig.SynthLog(1), "identify ping"), 10) << "the other port's pings went on";
    };
    rig.Inject(SynthMessage(CMParamChange(1, 1, 0, 9), 0, rig.SynthObject(0).GetSlotNumber(0)));
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 600));
    EXPECT_EQ(alertSteps, 600);
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Lost contact.\r" + kAlertEnd});
    EXPECT_TRUE(rig.Manager().HasSynth(1));
}
