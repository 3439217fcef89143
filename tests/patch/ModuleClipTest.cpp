// Copying selected modules into a clip and dropping it into a voice area,
// in the order the module drag view takes the steps: fit the clip to the
// target, make names unique, place the drop, make room, insert.
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleClip.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/PatchError.h"
#include "patch/edit/EditPair.h"
#include "patch/edit/UndoHistory.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "tests/support/patch/PatchTestFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr uint8_t kAudioIn = 2;
constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kPolyAreaIn = 127;

class ModuleClipTest : public testsupport::PatchTestFixture {
protected:
    ModuleClipTest() { patch.ClearChangeFlags(); }

    CPatchBackground& Area(int index) { return *patch.GetArea(index); }

    void Name(uint8_t area, uint8_t module, const std::string& name)
    {
        Apply(std::make_unique<CMModuleName>(area, module, name));
    }

    void Cable(uint8_t area, JackAddress from, JackAddress to)
    {
        Apply(std::make_unique<CMCableConnect>(area, from, to, 0, 0));
    }

    std::unique_ptr<CModuleClip> Copy(uint8_t area, std::initializer_list<uint8_t> modules)
    {
        patch.ClearSelection();
        for (const uint8_t index : modules) {
            patch.SelectModule(*Area(area).FindModule(index));
        }
        return CModuleClip::FromSelection(patch.GetSelection(), Area(area).GetStore());
    }

    // The drag view's steps for a drop at a pixel offset; false when refused.
    bool Drop(CModuleClip& clip, uint8_t area, NSHarrowen::CPoint offset = {})
    {
        const CCableTree& target = Area(area).GetStore();
        clip.FitTo(target, patch.GetLoadTable().GetFreeMemory());
        std::unique_ptr<CEditPair> pair = clip.MakeDropEdit(target, offset);
        if (pair == nullptr) {
            return false;
        }
        const size_t before = patch.GetUndoHistory().GetUndoCount();
        patch.ExecuteEdit(std::move(pair));
        return patch.GetUndoHistory().GetUndoCount() == before + 1;
    }

    std::vector<std::string> Names(uint8_t area)
    {
        std::vector<std::string> names;
        for (const CModuleInterface* module : Area(area).GetModules()) {
            names.push_back(module->GetName());
        }
        return names;
    }
};

TEST_F(ModuleClipTest, APastedModuleTakesTheNextFreeNumberOfItsName)
{
    AddModules(0, {{1, kOscA}});
    Name(0, 1, "Osc");
    AddModules(1, {{1, kOscA}, {2, kOscA}, {3, kMixer}});
    Name(1, 1, "Osc1");
    Name(1, 2, "Osc2");
    Name(1, 3, "Oscillating");
    ASSERT_TRUE(Drop(*Copy(0, {1}), 1, {0, 600}));
    EXPECT_EQ(Names(1).back(), "Osc3");
    ASSERT_TRUE(Drop(*Copy(0, {1}), 0, {256, 0}));
    EXPECT_EQ(Names(0).back(), "Osc1");
    // "Osc" itself and "Osc1" are taken now: the next one is Osc2, never a
    // second Osc1.
    ASSERT_TRUE(Drop(*Copy(0, {1}), 0, {512, 0}));
    EXPECT_EQ(Names(0).back(), "Osc2");
}

TEST_F(ModuleClipTest, ALongNameStaysUniqueWhenItsNumberNoLongerFits)
{
    AddModules(0, {{1, kOscA}});
    Name(0, 1, "Fifteen letters");
    for (int paste = 0; paste < 3; ++paste) {
        ASSERT_TRUE(Drop(*Copy(0, {1}), 1, {paste * 256, 0}));
    }
    // The stem gives way to the number, so every copy has a name of its own
    // within the 15 characters a name may have.
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Fifteen letter1", "Fifteen letter2", "Fifteen letter3"}));
    ASSERT_TRUE(Drop(*Copy(0, {1}), 0, {256, 0}));
    EXPECT_EQ(Names(0).back(), "Fifteen letter1");
}

