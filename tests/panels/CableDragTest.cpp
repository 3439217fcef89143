// Jacks and cable gestures through the mouse on a voice area with real
// module panels: the jack's two looks, its menu, the highlight of its net,
// and every outcome of a drag from a jack with its cursor, its one edit and
// the band it leaves (none).
#include "tests/panels/PanelTestFixture.h"

#include "framework/images/Bitmap.h"
#include "framework/images/ImageCache.h"
#include "panels/cables/CableDragDropManager.h"
#include "panels/cables/CableRenderList.h"
#include "panels/jacks/PnlHole.h"
#include "panels/panel/Module.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "framework/views/View.h"
#include "platform/input/InputState.h"
#include "platform/menus/PopupMenuRecorder.h"
#include "platform/windows/WindowPaint.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using NSHarrowen::CPoint;
using paneltest::PanelTest;

constexpr uint8_t kOscA = 7;

class CableDragTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        AddModule(kOscA, 1, 0, 0);
        AddModule(kOscA, 2, 1, 0);
        AddModule(kOscA, 3, 0, 3);
        Redraw();
    }
    CPnlHole& In(uint8_t module, uint8_t index = 0) { return *Module(module).GetInputs().at(index); }
    CPnlHole& Out(uint8_t module, uint8_t index = 0) { return *Module(module).GetOutputs().at(index); }
    static JackAddress Address(const CPnlHole& jack) { return jack.GetJackAddress(); }
    bool Connected(const CPnlHole& jack) const { return area->GetStore().IsConnected(jack.GetJackAddress()); }
    CCableRenderList& Cables() { return dynamic_cast<CCableRenderList&>(area->GetCableRenderers()); }

    // Drags from one point to another; the cursor shown over the end before the release.
    platform::CursorShape Drag(CPoint from, CPoint to, bool control = false)
    {
        Press(from);
        Tick();
        if (control) {
            HoldControl(true);
        }
        Move(CPoint(from.x + 7, from.y + 7));
        Tick();
        Move(to);
        Tick();
        Move(to);
        const platform::CursorShape shown = CursorShown();
        Release(to);
        if (control) {
            HoldControl(false);
        }
        Redraw();
        return shown;
    }

    // The cursor as the application's idle step sets it.
    static platform::CursorShape CursorShown()
    {
        NSHarrowen::UpdateHoverView();
        return platform::GetCursor();
    }

    platform::PixelBuffer Shot()
    {
        Redraw();
        return platform::CaptureWindow(window->GetHandle());
    }
    // The window as a full repaint draws it.
    platform::PixelBuffer Repainted()
    {
        window->InvalidateAll();
        return Shot();
    }
};

bool SamePixels(const platform::PixelBuffer& a, const platform::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y))) {
            return false;
        }
    }
    return true;
}

TEST_F(CableDragTest, JacksAreNumberedInOrderAndShowTheirConnectedHalfAfterTheUpdatePass)
{
    CModule& osc = Module(1);
    ASSERT_GE(osc.GetInputs().size(), 1u);
    ASSERT_GE(osc.GetOutputs().size(), 1u);
    for (size_t i = 0; i < osc.GetInputs().size(); ++i) {
        EXPECT_EQ(Address(*osc.GetInputs()[i]), (JackAddress{1, static_cast<uint8_t>(i), 0}));
        EXPECT_EQ(osc.GetInputs()[i]->GetFrame().Width(), 13);
    }
    EXPECT_EQ(Address(Out(1)), (JackAddress{1, 0, 1}));

    CPnlHole& jack = In(2);
    const CPoint corner = jack.GetFrame().TopLeft();
    const platform::PixelBuffer before = Shot();
    EXPECT_FALSE(jack.IsShownConnected());
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(jack)));
    Redraw();
    EXPECT_TRUE(jack.IsShownConnected());
    EXPECT_TRUE(Out(1).IsShownConnected());
    // The picture's right half now: some pixel of the jack differs.
    const platform::PixelBuffer after = Shot();
    const platform::Rect client = platform::GetClientArea(window->GetHandle());
    bool changed = false;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            changed |= before.At(client.left + corner.x + x, client.top + corner.y + y) !=
                after.At(client.left + corner.x + x, client.top + corner.y + y);
        }
    }
    EXPECT_TRUE(changed);
    patch->Undo();
    Redraw();
    EXPECT_FALSE(jack.IsShownConnected());
}

