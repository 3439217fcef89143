#include "MoleculeTestSupport.h"

#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/MoleculeBuilders.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <typeinfo>

using namespace moltest;

namespace {

struct RoundTripCase {
    const char* name;
    uint8_t id;
    uint32_t kind;
    uint32_t flag;
    std::function<std::unique_ptr<CMolecule>()> make;
    std::function<std::unique_ptr<CMolecule>()> makeEmpty;
};

template <class T, class F> RoundTripCase Case(const char* name, uint32_t kind, uint32_t flag, F make)
{
    return {name,
            T::kId,
            kind,
            flag,
            [make] { return std::unique_ptr<CMolecule>(new T(make())); },
            [] { return std::unique_ptr<CMolecule>(new T()); }};
}

template <class T> RoundTripCase Case(const char* name, uint32_t kind, uint32_t flag)
{
    return Case<T>(name, kind, flag, [] { return T(); });
}

const JackAddress kOut{9, 1, 1};
const JackAddress kIn{5, 3, 0};

std::vector<RoundTripCase> AllMolecules()
{
    return {
        // Modules and cables
        Case<CMModuleNew>("ModuleNew", 0, 1, [] { return CMModuleNew(1, 5, 7, 2, 3, "Osc A"); }),
        Case<CMModuleDelete>("ModuleDelete", 0, 1, [] { return CMModuleDelete(0, 9); }),
        Case<CMModuleName>("ModuleName", 0, 1, [] { return CMModuleName(1, 4, "Sixteen chars!!!"); }),
        Case<CMModuleMove>("ModuleMove", 0, 1, [] { return CMModuleMove(1, 4, 12, 30); }),
        Case<CMModuleDump>("ModuleDump", 0, 1,
                           [] {
                               CMModuleDump dump(0);
                               dump.AddModule(1, 7, 0, 2);
                               dump.AddModule(2, 20, 5, 9);
                               return dump;
                           }),
        Case<CMModuleRequest>("ModuleRequest", 2, 1, [] { return CMModuleRequest(0); }),
        Case<CMModuleParamRequest>("ModuleParamRequest", 2, 1, [] { return CMModuleParamRequest(1); }),
        Case<CMModuleParamDump>("ModuleParamDump", 0, 0,
                                [] {
                                    CMModuleParamDump dump(1);
                                    for (uint8_t p = 0; p < 4; ++p)
                                        dump.SetParameter(3, 7, p, static_cast<uint8_t>(p + 1 > 1 ? p : 1));
                                    dump.SetParameter(8, 20, 0, 11);
                                    return dump;
                                }),
        Case<CMModuleNameRequest>("ModuleNameRequest", 2, 1, [] { return CMModuleNameRequest(0); }),
        Case<CMModuleCustomDataRequest>("ModuleCustomDataRequest", 2, 1, [] { return CMModuleCustomDataRequest(1); }),
        Case<CMModuleNameDump>("ModuleNameDump", 0, 0,
                               [] {
                                   CMModuleNameDump dump(0);
                                   dump.AddName(1, "Bass");
                                   dump.AddName(7, "Exactly16Letters");
                                   dump.AddName(9, "");
                                   return dump;
                               }),
        Case<CMModuleCustomDataDump>("ModuleCustomDataDump", 0, 0,
                                     [] {
                                         CMModuleCustomDataDump dump(1);
                                         dump.SetData(2, {1, 255, 0, 77});
                                         dump.SetData(5, {});
                                         return dump;
                                     }),
        Case<CMCableConnect>("CableConnect", 0, 1, [] { return CMCableConnect(1, kOut, kIn, 5, 1); }),
        Case<CMCableDelete>("CableDelete", 0, 1, [] { return CMCableDelete(0, kIn, kOut, 0); }),
        Case<CMCableRecolor>("CableRecolor", 0, 1, [] { return CMCableRecolor(1, kOut, kIn, 6); }),
        Case<CMCableDump>("CableDump", 0, 0,
                          [] {
                              CMCableDump dump(1);
                              dump.AddCable(2, kOut, kIn);
                              dump.AddCable(6, JackAddress{127, 63, 1}, JackAddress{1, 0, 0});
                              return dump;
                          }),
        Case<CMCableRequest>("CableRequest", 2, 1, [] { return CMCableRequest(0); }),
        Case<CMParamFocusRequest>("ParamFocusRequest", 2, 1),
        Case<CMParamFocusDump>("ParamFocusDump", 1, 1,
                               [] {
                                   return CMParamFocusDump(ParamAddress{1, 12, 5});
                               }),
        // Parameters, assignments, maps, header, name, notes
        Case<CMParamChange>("ParamChange", 1, 1, [] { return CMParamChange(2, 1, 3, 127); }),
        Case<CMMorphChange>("MorphChange", 1, 1, [] { return CMMorphChange(1, 4, 2, -127); }),
        Case<CMCustomData>("CustomData", 0, 0,
                           [] {
                               return CMCustomData(1, 3, {9, 8, 7});
                           }),
        Case<CMKnobAssign>("KnobAssign", 0, 1,
                           [] {
                               return CMKnobAssign(ParamAddress{2, 1, 3}, 22);
                           }),
        Case<CMKnobDeassign>("KnobDeassign", 0, 1, [] { return CMKnobDeassign(19); }),
        Case<CMCtrlAssign>("CtrlAssign", 0, 1,
                           [] {
                               return CMCtrlAssign(ParamAddress{1, 40, 6}, 120);
                           }),
        Case<CMCtrlDeassign>("CtrlDeassign", 0, 1, [] { return CMCtrlDeassign(7); }),
        Case<CMMorphAssign>("MorphAssign", 0, 1,
                            [] {
                                return CMMorphAssign(ParamAddress{1, 6, 2}, 3, -64, 1);
                            }),
        Case<CMMorphKeyboardAssign>("MorphKeyboardAssign", 0, 1, [] { return CMMorphKeyboardAssign(2, 1); }),
        Case<CMCtrlMapDump>("CtrlMapDump", 0, 0,
                            [] {
                                CMCtrlMapDump dump;
                                dump.AddAssignment(ParamAddress{1, 3, 4}, 7);
                                dump.AddAssignment(ParamAddress{2, 1, 0}, 121);
                                return dump;
                            }),
        Case<CMCtrlMapRequest>("CtrlMapRequest", 2, 1),
        Case<CMKnobMapDump>("KnobMapDump", 0, 1,
                            [] {
                                CMKnobMapDump dump;
                                dump.SetAssignment(0, ParamAddress{1, 3, 4});
                                dump.SetAssignment(18, ParamAddress{0, 2, 1});
                                dump.SetAssignment(22, ParamAddress{2, 1, 3});
                                return dump;
                            }),
        Case<CMKnobMapRequest>("KnobMapRequest", 2, 1),
        Case<CMMorphMapDump>("MorphMapDump", 0, 0,
                             [] {
                                 CMMorphMapDump dump;
                                 dump.SetGroupValue(0, 127);
                                 dump.SetGroupValue(3, 5);
                                 dump.SetKeyboardAssignment(1, 2);
                                 dump.SetKeyboardAssignment(2, 1);
                                 dump.AddAssignment(ParamAddress{1, 4, 2}, 3, -128);
                                 dump.AddAssignment(ParamAddress{0, 9, 0}, 0, 127);
                                 return dump;
                             }),
        Case<CMMorphMapRequest>("MorphMapRequest", 2, 1),
        Case<CMPatchHeaderRequest>("PatchHeaderRequest", 2, 1),
        Case<CMPatchHeaderDump>("PatchHeaderDump", 0, 0,
                                [] {
                                    CPatchHeader header;
                                    header.SetKbRangeMin(12);
                                    header.SetVoices(32);
                                    header.SetOctShift(2);
                                    header.SetSplitPosition(16383);
                                    header.SetPedalMode(true);
                                    header.SetCableVisible(6, 0);
                                    header.SetMorph(1, 0);
                                    return CMPatchHeaderDump(header);
                                }),
        Case<CMPatchNameDump>("PatchNameDump", 0, 1, [] { return CMPatchNameDump("Init Lead"); }),
        Case<CMPatchNameRequest>("PatchNameRequest", 0, 1),
        Case<CMCurrentNotesRequest>("CurrentNotesRequest", 0, 1),
        Case<CMCurrentNotesDump>("CurrentNotesDump", 0, 0,
                                 [] {
                                     CMCurrentNotesDump dump;
                                     dump.SetFirstEntry({60, 1, 2});
                                     dump.SetCount(32);
                                     dump.SetEntry(0, {127, 0, 127});
                                     dump.SetEntry(31, {1, 2, 3});
                                     return dump;
                                 }),
        Case<CMSendCtrlSnap>("SendCtrlSnap", 0, 1),
        Case<CMFlushBlink>("FlushBlink", 0, 1),
        // Synthesizer, slots and sessions
        Case<CMSynthDataRequest>("SynthDataRequest", 2, 1),
        Case<CMSynthDataDump>("SynthDataDump", 0, 0,
                              [] {
                                  CSynthSettings settings;
                                  settings.SetName("Stage rig");
                                  settings.SetMasterTune(-100);
                                  settings.SetSlotActive(2, 1);
                                  settings.SetSlotChannel(2, 9);
                                  settings.SetSlotValue(3, 0, 3);
                                  return CMSynthDataDump(settings);
                              }),
        Case<CMNumberOfVoicesRequest>("NumberOfVoicesRequest", 2, 1),
        Case<CMNumberOfVoicesDump>("NumberOfVoicesDump", 0, 1,
                                   [] {
                                       CVoiceCounts voices;
                                       voices.SetVoices(0, 32);
                                       voices.SetVoices(3, 7);
                                       return CMNumberOfVoicesDump(voices);
                                   }),
        Case<CMSlotSelectionRequest>("SlotSelectionRequest", 2, 1),
        Case<CMSlotSelectionDump>("SlotSelectionDump", 0, 1,
                                  [] {
                                      CSlotSelection selection;
                                      selection.SetActive(1, true);
                                      selection.SetActive(3, true);
                                      return CMSlotSelectionDump(selection);
                                  }),
        Case<CMSlotFocusRequest>("SlotFocusRequest", 2, 1),
        Case<CMSlotFocusDump>("SlotFocusDump", 2, 1, [] { return CMSlotFocusDump(3); }),
        Case<CMSessionNumberRequest>("SessionNumberRequest", 2, 1),
        Case<CMSessionNumberDump>("SessionNumberDump", 0, 1, [] { return CMSessionNumberDump(0x3F); }),
        Case<CMDumpBubbleDestination>("DumpBubbleDestination", 2, 1,
                                      [] { return CMDumpBubbleDestination(1, 8, 98, "Pad"); }),
        Case<CMSessionPatchRelease>("SessionPatchRelease", 0, 1, [] { return CMSessionPatchRelease(2, 17); }),
        Case<CMPlayNote>("PlayNote", 0, 1, [] { return CMPlayNote(CMPlayNote::kNoteOff, 72); }),
        // Flash
        Case<CMFlashLoadCommand>("FlashLoadCommand", 0, 1,
                                 [] {
                                     return CMFlashLoadCommand(2, {3, 45});
                                 }),
        Case<CMFlashStoreCommand>("FlashStoreCommand", 0, 1,
                                  [] {
                                      return CMFlashStoreCommand(1, {8, 98});
                                  }),
        Case<CMFlashDeleteCommand>("FlashDeleteCommand", 0, 1,
                                   [] {
                                       return CMFlashDeleteCommand({4, 7}, 1);
                                   }),
        Case<CMFlashCommandResult>("FlashCommandResult", 0, 1,
                                   [] {
                                       return CMFlashCommandResult({5, 60}, 1, 4);
                                   }),
        Case<CMFlashUsageDump>("FlashUsageDump", 0, 1, [] { return CMFlashUsageDump(999); }),
        Case<CMFlashDataRequest>("FlashDataRequest", 2, 1,
                                 [] {
                                     return CMFlashDataRequest({1, 50});
                                 }),
        Case<CMFlashDeleteDump>("FlashDeleteDump", 0, 1,
                                [] {
                                    return CMFlashDeleteDump({6, 12});
                                }),
        Case<CMFlashDataDump>("FlashDataDump", 0, 1,
                              [] {
                                  CMFlashDataDump dump;
                                  dump.AddItem({0, 0}, "First");
                                  dump.AddItem({0, 1}, "Second");
                                  dump.AddItem({0, 40}, "Gap");
                                  dump.AddItem({3, 98}, "Last of bank");
                                  dump.AddItem({4, 0}, "Next bank");
                                  return dump;
                              }),
        Case<CMFlashDumpRequest>("FlashDumpRequest", 2, 1,
                                 [] {
                                     return CMFlashDumpRequest({2, 0});
                                 }),
        Case<CMFlashDumpMarker>("FlashDumpMarker", 0, 1,
                                [] {
                                    return CMFlashDumpMarker(CMFlashDumpMarker::kCodePatch, {1, 2}, "Brass");
                                }),
    };
}

} // namespace