TEST_F(ModuleClipTest, AnAreaOf120TakesSixModulesButNotSeven)
{
    auto many = std::make_unique<CMModuleDump>(1);
    for (uint8_t index = 1; index <= 120; ++index) {
        many->AddModule(index, kMixer, index % 5, index);
    }
    Apply(std::move(many));
    AddModules(0, {{1, kMixer}, {2, kMixer}, {3, kMixer}, {4, kMixer}, {5, kMixer}, {6, kMixer}, {7, kMixer}});
    patch.ClearChangeFlags();

    auto seven = Copy(0, {1, 2, 3, 4, 5, 6, 7});
    EXPECT_FALSE(Drop(*seven, 1, {256 * 6, 0}));
    EXPECT_TRUE(seven->IsEmpty());
    EXPECT_EQ(Area(1).GetModules().GetCount(), 120u);

    ASSERT_TRUE(Drop(*Copy(0, {1, 2, 3, 4, 5, 6}), 1, {256 * 6, 0}));
    EXPECT_EQ(Area(1).GetModules().GetCount(), 126u);
    // The pasted modules took indices free in the target.
    EXPECT_TRUE(Area(1).GetModules().Has(121));
    EXPECT_TRUE(Area(1).GetModules().Has(126));
}

TEST_F(ModuleClipTest, CablesThroughModulesOutsideTheClipArePruned)
{
    // A feeds C, C's input joins B: A and B are joined only through C.
    AddModules(0, {{1, kMixer}, {2, kMixer}, {3, kMixer}, {4, kMixer}});
    Cable(0, JackAddress{1, 0, 1}, JackAddress{3, 0, 0});
    Cable(0, JackAddress{3, 0, 0}, JackAddress{2, 0, 0});
    Cable(0, JackAddress{4, 0, 1}, JackAddress{3, 1, 0});
    auto clip = Copy(0, {1, 2});
    clip->CopyModulesFrom(Area(1).GetStore());
    const std::vector<CableEntry> cables = clip->GetTree().GetCables();
    ASSERT_EQ(cables.size(), 1u);
    const JackAddress a = cables[0].from.module == 1 ? cables[0].from : cables[0].to;
    const JackAddress b = cables[0].from.module == 1 ? cables[0].to : cables[0].from;
    EXPECT_EQ(a, (JackAddress{1, 0, 1}));
    EXPECT_EQ(b, (JackAddress{2, 0, 0}));

    // Module 4's only cable goes to C: its clip has none.
    auto lone = Copy(0, {4});
    lone->CopyModulesFrom(Area(1).GetStore());
    EXPECT_TRUE(lone->GetTree().GetCables().empty());
    EXPECT_TRUE(lone->GetTree().IsEmpty());
}

TEST_F(ModuleClipTest, AModuleAnAreaHoldsOnceIsLeftOutOfTheDrop)
{
    AddModules(0, {{1, kAudioIn}, {2, kMixer}, {3, kPolyAreaIn}});
    AddModules(1, {{1, kAudioIn}});
    patch.ClearChangeFlags();
    ASSERT_TRUE(Drop(*Copy(0, {1, 2, 3}), 1, {256, 0}));
    // Neither a second Audio In nor a Poly Area In in the poly area.
    ASSERT_EQ(Area(1).GetModules().GetCount(), 2u);
    EXPECT_EQ(Area(1).GetModules().At(1)->GetTypeId(), kMixer);
}

TEST_F(ModuleClipTest, UndoingAPasteDeletesTheCablesBeforeTheModules)
{
    AddModules(0, {{1, kOscA}, {2, kMixer}});
    Cable(0, JackAddress{1, 0, 1}, JackAddress{2, 0, 0});
    patch.ClearChangeFlags();
    patch.LinkToSynth(&synth, 0, false);
    ASSERT_TRUE(Drop(*Copy(0, {1, 2}), 1));
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 1u);
    EXPECT_EQ(Area(1).FindModule(1)->GetName(), "OscA1");
    synth.sent.clear();
    patch.Undo();
    ASSERT_EQ(synth.sent.size(), 1u);
    EXPECT_EQ(synth.sent[0].ids, (std::vector<uint8_t>{CMCableDelete::kId, CMModuleDelete::kId, CMModuleDelete::kId}));
    EXPECT_TRUE(Area(1).GetModules().IsEmpty());
    patch.Redo();
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 1u);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 2u);
}

