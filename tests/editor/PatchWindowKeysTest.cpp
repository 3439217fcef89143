// The patch window's keyboard commands and its splitter, worked as a person
// works them: keys on the keyboard, the bar and its buttons with the mouse.
// What the patch header, the focus, the values and the labels then hold.
#include "tests/editor/PatchWindowFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/windows/DirectionButton.h"
#include "editor/windows/PatchView.h"
#include "editor/windows/SplitterView.h"
#include "patch/area/PatchBackground.h"
#include "patch/area/ScrollViewContainer.h"
#include "patch/document/Patch.h"
#include "patch/edit/UndoHistory.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"
#include "synth/molecules/AssignMolecules.h"
#include "patch/area/LabelCache.h"

#include <string>
#include <vector>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

class PatchWindowKeysTest : public PatchWindowTest {
protected:
    // The window's content made 600 x height.
    void SetClientHeight(int16_t height)
    {
        platform::ShowWindow(view->GetHandle(), platform::ShowCommand::Restore);
        CRect rect(0, 0, 600, height);
        view->ContentToWindowRect(rect);
        view->SetWindowRect(rect);
        Step(20);
        ASSERT_EQ(view->GetClientRect().Height(), height);
    }
    void SetSplit(int16_t split)
    {
        CPatchHeader header = patch->GetPatchHeader();
        header.SetSplitPosition(split);
        patch->SetPatchHeader(header);
        view->LayoutRootView();
        Step(20);
    }
    int16_t Split() const { return patch->GetPatchHeader().GetSplitPosition(); }
    // A point on the bar beside its buttons.
    CPoint OnBar() const
    {
        const CRect bar = view->GetSplitter().GetFrame();
        return CPoint(bar.left + 200, bar.top + 5);
    }
    CPoint OnButton(int index) const
    {
        const CRect button = view->GetSplitter().GetButton(index).GetFrame();
        return CPoint(button.left + 5, button.top + 5);
    }
    ParamAddress Focus() const { return patch->GetParamFocus(); }
};

} // namespace

TEST_F(PatchWindowKeysTest, TheSplitIsHeldAboveTheBottomAndTheBarsPlaceIsTheHeaders)
{
    SetClientHeight(500);
    // The new patch's 600 does not fit: the layout uses 489.
    SetSplit(600);
    EXPECT_EQ(view->GetContainer(1).GetFrame(), CRect(0, 0, 600, 489));
    EXPECT_EQ(view->GetSplitter().GetFrame(), CRect(0, 489, 600, 500));
    EXPECT_EQ(view->GetContainer(0).GetFrame().Height(), 0);
    SetSplit(200);
    EXPECT_EQ(view->GetContainer(1).GetFrame().bottom, 200);
    EXPECT_EQ(view->GetContainer(0).GetFrame(), CRect(0, 211, 600, 500));
}

TEST_F(PatchWindowKeysTest, ADraggedBarStopsAtTheWindowsEdges)
{
    SetClientHeight(500);
    SetSplit(200);
    Press(OnBar());
    DragTo(OnBar(), CPoint(200, 300));
    EXPECT_EQ(Split(), 295);
    EXPECT_EQ(view->GetContainer(1).GetFrame().bottom, 295);
    DragTo(CPoint(200, 300), CPoint(200, -20));
    EXPECT_EQ(Split(), 0);
    DragTo(CPoint(200, -20), CPoint(200, 700));
    EXPECT_EQ(Split(), 489);
    Release(CPoint(200, 700));
    EXPECT_FALSE(view->GetSplitter().IsDragging());
    // Escape ends a drag as the release does.
    SetSplit(200);
    Press(OnBar());
    MoveTo(CPoint(200, 250));
    Key(platform::kVKEscape);
    MoveTo(CPoint(200, 400));
    EXPECT_EQ(Split(), 245);
    Release(CPoint(200, 400));
}

