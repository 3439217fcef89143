// Dragging modules as a person does: pressed on a panel or a toolbar
// button, moved with the mouse, dropped into a voice area, with Control held
// for copies; cut, copy and paste through the Edit menu and its keys. What
// the patch then holds, what undo brings back and what the screen shows.
#include "tests/editor/PatchWindowFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/clipboard/Clipboard.h"
#include "editor/windows/PatchView.h"
#include "framework/windows/ApplicationToolbar.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleClip.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/Patch.h"
#include "patch/edit/UndoHistory.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/molecules/ModuleMolecules.h"

#include <string>
#include <vector>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

class ModuleDragTest : public PatchWindowTest { };

} // namespace

TEST_F(ModuleDragTest, ANewModuleFromTheToolbarLandsWhereItIsReleased)
{
    // Held at its centre: released at (400, 100) of the content, a module
    // one column wide and two rows high lands at column 1, row 6.
    CModuleInterface* constant = Place(kConstant, 1, CPoint(400, 100));
    ASSERT_NE(constant, nullptr);
    EXPECT_EQ(constant->GetColumn(), 1);
    EXPECT_EQ(constant->GetRow(), 6);
    EXPECT_EQ(constant->GetName(), "Constant1");
    EXPECT_EQ(button->ended, 1);
    EXPECT_EQ(patch->GetUndoHistory().GetUndoCount(), 1u);
    // A second one is numbered on.
    Place(kConstant, 0, CPoint(128, 15));
    ASSERT_EQ(Area(0).GetModules().GetCount(), 1u);
    EXPECT_EQ(Area(0).GetModules().At(0)->GetName(), "Constant1");
    Place(kConstant, 1, CPoint(128, 200));
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@1,6", "Constant2@0,12"}));

    Choose(kUndo);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 1u);
}

// The name box opens on the module's own name, all of it selected: typing
// replaces it, and Return on it as shown keeps it.
TEST_F(ModuleDragTest, ADoubleClickOnATitleRenamesTheModuleFromItsName)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    const CRect frame = constant->GetView().GetFrame();
    const CPoint title(frame.left + 20, frame.top + 5);
    const struct {
        std::u32string typed;
        std::string shown, name;
    } cases[] = {{U"", "Constant1", "Constant1"}, {U"Offset", "Constant1", "Offset"}};
    for (const auto& c : cases) {
        std::string shown = "(no box)";
        AnswerNameBox(c.typed, platform::kVKReturn, &shown);
        for (int click = 0; click < 2; ++click) {
            Press(title);
            Release(title);
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(constant->GetName(), c.name);
    }
}

TEST_F(ModuleDragTest, AReleaseWithinFivePixelsPlacesNothing)
{
    const CPoint start = ButtonPoint();
    Press(start);
    MoveTo(CPoint(start.x + 4, start.y + 5));
    Release(CPoint(start.x + 4, start.y + 5));
    EXPECT_EQ(button->ended, 1);
    EXPECT_TRUE(Area(1).GetModules().IsEmpty());
    EXPECT_FALSE(patch->CanUndo());
}

TEST_F(ModuleDragTest, APanelDraggedInItsAreaMovesTheModulesWithTheirCablesAsOneStep)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128, 60));
    ASSERT_TRUE(constant && smooth);
    ASSERT_TRUE(patch->ConnectCable(1, JackAddress{constant->GetModuleIndex(), 0, 1},
                                    JackAddress{smooth->GetModuleIndex(), 0, 0}));
    const size_t steps = patch->GetUndoHistory().GetUndoCount();
    // Both selected (the second with Control), then the first dragged one
    // column right and four rows down.
    Press(OnPanel(*constant));
    Release(OnPanel(*constant));
    HoldControl(true);
    Press(OnPanel(*smooth));
    Release(OnPanel(*smooth));
    HoldControl(false);
    ASSERT_EQ(patch->GetSelection().GetCount(), 2u);
    const CPoint from = OnPanel(*constant);
    Press(from);
    DragTo(from, CPoint(from.x + 256, from.y + 60));
    Release(CPoint(from.x + 256, from.y + 60));
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@1,4", "Smooth1@1,7"}));
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 1u);
    EXPECT_EQ(patch->GetUndoHistory().GetUndoCount(), steps + 1);
    Choose(kUndo);
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@0,0", "Smooth1@0,3"}));
}