// Write, read back into an empty molecule (made by the registry for the ids
// the editor receives), write again: every field must survive, and the
// reader must take exactly the bytes the writer wrote.
TEST(MoleculeRoundTrip, EveryMoleculeReadsBackWhatItWrote)
{
    moltest::CFakeModuleTypes types = MakeTestModuleTypes();
    CScopedModuleTypes installed(&types);
    CMoleculeRegistry registry;
    RegisterReceivedMolecules(registry);

    const std::vector<RoundTripCase> cases = AllMolecules();
    EXPECT_EQ(cases.size(), 65u);
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CMolecule> original = c.make();
        const Written written = WriteMolecule(*original);
        ASSERT_FALSE(written.bytes.empty());
        EXPECT_EQ(written.bytes[0], c.id);
        EXPECT_EQ(written.kind, c.kind);
        EXPECT_EQ(written.flag, c.flag);

        std::unique_ptr<CMolecule> empty = c.makeEmpty();
        if (registry.IsRegistered(c.id)) {
            std::unique_ptr<CMolecule> built = registry.Create(c.id);
            EXPECT_EQ(typeid(*built), typeid(*empty));
            empty = std::move(built);
        }
        EXPECT_EQ(ReadMolecule(*empty, written.bytes), written.bytes.size());
        EXPECT_EQ(WriteBytes(*empty), written.bytes);
    }
}

TEST(MoleculeRoundTrip, RegistryHoldsTheReceivedMoleculesWithTheirTargets)
{
    CMoleculeRegistry registry;
    RegisterReceivedMolecules(registry);
    int registered = 0;
    for (uint32_t id = 0; id < CMoleculeRegistry::kSize; ++id)
        registered += registry.IsRegistered(static_cast<uint8_t>(id)) ? 1 : 0;
    EXPECT_EQ(registered, 29);
    for (const CReceivedMolecule& received : kReceivedMolecules) {
        EXPECT_EQ(registry.GetFlag(received.id), received.target) << int(received.id);
        // The builder makes a molecule of its own id.
        const std::unique_ptr<CMolecule> molecule = registry.Create(received.id);
        ASSERT_NE(molecule, nullptr);
    }
    // Ids the editor only sends have no builder.
    EXPECT_FALSE(registry.IsRegistered(CMSynthDataRequest::kId));
    EXPECT_FALSE(registry.IsRegistered(CMModuleNew::kId));
}
