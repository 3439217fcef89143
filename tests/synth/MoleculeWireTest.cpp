// Golden bytes derived by hand from the wire layouts, and the limits readers
// apply to what the synthesizer sends.
#include "MoleculeTestSupport.h"

#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/MoleculeBuilders.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

#include <gtest/gtest.h>

using namespace moltest;

// --- modules and cables

TEST(ModuleWire, ModuleDumpOfFourModulesInTheCommonArea)
{
    CMModuleDump dump(1);
    dump.AddModule(1, 7, 0, 2);
    dump.AddModule(2, 12, 3, 0);
    dump.AddModule(3, 127, 10, 20);
    dump.AddModule(4, 1, 127, 127);
    // 1 | 0000100 | per module type, index, column, row in 7 bits each
    const Bytes expected{0x4A, 0x84, 0x0E, 0x04, 0x00, 0x21, 0x80, 0x81,
                         0x80, 0xFE, 0x0C, 0x51, 0x40, 0x21, 0x3F, 0xFF};
    EXPECT_EQ(WriteBytes(dump), expected);

    const auto back = ReadAs<CMModuleDump>(expected);
    EXPECT_EQ(back.GetArea(), 1);
    EXPECT_EQ(back.GetModules(), dump.GetModules());
}

TEST(ModuleWire, ParameterValuesTakeTheWidthOfTheirHighestValue)
{
    CFakeModuleTypes types = MakeTestModuleTypes();
    CScopedModuleTypes installed(&types);
    CMModuleParamDump dump(0);
    dump.SetParameter(3, 7, 0, 1);
    dump.SetParameter(3, 7, 1, 2);
    dump.SetParameter(3, 7, 2, 5);
    dump.SetParameter(3, 7, 3, 100);
    // 0 | 0000001 | index 0000011 | type 0000111 | 1 | 10 | 101 | 1100100 | pad
    const Bytes expected{0x4D, 0x01, 0x06, 0x1F, 0x5C, 0x80};
    EXPECT_EQ(WriteBytes(dump), expected);

    const auto back = ReadAs<CMModuleParamDump>(expected);
    EXPECT_EQ(back.GetArea(), 0);
    EXPECT_EQ(back.GetModules(), dump.GetModules());
}

TEST(ModuleWire, ParameterValueAboveItsHighestIsSentAsTheHighest)
{
    CFakeModuleTypes types = MakeTestModuleTypes();
    CScopedModuleTypes installed(&types);
    CMModuleParamDump dump(0);
    dump.SetParameter(1, 20, 0, 200); // highest 15: four bits
    const auto back = ReadAs<CMModuleParamDump>(WriteBytes(dump));
    EXPECT_EQ(back.GetModules().at(1).values.at(0), 15);
}

TEST(ModuleWire, ParameterDumpNamingAnUnknownTypeIsRefused)
{
    CFakeModuleTypes types = MakeTestModuleTypes();
    // index 1, type 9 (unknown), then bits no one can size
    const Bytes unknown{0x4D, 0x81, 0x02, 0x4F, 0xFF};
    {
        CScopedModuleTypes installed(&types);
        CMModuleParamDump dump;
        EXPECT_THROW(ReadMolecule(dump, unknown), XMUnknownModuleType);

        CMModuleParamDump toSend;
        toSend.SetParameter(1, 9, 0, 1);
        EXPECT_THROW(WriteBytes(toSend), XMUnknownModuleType);
    }
    // Without a catalogue no type is known; the refusal is a protocol error
    // the port shows.
    CScopedModuleTypes none(nullptr);
    CMModuleParamDump dump;
    EXPECT_THROW(ReadMolecule(dump, {0x4D, 0x81, 0x03, 0x80, 0x00}), XTorvanBase);
}

