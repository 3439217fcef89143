// Finding the synthesizer on a port and keeping in contact with it: the
// identify exchange, the status it leads to, pings after silence.
#include "LinkRig.h"

#include <algorithm>

using namespace linkrig;

namespace {

int CountPings(CLinkRig& rig, size_t synth = 0)
{
    const auto log = rig.SynthLog(synth);
    return static_cast<int>(std::count(log.begin(), log.end(), "identify ping"));
}

const std::string kAlertEnd = "Open the MIDI dialog and enable the port again.[OK]";

} // namespace

TEST(LinkContact, TheFirstIdleStepPingsAndTheReplyConnects)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kLooking);
    EXPECT_EQ(rig.Port().GetStatusText(), "Looking...");
    EXPECT_EQ(rig.Port().GetDisplayName(), "Looking...");

    rig.Step();
    EXPECT_EQ(CountPings(rig), 1);
    EXPECT_TRUE(rig.Port().IsAwaitingAnswer());
    rig.Step();
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
    EXPECT_EQ(rig.Port().GetStatusText(), "Kandrel V3.03");
    EXPECT_EQ(rig.Port().GetModelName(), "Kandrel");
    ASSERT_TRUE(rig.Port().HasSynth());
    EXPECT_EQ(rig.SynthObject().GetSlotCount(), 4);
    EXPECT_TRUE(rig.Manager().HasSynth(0));
    EXPECT_EQ(rig.Manager().CountSynths(), 1);
}

TEST(LinkContact, EachModelGetsItsSynthesizerObject)
{
    struct Case {
        sim::SimModel model;
        const char* text;
        uint8_t slots;
        uint32_t modelFlag;
    };
    for (const Case& c :
         {Case{sim::SimModel::Kandrel, "Kandrel V3.03", 4, 0}, Case{sim::SimModel::KandrelR, "Kandrel R V3.03", 4, 0},
          Case{sim::SimModel::Pebix, "Pebix V3.03", 1, 1}}) {
        sim::SimConfig config;
        config.model = c.model;
        CLinkRig rig({config});
        rig.OpenPort(0, 0);
        rig.Steps(2);
        EXPECT_EQ(rig.Port().GetStatusText(), c.text);
        ASSERT_TRUE(rig.Port().HasSynth()) << c.text;
        EXPECT_EQ(rig.SynthObject().GetSlotCount(), c.slots);
        EXPECT_EQ(rig.SynthObject().GetModelFlag(), c.modelFlag);
        EXPECT_EQ(rig.patches.documents.size(), c.slots) << "an empty document per slot";
    }
}

// Replies that do not connect: the port stays and shows why, or (for a
// malformed reply) fails and is closed with an alert.
TEST(LinkContact, IdentifyRepliesThatDoNotConnect)
{
    struct Case {
        sim::SimIdentifyFault fault;
        int32_t status;
        std::string text;
    };
    for (const Case& c : {Case{sim::SimIdentifyFault::UnknownModel, 3, "Unsupported model"},
                          Case{sim::SimIdentifyFault::OtherVersion, 4, "Ver err V3.12"},
                          Case{sim::SimIdentifyFault::UpdateMode, 8, "Update mode"}}) {
        CLinkRig rig;
        rig.Synth().Faults().identify = c.fault;
        rig.OpenPort(0, 0);
        rig.Steps(2);
        ASSERT_NE(rig.Manager().GetPort(0), nullptr) << c.text;
        EXPECT_EQ(rig.Port().GetStatus(), c.status);
        EXPECT_EQ(rig.Port().GetStatusText(), c.text);
        EXPECT_FALSE(rig.Port().HasSynth());
        EXPECT_FALSE(rig.Port().IsFailed());
        EXPECT_TRUE(rig.application.alerts.empty());
    }
}

TEST(LinkContact, AMalformedReplyFailsThePort)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::Short;
    rig.OpenPort(0, 0);
    rig.Steps(3);
    EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Version courrupted.\r" + kAlertEnd});
}

TEST(LinkContact, VersionThreeZeroAnyConnectsAndThreeOneDoesNot)
{
    sim::SimConfig config;
    config.version = {3, 9, 0, 0, 0};
    CLinkRig rig({config});
    rig.OpenPort(0, 0);
    rig.Steps(2);
    EXPECT_EQ(rig.Port().GetStatusText(), "Kandrel V3.09");
}

