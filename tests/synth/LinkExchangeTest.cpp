// After the synthesizer is found: the state exchange, then each slot's
// session number and parts, delivered to the slot's document; what the
// synthesizer sends on its own, by its target and session number.
#include "LinkRig.h"

#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

using namespace linkrig;

namespace {

MoleculeTypes T(std::initializer_list<std::type_index> types)
{
    return types;
}

// What a document loading from its slot receives, packet by packet.
std::vector<MoleculeTypes> SlotPatchAnswers()
{
    const MoleculeTypes module{typeid(CMModuleDump)};
    const MoleculeTypes cable{typeid(CMCableDump)};
    const MoleculeTypes param{typeid(CMModuleParamDump)};
    const MoleculeTypes name{typeid(CMModuleNameDump)};
    const MoleculeTypes custom{typeid(CMModuleCustomDataDump)};
    return {T({typeid(CMPatchHeaderDump), typeid(CMPatchNameDump)}),
            module,
            module,
            cable,
            cable,
            param,
            param,
            T({typeid(CMMorphMapDump)}),
            T({typeid(CMKnobMapDump)}),
            T({typeid(CMCtrlMapDump)}),
            name,
            name,
            custom,
            custom,
            T({typeid(CMCurrentNotesDump)})};
}

std::vector<std::string> SlotPartLog(char slot, int number)
{
    const std::string s = std::string("slot ") + slot + " #" + std::to_string(number) + ": ";
    return {s + "PatchHeaderRequest PatchNameRequest",
            s + "ModuleRequest(1)",
            s + "ModuleRequest(0)",
            s + "CableRequest(1)",
            s + "CableRequest(0)",
            s + "ModuleParamRequest(1)",
            s + "ModuleParamRequest(0)",
            s + "MorphMapRequest",
            s + "KnobMapRequest",
            s + "CtrlMapRequest",
            s + "ModuleNameRequest(1)",
            s + "ModuleNameRequest(0)",
            s + "ModuleCustomDataRequest(1)",
            s + "ModuleCustomDataRequest(0)",
            s + "CurrentNotesRequest"};
}

} // namespace

TEST(LinkExchange, StateFirstThenEachSlotsNumberAndPartsFromSlotA)
{
    CLinkRig rig;
    rig.Synth().Settings().name = "Studio";
    rig.Synth().Selection() = {false, true, true, false};
    rig.Synth().PanelSlotFocus(2);
    rig.Synth().Slot(1).voices = 7;
    for (int slot = 0; slot < 4; ++slot)
        rig.Synth().Slot(slot).session = static_cast<uint8_t>(10 + slot);
    rig.Synth().TakeOutput();
    rig.Synth().ClearLog();
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());

    std::vector<std::string> expected{"identify ping",
                                      "slot A: SynthDataRequest SlotSelectionRequest SlotFocusRequest "
                                      "NumberOfVoicesRequest"};
    for (int slot = 0; slot < 4; ++slot) {
        const char letter = static_cast<char>('A' + slot);
        expected.push_back(std::string("slot ") + letter + ": SessionNumberRequest");
        for (const std::string& line : SlotPartLog(letter, 10 + slot))
            expected.push_back(line);
    }
    EXPECT_EQ(rig.SynthLog(), expected);

    CSynth& synth = rig.SynthObject();
    EXPECT_TRUE(synth.HasSettings());
    EXPECT_EQ(synth.GetSynthName(), "Studio");
    EXPECT_EQ(rig.Port().GetDisplayName(), "Studio");
    EXPECT_FALSE(synth.IsSlotActive(0));
    EXPECT_TRUE(synth.IsSlotActive(1));
    EXPECT_TRUE(synth.IsSlotActive(2));
    uint8_t voices = 0;
    EXPECT_TRUE(synth.GetSlotVoiceCount(1, voices));
    EXPECT_EQ(voices, 7);
    EXPECT_EQ(rig.Manager().GetCurrentPort(), 0) << "the first synthesizer's focus is adopted";
    EXPECT_EQ(rig.Manager().GetCurrentSlot(), 2);
    EXPECT_FALSE(rig.Manager().IsStartingUp());
    for (uint8_t slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(synth.GetSlotNumber(slot), 10 + slot);
        const CRecordingPatch* document = rig.patches.Find(0, slot);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->applied, SlotPatchAnswers()) << "slot " << int(slot);
    }
    EXPECT_EQ(rig.patches.Find(0, 2)->fronts, 1) << "the focused slot's document comes forward";
    EXPECT_EQ(rig.patches.calls, (std::vector<std::string>{"empty 0 0", "empty 0 1", "empty 0 2", "empty 0 3"}));
}

