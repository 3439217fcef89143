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

} // namespace editortest