TEST_F(ModuleDragTest, ControlOrAnotherAreaMakesTheDragACopy)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    // With Control held over its own area: a copy, the first left in place.
    CPoint from = OnPanel(*constant);
    Press(from);
    DragTo(from, CPoint(from.x, from.y + 90));
    HoldControl(true);
    Release(CPoint(from.x, from.y + 90));
    HoldControl(false);
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@0,0", "Constant1@0,6"}));
    // Into the other area, without Control: a copy there (a while later, so
    // the press is not a double click).
    Step(1000);
    from = OnPanel(*constant);
    const CPoint to = InArea(0, CPoint(300, 40));
    Press(from);
    DragTo(from, to);
    Release(to);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 2u);
    EXPECT_EQ(Names(0), (std::vector<std::string>{"Constant1@1,1"}));
}

TEST_F(ModuleDragTest, CutAndPasteMoveModulesWithTheCablesAmongThem)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128, 60));
    ASSERT_TRUE(constant && smooth);
    ASSERT_TRUE(patch->ConnectCable(1, JackAddress{constant->GetModuleIndex(), 0, 1},
                                    JackAddress{smooth->GetModuleIndex(), 0, 0}));
    // A click on the empty area clears the selection.
    Press(InArea(1, CPoint(600, 200)));
    Release(InArea(1, CPoint(600, 200)));
    UpdateMenus();
    EXPECT_FALSE(IsEnabled(kPaste));
    EXPECT_FALSE(IsEnabled(kCut));
    EXPECT_FALSE(IsEnabled(kCopy));
    patch->SelectModule(*constant);
    patch->SelectModule(*smooth);
    PressCtrl('X');
    EXPECT_TRUE(Area(1).GetModules().IsEmpty());
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 0u);
    UpdateMenus();
    EXPECT_TRUE(IsEnabled(kPaste));
    // The copy follows the mouse at once; the click drops it.
    PressCtrl('V');
    const CPoint to = InArea(0, CPoint(300, 40));
    MoveTo(CPoint(to.x - 20, to.y));
    MoveTo(to);
    Press(to);
    Release(to);
    ASSERT_EQ(Area(0).GetModules().GetCount(), 2u);
    EXPECT_EQ(Area(0).GetStore().GetCableCount(), 1u);
    // The Edit menu does the same: Copy leaves them, Paste adds another pair.
    patch->SelectModule(*Area(0).GetModules().At(0));
    patch->SelectModule(*Area(0).GetModules().At(1));
    Choose(kCopy);
    EXPECT_EQ(Area(0).GetModules().GetCount(), 2u);
    Choose(kPaste);
    const CPoint again = InArea(1, CPoint(600, 100));
    MoveTo(again);
    Press(again);
    Release(again);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 2u);
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 1u);
    Choose(kUndo);
    EXPECT_TRUE(Area(1).GetModules().IsEmpty());
}

TEST_F(ModuleDragTest, OutlinesLeaveTheScreenAsItWas)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    Step(50);
    const platform::PixelBuffer before = Host().Screen();
    const CPoint from = OnPanel(*constant);
    Press(from);
    DragTo(from, CPoint(from.x + 100, from.y + 100));
    EXPECT_FALSE(SameScreen(before, Host().Screen())) << "no outline shown";
    // Control changes the mode and shows the outlines again.
    HoldControl(true);
    HoldControl(false);
    // Out of every area (over the window's caption): nothing left behind.
    const CPoint outside(from.x, -8);
    DragTo(CPoint(from.x + 100, from.y + 100), outside);
    EXPECT_TRUE(SameScreen(before, Host().Screen()));
    Release(outside);
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@0,0"}));
    EXPECT_FALSE(GetModuleClipboard()->IsDragging());
}

TEST_F(ModuleDragTest, OutlinesFollowAScrollingAreaAndLeaveNothingBehind)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* far = Place(kSmooth, 1, CPoint(400, 15));
    ASSERT_TRUE(constant && far);
    // The second one far down, so that the area has room to scroll.
    patch->ApplyModuleMove(CMModuleMove(1, far->GetModuleIndex(), 1, 40));
    Step(1000);
    const CPoint from = OnPanel(*constant);
    const CPoint edge(from.x + 100, Area(1).GetFrame().bottom - 4);
    Press(from);
    DragTo(from, edge);
    // Held in the bottom strip, the area scrolls down under the outlines.
    for (int i = 0; i < 20; ++i)
        MoveTo(CPoint(edge.x + (i % 2), edge.y));
    EXPECT_GT(Area(1).GetShownY(), 0);
    const CPoint outside(edge.x, -8);
    MoveTo(outside);
    Release(outside);
    // A repaint of the whole window changes nothing: no outline was left.
    const platform::PixelBuffer shown = Host().Screen();
    platform::InvalidateRect(view->GetHandle(), nullptr, false);
    Step(50);
    EXPECT_TRUE(SameScreen(shown, Host().Screen()));
}