TEST(ModuleWire, ModuleNameOfSixteenCharactersHasNoZeroByte)
{
    const Bytes full = WriteBytes(CMModuleName(1, 4, "ABCDEFGHIJKLMNOP"));
    ASSERT_EQ(full.size(), 3u + 16u);
    EXPECT_EQ(full.back(), 'P');
    EXPECT_EQ(ReadAs<CMModuleName>(full).name, "ABCDEFGHIJKLMNOP");

    const Bytes shorter = WriteBytes(CMModuleName(1, 4, "Osc"));
    EXPECT_EQ(shorter, (Bytes{0x33, 0x01, 0x04, 'O', 's', 'c', 0x00}));
}

TEST(CableWire, DumpWritesTheOutputFirstAndReadsItBackAsEndOne)
{
    CMCableDump dump(1);
    const JackAddress input{5, 3, 0};
    const JackAddress output{9, 1, 1};
    dump.AddCable(2, input, output);
    // 1 + pad | count 1 | 010 | 0001001 000001 1 | 0000101 000011 | pad
    const Bytes expected{0x52, 0x80, 0x01, 0x42, 0x41, 0x85, 0x0C};
    EXPECT_EQ(WriteBytes(dump), expected);

    const auto back = ReadAs<CMCableDump>(expected);
    ASSERT_EQ(back.GetCables().size(), 1u);
    EXPECT_EQ(back.GetCables()[0].end1, output);
    EXPECT_EQ(back.GetCables()[0].end2, input);
    EXPECT_EQ(back.GetCables()[0].colour, 2);
}

TEST(CableWire, ReceivedColourSevenReadsAsSix)
{
    // 0 + pad | count 1 | 111 | rest zero
    const auto back = ReadAs<CMCableDump>({0x52, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x00});
    ASSERT_EQ(back.GetCables().size(), 1u);
    EXPECT_EQ(back.GetCables()[0].colour, 6);
    EXPECT_EQ(back.GetArea(), 0);
}

TEST(CableWire, DumpHoldsAtMost255Cables)
{
    CMCableDump dump(0);
    for (int i = 0; i < 255; ++i)
        ASSERT_TRUE(dump.AddCable(1, JackAddress{1, 0, 1}, JackAddress{2, 0, 0}));
    EXPECT_FALSE(dump.AddCable(1, JackAddress{1, 0, 1}, JackAddress{3, 0, 0}));
    const Bytes bytes = WriteBytes(dump);
    EXPECT_EQ(bytes[2], 255);
    EXPECT_EQ(ReadAs<CMCableDump>(bytes).GetCables().size(), 255u);
}

TEST(CableWire, CommandsCarryAreaColourRemovalAndJackBytes)
{
    const JackAddress out{5, 3, 1};
    const JackAddress in{9, 1, 0};
    struct Row {
        const char* what;
        Bytes bytes;
        Bytes expected;
    };
    const Row rows[] = {
        // 000 | removal flag 0 -> 1 | area 1 | colour 010
        {"connect", WriteBytes(CMCableConnect(1, out, in, 2, 0)), {0x50, 0x1A, 5, 0x43, 9, 0x01}},
        // removal flag 1 -> first flag bit 0
        {"connect removing", WriteBytes(CMCableConnect(1, out, in, 2, 1)), {0x50, 0x0A, 5, 0x43, 9, 0x01}},
        {"delete", WriteBytes(CMCableDelete(0, in, out, 0)), {0x51, 0x02, 9, 0x01, 5, 0x43}},
        {"delete removing", WriteBytes(CMCableDelete(1, in, out, 1)), {0x51, 0x01, 9, 0x01, 5, 0x43}},
        {"recolour", WriteBytes(CMCableRecolor(1, out, in, 6)), {0x54, 0x0E, 5, 0x43, 9, 0x01}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.bytes, row.expected) << row.what;
}

// --- parameters, maps and header

TEST(ParamWire, MorphChangeTravelsAsMagnitudeAndSign)
{
    const Bytes bytes = WriteBytes(CMMorphChange(1, 4, 2, -20));
    EXPECT_EQ(bytes, (Bytes{0x43, 0x01, 0x04, 0x02, 20, 0x01}));
    EXPECT_EQ(ReadAs<CMMorphChange>(bytes).range, -20);
    EXPECT_EQ(ReadAs<CMMorphChange>({0x43, 0x01, 0x04, 0x02, 20, 0x00}).range, 20);
    // Any non-zero area reads as the poly area.
    EXPECT_EQ(ReadAs<CMMorphChange>({0x43, 0x02, 0x04, 0x02, 20, 0x00}).address.location, 1);
}

TEST(ParamWire, AreaBytesOtherThanZeroOneTwoReadAsOne)
{
    const struct {
        uint8_t onWire;
        int32_t read;
    } rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}, {0x7F, 1}};
    for (const auto& row : rows) {
        EXPECT_EQ(ReadAs<CMParamChange>({0x40, row.onWire, 1, 2, 3}).address.location, row.read);
        EXPECT_EQ(ReadAs<CMCtrlAssign>({0x22, row.onWire, 1, 2, 7}).address.location, row.read);
        EXPECT_EQ(ReadAs<CMParamFocusDump>({0x2F, 1, row.onWire, 1, 2}).address.location, row.read);
    }
}

