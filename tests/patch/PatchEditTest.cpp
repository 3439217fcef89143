// Edits of a document as the panels and the patch window make them: sent
// to the linked synthesizer, applied, recorded for undo and replayed.
#include "patch/area/PatchBackground.h"
#include "patch/edit/EditPair.h"
#include "patch/edit/UndoHistory.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/ParamValueBlock.h"
#include "synth/protocol/ProtocolErrors.h"
#include "tests/support/patch/EditorServicesDouble.h"
#include "tests/support/patch/PatchTestFixture.h"

#include <gtest/gtest.h>

namespace {

using Path = testsupport::CSynthLinkDouble::Path;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;

class PatchEditTest : public testsupport::PatchTestFixture {
protected:
    PatchEditTest()
    {
        patch.ClearChangeFlags();
        patch.MarkStartRequestsSent();
    }

    void Link()
    {
        patch.LinkToSynth(&synth, 2, false);
        synth.sent.clear();
    }

    // The pair of a knob turned from one value to another.
    static std::unique_ptr<CEditPair> ValuePair(uint8_t from, uint8_t to, bool live = false)
    {
        auto pair = std::make_unique<CEditPair>(live);
        pair->Add(std::make_unique<CMParamChange>(1, 1, 0, to), std::make_unique<CMParamChange>(1, 1, 0, from));
        return pair;
    }
    uint8_t Value() const { return patch.GetArea(1)->FindModule(1)->GetParamValue(0); }

    testsupport::CEditorServicesDouble editor;
};

TEST_F(PatchEditTest, AnEditIsSentThenAppliedThenRecorded)
{
    AddModules(1, {{1, kOscA}});
    Link();
    patch.ExecuteEdit(ValuePair(0, 5));
    ASSERT_EQ(synth.sent.size(), 1u);
    EXPECT_EQ(synth.sent[0].path, Path::Edit);
    EXPECT_EQ(synth.sent[0].slot, 2);
    EXPECT_EQ(synth.sent[0].ids, std::vector<uint8_t>{CMParamChange::kId});
    EXPECT_EQ(Value(), 5);
    EXPECT_TRUE(patch.CanUndo());

    patch.Undo();
    EXPECT_EQ(Value(), 0);
    EXPECT_EQ(synth.sent.back().path, Path::Edit);
    EXPECT_TRUE(patch.CanRedo());
    patch.Redo();
    EXPECT_EQ(Value(), 5);
    EXPECT_EQ(synth.sent.size(), 3u);
}

TEST_F(PatchEditTest, FifteenEditsCanBeUndoneAndANewEditEndsRedo)
{
    AddModules(1, {{1, kOscA}});
    for (uint8_t value = 1; value <= 16; ++value) {
        patch.ExecuteEdit(ValuePair(value - 1, value));
    }
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), 15u);
    while (patch.CanUndo()) {
        patch.Undo();
    }
    EXPECT_EQ(Value(), 1); // the first edit fell out of the history
    patch.Redo();
    EXPECT_EQ(Value(), 2);
    patch.ExecuteEdit(ValuePair(2, 9));
    EXPECT_FALSE(patch.CanRedo());
}

TEST_F(PatchEditTest, ALivePairIsUndoneAndRedoneOnTheLivePath)
{
    AddModules(1, {{1, kOscA}});
    Link();
    // A knob turned with the mouse: sent live while it moved, pushed on release.
    for (uint8_t value = 1; value <= 3; ++value) {
        CMoleculePacket step;
        step.Append(std::make_unique<CMParamChange>(1, 1, 0, value));
        patch.SendAndApplyMoleculesLive(step);
    }
    patch.PushUndoEntry(ValuePair(0, 3, true));
    EXPECT_EQ(synth.sent.size(), 3u);
    patch.Undo();
    EXPECT_EQ(synth.sent.back().path, Path::Live);
    EXPECT_EQ(Value(), 0);
    patch.Redo();
    EXPECT_EQ(synth.sent.back().path, Path::Live);
    EXPECT_EQ(Value(), 3);
}