TEST(LinkContact, NoReplyIsStillLookingAfterFiveSeconds)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::NoReply;
    rig.OpenPort(0, 0);
    rig.Step(); // pings
    int steps = 0;
    while (rig.Port().GetStatus() == CSynthPort::kLooking && steps < 200) {
        rig.Step();
        ++steps;
    }
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kStillLooking);
    EXPECT_EQ(rig.Port().GetStatusText(), "Still looking...");
    // The answer is overdue after more than 5,000 ms, at 50 ms a step.
    EXPECT_EQ(steps, 5000 / 50 + 1);
    EXPECT_EQ(CountPings(rig), 1);
    rig.Step();
    EXPECT_EQ(CountPings(rig), 2) << "the next step pings again";
    EXPECT_TRUE(rig.application.alerts.empty());
}

TEST(LinkContact, PingsFollowTwoSecondsOfSilenceOnlyWhileTheApplicationIsActive)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::UpdateMode; // answers, but never connects
    rig.OpenPort(0, 0);
    rig.Steps(2);
    ASSERT_EQ(rig.Port().GetStatus(), CSynthPort::kUpdateMode);
    ASSERT_EQ(CountPings(rig), 1);
    // Heard during the second step; silent for more than 2,000 ms at the
    // 42nd step after it.
    rig.Steps(40);
    EXPECT_EQ(CountPings(rig), 1);
    rig.Steps(2);
    EXPECT_EQ(CountPings(rig), 2);

    rig.application.active = false;
    rig.Steps(400); // 20 s in the background
    EXPECT_EQ(CountPings(rig), 2);
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kUpdateMode) << "no lost contact from silence alone";
    rig.application.active = true;
    rig.Step();
    EXPECT_EQ(CountPings(rig), 3);
}

TEST(LinkContact, APingWhileConnectedWithTheSameVersionChangesNothing)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    CSynth* const synth = &rig.SynthObject();
    const int pings = CountPings(rig);
    ASSERT_TRUE(rig.StepUntil([&] { return CountPings(rig) > pings; }, 200));
    rig.Steps(3);
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
    EXPECT_EQ(&rig.SynthObject(), synth);
}

TEST(LinkContact, AnotherVersionWhileConnectedEndsInNewFound)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.Synth().Faults().changeVersionAfter = 1;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 200));
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: New found.\r" + kAlertEnd});
    for (const auto& document : rig.patches.documents)
        EXPECT_EQ(document->synth, nullptr) << "every slot's document is released";
}

// Another device's universal identity request on the same cable is not
// taken for a reply, so it fails nothing.
TEST(LinkContact, OtherDevicesMessagesAreDropped)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    rig.Inject(Bytes{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7});
    rig.Inject(Bytes{0xF0, 0x7E, 0x00, 0x06, 0x02, 0x41, 0, 0, 0, 0, 0xF7});
    rig.Steps(2);
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
    EXPECT_TRUE(rig.application.alerts.empty());
}

TEST(LinkContact, AReplyOfOurIdOfAnotherLengthIsCorrupted)
{
    CLinkRig rig;
    rig.Synth().Faults().identify = sim::SimIdentifyFault::NoReply;
    rig.OpenPort(0, 0);
    rig.Step();
    rig.Inject(Bytes{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0, 0xF7});
    rig.Step();
    EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Version courrupted.\r" + kAlertEnd});
}

TEST(LinkContact, StatusTexts)
{
    const std::array<uint8_t, 5> version{3, 3, 0, 0, 0};
    const std::vector<std::pair<int32_t, std::string>> cases{
        {1, "Looking..."},    {2, "Still looking..."},      {3, "Unsupported model"}, {4, "Ver err V3.03"},
        {5, "New found"},     {6, "Version courrupted"},    {7, "Lost contact"},      {8, "Update mode"},
        {9, "Out of memory"}, {10, "Uplink chk sum error"}, {11, "Synth exception"},  {12, "Pebix V3.03"},
        {0, "Status error"},  {13, "Status error"},
    };
    for (const auto& [status, text] : cases)
        EXPECT_EQ(CSynthPort::MakeStatusText(status, CSynthPort::kModelPebix, version), text) << status;
    EXPECT_EQ(CSynthPort::MakeStatusText(12, 0, std::array<uint8_t, 5>{3, 12, 0, 0, 0}), "Unknown V3.12");
}

// The synthesizer object cannot be made when a slot's document cannot: the
// documents already bound are released and the port fails.
TEST(LinkContact, ASlotDocumentThatCannotBeMadeFailsThePort)
{
    CLinkRig rig;
    rig.patches.failSlot = 2;
    rig.OpenPort(0, 0);
    rig.Steps(2);
    EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
    EXPECT_EQ(rig.application.alerts, std::vector<std::string>{"[STOP]Port 1: Out of memory.\r" + kAlertEnd});
    ASSERT_EQ(rig.patches.documents.size(), 2u);
    for (const auto& document : rig.patches.documents) {
        EXPECT_EQ(document->synth, nullptr);
        EXPECT_EQ(document->unlinks, 1);
    }
}