TEST(ParamWire, FocusDumpIsSentWithoutPresenceAndReadWithSevenBitIndices)
{
    EXPECT_EQ(WriteBytes(CMParamFocusDump(ParamAddress{1, 12, 5})), (Bytes{0x2F, 0x00, 0x01, 12, 5}));
    const auto back = ReadAs<CMParamFocusDump>({0x2F, 0x09, 0x00, 0x8C, 0x85});
    EXPECT_TRUE(back.present);
    EXPECT_EQ(back.address, (ParamAddress{0, 12, 5}));
}

TEST(AssignWire, KnobMapWithOnlyThePedalAssigned)
{
    CMKnobMapDump dump;
    dump.SetAssignment(19, ParamAddress{1, 5, 2});
    // 19 zero bits | 1 | 01 0000101 0000010 | 000 | pad
    const Bytes expected{0x62, 0x00, 0x00, 0x14, 0x28, 0x20};
    EXPECT_EQ(WriteBytes(dump), expected);

    const auto back = ReadAs<CMKnobMapDump>(expected);
    EXPECT_EQ(back.CountAssigned(), 1);
    EXPECT_EQ(back.GetAssignment(19), (ParamAddress{1, 5, 2}));
    EXPECT_FALSE(back.IsAssigned(18));
}

TEST(AssignWire, ControllerAbove121ReadsAsNoController)
{
    // count 1 | controller 125 | area 01 | module 3 | param 4
    // 0000001 1111101 01 0000011 0000100 -> pad to 32 bits
    const auto back = ReadAs<CMCtrlMapDump>({0x60, 0x03, 0xF5, 0x06, 0x10});
    ASSERT_EQ(back.GetEntries().size(), 1u);
    EXPECT_EQ(back.GetEntries()[0].controller, 121);
    EXPECT_EQ(back.GetEntries()[0].address, (ParamAddress{1, 3, 4}));
}

TEST(AssignWire, AssignmentCommands)
{
    // module, param | 0 | area 10 | knob 10110
    EXPECT_EQ(WriteBytes(CMKnobAssign(ParamAddress{2, 1, 3}, 22)), (Bytes{0x25, 1, 3, 0x56}));
    EXPECT_EQ(WriteBytes(CMKnobDeassign(19)), (Bytes{0x26, 0x13}));
    EXPECT_EQ(WriteBytes(CMCtrlAssign(ParamAddress{1, 40, 6}, 120)), (Bytes{0x22, 1, 40, 6, 120}));
    EXPECT_EQ(WriteBytes(CMCtrlDeassign(7)), (Bytes{0x23, 7}));
    // 000000 | removal 0 -> 1 | area 1 | module, param, group, magnitude, sign
    EXPECT_EQ(WriteBytes(CMMorphAssign(ParamAddress{1, 6, 2}, 3, -64, 0)), (Bytes{0x64, 0x03, 6, 2, 3, 64, 1}));
    EXPECT_EQ(WriteBytes(CMMorphAssign(ParamAddress{0, 6, 2}, 4, 0, 1)), (Bytes{0x64, 0x00, 6, 2, 4, 0, 0}));
}