TEST_F(PatchEditTest, AnEditThatCannotBeSentIsNeitherAppliedNorRecorded)
{
    AddModules(1, {{1, kOscA}});
    Link();
    const uint8_t before = Value();
    synth.overflowNext = true;
    patch.ExecuteEdit(ValuePair(before, before + 1));
    EXPECT_EQ(Value(), before);
    EXPECT_FALSE(patch.CanUndo());
    EXPECT_EQ(editor.alerts, std::vector<uint32_t>{CPatch::kAlertCouldNotPerform});
}

TEST_F(PatchEditTest, AnUndoOrRedoThatCannotBeSentLeavesBothListsAsTheyWere)
{
    AddModules(1, {{1, kOscA}});
    Link();
    const uint8_t before = Value();
    patch.ExecuteEdit(ValuePair(before, before + 1));
    ASSERT_EQ(patch.GetUndoHistory().GetUndoCount(), 1u);

    synth.overflowNext = true;
    patch.Undo();
    EXPECT_EQ(Value(), before + 1);
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), 1u);
    EXPECT_EQ(patch.GetUndoHistory().GetRedoCount(), 0u);

    patch.Undo();
    EXPECT_EQ(Value(), before);
    ASSERT_EQ(patch.GetUndoHistory().GetRedoCount(), 1u);
    synth.overflowNext = true;
    patch.Redo();
    EXPECT_EQ(Value(), before);
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), 0u);
    EXPECT_EQ(patch.GetUndoHistory().GetRedoCount(), 1u);
    EXPECT_EQ(editor.alerts, (std::vector<uint32_t>{CPatch::kAlertCouldNotPerform, CPatch::kAlertCouldNotPerform}));

    patch.Redo();
    EXPECT_EQ(Value(), before + 1);
}

TEST_F(PatchEditTest, EmptyPairsAreNeverSentOrRecorded)
{
    Link();
    patch.ExecuteEdit(std::make_unique<CEditPair>());
    EXPECT_TRUE(synth.sent.empty());
    // A pair whose undo list is empty could never be replayed.
    auto noUndo = std::make_unique<CEditPair>();
    noUndo->AddDo(std::make_unique<CMModuleNew>(1, 1, kOscA, 0, 0, "Osc"));
    patch.ExecuteEdit(std::move(noUndo));
    patch.PushUndoEntry(std::make_unique<CEditPair>());
    EXPECT_FALSE(patch.CanUndo());
    EXPECT_EQ(synth.sent.size(), 1u);
}

TEST_F(PatchEditTest, ACableEditThatWouldMakeALoopIsRefusedBeforeSending)
{
    AddModules(1, {{1, kMixer}, {2, kMixer}});
    Link();
    ASSERT_TRUE(patch.ConnectCable(1, JackAddress{1, 0, 1}, JackAddress{2, 0, 0}));
    ASSERT_TRUE(patch.ConnectCable(1, JackAddress{2, 0, 0}, JackAddress{2, 1, 0}));
    EXPECT_EQ(synth.sent.size(), 2u);
    // 1's output and 2's second input are joined through 2's first input.
    EXPECT_FALSE(patch.ConnectCable(1, JackAddress{1, 0, 1}, JackAddress{2, 1, 0}));
    EXPECT_FALSE(patch.ConnectCable(1, JackAddress{1, 0, 1}, JackAddress{1, 0, 1}));
    EXPECT_EQ(synth.sent.size(), 2u);
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), 2u);
    patch.Undo();
    patch.Undo();
    EXPECT_EQ(patch.GetArea(1)->GetStore().GetCableCount(), 0u);
}