TEST_F(CableDragTest, DraggingFromAnOutputToAFreeInputConnectsThem)
{
    const size_t undo = UndoCount();
    EXPECT_EQ(Drag(Out(1).GetCenter(), In(2).GetCenter()), platform::CursorShape::Cross);
    EXPECT_TRUE(Connected(In(2)));
    EXPECT_TRUE(Connected(Out(1)));
    EXPECT_EQ(UndoCount(), undo + 1);
    EXPECT_NE(Cables().FindCable(Address(Out(1)), Address(In(2))), nullptr);
    // The net's highlight from the press is gone with the release.
    EXPECT_FALSE(Cables().IsCableHighlighted(Address(Out(1)), Address(In(2))));
    EXPECT_TRUE(In(2).IsShownConnected());
}

TEST_F(CableDragTest, TheOutcomeTableHoldsCaseByCase)
{
    // Net A: out 1 -> in 2. Net B: in 3/0 and in 3/1 (no output), when the module has two inputs.
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    Redraw();
    const size_t undo = UndoCount();
    struct Case {
        const char* name;
        CPoint from;
        CPoint to;
        bool control;
        platform::CursorShape cursor;
        size_t edits;
    };
    const CPoint empty(500, 300);
    const Case cases[] = {
        {"same jack", Out(1).GetCenter(), Out(1).GetCenter(), false, platform::CursorShape::No, 0},
        {"same net", In(2).GetCenter(), Out(1).GetCenter(), false, platform::CursorShape::No, 0},
        {"driven to driven", Out(3).GetCenter(), In(2).GetCenter(), false, platform::CursorShape::No, 0},
        {"nothing under the mouse", In(3).GetCenter(), empty, false, platform::CursorShape::No, 0},
        {"move in the same net", In(2).GetCenter(), Out(1).GetCenter(), true, platform::CursorShape::Arrow, 0},
        {"move a free jack", In(3).GetCenter(), In(1).GetCenter(), true, platform::CursorShape::Arrow, 0},
        {"move a free jack nowhere", In(3).GetCenter(), empty, true, platform::CursorShape::Arrow, 0},
        {"input of a driven net onto a driven net", In(2).GetCenter(), Out(3).GetCenter(), true,
         platform::CursorShape::Arrow, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Drag(c.from, c.to, c.control), c.cursor) << c.name;
        EXPECT_EQ(UndoCount(), undo + c.edits) << c.name;
    }
    EXPECT_TRUE(Connected(In(2)));
    EXPECT_FALSE(Connected(In(3)));
}

TEST_F(CableDragTest, ControlMovesCableEndsAndPullsThemOffOverEmptySpace)
{
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    Redraw();
    size_t undo = UndoCount();
    // An input end moves onto a free input.
    EXPECT_EQ(Drag(In(2).GetCenter(), In(3).GetCenter(), true), platform::CursorShape::SizeAll);
    EXPECT_EQ(UndoCount(), ++undo);
    EXPECT_FALSE(Connected(In(2)));
    EXPECT_TRUE(Connected(In(3)));
    // An output moves even onto a driven net's jack... here a free output.
    EXPECT_EQ(Drag(Out(1).GetCenter(), Out(2).GetCenter(), true), platform::CursorShape::SizeAll);
    EXPECT_EQ(UndoCount(), ++undo);
    EXPECT_TRUE(Connected(Out(2)));
    EXPECT_FALSE(Connected(Out(1)));
    // Over empty space the jack's cables come off, one edit.
    EXPECT_EQ(Drag(In(3).GetCenter(), CPoint(500, 300), true), platform::CursorShape::Arrow);
    EXPECT_EQ(UndoCount(), ++undo);
    EXPECT_FALSE(Connected(In(3)));
    EXPECT_FALSE(Connected(Out(2)));
}