TEST(AssignWire, MorphMapWritesOtherKeyboardValuesAsNone)
{
    CMMorphMapDump dump;
    dump.SetKeyboardAssignment(0, 3); // not a keyboard assignment
    dump.SetKeyboardAssignment(1, 1);
    dump.SetKeyboardAssignment(4, 2); // group 4 is none: ignored
    dump.AddAssignment(ParamAddress{1, 1, 0}, 2, -2);
    EXPECT_FALSE(dump.AddAssignment(ParamAddress{1, 2, 0}, 4, 0)); // no group
    // four group values 0 (28 bits) | 00 01 00 00 | 00001 | 1 0000001 0000000 10 11111110
    const Bytes expected{0x65, 0x00, 0x00, 0x00, 0x01, 0x00, 0xC0, 0x80, 0xBF, 0x80};
    EXPECT_EQ(WriteBytes(dump), expected);
    const auto back = ReadAs<CMMorphMapDump>(expected);
    ASSERT_EQ(back.GetEntries().size(), 1u);
    EXPECT_EQ(back.GetEntries()[0].range, -2);
    EXPECT_EQ(back.GetKeyboardAssignment(1), 1);
}

TEST(PatchWire, HeaderDumpIsSeventySevenBits)
{
    CPatchHeader header;
    header.SetKbRangeMin(10);
    header.SetKbRangeMax(100);
    header.SetVelRangeMin(5);
    header.SetVelRangeMax(120);
    header.SetBendRange(24);
    header.SetPMTime(33);
    header.SetPMMode(1);
    header.SetPedalMode(true); // on/off travels as 0
    header.SetVoices(8);
    header.SetSplitPosition(600);
    header.SetOctShift(-2);
    for (uint32_t colour = 0; colour < 7; ++colour)
        header.SetCableVisible(colour, colour % 2 == 0 ? 1 : 0);
    header.SetCommonRetrig(0);
    header.SetRetrig(1);
    header.SetMorph(1, 0);
    header.SetMorph(2, 0);
    // 0001010 1100100 0000101 1111000 11000 0100001 1 0 00111
    // 0000100 1011000 000 1010101 0 1 1001 | pad
    const Bytes expected{0x21, 0x15, 0x90, 0x2F, 0x8C, 0x21, 0x8E, 0x12, 0xC0, 0xAA, 0xC8};
    EXPECT_EQ(WriteBytes(CMPatchHeaderDump(header)), expected);
    EXPECT_EQ(ReadAs<CMPatchHeaderDump>(expected).GetHeader(), header);
}

TEST(PatchWire, HeaderReaderHandsValuesToTheClampingSetters)
{
    // Bend range 31 is above 24: the setter stores 0.
    CPatchHeader header;
    header.SetBendRange(24);
    Bytes bytes = WriteBytes(CMPatchHeaderDump(header));
    bytes[4] |= 0x0F; // bend bits 28-32: 11000 -> 11111
    bytes[5] |= 0x80;
    EXPECT_EQ(ReadAs<CMPatchHeaderDump>(bytes).GetHeader().GetBendRange(), 0);
    // A default header carries pedal mode sustain as bit 1.
    EXPECT_EQ(ReadAs<CMPatchHeaderDump>(WriteBytes(CMPatchHeaderDump())).GetHeader().GetPedalMode(),
              CPatchHeader::kPedalSustain);
}