TEST_F(PatchEditTest, DeletingASelectionRemovesAssignmentsAndCablesFirstAndUndoRestoresAll)
{
    AddModules(1, {{1, kOscA}, {2, kMixer}, {3, kMixer}});
    auto cables = std::make_unique<CMCableDump>(1);
    cables->AddCable(0, JackAddress{1, 0, 1}, JackAddress{2, 0, 0});
    cables->AddCable(0, JackAddress{2, 0, 1}, JackAddress{3, 0, 0});
    Apply(std::move(cables));
    const ParamAddress knobbed{1, 1, 0};
    const ParamAddress controlled{1, 1, 1};
    const ParamAddress morphed{1, 1, 2};
    Apply(std::make_unique<CMKnobAssign>(knobbed, 4));
    Apply(std::make_unique<CMCtrlAssign>(controlled, 7));
    Apply(std::make_unique<CMMorphAssign>(morphed, 1, 10, 0));
    Apply(std::make_unique<CMModuleName>(1, 1, "Lead Osc"));
    patch.ClearSelection();
    patch.SelectModule(*patch.GetArea(1)->FindModule(1));
    patch.SelectModule(*patch.GetArea(1)->FindModule(2));
    Link();

    patch.DeleteSelection();
    ASSERT_EQ(synth.sent.size(), 1u);
    const std::vector<uint8_t>& ids = synth.sent[0].ids;
    ASSERT_GE(ids.size(), 5u);
    EXPECT_EQ(ids[0], CMKnobDeassign::kId);
    EXPECT_EQ(ids[1], CMCtrlDeassign::kId);
    EXPECT_EQ(ids[2], CMMorphAssign::kId);
    EXPECT_EQ(ids.back(), CMModuleDelete::kId);
    EXPECT_EQ(patch.GetArea(1)->GetModules().GetCount(), 1u);
    EXPECT_EQ(patch.GetArea(1)->GetStore().GetCableCount(), 0u);
    uint8_t knob = 0;
    EXPECT_FALSE(patch.GetKnobMap().FindByParam(knobbed, knob));

    patch.Undo();
    EXPECT_EQ(patch.GetArea(1)->GetModules().GetCount(), 3u);
    EXPECT_EQ(patch.GetArea(1)->GetStore().GetCableCount(), 2u);
    EXPECT_EQ(patch.GetArea(1)->FindModule(1)->GetName(), "Lead Osc");
    EXPECT_TRUE(patch.GetKnobMap().FindByParam(knobbed, knob));
    EXPECT_EQ(knob, 4);
    uint8_t controller = 0;
    EXPECT_TRUE(patch.GetCtrlMap().FindByParam(controlled, controller));
    uint8_t group = 0;
    int32_t range = 0;
    EXPECT_TRUE(patch.GetMorphMap().FindByParam(morphed, group, range));
    EXPECT_EQ(range, 10);
}

TEST_F(PatchEditTest, AVoiceCountChangeLeavesNoEarlierThan600Milliseconds)
{
    Link();
    CPatchHeader received;
    received.SetVoices(4);
    Apply(std::make_unique<CMPatchHeaderDump>(received));
    synth.sent.clear();

    CPatchHeader edited = received;
    edited.SetVoices(6);
    patch.SetPatchHeader(edited);
    EXPECT_TRUE(synth.sent.empty());
    clock.Advance(599);
    EXPECT_FALSE(patch.RequestNextPart());
    clock.Advance(1);
    EXPECT_TRUE(patch.RequestNextPart());
    ASSERT_EQ(synth.sent.size(), 1u);
    EXPECT_EQ(synth.sent[0].ids, std::vector<uint8_t>{CMPatchHeaderDump::kId});
    EXPECT_FALSE(patch.IsHeaderSendPending());

    // Another setting with the same voices goes out at once.
    edited.SetBendRange(5);
    patch.SetPatchHeader(edited);
    EXPECT_EQ(synth.sent.size(), 2u);
}

TEST_F(PatchEditTest, AHeaderDumpRepeatingTheEditedHeaderClearsThePendingSend)
{
    Link();
    CPatchHeader received;
    Apply(std::make_unique<CMPatchHeaderDump>(received));
    CPatchHeader edited = received;
    edited.SetVoices(received.GetVoices() + 2);
    patch.SetPatchHeader(edited);
    EXPECT_TRUE(patch.IsHeaderSendPending());
    Apply(std::make_unique<CMPatchHeaderDump>(edited));
    EXPECT_FALSE(patch.IsHeaderSendPending());
}