TEST_F(ModuleDragTest, ACutAndItsUndoOfManyModulesShowWhatAFullRepaintShows)
{
    // Twelve joined pairs: more modules and cables than an edit invalidates
    // one by one.
    for (uint8_t pair = 0; pair < 12; ++pair) {
        const auto constant = static_cast<uint8_t>(1 + pair * 2);
        const auto column = static_cast<uint8_t>(pair % 4);
        const auto row = static_cast<uint8_t>(pair / 4 * 6);
        patch->ApplyModuleNew(CMModuleNew(1, constant, kConstant, column, row, "C"));
        patch->ApplyModuleNew(
            CMModuleNew(1, static_cast<uint8_t>(constant + 1), kSmooth, column, static_cast<uint8_t>(row + 3), "S"));
        ASSERT_TRUE(
            patch->ConnectCable(1, JackAddress{constant, 0, 1}, JackAddress{static_cast<uint8_t>(constant + 1), 0, 0}));
    }
    for (CModuleInterface* module : Area(1).GetModules())
        patch->SelectModule(*module);
    Step(50);
    const platform::PixelBuffer before = Host().Screen();
    const auto repaintedScreen = [&] {
        platform::InvalidateRect(view->GetHandle(), nullptr, false);
        Step(50);
        return Host().Screen();
    };
    PressCtrl('X');
    ASSERT_TRUE(Area(1).GetModules().IsEmpty());
    const platform::PixelBuffer cut = Host().Screen();
    EXPECT_FALSE(SameScreen(before, cut));
    EXPECT_TRUE(SameScreen(cut, repaintedScreen())) << "a cut module or cable left on the screen";

    Choose(kUndo);
    ASSERT_EQ(Area(1).GetModules().GetCount(), 24u);
    ASSERT_EQ(Area(1).GetStore().GetCableCount(), 12u);
    // (Curved cables may take another shape: compared with a repaint only.)
    const platform::PixelBuffer back = Host().Screen();
    EXPECT_FALSE(SameScreen(cut, back));
    EXPECT_TRUE(SameScreen(back, repaintedScreen())) << "a module or cable brought back is not drawn";
}

TEST_F(ModuleDragTest, EscapeEndsADragWithoutADrop)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    const CPoint from = OnPanel(*constant);
    Press(from);
    DragTo(from, CPoint(from.x + 300, from.y + 100));
    Host().PressKey(platform::kVKEscape);
    Host().ReleaseKey(platform::kVKEscape);
    Step(20);
    EXPECT_FALSE(GetModuleClipboard()->IsDragging());
    Release(CPoint(from.x + 300, from.y + 100));
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@0,0"}));
}

// Another program brought to the front mid-drag (Alt+Tab with the button
// down, let go over that program) ends the drag as Escape does: back in the
// window no outline follows the mouse and a click drops nothing.
TEST_F(ModuleDragTest, AnotherProgramActivatedMidDragEndsItWithoutADrop)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    ASSERT_NE(constant, nullptr);
    const CPoint from = OnPanel(*constant);
    const CPoint away(from.x + 300, from.y + 100);
    Press(from);
    const platform::PixelBuffer before = Host().Screen();
    DragTo(from, away);
    ASSERT_TRUE(GetModuleClipboard()->IsDragging());
    Host().SetApplicationFocus(false);
    Step(20);
    Release(away);
    Host().SetApplicationFocus(true);
    Step(20);
    EXPECT_FALSE(GetModuleClipboard()->IsDragging());
    MoveTo(CPoint(away.x + 40, away.y + 40));
    EXPECT_TRUE(SameScreen(Host().Screen(), before)) << "an outline is left on the screen";
    Press(CPoint(away.x + 40, away.y + 40));
    Release(CPoint(away.x + 40, away.y + 40));
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Constant1@0,0"}));
    EXPECT_EQ(patch->GetUndoHistory().GetUndoCount(), 1u);
}

} // namespace editortest