// Another program brought to the front mid-drag (Alt+Tab with the button
// down, let go over that program) ends the drag where the bar was: back in
// the window the bar no longer follows the mouse.
TEST_F(PatchWindowKeysTest, AnotherProgramActivatedMidDragLeavesTheBarWhereItWas)
{
    SetClientHeight(500);
    SetSplit(200);
    Press(OnBar());
    DragTo(OnBar(), CPoint(200, 300));
    ASSERT_EQ(Split(), 295);
    Host().SetApplicationFocus(false);
    Step(20);
    Release(CPoint(200, 300));
    Host().SetApplicationFocus(true);
    Step(20);
    EXPECT_FALSE(view->GetSplitter().IsDragging());
    MoveTo(CPoint(200, 100));
    EXPECT_EQ(Split(), 295);
    Key('P');
    EXPECT_EQ(Split(), 489);

    // One of its buttons held then: it rises without a click.
    SetSplit(200);
    Press(OnButton(0));
    ASSERT_TRUE(view->GetSplitter().GetButton(0).IsShownPressed());
    Host().SetApplicationFocus(false);
    Step(20);
    Release(CPoint(200, 300));
    Host().SetApplicationFocus(true);
    Step(20);
    EXPECT_FALSE(view->GetSplitter().GetButton(0).IsShownPressed());
    EXPECT_EQ(Split(), 200);
}

TEST_F(PatchWindowKeysTest, PAndCSendTheBarToAnEdgeAndBack)
{
    SetClientHeight(500);
    SetSplit(200);
    Key('P');
    EXPECT_EQ(Split(), 489);
    Key('P');
    EXPECT_EQ(Split(), 200);
    Key('C');
    EXPECT_EQ(Split(), 0);
    // From the top to the bottom keeps the place remembered first.
    Key('P');
    EXPECT_EQ(Split(), 489);
    Key('C');
    Key('C');
    EXPECT_EQ(Split(), 200);
}

TEST_F(PatchWindowKeysTest, TheBarsButtonsSendItToAnEdgeAndBack)
{
    // Small enough for the whole window to show in the frame.
    SetClientHeight(400);
    SetSplit(200);
    Press(OnButton(0));
    EXPECT_TRUE(view->GetSplitter().GetButton(0).IsShownPressed());
    Release(OnButton(0));
    EXPECT_EQ(Split(), 0);
    Press(OnButton(1));
    Release(OnButton(1));
    EXPECT_EQ(Split(), 389);
    Press(OnButton(2));
    Release(OnButton(2));
    EXPECT_EQ(Split(), 200);
}

TEST_F(PatchWindowKeysTest, RestoreWithoutARememberedPlaceDoesNothing)
{
    SetClientHeight(500);
    SetSplit(0);
    Key('C');
    EXPECT_EQ(Split(), 0);
}

TEST_F(PatchWindowKeysTest, ValueKeysStepTheFocusedControlOneEditEach)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    // From the first morph group knob down to the upper area's first module.
    Key(platform::kVKDown);
    ASSERT_EQ(Focus().location, 1);
    ASSERT_EQ(Focus().module, constant->GetModuleIndex());
    ASSERT_EQ(Focus().param, 0);
    const uint8_t start = constant->GetParamValue(0);
    const size_t steps = patch->GetUndoHistory().GetUndoCount();
    struct Case {
        uint32_t key;
        std::vector<uint32_t> held;
        int change;
    };
    const Case cases[] = {
        {platform::kVKEquals, {}, +1},
        {platform::kVKKeypadAdd, {}, +1},
        {platform::kVKMinus, {}, -1},
        {platform::kVKKeypadSubtract, {}, -1},
        // Shift and Control together count as no modifier.
        {platform::kVKEquals, {platform::kVKShift, platform::kVKControl}, +1},
        {platform::kVKMinus, {platform::kVKShift, platform::kVKControl}, -1},
        // Shift alone matches nothing.
        {platform::kVKMinus, {platform::kVKShift}, 0},
    };
    int expected = start;
    for (const Case& c : cases) {
        Key(c.key, c.held);
        expected += c.change;
        EXPECT_EQ(constant->GetParamValue(0), expected) << c.key << " with " << c.held.size() << " modifiers";
    }
    EXPECT_EQ(patch->GetUndoHistory().GetUndoCount(), steps + 6);
    // The keyboard's repeats step too.
    Host().PressKey(platform::kVKEquals);
    Step(20);
    Host().PressKey(platform::kVKEquals, false, true);
    Step(20);
    Host().ReleaseKey(platform::kVKEquals);
    Step(20);
    EXPECT_EQ(constant->GetParamValue(0), start + 2);
    Choose(kUndo);
    EXPECT_EQ(constant->GetParamValue(0), start + 1);
}

