// The toolbar's morph groups and load meters with a local patch: what drives
// each group, selecting a group by a click, turning a group's knob.

#include "tests/editor/EditorFixture.h"
#include "tests/editor/ToolbarFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/MorphContainer.h"
#include "editor/toolbar/ToolbarLoads.h"
#include "panels/items/PnlKnobs.h"
#include "panels/widgets/TextView.h"
#include "patch/document/Patch.h"
#include "patch/edit/UndoHistory.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/protocol/MidiCtrlNames.h"

#include <memory>
#include <string>
#include <vector>

using namespace NSHarrowen;
using namespace editortest;

namespace {

class ToolbarMorphTest : public ToolbarFixture<EditorTest> {
protected:
    CPatch& NewPatch()
    {
        Choose(editorcommands::kNew);
        Step(50);
        return *app->GetPatches()->GetActivePatch();
    }
    // The patch receives assignments as from its file or synthesizer.
    void Receive(CPatch& patch, std::unique_ptr<CMolecule> molecule)
    {
        CMoleculePacket packet;
        packet.Append(std::move(molecule));
        patch.ApplyMoleculeList(packet);
        UpdateAllWindows();
        Pump();
    }
    std::string GroupText(uint8_t group) { return Toolbar().GetMorphGroups().GetText(group).GetText(); }
    // The middle of group g's column, below its knob.
    int GroupX(int group) { return 440 + 39 * group + 3; }
};

ParamAddress Group(uint8_t group)
{
    return ParamAddress{2, 1, group};
}

} // namespace

TEST_F(ToolbarMorphTest, EachGroupTellsWhatDrivesItTheKeyboardBeforeAControllerBeforeAKnob)
{
    CPatch& patch = NewPatch();
    for (uint8_t group = 0; group < 4; ++group)
        EXPECT_EQ(GroupText(group), "--") << "driven by nothing";
    Receive(patch, std::make_unique<CMKnobAssign>(Group(0), 0));
    Receive(patch, std::make_unique<CMKnobAssign>(Group(1), 17));
    Receive(patch, std::make_unique<CMKnobAssign>(Group(2), 19));
    EXPECT_EQ(GroupText(0), "Kn 1");
    EXPECT_EQ(GroupText(1), "Kn 18");
    EXPECT_EQ(GroupText(2), "Pedal");
    Receive(patch, std::make_unique<CMCtrlAssign>(Group(1), 1));
    EXPECT_EQ(GroupText(1), GetMidiCtrlShortName(1)) << "a controller wins over a knob";
    Receive(patch, std::make_unique<CMMorphKeyboardAssign>(1, 1));
    Receive(patch, std::make_unique<CMMorphKeyboardAssign>(3, 2));
    EXPECT_EQ(GroupText(1), "Vel") << "the keyboard wins over everything";
    EXPECT_EQ(GroupText(3), "Note");
    patch.ClearDirty(); // no save question
    Choose(editorcommands::kClose);
    Step(50);
    ASSERT_EQ(app->GetPatches()->GetActivePatch(), nullptr);
    for (uint8_t group = 0; group < 4; ++group)
        EXPECT_EQ(GroupText(group), "") << "no patch, no texts";
}

TEST_F(ToolbarMorphTest, ClickingAGroupSelectsItForNewMorphsOnlyWithAnActivePatch)
{
    EXPECT_EQ(Toolbar().GetSelectionByte(), 0) << "group 1 at start";
    Click(GroupX(2), 24 + 30);
    EXPECT_EQ(Toolbar().GetSelectionByte(), 0) << "no patch: the click changes nothing";
    NewPatch();
    Click(GroupX(2), 24 + 30);
    EXPECT_EQ(Toolbar().GetSelectionByte(), 2);
    EXPECT_EQ(Toolbar().GetMorphGroups().GetHighlightedGroup(), 2);
    const platform::PixelBuffer screen = Screen();
    EXPECT_EQ(Pixel(screen, 440 + 39 * 2, 24), 0xC4F6EDu) << "the selected group's frame";
    EXPECT_EQ(Pixel(screen, 440, 24), 0xBFBFBFu) << "the others' frames are grey";
}

TEST_F(ToolbarMorphTest, TurningAGroupKnobChangesTheGroupValueLiveWithoutAnUndoStep)
{
    CPatch& patch = NewPatch();
    const size_t undoBefore = patch.GetUndoHistory().GetUndoCount();
    CPnlControl* knob = Toolbar().GetMorphEntry(1);
    ASSERT_NE(knob, nullptr);
    const CRect f = knob->GetFrame();
    // Dragged upwards from the knob's body.
    const int x = f.left + f.Width() / 2;
    const int y = f.top + f.Height() / 2;
    Press(x, y);
    for (int dy = 1; dy <= 40; ++dy) {
        desktop.Host().MoveMouse(At(x + dy, y - dy));
        Step(20);
    }
    Release(x + 40, y - 40);
    Step(50);
    EXPECT_GT(patch.GetMorphMap().GetGroupValue(1), 0);
    EXPECT_EQ(knob->GetValue(), patch.GetMorphMap().GetGroupValue(1));
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), undoBefore);
    EXPECT_EQ(Toolbar().GetSelectionByte(), 1) << "clicking the knob also selects its group";
    EXPECT_EQ(patch.GetParamFocus(), Group(1));
}

TEST(ToolbarLoads, TheMetersValuesMarksAndTextsFollowTheCycleAndMemoryLoads)
{
    struct Case {
        double area0, area1, memory0, memory1, polyStored;
        LoadMeterDisplay sum, poly;
    };
    const std::vector<Case> cases{
        {60.0, 40.0, 10, 20, 40.0, {100, false, "100.0%"}, {40, false, "40.0%"}},
        {60.04, 40.0, 10, 20, 40.0, {100, true, "100.0%"}, {40, false, "40.0%"}},
        {0.0, 99.2, 0, 0, 99.2, {100, false, "99.2%"}, {100, false, "99.2%"}},
        {10.0, 20.0, 60, 50, 50.0, {30, true, "Mem"}, {20, false, "20.0%"}},
        {10.0, 20.0, 10, 101, 101.0, {30, true, "Mem"}, {20, true, "Mem"}},
        {10.0, 120.0, 10, 101, 120.0, {100, true, "Mem"}, {100, true, "120.0%"}},
        {0.0, 0.0, 0, 0, 0.0, {0, false, "0.0%"}, {0, false, "0.0%"}},
    };
    for (const Case& c : cases) {
        ToolbarLoads::KindLoads loads{};
        loads[0][0] = c.area0;
        loads[1][0] = c.area1;
        loads[0][3] = c.memory0;
        loads[1][3] = c.memory1;
        const ToolbarLoads shown = ToolbarLoads::Compute(loads, c.polyStored);
        EXPECT_EQ(shown.sum, c.sum) << c.area0 << " + " << c.area1;
        EXPECT_EQ(shown.polyArea, c.poly) << c.area1;
    }
}