TEST(PatchWire, CurrentNotesCarryTheCountLessOne)
{
    CMCurrentNotesDump fresh;
    EXPECT_EQ(fresh.GetFirstEntry(), (CNoteEntry{64, 0, 0}));
    EXPECT_EQ(fresh.GetCount(), 1);
    // 1000000 0000000 0000000 | 00000 | 1000000 0000000 0000000 | pad: every
    // entry of a fresh dump is 64, 0, 0.
    EXPECT_EQ(WriteBytes(fresh), (Bytes{0x69, 0x80, 0x00, 0x00, 0x20, 0x00, 0x00}));
    // An empty list has no representation: it is sent with one entry.
    fresh.SetCount(0);
    EXPECT_EQ(ReadAs<CMCurrentNotesDump>(WriteBytes(fresh)).GetCount(), 1);
}

// --- synthesizer, slots, sessions

TEST(SynthWire, SlotSelectionAndFocus)
{
    CSlotSelection selection;
    selection.SetActive(0, true);
    selection.SetActive(2, true);
    EXPECT_EQ(WriteBytes(CMSlotSelectionDump(selection)), (Bytes{0x07, 0x0A}));
    const auto back = ReadAs<CMSlotSelectionDump>({0x07, 0xFA}); // leading bits ignored
    EXPECT_TRUE(back.GetSelection().IsActive(0));
    EXPECT_FALSE(back.GetSelection().IsActive(1));
    EXPECT_TRUE(back.GetSelection().IsActive(2));

    // A slot beyond the model's count is sent inactive.
    CSlotSelection small(1);
    small.SetActive(0, true);
    EXPECT_EQ(WriteBytes(CMSlotSelectionDump(small)), (Bytes{0x07, 0x08}));

    EXPECT_EQ(WriteBytes(CMSlotFocusDump(1)), (Bytes{0x09, 0x01}));
    EXPECT_EQ(WriteBytes(CMSlotFocusDump(4)), (Bytes{0x09, 0x04}));
    EXPECT_EQ(CMSlotFocusDump(9).GetSlot(), 4);
    EXPECT_EQ(ReadAs<CMSlotFocusDump>({0x09, 0x01}).GetSlot(), 1);
    EXPECT_EQ(ReadAs<CMSlotFocusDump>({0x09, 0x07}).GetSlot(), 4);
}

TEST(SynthWire, SettingsDumpWithNameAndFourSlots)
{
    CSynthSettings settings;
    settings.SetInternalClock(0);
    settings.SetVelocityMin(10);
    settings.SetVelocityMax(120);
    settings.SetClockRate(120);
    settings.SetLocalOn(0);
    settings.SetKeyboardMode(1);
    settings.SetGlobalSync(16);
    settings.SetMasterTune(-5);
    settings.SetProgramChangeSend(0);
    settings.SetName("Studio");
    settings.SetSlotActive(0, 1);
    settings.SetSlotActive(1, 1);
    settings.SetSlotChannel(1, 5);
    for (int i = 0; i < 4; ++i) {
        settings.SetSlotValue(1, i, 3 - i);
        settings.SetSlotValue(3, i, 1);
    }
    settings.SetSlotActive(3, 1);
    settings.SetSlotChannel(3, 15);

    const Bytes expected{
        0x03,
        0x0A,                                             // internal clock 0 | velocity min 10
        0xF8,                                             // LEDs 1 | velocity max 120
        0x78,                                             // clock rate 120
        0x4F,                                             // local 0 | keyboard mode 1 | pedal 0 | sync 16 - 1
        0xFB,                                             // master tune -5
        0xA0,                                             // receive 1 | send 0 | knob mode 1 | pad
        'S',  't',  'u', 'd', 'i', 'o', 0x00, 0x00, 0x1B, // slot A channel 0 | values 0 1 2 3
        0x05, 0xE4,                                       // slot B channel 5 | values 3 2 1 0
        0x10, 0x1B,                                       // slot C inactive
        0x0F, 0x55,                                       // slot D channel 15 | values 1 1 1 1
    };
    EXPECT_EQ(WriteBytes(CMSynthDataDump(settings)), expected);
    EXPECT_EQ(ReadAs<CMSynthDataDump>(expected).GetSettings(), settings);
}