TEST_F(PatchWindowKeysTest, TheCaretKeysMoveTheFocusAsTheModuleCursorGoes)
{
    CModuleInterface* top = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* below = Place(kSmooth, 1, CPoint(128, 80));
    CModuleInterface* common = Place(kConstant, 0, CPoint(128, 15));
    ASSERT_TRUE(top && below && common);
    const auto at = [this](int32_t location, const CModuleInterface* module, uint8_t param) {
        return Focus().location == location && Focus().module == (module ? module->GetModuleIndex() : 1) &&
            Focus().param == param;
    };
    ASSERT_TRUE(at(2, nullptr, 0));
    Key(platform::kVKDown);
    EXPECT_TRUE(at(1, top, 0));
    Key(platform::kVKUp, {platform::kVKControl});
    EXPECT_TRUE(at(1, below, 0));
    // From the bottom of a column to its top, and back up to the bottom.
    Key(platform::kVKUp, {platform::kVKControl});
    EXPECT_TRUE(at(1, top, 0));
    Key(platform::kVKDown, {platform::kVKControl});
    EXPECT_TRUE(at(1, below, 0));
    Key(platform::kVKDown, {platform::kVKControl});
    EXPECT_TRUE(at(1, top, 0));
    Key(platform::kVKRight);
    EXPECT_TRUE(at(1, top, 1));
    Key(platform::kVKLeft);
    EXPECT_TRUE(at(1, top, 0));
    // Down the areas: the lower one, where it stays; up again to the upper
    // one and on to the morph group knobs.
    Key(platform::kVKDown);
    EXPECT_TRUE(at(0, common, 0));
    Key(platform::kVKDown);
    EXPECT_TRUE(at(0, common, 0));
    Key(platform::kVKUp);
    EXPECT_EQ(Focus().location, 1);
    Key(platform::kVKUp);
    EXPECT_TRUE(at(2, nullptr, 0));
    Key(platform::kVKRight);
    EXPECT_TRUE(at(2, nullptr, 1));
}

TEST_F(PatchWindowKeysTest, FunctionKeysShowTheirLabelsWhileHeld)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128, 80));
    ASSERT_TRUE(constant && smooth);
    const ParamAddress level{1, constant->GetModuleIndex(), 0};
    const ParamAddress time{1, smooth->GetModuleIndex(), 0};
    patch->ApplyKnobAssign(CMKnobAssign(level, 0));
    patch->ApplyMorphAssign(CMMorphAssign(time, 1, 10, 0));
    Step(20);
    CLabelCache& labels = Area(1).GetLabels();
    const auto text = [&labels](const ParamAddress& address) {
        const CLabelCache::Label* label = labels.FindParamLabel(address);
        return label ? label->text : std::string("-");
    };
    ASSERT_EQ(text(level), "Knob1");
    ASSERT_EQ(text(time), "Grp 2");
    Host().PressKey(platform::kVKF1 + 7);
    Step(20);
    EXPECT_EQ(text(level), "Knob1");
    EXPECT_EQ(text(time), "-");
    // Released with Control held: the usual labels are back.
    Host().PressKey(platform::kVKControl);
    Host().ReleaseKey(platform::kVKF1 + 7);
    Host().ReleaseKey(platform::kVKControl);
    Step(20);
    EXPECT_EQ(text(level), "Knob1");
    EXPECT_EQ(text(time), "Grp 2");
    // F5: every control's value text.
    Host().PressKey(platform::kVKF1 + 4);
    Step(20);
    EXPECT_EQ(labels.GetCount(), 3u);
    EXPECT_EQ(text(level), constant->GetParamDisplayText(0));
    Host().ReleaseKey(platform::kVKF1 + 4);
    Step(20);
    EXPECT_EQ(labels.GetCount(), 2u);
}

TEST_F(PatchWindowKeysTest, DeleteRemovesTheSelectionAndOtherKeysReachTheFramework)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    ASSERT_FALSE(patch->IsSelectionEmpty());
    Key(platform::kVKDelete);
    EXPECT_TRUE(Area(1).GetModules().IsEmpty());
    Choose(kUndo);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 1u);
    // Ctrl+F4 is not the window's: the framework closes the window.
    patch->ClearDirty();
    Key(platform::kVKF1 + 3, {platform::kVKControl});
    Step(50);
    EXPECT_TRUE(Patches().empty() || !Patches().front()->HasWindow());
}

} // namespace editortest