TEST(LinkExchange, TheFlashScanFollowsTheSlots)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    ASSERT_TRUE(rig.StepUntil([&] { return !rig.SynthObject().GetFlashMemory().IsScanning(); }));
    const auto log = rig.SynthLog();
    EXPECT_NE(std::find_if(log.begin(), log.end(),
                           [](const std::string& line) { return line.find("FlashDataRequest") != std::string::npos; }),
              log.end());
}

TEST(LinkExchange, PanelChangesOfTheSynthesizerReachTheSlotsDocument)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    CRecordingPatch& document = *rig.patches.Find(0, 1);
    const size_t before = document.applied.size();
    rig.SimPort().With([](sim::CSimulator& s) {
        s.PanelParamChange(1, {1, 1, 0}, 5);
        return 0;
    });
    rig.Steps(2);
    ASSERT_EQ(document.applied.size(), before + 1);
    EXPECT_EQ(document.applied.back(), T({typeid(CMParamChange)}));
}

// Target-2 packets: matched with the slot by session number.
TEST(LinkExchange, PatchPacketsAreMatchedBySessionNumber)
{
    CLinkRig rig;
    rig.Synth().Slot(0).session = 5;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    CRecordingPatch& document = *rig.patches.Find(0, 0);
    const size_t before = document.applied.size();
    const CMParamChange change(1, 1, 0, 9);

    rig.Inject(SynthMessage(change, 0, std::nullopt));
    rig.Step();
    EXPECT_EQ(document.applied.size(), before) << "without a number there is nothing to compare";
    EXPECT_EQ(rig.patches.calls.size(), 4u);

    rig.Inject(SynthMessage(change, 0, 5));
    rig.Step();
    EXPECT_EQ(document.applied.size(), before + 1);

    rig.Inject(SynthMessage(change, 0, 6));
    rig.Step();
    EXPECT_EQ(document.applied.size(), before + 1);
    EXPECT_EQ(rig.patches.calls.back(), "from synth 0 0") << "another number: the slot holds another patch";
    EXPECT_EQ(document.synth, nullptr) << "the old document is released";
    EXPECT_EQ(rig.SynthObject().GetSlotNumber(0), 6);
    CRecordingPatch* replacement = rig.patches.Find(0, 0);
    ASSERT_NE(replacement, nullptr);
    EXPECT_NE(replacement, &document);
}

TEST(LinkExchange, APatchChangeOnTheSynthesizerLoadsANewDocument)
{
    CLinkRig rig;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    rig.Port().GetSlotParamBlock(3).SetValue(4, 100);
    rig.SimPort().With([](sim::CSimulator& s) {
        s.PanelPatchChange(3, sim::SimPatch{});
        return 0;
    });
    rig.Steps(2);
    EXPECT_EQ(rig.patches.calls.back(), "from synth 0 3");
    EXPECT_FALSE(rig.Port().GetSlotParamBlock(3).HasChanges()) << "the slot's values are cleared";
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(rig.patches.Find(0, 3)->applied, SlotPatchAnswers()) << "the new document loads every part";
}

TEST(LinkExchange, APacketForASlotWhoseNumberIsStaleIsDropped)
{
    CLinkRig rig;
    rig.Synth().Slot(0).session = 5;
    rig.OpenPort(0, 0);
    rig.Steps(2); // connected, the state request under way
    CRecordingPatch& document = *rig.patches.Find(0, 0);
    ASSERT_EQ(document.applied.size(), 0u);
    rig.Inject(SynthMessage(CMParamChange(1, 1, 0, 9), 0, 5));
    rig.Step();
    EXPECT_EQ(document.applied.size(), 0u) << "the slot's number has not been asked yet";
    EXPECT_EQ(rig.patches.calls.size(), 4u);
}

TEST(LinkExchange, ASmallModelHasOneSlotAndIgnoresTheOthers)
{
    sim::SimConfig config;
    config.model = sim::SimModel::Pebix;
    CLinkRig rig({config});
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(rig.patches.documents.size(), 1u);
    const size_t before = rig.patches.Find(0, 0)->applied.size();
    for (uint8_t slot = 1; slot < 4; ++slot) {
        rig.Inject(SynthMessage(CMParamChange(1, 1, 0, 9), slot, 0));
        rig.Inject(SynthMessage(CMSessionPatchRelease(slot, 9), slot, std::nullopt));
    }
    rig.Steps(2);
    EXPECT_EQ(rig.patches.Find(0, 0)->applied.size(), before);
    EXPECT_EQ(rig.patches.calls.size(), 1u);
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
}