TEST(SynthWire, SettingsReaderKeepsFieldsInRange)
{
    Bytes bytes = WriteBytes(CMSynthDataDump(CSynthSettings()));
    bytes[3] = 30;   // clock rate below 31
    bytes[5] = 0x9B; // master tune -101
    bytes[8] = 0x20; // slot A channel byte above 15: inactive
    const CSynthSettings read = ReadAs<CMSynthDataDump>(bytes).GetSettings();
    EXPECT_EQ(read.GetClockRate(), 128);
    EXPECT_EQ(read.GetMasterTune(), 0);
    EXPECT_EQ(read.GetSlotActive(0), 0);
    EXPECT_EQ(read.GetSlotChannel(0), 0);
}

TEST(SynthWire, SessionNumbersKeepTheirLowSixBits)
{
    // A number of 0x40 or more stamped into byte 4 of a frame would read as
    // "no number".
    EXPECT_EQ(ReadAs<CMSessionNumberDump>({0x36, 0x45}).number, 0x05);
    const auto release = ReadAs<CMSessionPatchRelease>({0x38, 0x05, 0x7F});
    EXPECT_EQ(release.slot, 3);
    EXPECT_EQ(release.number, 0x3F);
}

TEST(SynthWire, VoiceCountsAbove32ReadAs32)
{
    const auto back = ReadAs<CMNumberOfVoicesDump>({0x05, 40, 0, 32, 5});
    EXPECT_EQ(back.GetVoiceCounts().GetVoices(0), 32);
    EXPECT_EQ(back.GetVoiceCounts().GetVoices(1), 0);
    EXPECT_EQ(back.GetVoiceCounts().GetVoices(3), 5);
}

TEST(SynthWire, NoteAndDestination)
{
    EXPECT_EQ(WriteBytes(CMPlayNote(CMPlayNote::kNoteOff, 60)), (Bytes{0x56, 1, 60}));
    EXPECT_EQ(WriteBytes(CMDumpBubbleDestination(0, 0, 0, "Init")), (Bytes{0x37, 0, 0, 0, 'I', 'n', 'i', 't', 0}));
}

// --- flash

TEST(FlashWire, UsageIsLimitedTo1000)
{
    EXPECT_EQ(ReadAs<CMFlashUsageDump>({0x13, 0x68, 0x07}).usage, 1000);
    EXPECT_EQ(ReadAs<CMFlashUsageDump>({0x13, 0x7F, 0x7F}).usage, 1000);
    EXPECT_EQ(ReadAs<CMFlashUsageDump>({0x13, 0x05, 0x01}).usage, 133);
}

TEST(FlashWire, CommandResultLimitsEveryField)
{
    const auto result = ReadAs<CMFlashCommandResult>({0x0D, 12, 120, 2, 7});
    EXPECT_EQ(result.address, (CFlashAddress{8, 98}));
    EXPECT_EQ(result.requester, 0);
    EXPECT_EQ(result.result, 3);
    const auto batch = ReadAs<CMFlashCommandResult>({0x0D, 1, 2, 1, 5});
    EXPECT_EQ(batch.requester, 1);
    EXPECT_EQ(batch.result, 5);
}

TEST(FlashWire, DeleteDumpLimitsItsAddress)
{
    EXPECT_EQ(ReadAs<CMFlashDeleteDump>({0x15, 9, 99}).address, (CFlashAddress{8, 98}));
}

TEST(FlashWire, DumpMarkerCodesBecomeKinds)
{
    const auto patch = ReadAs<CMFlashDumpMarker>({0x18, 2, 1, 5, 'B', 'a', 's', 's', 0});
    EXPECT_EQ(patch.kind, CMFlashDumpMarker::kKindPatch);
    EXPECT_EQ(patch.name, "Bass");
    EXPECT_TRUE(patch.AnnouncesPatch());

    const struct {
        uint8_t code;
        uint8_t kind;
    } rows[] = {{0, 1}, {1, 2}, {3, 4}, {4, 5}, {9, 2}};
    for (const auto& row : rows) {
        const auto marker = ReadAs<CMFlashDumpMarker>({0x18, row.code, 12, 120});
        EXPECT_EQ(marker.kind, row.kind) << int(row.code);
        EXPECT_TRUE(marker.name.empty());
        EXPECT_FALSE(marker.AnnouncesPatch());
        EXPECT_EQ(marker.address, (CFlashAddress{8, 98}));
    }
}