TEST_F(PatchEditTest, HeaderEditsWaitForTheFirstHeaderAndIgnoreTheReceivedOne)
{
    CPatch slotPatch;
    slotPatch.LinkToSynth(&synth, 0, false);
    CPatchHeader header;
    header.SetVoices(8);
    slotPatch.SetPatchHeader(header); // before any header arrived
    EXPECT_FALSE(slotPatch.IsHeaderSendPending());
    EXPECT_NE(slotPatch.GetPatchHeader().GetVoices(), 8);
    synth.sent.clear();
    patch.SetPatchHeader(patch.GetReceivedHeader());
    EXPECT_TRUE(synth.sent.empty());
}

TEST_F(PatchEditTest, TheFocusMovesByAFocusDumpOnTheLivePath)
{
    AddModules(1, {{1, kOscA}});
    Link();
    EXPECT_EQ(patch.GetParamFocus(), (ParamAddress{2, 1, 0}));
    EXPECT_EQ(patch.GetFocusHelpId(), 80u);
    patch.SetParamFocus(ParamAddress{1, 1, 3});
    ASSERT_EQ(synth.sent.size(), 1u);
    EXPECT_EQ(synth.sent[0].path, Path::Live);
    EXPECT_EQ(patch.GetParamFocus(), (ParamAddress{1, 1, 3}));
    patch.SetParamFocus(ParamAddress{1, 1, 3});
    EXPECT_EQ(synth.sent.size(), 1u);
    EXPECT_FALSE(patch.CanUndo());
    // Deleting the focused module gives the focus back to the morph knob.
    Apply(std::make_unique<CMModuleDelete>(1, 1));
    EXPECT_EQ(patch.GetParamFocus(), (ParamAddress{2, 1, 0}));
    editor.morphEntries = false;
    AddModules(1, {{2, kOscA}});
    Apply(std::make_unique<CMParamFocusDump>(ParamAddress{1, 2, 0}));
    Apply(std::make_unique<CMModuleDelete>(1, 2));
    EXPECT_EQ(patch.GetParamFocus(), (ParamAddress{1, 0, 0}));
    EXPECT_FALSE(patch.HasFocus());
}

TEST_F(PatchEditTest, TitlesNamesAndTheLink)
{
    CPatch fresh;
    EXPECT_EQ(fresh.GetName(), "Unknown");
    fresh.ClearChangeFlags();
    EXPECT_EQ(fresh.GetName(), "No name");
    fresh.SetName("Lead");
    fresh.SetDirty();
    EXPECT_EQ(fresh.GetTitle(), "Lead*");
    fresh.SetName("Bass 1");
    synth.port = 1;
    fresh.LinkToSynth(&synth, 2, false);
    EXPECT_EQ(fresh.GetTitle(), "Bass 1*<-->Port 2, Slot C");
    synth.synthName = "Kandrel";
    fresh.UpdateTitle();
    EXPECT_EQ(fresh.GetTitle(), "Bass 1*<-->Kandrel, Slot C");
    fresh.UnlinkFromSynth();
    EXPECT_EQ(synth.released, std::vector<uint8_t>{2});
    EXPECT_EQ(fresh.GetSlot(), CPatch::kNoSlot);
    fresh.LinkToSynth(&synth, 9, false);
    EXPECT_EQ(fresh.GetSlot(), CPatch::kNoSlot);
}