TEST_F(ModuleClipTest, TheDropMakesRoomBelowAndNeverPushesBeyondRow127)
{
    AddModules(0, {{1, kMixer}});
    // In the target's column 0: a module at the drop place and one below.
    auto target = std::make_unique<CMModuleDump>(1);
    target->AddModule(1, kOscA, 0, 10);
    target->AddModule(2, kMixer, 0, 40);
    target->AddModule(3, kMixer, 1, 10);
    Apply(std::move(target));
    patch.ClearChangeFlags();
    const uint8_t mixerHeight = Area(0).FindModule(1)->GetHeight();
    const uint8_t oscHeight = Area(1).FindModule(1)->GetHeight();

    // 160 pixels are 10.67 rows: the drop lands on row 11.
    ASSERT_TRUE(Drop(*Copy(0, {1}), 1, {0, 160}));
    const CModuleInterface* dropped = Area(1).GetModules().At(3);
    EXPECT_EQ(dropped->GetRow(), 11);
    EXPECT_EQ(Area(1).FindModule(1)->GetRow(), 11 + mixerHeight);
    EXPECT_GE(Area(1).FindModule(2)->GetRow(), 11 + mixerHeight + oscHeight);
    EXPECT_EQ(Area(1).FindModule(3)->GetRow(), 10); // another column
    patch.Undo();
    EXPECT_EQ(Area(1).FindModule(1)->GetRow(), 10);
    EXPECT_EQ(Area(1).FindModule(2)->GetRow(), 40);

    // A drop whose module would land beyond row 127, and one that would
    // push a target module beyond it.
    const size_t count = Area(1).GetModules().GetCount();
    EXPECT_FALSE(Drop(*Copy(0, {1}), 1, {0, 128 * 15}));
    Apply(std::make_unique<CMModuleMove>(1, 2, 0, 125));
    EXPECT_FALSE(Drop(*Copy(0, {1}), 1, {0, 126 * 15}));
    EXPECT_EQ(Area(1).GetModules().GetCount(), count);
    EXPECT_EQ(Area(1).FindModule(2)->GetRow(), 125);
}

TEST_F(ModuleClipTest, APasteThatWouldBringAnAreaTo256CablesIsRefused)
{
    AddModules(0, {{1, kMixer}, {2, kMixer}});
    Cable(0, JackAddress{1, 0, 1}, JackAddress{2, 0, 0});
    auto modules = std::make_unique<CMModuleDump>(1);
    for (uint8_t index = 1; index <= 100; ++index) {
        modules->AddModule(index, kMixer, index % 4, index);
    }
    Apply(std::move(modules));
    auto cables = std::make_unique<CMCableDump>(1);
    for (uint8_t jack = 0; cables->GetCables().size() < 255; ++jack) {
        for (uint8_t to = 2; to <= 100 && cables->GetCables().size() < 255; ++to) {
            cables->AddCable(0, JackAddress{1, 0, 1}, JackAddress{to, jack, 0});
        }
    }
    Apply(std::move(cables));
    patch.ClearChangeFlags();
    ASSERT_EQ(Area(1).GetStore().GetCableCount(), 255u);
    auto clip = Copy(0, {1, 2});
    clip->FitTo(Area(1).GetStore(), 8192);
    EXPECT_THROW(clip->MakeDropEdit(Area(1).GetStore(), {0, 0}), XPToMany);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 100u);
}

TEST_F(ModuleClipTest, AClipNeedingMoreMemoryThanIsFreeIsEmptied)
{
    AddModules(0, {{1, kOscA}});
    patch.ClearChangeFlags();
    auto clip = Copy(0, {1});
    const uint32_t need = clip->GetTree().ComputeMemorySize();
    clip->FitTo(Area(1).GetStore(), static_cast<uint16_t>(need));
    EXPECT_FALSE(clip->IsEmpty());
    clip->FitTo(Area(1).GetStore(), static_cast<uint16_t>(need - 1));
    EXPECT_TRUE(clip->IsEmpty());
}

} // namespace

namespace {

TEST_F(ModuleClipTest, ModulesMovedByADragAreMovedAgainOnRedoAndBackOnUndo)
{
    AddModules(1, {{1, kOscA}, {2, kMixer}});
    patch.ClearChangeFlags();
    // The drag view has moved the panels two columns right and three rows down.
    std::vector<CModuleInterface*> moved{Area(1).FindModule(1), Area(1).FindModule(2)};
    for (CModuleInterface* module : moved) {
        module->SetGridPosition(module->GetColumn() + 2, module->GetRow() + 3);
    }
    auto pair = std::make_unique<CEditPair>();
    MakeMoveMolecules(1, moved, 2, 3, *pair);
    patch.ExecuteEdit(std::move(pair));
    EXPECT_EQ(Area(1).FindModule(2)->GetColumn(), 2);
    EXPECT_EQ(Area(1).FindModule(2)->GetRow(), 8);
    patch.Undo();
    EXPECT_EQ(Area(1).FindModule(1)->GetColumn(), 0);
    EXPECT_EQ(Area(1).FindModule(2)->GetRow(), 5);
    patch.Redo();
    EXPECT_EQ(Area(1).FindModule(1)->GetRow(), 3);
}

} // namespace