TEST(FlashWire, DataDumpFollowsItsTags)
{
    // more 1 | tag 3 bank 2 location 5 | tag 2 | "Lead" | tag 4
    const auto dump = ReadAs<CMFlashDataDump>({0x16, 1, 3, 2, 5, 2, 'L', 'e', 'a', 'd', 0, 4});
    EXPECT_TRUE(dump.HasMore());
    EXPECT_TRUE(dump.IsComplete());
    ASSERT_EQ(dump.GetItems().size(), 1u);
    EXPECT_EQ(dump.GetItems()[0], (CFlashDumpItem{{2, 6}, "Lead"}));

    // Tag 1 sets the location; names step on, but never past 98.
    const auto partial = ReadAs<CMFlashDataDump>({0x16, 0, 1, 97, 'A', 0, 'B', 0, 'C', 0, 5});
    EXPECT_FALSE(partial.HasMore());
    EXPECT_FALSE(partial.IsComplete());
    ASSERT_EQ(partial.GetItems().size(), 3u);
    EXPECT_EQ(partial.GetItems()[0].address, (CFlashAddress{0, 97}));
    EXPECT_EQ(partial.GetItems()[1].address, (CFlashAddress{0, 98}));
    EXPECT_EQ(partial.GetItems()[2].address, (CFlashAddress{0, 98}));

    // A dump without its end tag runs into the bound instead of on and on.
    CMFlashDataDump cut;
    EXPECT_THROW(ReadMolecule(cut, {0x16, 1, 'X', 0}), XMStreamOverflow);
}

TEST(FlashWire, CommandsAndRequests)
{
    EXPECT_EQ(WriteBytes(CMFlashLoadCommand(7, {2, 45})), (Bytes{0x0A, 3, 2, 45}));
    EXPECT_EQ(WriteBytes(CMFlashStoreCommand(1, {0, 0})), (Bytes{0x0B, 1, 0, 0}));
    EXPECT_EQ(WriteBytes(CMFlashDeleteCommand({8, 98}, 1)), (Bytes{0x0C, 8, 98, 1}));
    EXPECT_EQ(WriteBytes(CMFlashDataRequest({1, 4})), (Bytes{0x14, 1, 4}));
    EXPECT_EQ(WriteBytes(CMFlashDumpRequest({3, 0})), (Bytes{0x17, 3, 0}));
}

// --- in a received frame

TEST(ReceivedFrame, ParameterDumpOfAnUnknownTypeRefusesTheRestOfTheFrame)
{
    CFakeModuleTypes types = MakeTestModuleTypes();
    CScopedModuleTypes installed(&types);
    CMoleculeRegistry registry;
    RegisterReceivedMolecules(registry);

    Bytes payload = WriteBytes(CMParamChange(1, 5, 3, 100));
    const Bytes unknownDump{0x4D, 0x81, 0x02, 0x4F, 0xFF};
    payload.insert(payload.end(), unknownDump.begin(), unknownDump.end());
    const Bytes after = WriteBytes(CMKnobDeassign(3));
    payload.insert(payload.end(), after.begin(), after.end());
    payload.push_back(0x7F);

    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = static_cast<uint32_t>(payload.size());
    spec.packed = true;
    spec.first = spec.last = true;
    CMoleculePacket packet;
    EXPECT_THROW(DecodePacket(MakeRawSysexFrame(spec)->View(), packet, registry), XMUnknownModuleType);
    // What was read before stays; nothing after the refused dump is guessed.
    ASSERT_EQ(packet.GetCount(), 1u);
    EXPECT_NE(dynamic_cast<const CMParamChange*>(&packet.At(0)), nullptr);
}