TEST_F(PatchEditTest, ASlotPatchAsksForItsPartsInOrder)
{
    CPatch slotPatch;
    slotPatch.LinkToSynth(&synth, 1, false);
    synth.sent.clear();
    std::vector<std::vector<uint8_t>> asked;
    const auto next = [&] {
        synth.sent.clear();
        if (!slotPatch.RequestNextPart()) {
            return false;
        }
        asked.push_back(synth.sent.at(0).ids);
        return true;
    };
    const auto answer = [&](std::unique_ptr<CMolecule> molecule) {
        CMoleculePacket packet;
        packet.Append(std::move(molecule));
        slotPatch.ApplyMoleculeList(packet);
    };
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), (std::vector<uint8_t>{0x20, 0x28}));
    answer(std::make_unique<CMPatchHeaderDump>());
    answer(std::make_unique<CMPatchNameDump>("Strings"));
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x4B}); // area 1's modules
    auto modules = std::make_unique<CMModuleDump>(1);
    modules->AddModule(1, kOscA, 0, 0);
    answer(std::move(modules));
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x4B}); // area 0's
    answer(std::make_unique<CMModuleDump>(0));
    for (const uint8_t expected : {0x53, 0x53}) {
        ASSERT_TRUE(next());
        EXPECT_EQ(asked.back(), std::vector<uint8_t>{expected});
        answer(std::make_unique<CMCableDump>(asked.size() == 4 ? 1 : 0));
    }
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x4C});
    auto values = std::make_unique<CMModuleParamDump>(1);
    values->AddModule(1, kOscA);
    // A dump that fails its count still answers the request.
    EXPECT_THROW(answer(std::move(values)), XTorvanBase);
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x66});
    answer(std::make_unique<CMMorphMapDump>());
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x63});
    answer(std::make_unique<CMKnobMapDump>());
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x61});
    answer(std::make_unique<CMCtrlMapDump>());
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x4E});
    answer(std::make_unique<CMModuleNameDump>(1));
    for (const uint8_t area : {1, 0}) {
        ASSERT_TRUE(next());
        EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x4F});
        answer(std::make_unique<CMModuleCustomDataDump>(area));
    }
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x68});
    answer(std::make_unique<CMCurrentNotesDump>());
    EXPECT_FALSE(slotPatch.HasChanges());
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x70});
    ASSERT_TRUE(next());
    EXPECT_EQ(asked.back(), std::vector<uint8_t>{0x2E});
    EXPECT_FALSE(next());
    EXPECT_EQ(slotPatch.GetName(), "Strings");
    EXPECT_FALSE(slotPatch.IsDirty());
}

} // namespace

namespace {

TEST_F(PatchEditTest, ATwentySixthMorphAssignmentDoesNotHappen)
{
    AddModules(1, {{1, kOscA}, {2, kOscA}, {3, kOscA}});
    const uint8_t params = patch.GetArea(1)->FindModule(1)->GetParamCount();
    ASSERT_GE(params * 3, 26);
    for (uint8_t n = 0; n < 26; ++n) {
        Apply(std::make_unique<CMMorphAssign>(ParamAddress{1, uint8_t(1 + n / params), uint8_t(n % params)}, 0, 5, 0));
    }
    EXPECT_EQ(patch.GetMorphMap().GetEntries().size(), 25u);
    // Moving an assigned parameter to another group still works when full.
    Apply(std::make_unique<CMMorphAssign>(ParamAddress{1, 1, 0}, 2, 5, 0));
    uint8_t group = 0;
    int32_t range = 0;
    ASSERT_TRUE(patch.GetMorphMap().FindByParam(ParamAddress{1, 1, 0}, group, range));
    EXPECT_EQ(group, 2);
}

} // namespace

