// The editor's synthesizer-level messages against the simulated synthesizer:
// identify, state, session numbers, settings, selection, focus, notes, and
// what the synthesizer tells on its own (panel changes, value frames).

#include "tests/integration/EditorLink.h"

#include "synth/protocol/ParamValueBlock.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/SynthMolecules.h"

namespace {

using namespace linktest;

TEST(EditorLinkSynth, IdentifyPingIsAnsweredWithAReplyTheEditorRecognises)
{
    struct Case {
        sim::SimModel model;
        uint8_t modelByte;
    };
    for (const Case c :
         {Case{sim::SimModel::Kandrel, 0}, Case{sim::SimModel::KandrelR, 1}, Case{sim::SimModel::Pebix, 2}}) {
        sim::SimConfig config;
        config.model = c.model;
        CEditorLink link(config);
        const auto ping = MakeIdentifyFrame();
        link.Send(Bytes(ping.begin(), ping.end()));
        const auto replies = link.Run();
        ASSERT_EQ(replies.size(), 1u);
        const Bytes& reply = replies[0];
        EXPECT_TRUE(IsIdentifyReply(reply));
        EXPECT_FALSE(IsEditorFrame(reply));
        ASSERT_EQ(reply.size(), 12u);
        EXPECT_EQ(reply[10], c.modelByte);
        // The version check of the port: major equal, minor / 10 equal.
        EXPECT_EQ(reply[5], kEditorVersion.major);
        EXPECT_EQ(reply[6] / 10, kEditorVersion.minor);
        EXPECT_NE(reply[7], 0x7F);
    }
}

TEST(EditorLinkSynth, StateRequestIsAnsweredWithSettingsSelectionFocusAndVoices)
{
    CEditorLink link;
    link.Synth().Settings().name = "Stage left";
    link.Synth().Settings().masterTune = -37;
    link.Synth().Settings().slots[0] = {5, true, {3, 2, 1, 0}};
    link.Synth().Settings().slots[1] = {9, false, {0, 1, 2, 3}};
    link.Synth().Selection() = {true, false, true, false};
    link.Synth().Slot(2).voices = 17;
    link.Synth().PanelSlotFocus(2);
    link.Run();

    const CMSynthDataRequest settings;
    const CMSlotSelectionRequest selection;
    const CMSlotFocusRequest focus;
    const CMNumberOfVoicesRequest voices;
    const auto answer = link.Ask({&settings, &selection, &focus, &voices}, 0, std::nullopt);
    ASSERT_EQ(answer->GetCount(), 4u);
    EXPECT_EQ(answer->GetTarget(), 1u);
    EXPECT_TRUE(answer->HasNoNumber());

    const CSynthSettings& s = As<CMSynthDataDump>(*answer, 0).GetSettings();
    EXPECT_EQ(s.GetName(), "Stage left");
    EXPECT_EQ(s.GetMasterTune(), -37);
    EXPECT_EQ(s.GetClockRate(), 128);
    EXPECT_EQ(s.GetGlobalSync(), 4);
    EXPECT_EQ(s.GetSlotActive(0), 1);
    EXPECT_EQ(s.GetSlotChannel(0), 5);
    EXPECT_EQ(s.GetSlotValue(0, 0), 3);
    EXPECT_EQ(s.GetSlotValue(0, 3), 0);
    EXPECT_EQ(s.GetSlotActive(1), 0);

    const CSlotSelection& sel = As<CMSlotSelectionDump>(*answer, 1).GetSelection();
    EXPECT_TRUE(sel.IsActive(0));
    EXPECT_FALSE(sel.IsActive(1));
    EXPECT_TRUE(sel.IsActive(2));
    EXPECT_FALSE(sel.IsActive(3));
    EXPECT_EQ(As<CMSlotFocusDump>(*answer, 2).GetSlot(), 2);
    EXPECT_EQ(As<CMNumberOfVoicesDump>(*answer, 3).GetVoiceCounts().GetVoices(2), 17);
}

TEST(EditorLinkSynth, SettingsSentByTheEditorAreKeptAndReadBackAlike)
{
    CEditorLink link;
    CSynthSettings settings;
    settings.SetName("Sixteen chars ok");
    settings.SetVelocityMin(12);
    settings.SetVelocityMax(100);
    settings.SetClockRate(200);
    settings.SetGlobalSync(32);
    settings.SetMasterTune(-100);
    settings.SetLocalOn(0);
    settings.SetKeyboardMode(1);
    settings.SetPedalPolarity(1);
    settings.SetKnobMode(0);
    settings.SetProgramChangeSend(0);
    settings.SetSlotActive(3, 1);
    settings.SetSlotChannel(3, 15);
    settings.SetSlotValue(3, 1, 3);
    const CMSynthDataDump dump(settings);
    link.Exchange({&dump}, 0, std::nullopt);
    EXPECT_EQ(link.Synth().Settings().name, "Sixteen chars ok");
    EXPECT_EQ(link.Synth().Settings().masterTune, -100);
    EXPECT_EQ(link.Synth().Settings().slots[3].channel, 15);

    const CMSynthDataRequest request;
    const auto answer = link.Ask({&request}, 0, std::nullopt);
    ASSERT_EQ(answer->GetCount(), 1u);
    EXPECT_TRUE(As<CMSynthDataDump>(*answer, 0).GetSettings() == settings);
}

TEST(EditorLinkSynth, SlotSelectionAndFocusSentByTheEditorAreTakenOver)
{
    sim::SimConfig config;
    config.model = sim::SimModel::Kandrel;
    CEditorLink link(config);
    CSlotSelection selection;
    selection.SetActive(0, true);
    selection.SetActive(1, true);
    selection.SetActive(3, true);
    const CMSlotSelectionDump dump(selection);
    const CMSlotFocusDump focus(3);
    link.Exchange({&dump, &focus}, 0, std::nullopt);
    EXPECT_EQ(link.Synth().Selection(), (std::array<bool, 4>{true, true, false, true}));
    EXPECT_EQ(link.Synth().FocusSlot(), 3);

    const CMSlotFocusDump none;
    link.Exchange({&none}, 0, std::nullopt);
    const CMSlotFocusRequest request;
    const auto answer = link.Ask({&request}, 0, std::nullopt);
    EXPECT_EQ(As<CMSlotFocusDump>(*answer, 0).GetSlot(), CSlotSelection::kNoSlot);
}

TEST(EditorLinkSynth, SessionNumberAnswersForTheSlotOfTheRequest)
{
    CEditorLink link;
    link.Synth().Slot(1).session = 42;
    link.Synth().Slot(2).session = 7;
    for (uint8_t slot : {1, 2}) {
        const CMSessionNumberRequest request;
        const auto answer = link.Ask({&request}, slot, std::nullopt);
        ASSERT_EQ(answer->GetCount(), 1u);
        EXPECT_EQ(answer->GetSlot(), slot);
        EXPECT_EQ(As<CMSessionNumberDump>(*answer, 0).number, link.Synth().Slot(slot).session);
    }
}

TEST(EditorLinkSynth, KeyboardNoteOnAndOffReachTheSynthesizer)
{
    CEditorLink link;
    const CMPlayNote on(CMPlayNote::kNoteOn, 61);
    link.Exchange({&on}, 0, std::nullopt);
    EXPECT_EQ(link.Synth().SoundingNote(), 61);
    const CMPlayNote off(CMPlayNote::kNoteOff, 61);
    link.Exchange({&off}, 0, std::nullopt);
    EXPECT_EQ(link.Synth().SoundingNote(), -1);
}

// What the synthesizer says on its own arrives without flag 0x08 and reads
// as the molecules the editor handles.
TEST(EditorLinkSynth, PanelChangesArriveAsUnsolicitedMoleculesTheEditorReads)
{
    CEditorLink link;
    link.Synth().Slot(1).session = 9;
    const auto only = [&link](auto change) {
        change();
        const auto messages = link.Run();
        EXPECT_EQ(messages.size(), 1u);
        if (messages.empty())
            return std::make_unique<CMoleculePacket>();
        EXPECT_EQ(messages[0][2] & SysexFrame::kFlagLast, 0) << "unsolicited frames are not answers";
        return link.Decode(messages[0]);
    };

    auto packet = only([&] { link.Synth().PanelSelection({true, true, true, false}); });
    EXPECT_TRUE(As<CMSlotSelectionDump>(*packet, 0).GetSelection().IsActive(2));
    EXPECT_EQ(packet->GetTarget(), 1u);

    packet = only([&] { link.Synth().PanelSlotFocus(1); });
    EXPECT_EQ(As<CMSlotFocusDump>(*packet, 0).GetSlot(), 1);

    packet = only([&] { link.Synth().PanelVoices({4, 8, 12, 16}); });
    EXPECT_EQ(As<CMNumberOfVoicesDump>(*packet, 0).GetVoiceCounts().GetVoices(3), 16);

    sim::SimSettings settings;
    settings.name = "Panel";
    packet = only([&] { link.Synth().PanelSettings(settings); });
    EXPECT_EQ(As<CMSynthDataDump>(*packet, 0).GetSettings().GetName(), "Panel");

    packet = only([&] { link.Synth().PanelKnobAssign(1, 19, {2, 1, 3}); });
    const auto& knob = As<CMKnobAssign>(*packet, 0);
    EXPECT_EQ(knob.knob, 19);
    EXPECT_EQ(knob.address, (ParamAddress{2, 1, 3}));
    EXPECT_EQ(packet->GetSlot(), 1);
    EXPECT_EQ(packet->GetSessionNumber(), 9);
    EXPECT_FALSE(packet->HasNoNumber());
    EXPECT_EQ(packet->GetTarget(), 2u);

    packet = only([&] { link.Synth().PanelKnobDeassign(1, 19); });
    EXPECT_EQ(As<CMKnobDeassign>(*packet, 0).knob, 19);

    packet = only([&] { link.Synth().PanelCtrlAssign(1, 7, {2, 1, 2}); });
    EXPECT_EQ(As<CMCtrlAssign>(*packet, 0).controller, 7);
    EXPECT_EQ(As<CMCtrlAssign>(*packet, 0).address, (ParamAddress{2, 1, 2}));

    packet = only([&] { link.Synth().PanelCtrlDeassign(1, 7); });
    EXPECT_EQ(As<CMCtrlDeassign>(*packet, 0).controller, 7);

    packet = only([&] { link.Synth().PanelParamChange(1, {2, 1, 3}, 99); });
    EXPECT_EQ(As<CMParamChange>(*packet, 0).address, (ParamAddress{2, 1, 3}));
    EXPECT_EQ(As<CMParamChange>(*packet, 0).value, 99);
    EXPECT_EQ(packet->GetTarget(), 2u);

    for (const int range : {-128, -20, 0, 127}) {
        packet = only([&] { link.Synth().PanelMorphChange(1, {2, 1, 3}, range); });
        EXPECT_EQ(As<CMMorphChange>(*packet, 0).range, range);
        EXPECT_EQ(As<CMMorphChange>(*packet, 0).address, (ParamAddress{1, 1, 3})) << "read as area 1";
    }

    packet = only([&] { link.Synth().PanelParamFocus(1, {true, {1, 3, 2}}); });
    EXPECT_TRUE(As<CMParamFocusDump>(*packet, 0).present);
    EXPECT_EQ(As<CMParamFocusDump>(*packet, 0).address, (ParamAddress{1, 3, 2}));
}

TEST(EditorLinkSynth, PanelPatchChangeGivesTheSlotANewSessionNumber)
{
    CEditorLink link;
    const uint8_t before = link.Synth().Slot(2).session;
    sim::SimPatch patch;
    patch.name = "From panel";
    link.Synth().PanelPatchChange(2, patch);
    const auto messages = link.Run();
    ASSERT_EQ(messages.size(), 1u);
    const auto packet = link.Decode(messages[0]);
    const auto& release = As<CMSessionPatchRelease>(*packet, 0);
    EXPECT_EQ(release.slot, 2);
    EXPECT_EQ(release.number, link.Synth().Slot(2).session);
    EXPECT_NE(release.number, before);
    EXPECT_EQ(packet->GetTarget(), 1u);
}

TEST(EditorLinkSynth, ValueFramesFillTheSlotsValueBlock)
{
    CEditorLink link;
    auto& slot = link.Synth().Slot(1);
    for (uint16_t i = 0; i < 40; ++i) {
        slot.values[i] = static_cast<uint16_t>(i * 409 + 3);
        slot.states[i] = static_cast<uint8_t>(i % 4);
    }
    for (int first = 0; first < 40; first += 20)
        link.Synth().SendValueFrame(1, 0x39, first);
    for (int first = 0; first < 40; first += 5)
        link.Synth().SendValueFrame(1, 0x3A, first);
    const auto messages = link.Run();
    ASSERT_EQ(messages.size(), 10u);
    CParamValueBlock block;
    for (const Bytes& message : messages) {
        ASSERT_TRUE(IsEditorFrame(message));
        ASSERT_TRUE(IsValueFrame(message));
        ASSERT_TRUE(HasValidChecksum(message));
        EXPECT_EQ(message[2] & SysexFrame::kSlotMask, 1);
        StoreValueFrame(message, block);
    }
    EXPECT_EQ(block.GetValueChangedCount(), 40u);
    for (uint32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(block.TakeValue(i), slot.values[i]) << "entry " << i;
        EXPECT_EQ(block.TakeState(i), slot.states[i]) << "entry " << i;
    }
}

// The synthesizer's running stream of value frames: each is accepted and
// stores the entries it names with what the synthesizer measured then.
TEST(EditorLinkSynth, StreamOfValueFramesIsStoredFrameByFrame)
{
    CEditorLink link;
    link.Synth().StartValueFrames(2, 100);
    std::array<bool, 40> valueSeen{}, stateSeen{};
    for (int step = 0; step < 30; ++step) {
        const auto messages = link.Run(10);
        ASSERT_LE(messages.size(), 1u);
        for (const Bytes& message : messages) {
            ASSERT_TRUE(IsValueFrame(message));
            ASSERT_TRUE(HasValidChecksum(message));
            EXPECT_EQ(message[2] & SysexFrame::kSlotMask, 2);
            CParamValueBlock block;
            StoreValueFrame(message, block);
            const auto& slot = link.Synth().Slot(2);
            const uint32_t first = message[6];
            for (uint32_t i = 0; i < 40; ++i) {
                if (message[5] == SysexFrame::kValuesFrameId && i >= first && i < first + 5) {
                    EXPECT_EQ(block.TakeValue(i), slot.values[i]) << "entry " << i;
                    valueSeen[i] = true;
                }
                if (message[5] == SysexFrame::kStatesFrameId && i >= first && i < first + 20) {
                    EXPECT_EQ(block.TakeState(i), slot.states[i]) << "entry " << i;
                    stateSeen[i] = true;
                }
            }
        }
    }
    for (uint32_t i = 0; i < 40; ++i) {
        EXPECT_TRUE(valueSeen[i]) << "entry " << i;
        EXPECT_TRUE(stateSeen[i]) << "entry " << i;
    }
}

TEST(EditorLinkSynth, FaultyValueFramesAreRefusedOrStoredOnlyAsFarAsTheyReach)
{
    struct Case {
        sim::SimValueFault fault;
        bool checksumGood;
    };
    for (const Case c : {Case{sim::SimValueFault::BadChecksum, false}, Case{sim::SimValueFault::Truncated, true},
                         Case{sim::SimValueFault::IndexBeyondEnd, true}}) {
        CEditorLink link;
        link.Synth().Slot(0).values.fill(0x1234);
        link.Synth().Slot(0).states.fill(2);
        link.Synth().Faults().valueFault = c.fault;
        link.Synth().SendValueFrame(0, 0x3A, 35);
        link.Synth().SendValueFrame(0, 0x39, 20);
        const auto messages = link.Run();
        ASSERT_EQ(messages.size(), 2u);
        CParamValueBlock block;
        for (const Bytes& message : messages) {
            EXPECT_EQ(HasValidChecksum(message), c.checksumGood);
            if (HasValidChecksum(message))
                StoreValueFrame(message, block);
        }
        for (uint32_t i = 0; i < 40; ++i) {
            if (block.IsValueChanged(i)) {
                EXPECT_EQ(block.TakeValue(i), 0x1234);
            }
            if (block.IsStateChanged(i)) {
                EXPECT_EQ(block.TakeState(i), 2);
            }
        }
    }
}

} // namespace
