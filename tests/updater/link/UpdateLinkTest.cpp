// The update link against the update-mode simulated synthesizer, through a
// virtual MIDI device and the framework's MIDI worker.

#include "tests/updater/support/UpdateLinkFixture.h"

#include <algorithm>

using namespace NSBootwren;
using updatertest::SmallSyntheticImage;
using updatertest::SyntheticImage;

namespace {

class UpdateLinkIdentify : public updatertest::UpdateLinkTest { };

TEST_F(UpdateLinkIdentify, RepliesGiveTheResultAndTheVersion)
{
    const struct {
        const char* name;
        const char* model;
        size_t length;
        bool updateMode;
        uint8_t modelByte;
        uint8_t family;
        int32_t result;
        uint32_t version;
    } cases[] = {
        {"13 bytes", "Pebix Kandrel", 13, true, 2, 6, kIdentifyFound, 0x020A05},
        {"12 bytes: build 0", "Pebix Kandrel", 12, true, 2, 6, kIdentifyFound, 0x020A00},
        {"11 bytes: model byte 0", "Kandrel", 11, true, 2, 6, kIdentifyFound, 0x020A00},
        {"11 bytes: model byte 0 is no Pebix", "Pebix Kandrel", 11, true, 2, 6, kIdentifyWrongModel, 0x7F7F00},
        {"10 bytes", "Pebix Kandrel", 10, true, 2, 6, kIdentifyNotInUpdateMode, 0x7F7F00},
        {"14 bytes", "Pebix Kandrel", 14, true, 2, 6, kIdentifyNotInUpdateMode, 0x7F7F00},
        {"normal state", "Pebix Kandrel", 13, false, 2, 6, kIdentifyNotInUpdateMode, 0x7F7F00},
        {"Kandrel byte to a Pebix image", "Pebix Kandrel", 13, true, 1, 6, kIdentifyWrongModel, 0x7F7F00},
        {"Kandrel byte 1", "Kandrel", 13, true, 1, 6, kIdentifyFound, 0x020A05},
        {"model byte 3", "Kandrel", 13, true, 3, 6, kIdentifyWrongModel, 0x7F7F00},
        {"another family", "Kandrel", 13, true, 1, 5, kIdentifyWrongModel, 0x7F7F00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        synth.Config().replyLength = c.length;
        synth.Config().updateMode = c.updateMode;
        synth.Config().modelByte = c.modelByte;
        synth.Config().replyFamily = c.family;
        synth.Config().version = {2, 10, 5};
        Start(SmallSyntheticImage(10, c.model));
        link->StartIdentify();
        Tick();
        EXPECT_EQ(link->GetIdentifyResult(), c.result);
        EXPECT_EQ(link->GetCurrentVersion(), c.version);
        // A final result ends the search: no more requests go out.
        Run(3000);
        EXPECT_EQ(synth.IdentifyCount(), 1);
        EXPECT_EQ(link->GetIdentifyResult(), c.result);
    }
}

TEST_F(UpdateLinkIdentify, NoReplyAfterExactlyFiveRequests)
{
    synth.Faults().silent = true;
    Start(SmallSyntheticImage(10));
    const uint64_t start = Now();
    link->StartIdentify();
    Tick();
    while (link->GetIdentifyResult() == kIdentifyLooking && Now() - start < 10000) {
        clock.Advance(10);
        Tick();
    }
    EXPECT_EQ(link->GetIdentifyResult(), kIdentifyNoReply);
    EXPECT_EQ(synth.IdentifyCount(), 5);
    // The fifth request goes out after four intervals of just over a second,
    // and the search ends an interval after it.
    EXPECT_GT(Now() - start, 5000u);
    EXPECT_LE(Now() - start, 5060u);
    Run(3000);
    EXPECT_EQ(synth.IdentifyCount(), 5);
}

TEST_F(UpdateLinkIdentify, AnUnknownReplyKindEndsTheSearch)
{
    synth.Faults().replyKind = 0x05;
    Start(SmallSyntheticImage(10));
    link->StartIdentify();
    Run(4000);
    EXPECT_EQ(link->GetIdentifyResult(), kIdentifyNotInUpdateMode);
    EXPECT_EQ(synth.IdentifyCount(), 1);
}

TEST_F(UpdateLinkIdentify, AReplyWhileNobodyLooksIsIgnored)
{
    Start(SmallSyntheticImage(10));
    link->StartIdentify();
    link->StopIdentify();
    Tick();
    EXPECT_EQ(link->GetIdentifyResult(), kIdentifyIdle);
    EXPECT_EQ(link->GetCurrentVersion(), 0x7F7F00u);
    EXPECT_EQ(link->GetCurrentVersionText(), "V127.127");
}

TEST_F(UpdateLinkIdentify, ShortMessagesAreIgnored)
{
    synth.Faults().silent = true;
    Start(SmallSyntheticImage(10));
    link->StartIdentify();
    // The instrument sends messages too short to carry a kind.
    for (const std::vector<uint8_t>& m : {std::vector<uint8_t>{0xF0, 0xF7}, std::vector<uint8_t>{0xF0, 0x7D, 0xF7},
                                          std::vector<uint8_t>{0xF0, 0x7D, 0x01, 0x06, 0xF7}})
        port->Device().Send(m);
    Tick();
    EXPECT_EQ(link->GetIdentifyResult(), kIdentifyLooking);
    const std::vector<uint8_t> reply{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 1, 0x7F, 0, 0, 2, 0xF7};
    port->Device().Send(reply);
    Tick();
    EXPECT_EQ(link->GetIdentifyResult(), kIdentifyFound);
    EXPECT_EQ(link->GetCurrentVersionText(), "V3.01");
}

TEST_F(UpdateLinkIdentify, RepliesAmongOtherTrafficAreFound)
{
    const struct {
        const char* name;
        void (*set)(sim::SimUpdateFaults&);
    } cases[] = {
        {"another maker's message first", [](sim::SimUpdateFaults& f) { f.otherMaker = true; }},
        {"reply split over two blocks", [](sim::SimUpdateFaults& f) { f.splitReply = true; }},
        {"two messages in one block", [](sim::SimUpdateFaults& f) { f.twoInOneBlock = true; }},
        {"an oversized message first in the block", [](sim::SimUpdateFaults& f) { f.oversizedFirst = true; }},
        {"oversized first and the reply split",
         [](sim::SimUpdateFaults& f) {
             f.oversizedFirst = true;
             f.splitReply = true;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        c.set(synth.Faults());
        Start(SmallSyntheticImage(10));
        link->StartIdentify();
        Tick();
        EXPECT_EQ(link->GetIdentifyResult(), kIdentifyFound);
        EXPECT_EQ(link->GetCurrentVersionText(), "V3.00");
    }
}

class UpdateLinkDump : public updatertest::UpdateLinkTest { };

TEST_F(UpdateLinkDump, FullSizeImageArrivesWholeAndPaced)
{
    const SyntheticImage full = updatertest::FullSizeSyntheticImage();
    Start(full);
    link->StartDump();
    Tick();
    EXPECT_TRUE(synth.HeaderReceived());
    EXPECT_EQ(synth.PacketCount(), 0); // the first packet goes in the next tick
    EXPECT_EQ(link->GetDumpState(), kDumpSending);
    RunDump();
    EXPECT_EQ(link->GetDumpState(), kDumpDone);
    EXPECT_EQ(link->GetProgress(), 1000.0);
    EXPECT_EQ(synth.AnnouncedLength(), 354016u);
    EXPECT_EQ(synth.AnnouncedVersion(), (std::array<uint8_t, 2>{3, 3}));
    EXPECT_EQ(synth.PacketCount(), 3161);
    EXPECT_TRUE(synth.Payload() == full.payload);
    EXPECT_GE(synth.ShortestGapMs(), 30u);
    EXPECT_TRUE(synth.Errors().empty()) << synth.Errors().front();
}

TEST_F(UpdateLinkDump, PayloadsAtThePacketEdges)
{
    const struct {
        size_t size;
        int packets;
    } cases[] = {{0, 0}, {1, 1}, {111, 1}, {112, 1}, {113, 2}, {225, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        TearDown();
        synth = sim::CSimUpdateSynth();
        SyntheticImage small = SmallSyntheticImage(c.size);
        if (c.size == 225)
            for (size_t i = 0; i < 225; ++i)
                small.payload[i] = static_cast<uint8_t>(0x80 + i % 0x80); // every byte at or above 0x80
        Start(small);
        link->StartDump();
        EXPECT_EQ(link->GetProgress(), 0.0);
        RunDump();
        EXPECT_EQ(link->GetDumpState(), kDumpDone);
        EXPECT_EQ(synth.PacketCount(), c.packets);
        EXPECT_TRUE(synth.Payload() == small.payload);
        EXPECT_TRUE(synth.Errors().empty());
    }
}

TEST_F(UpdateLinkDump, SafeModePausesTwoHundredMilliseconds)
{
    synth.Config().minimumGapMs = 200;
    Start(SmallSyntheticImage(1000));
    link->SetSafeMode();
    link->StartDump();
    RunDump();
    EXPECT_EQ(link->GetDumpState(), kDumpDone);
    EXPECT_EQ(synth.PacketCount(), 9);
    EXPECT_GE(synth.ShortestGapMs(), 200u);
    EXPECT_TRUE(synth.Errors().empty());
}

TEST_F(UpdateLinkDump, PacketsKeepTheCablesPaceWhenTheOutputTakesThemAtOnce)
{
    // The virtual output reports each block done as soon as it has it, as the
    // ALSA sequencer does. A 134-byte packet takes 42.88 ms on the cable; the
    // synthesizer then needs 30 ms of silence (200 ms in safe mode).
    const struct {
        bool safe;
        uint64_t gap; // the shortest time from one packet's start to the next
    } cases[] = {{false, 73}, {true, 243}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.safe ? "safe" : "normal");
        TearDown();
        synth = sim::CSimUpdateSynth();
        synth.Config().minimumGapMs = static_cast<uint32_t>(c.gap);
        Start(SmallSyntheticImage(112 * 8));
        if (c.safe)
            link->SetSafeMode();
        link->StartDump();
        // Ticks as often as a busy run loop would: only the link spaces the packets.
        uint64_t longestTick = 0;
        while (link->GetDumpState() == kDumpHeader || link->GetDumpState() == kDumpSending) {
            ASSERT_LT(Now(), 10000u);
            clock.Advance(1);
            const uint64_t before = Now();
            Tick();
            longestTick = std::max(longestTick, Now() - before);
        }
        RunDump();
        EXPECT_EQ(link->GetDumpState(), kDumpDone);
        EXPECT_EQ(synth.PacketCount(), 8);
        EXPECT_GE(synth.ShortestGapMs(), c.gap);
        EXPECT_LE(synth.ShortestGapMs(), c.gap + 2); // and not much slower
        EXPECT_TRUE(synth.Errors().empty()) << synth.Errors().front();
        // No tick holds the main thread longer than one packet's wire time.
        EXPECT_LE(longestTick, 44u);
    }
}

TEST_F(UpdateLinkDump, ProgressOfAnEmptyPayloadIsZeroUntilDone)
{
    synth.Faults().verdictDelayMs = 500;
    Start(SmallSyntheticImage(0));
    link->StartDump();
    RunUntil([&] { return link->GetDumpState() == kDumpWaiting; });
    EXPECT_EQ(link->GetDumpState(), kDumpWaiting);
    EXPECT_EQ(link->GetProgress(), 0.0);
    RunDump();
    EXPECT_EQ(link->GetDumpState(), kDumpDone);
    EXPECT_EQ(link->GetProgress(), 1000.0);
}

TEST_F(UpdateLinkDump, ProgressFollowsTheBytesSent)
{
    Start(SmallSyntheticImage(1120));
    link->StartDump();
    RunUntil([&] { return synth.PacketCount() == 5; });
    EXPECT_EQ(link->GetProgress(), 500.0);
    link->StopDump();
    EXPECT_EQ(link->GetProgress(), 0.0);
}

TEST_F(UpdateLinkDump, VerdictsAndTheirTimeLimit)
{
    const struct {
        const char* name;
        void (*set)(sim::SimUpdateFaults&);
        int32_t state;
    } cases[] = {
        {"refused with 7E", [](sim::SimUpdateFaults& f) { f.refuse = true; }, kDumpFailed},
        {"no verdict", [](sim::SimUpdateFaults& f) { f.noVerdict = true; }, kDumpFailed},
        {"acknowledged after 11.9 s", [](sim::SimUpdateFaults& f) { f.verdictDelayMs = 11900; }, kDumpDone},
        {"acknowledged after 12.2 s", [](sim::SimUpdateFaults& f) { f.verdictDelayMs = 12200; }, kDumpFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        c.set(synth.Faults());
        Start(SmallSyntheticImage(300));
        link->StartDump();
        RunDump(30000);
        EXPECT_EQ(link->GetDumpState(), c.state);
    }
}

TEST_F(UpdateLinkDump, WithoutAVerdictTheDumpFailsJustAfterTwelveSeconds)
{
    synth.Faults().noVerdict = true;
    Start(SmallSyntheticImage(50));
    link->StartDump();
    RunUntil([&] { return link->GetDumpState() == kDumpWaiting; });
    ASSERT_EQ(link->GetDumpState(), kDumpWaiting);
    clock.Advance(12000);
    Tick();
    EXPECT_EQ(link->GetDumpState(), kDumpWaiting);
    clock.Advance(1);
    Tick();
    EXPECT_EQ(link->GetDumpState(), kDumpFailed);
}

TEST_F(UpdateLinkDump, AnAcknowledgementWhileSendingIsIgnored)
{
    synth.Faults().earlyAckAfterPacket = 0;
    synth.Faults().noVerdict = true;
    Start(SmallSyntheticImage(2000));
    link->StartDump();
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(link->GetDumpState(), kDumpSending);
    RunDump(30000);
    EXPECT_EQ(link->GetDumpState(), kDumpFailed);
    EXPECT_TRUE(synth.EndReceived());
}

TEST_F(UpdateLinkDump, AgainFromTheFirstByte)
{
    const SyntheticImage small = SmallSyntheticImage(500);
    Start(small);
    link->StartDump();
    Tick();
    Tick();
    link->StopDump();
    link->StartDump();
    RunDump();
    EXPECT_EQ(link->GetDumpState(), kDumpDone);
    EXPECT_TRUE(synth.Payload() == small.payload);
}

TEST_F(UpdateLinkDump, WithoutPortsTheDumpFails)
{
    Start(SmallSyntheticImage(500), false);
    link->StartDump();
    Tick();
    EXPECT_EQ(link->GetDumpState(), kDumpFailed);
}

TEST_F(UpdateLinkDump, ASendThatFailsEndsTheDump)
{
    Start(SmallSyntheticImage(5000));
    link->StartDump();
    RunUntil([&] { return synth.PacketCount() == 2; });
    port->Device().FailSend(platform::midierr::kNoMemory);
    RunUntil([&] { return link->GetDumpState() != kDumpSending; }, 200);
    EXPECT_EQ(link->GetDumpState(), kDumpFailed);
}

} // namespace