TEST_F(CableDragTest, ADoubleClickOnAJackStartsAMove)
{
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    Redraw();
    const size_t undo = UndoCount();
    Click(In(2).GetCenter());
    Press(In(2).GetCenter());
    Tick();
    Move(In(3).GetCenter());
    Tick();
    Move(In(3).GetCenter());
    EXPECT_EQ(CursorShown(), platform::CursorShape::SizeAll);
    Release(In(3).GetCenter());
    EXPECT_EQ(UndoCount(), undo + 1);
    EXPECT_TRUE(Connected(In(3)));
}

TEST_F(CableDragTest, NoCableIsMadeWithoutFreeMemory)
{
    while (patch->GetLoadTable().GetFreeMemory() >= CCableDragDropManager::kConnectMemory) {
        patch->GetLoadTable().AddCable(kArea);
    }
    const size_t undo = UndoCount();
    Drag(Out(1).GetCenter(), In(2).GetCenter());
    EXPECT_EQ(UndoCount(), undo);
    EXPECT_FALSE(Connected(In(2)));
}

TEST_F(CableDragTest, TheBandLeavesNoPixelBehind)
{
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    const platform::PixelBuffer before = Shot();
    // Cancelled by the patch mid-drag.
    Press(Out(3).GetCenter());
    Tick();
    Move(CPoint(300, 200));
    Tick();
    Move(CPoint(420, 250));
    Tick();
    EXPECT_FALSE(SamePixels(Shot(), before)); // the band shows
    patch->CancelModes();
    Release(CPoint(420, 250));
    EXPECT_TRUE(SamePixels(Shot(), before));
    // A release that makes no edit.
    Drag(Out(3).GetCenter(), In(2).GetCenter());
    EXPECT_TRUE(SamePixels(Shot(), before));
    // A release that connects: what shows is what a full repaint shows.
    Drag(Out(3).GetCenter(), In(1).GetCenter());
    ASSERT_TRUE(Connected(In(1)));
    const platform::PixelBuffer shown = Shot();
    EXPECT_TRUE(SamePixels(shown, Repainted()));
}

TEST_F(CableDragTest, APressHighlightsTheJacksNetUntilTheRelease)
{
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(3))));
    Redraw();
    Press(In(2).GetCenter());
    EXPECT_TRUE(Cables().IsCableHighlighted(Address(Out(1)), Address(In(2))));
    Release(In(2).GetCenter());
    Redraw();
    EXPECT_FALSE(Cables().IsCableHighlighted(Address(Out(1)), Address(In(2))));
    EXPECT_FALSE(Cables().IsCableHighlighted(Address(Out(1)), Address(In(3))));
}

TEST_F(CableDragTest, TheJackMenuActsOnlyOnConnectedJacks)
{
    platform::CPopupMenuRecorder menus;
    menus.Answer("Disconnect");
    RightClick(In(2).GetCenter());
    ASSERT_EQ(menus.ShownMenus().size(), 1u);
    EXPECT_EQ(menus.ShownMenus()[0].captions,
              (std::vector<std::string>{"Disconnect", "Break", "", "Color", "", "Delete"}));
    const size_t undo = UndoCount();
    EXPECT_EQ(UndoCount(), undo); // greyed: nothing chosen

    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    Redraw();
    menus.Answer("User2");
    RightClick(In(2).GetCenter());
    EXPECT_EQ(area->GetStore().GetNetColour(Address(In(2))), 5);
    menus.Answer("Disconnect");
    RightClick(In(2).GetCenter());
    EXPECT_FALSE(Connected(In(2)));
}

TEST_F(CableDragTest, AFailedStartEndsAutoScrollAndClearsTheHighlight)
{
    ASSERT_TRUE(patch->ConnectCable(kArea, Address(Out(1)), Address(In(2))));
    Redraw();
    // Another view holds the mouse: no drag can start.
    ASSERT_TRUE(Module(3).CaptureMouse());
    auto* manager = dynamic_cast<CCableDragDropManager*>(area->GetCableDrag());
    ASSERT_NE(manager, nullptr);
    In(2).OnMouseDown(In(2).GetCenter().x, In(2).GetCenter().y);
    EXPECT_FALSE(manager->IsDragging());
    EXPECT_FALSE(area->IsAutoScrolling());
    EXPECT_FALSE(Cables().IsCableHighlighted(Address(Out(1)), Address(In(2))));
    Module(3).ReleaseMouse();
}

} // namespace