namespace {

TEST_F(PatchEditTest, TheActivePatchShowsTheValuesOfItsSlotsBlock)
{
    services.SetDisplayKind(kOscA, 2);
    AddModules(1, {{1, kOscA}});
    AddModules(0, {{1, kOscA}});
    Link();
    CParamValueBlock& block = synth.blocks[2];
    block.SetValue(0, 300);
    block.SetValue(1, 400);
    patch.ShowModuleValues(); // not the current slot: nothing
    EXPECT_TRUE(block.HasChanges());
    synth.current = 2;
    patch.ShowModuleValues();
    EXPECT_FALSE(block.HasChanges());
    const auto values = [&](int area) {
        return dynamic_cast<testsupport::CModuleDouble&>(*patch.GetArea(area)->FindModule(1)).GetMeterValues();
    };
    EXPECT_EQ(values(1), std::vector<uint16_t>{300});
    EXPECT_EQ(values(0), std::vector<uint16_t>{400});
}

TEST_F(PatchEditTest, DraggingTheSelectionGoesToTheModuleDragView)
{
    patch.DragSelection();
    EXPECT_EQ(editor.selectionDrags, 0);
    AddModules(1, {{1, kOscA}});
    patch.SelectModule(*patch.GetArea(1)->FindModule(1));
    patch.DragSelection();
    EXPECT_EQ(editor.selectionDrags, 1);
    patch.CancelModes();
    EXPECT_EQ(editor.dragCancels, 1);
}

} // namespace

namespace {

TEST_F(PatchEditTest, OnlyStructuralChangesMakeTheDocumentDirty)
{
    AddModules(1, {{1, kOscA}, {2, kMixer}});
    patch.ClearChangeFlags();
    const struct {
        const char* what;
        std::function<std::unique_ptr<CMolecule>()> molecule;
        bool dirty;
    } cases[] = {
        {"value", [] { return std::make_unique<CMParamChange>(1, 1, 0, 3); }, false},
        {"morph range", [] { return std::make_unique<CMMorphChange>(1, 1, 0, 9); }, false},
        {"focus",
         [] {
             return std::make_unique<CMParamFocusDump>(ParamAddress{1, 1, 0});
         },
         false},
        {"notes", [] { return std::make_unique<CMCurrentNotesDump>(); }, false},
        {"move", [] { return std::make_unique<CMModuleMove>(1, 1, 3, 3); }, true},
        {"name", [] { return std::make_unique<CMModuleName>(1, 1, "Lead"); }, true},
        {"cable",
         [] {
             return std::make_unique<CMCableConnect>(1, JackAddress{1, 0, 1}, JackAddress{2, 0, 0}, 0, 0);
         },
         true},
        {"knob",
         [] {
             return std::make_unique<CMKnobAssign>(ParamAddress{1, 1, 0}, 2);
         },
         true},
        {"patch name", [] { return std::make_unique<CMPatchNameDump>("Renamed"); }, true},
    };
    for (const auto& c : cases) {
        patch.ClearDirty();
        Apply(c.molecule());
        EXPECT_EQ(patch.IsDirty(), c.dirty) << c.what;
    }
    EXPECT_EQ(patch.GetTitle(), "Renamed*");
}

} // namespace

namespace {

TEST_F(PatchEditTest, TheDocumentsWindowOpensOnceIsRefreshedAndFollowsTheSplit)
{
    editor.openWindows = true;
    patch.SetDirty();
    patch.OpenWindow(0);
    ASSERT_TRUE(patch.HasWindow());
    EXPECT_FALSE(patch.IsDirty()); // a new window starts clean
    patch.OpenWindow(0);
    ASSERT_EQ(editor.windows.size(), 1u);
    const testsupport::CPatchWindowDouble& window = *editor.windows[0];
    EXPECT_EQ(window.fronts, 1);

    const int refreshes = window.refreshes;
    AddModules(1, {{1, kOscA}});
    EXPECT_GT(window.refreshes, refreshes);
    CPatchHeader header = patch.GetReceivedHeader();
    header.SetSplitPosition(header.GetSplitPosition() + 40);
    Apply(std::make_unique<CMPatchHeaderDump>(header));
    EXPECT_EQ(window.relayouts, 1);
    patch.CancelModes();
    EXPECT_EQ(window.splitterResets, 1);

    patch.SetDirty();
    patch.OnWindowClosed();
    EXPECT_FALSE(patch.HasWindow());
    EXPECT_FALSE(patch.IsDirty());
    EXPECT_TRUE(patch.IsUnused());
}

} // namespace
