#include "tests/editor/SynthEditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/floaters/FloaterLED.h"
#include "editor/floaters/FloaterNameView.h"
#include "editor/floaters/KnobFloater.h"
#include "editor/floaters/KnobFloaterContainer.h"
#include "editor/floaters/WindowToggler.h"
#include "editor/toolbar/TBWindow.h"
#include "framework/drawing/Canvas.h"
#include "panels/items/PnlKnobs.h"
#include "panels/panel/Module.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <functional>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

using KnobToggler = CWindowToggler<CKnobFloater>;

constexpr uint8_t kMixer = 19;  // three levels of 0 to 127
constexpr uint8_t kFilter = 86; // one frequency

// A patch on the simulated synthesizer with panel knobs 1 and 2, the pedal
// and knob 5 assigned (the last to morph group 3), shown in a patch window.
class KnobFloaterTest : public SynthEditorTest {
protected:
    void SetUp() override
    {
        SynthEditorTest::SetUp();
        ShowKnobsPatch();
    }
    void ShowKnobsPatch()
    {
        ASSERT_TRUE(Settle());
        slot_ = Ports().GetCurrentSlot();
        sim::SimPatch patch;
        patch.name = "Knobs";
        patch.areas[1].modules[1] = {kMixer, 0, 0, "Mix A", {10, 20, 30}, {}};
        patch.areas[0].modules[1] = {kMixer, 0, 0, "Mix C", {40, 50, 60}, {}};
        patch.areas[1].modules[2] = {kFilter, 0, 6, "Filter", {64}, {}};
        patch.knobs[0] = {true, {1, 1, 0}};
        patch.knobs[1] = {true, {1, 1, 1}};
        patch.knobs[19] = {true, {0, 1, 2}};
        patch.knobs[4] = {true, {2, 1, 2}};
        patch.morph.values = {0, 0, 77, 0};
        port_->With([&](sim::CSimulator& synth) { synth.PanelPatchChange(slot_, patch); });
        // The knob map is among the last parts the editor asks for.
        ASSERT_TRUE(StepUntil([this] {
            const CPatch* shown = List().FindPatchInSlot(0, slot_);
            const CModuleInterface* mix = shown ? shown->FindModule({0, 1, 0}) : nullptr;
            return shown && shown->GetName() == "Knobs" && shown->GetKnobMap().FindByKnob(19) && mix &&
                mix->GetName() == "Mix C";
        }));
        ASSERT_TRUE(Settle());
        PressCtrl('U');
        Step(100);
        ASSERT_NE(List().GetActivePatch(), nullptr);
    }

    // Ctrl+K opens the floater.
    void OpenFloater()
    {
        PressCtrl('K');
        Step(50);
        ASSERT_NE(KnobToggler::Get(), nullptr);
    }
    // A drag of a knob whose body lies at `at(0)`: `moves` moves of `dx`
    // pixels (the program's knob controls turn up to the right), each with
    // the idle steps of the drag, which put the pointer back; then the
    // release at `at(releaseDx)`.
    void DragKnob(const std::function<platform::Point(int)>& at, int dx, int moves = 1, int releaseDx = 0)
    {
        desktop.Host().MoveMouse(at(0));
        SynthStep();
        desktop.Host().PressMouse(at(0));
        Pump();
        for (int i = 0; i < moves; ++i) {
            desktop.Host().MoveMouse(at(dx));
            for (int step = 0; step < 6; ++step)
                SynthStep();
        }
        desktop.Host().ReleaseMouse(at(releaseDx));
        Pump();
    }
    void DragFloaterKnob(size_t index, int dx, int moves = 1)
    {
        const CRect knob = Cells().GetKnob(index).GetFrame();
        DragKnob(
            [&](int offset) {
                return ScreenPoint(
                    CPoint(static_cast<int16_t>(knob.left + 11 + offset), static_cast<int16_t>(knob.top + 10)));
            },
            dx, moves);
    }

    CKnobFloaterContainer& Cells() { return KnobToggler::Get()->GetContainer(); }
    std::pair<std::string, std::string> Lines(const CFloaterNameView& view)
    {
        return {view.GetFirstLine(), view.GetSecondLine()};
    }
    int SimValue(int area, int module, int param)
    {
        return port_->With([&](sim::CSimulator& synth) {
            return synth.Slot(slot_).patch.ParamValue({area, module, param});
        });
    }
    CModule& PanelOf(uint8_t area, uint8_t index)
    {
        return dynamic_cast<CModule&>(*List().GetActivePatch()->FindModule({area, index, 0}));
    }
    platform::Point ScreenPoint(CPoint client)
    {
        const CPoint p = KnobToggler::Get()->ClientToScreen(client);
        return {p.x, p.y};
    }

    // The client area of the floater as its window shows it.
    platform::PixelBuffer Capture(const CRect& rect)
    {
        const platform::WindowHandle handle = KnobToggler::Get()->GetHandle();
        const platform::PixelBuffer shot = platform::CaptureWindow(handle);
        const platform::Rect client = platform::GetClientArea(handle);
        platform::PixelBuffer part(rect.Width(), rect.Height());
        for (int y = 0; y < rect.Height(); ++y)
            for (int x = 0; x < rect.Width(); ++x)
                part.Set(x, y, shot.At(client.left + rect.left + x, client.top + rect.top + y) & 0xFFFFFF);
        return part;
    }

    uint8_t slot_ = 0;
};

} // namespace

TEST_F(KnobFloaterTest, TheCellsShowTheActivePatchsKnobAssignmentsAndFollowTheirChanges)
{
    ASSERT_NO_FATAL_FAILURE(OpenFloater());
    UpdateMenus();
    EXPECT_TRUE(IsChecked(kKnobFloater));
    CKnobFloaterContainer& cells = Cells();

    using Lines_ = std::pair<std::string, std::string>;
    EXPECT_EQ(Lines(cells.GetNameView(0)), Lines_("Mix A", "Level 1"));
    EXPECT_EQ(Lines(cells.GetNameView(1)), Lines_("Mix A", "Level 2"));
    EXPECT_EQ(Lines(cells.GetNameView(4)), Lines_("Morph", "group 3"));
    EXPECT_EQ(Lines(cells.GetNameView(2)), Lines_("", ""));
    EXPECT_EQ(cells.GetKnob(0).GetValue(), 10);
    EXPECT_EQ(cells.GetKnob(1).GetValue(), 20);
    EXPECT_EQ(cells.GetKnob(4).GetValue(), 77);
    for (size_t i = 0; i < CKnobFloaterContainer::kKnobCount; ++i)
        EXPECT_EQ(cells.GetLED(i).IsLit(), i == 0 || i == 1 || i == 4) << i;
    EXPECT_EQ(Lines(cells.GetExtraNameView(0)), Lines_("Mix C", "Level 3"));
    EXPECT_EQ(Lines(cells.GetExtraNameView(1)), Lines_("", ""));
    EXPECT_EQ(Lines(cells.GetExtraNameView(2)), Lines_("", ""));
    EXPECT_FALSE(cells.IsSmallModel());

    // Knob 2's assignment removed on the synthesizer's panel: its cell clears.
    port_->With([&](sim::CSimulator& synth) { synth.PanelKnobDeassign(slot_, 1); });
    ASSERT_TRUE(StepUntil([&] { return !cells.GetLED(1).IsLit(); }, 300));
    EXPECT_EQ(Lines(cells.GetNameView(1)), Lines_("", ""));
    EXPECT_EQ(cells.GetKnob(1).GetValue(), 0);
    // Knob 3 assigned there: its cell fills.
    port_->With([&](sim::CSimulator& synth) { synth.PanelKnobAssign(slot_, 2, {0, 1, 0}); });
    ASSERT_TRUE(StepUntil([&] { return cells.GetLED(2).IsLit(); }, 300));
    EXPECT_EQ(Lines(cells.GetNameView(2)), Lines_("Mix C", "Level 1"));
    EXPECT_EQ(cells.GetKnob(2).GetValue(), 40);

    // A value changed on the module follows.
    port_->With([&](sim::CSimulator& synth) { synth.PanelParamChange(slot_, {1, 1, 0}, 99); });
    EXPECT_TRUE(StepUntil([&] { return cells.GetKnob(0).GetValue() == 99; }, 300));

    PressCtrl('K');
    Step(50);
    EXPECT_EQ(KnobToggler::Get(), nullptr);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kKnobFloater));
}

TEST_F(KnobFloaterTest, AssignedNamesReadWholeInTheirBoxes)
{
    port_->With([&](sim::CSimulator& synth) { synth.PanelKnobAssign(slot_, 2, {1, 2, 0}); });
    ASSERT_NO_FATAL_FAILURE(OpenFloater());
    CKnobFloaterContainer& cells = Cells();
    ASSERT_TRUE(StepUntil([&] { return cells.GetLED(2).IsLit(); }, 300));
    Step(20);

    struct Line {
        size_t cell, line;
        const char* text;
        bool narrowed; // too wide for the box in the floater's own font
    };
    const Line kLines[] = {
        {2, 1, "Frequency", true},
        {2, 0, "Filter", false},
        {0, 1, "Level 1", false},
    };
    const CFontSpec own("Arial", 12);
    for (const Line& row : kLines) {
        SCOPED_TRACE(row.text);
        const CFloaterNameView& view = cells.GetNameView(row.cell);
        const CFittedText& fitted = view.GetFittedLine(row.line);
        ASSERT_EQ(fitted.text, row.text);
        EXPECT_EQ(!(fitted.font == own), row.narrowed);
        // The line as shown is the text drawn alone, and drawn alone it ends
        // inside the box: no glyph cut at the box's edge.
        const CRect frame = view.GetFrame();
        const int16_t top = static_cast<int16_t>(frame.top + row.line * frame.Height() / 2);
        const CRect line(frame.left, top, frame.right, static_cast<int16_t>(top + frame.Height() / 2));
        const CRect around(line.left, line.top, static_cast<int16_t>(line.right + 4), line.bottom);
        const platform::PixelBuffer shown = Capture(around);
        {
            CCanvas canvas(KnobToggler::Get());
            canvas.FillRect(around, CKnobFloaterContainer::kBackground);
            canvas.DrawStringInRect(line, row.text, fitted.font, kBlack);
        }
        const platform::PixelBuffer alone = Capture(around);
        const uint32_t ground = alone.At(0, 0);
        for (int y = 0; y < around.Height(); ++y)
            for (int x = 0; x < around.Width(); ++x)
                ASSERT_EQ(x < line.Width() ? shown.At(x, y) : ground, alone.At(x, y)) << "at " << x << "," << y;
        KnobToggler::Get()->InvalidateAll();
        Step(10);
    }
}

TEST_F(KnobFloaterTest, DraggingAFloaterKnobEditsTheAssignedParameterInThePatchAndOnTheSynthesizer)
{
    Choose(kKnobFloater);
    ASSERT_NE(KnobToggler::Get(), nullptr);
    CKnobFloaterContainer& cells = Cells();
    DragFloaterKnob(0, 25, 4);
    // 100 pixels of 256 cover 127 * 100 / 256 = 49 steps.
    EXPECT_EQ(PanelOf(1, 1).GetValue(0), 10 + 49);
    EXPECT_TRUE(StepUntil([&] { return SimValue(1, 1, 0) == 10 + 49; }, 300)) << SimValue(1, 1, 0);
    EXPECT_TRUE(StepUntil([&] { return cells.GetKnob(0).GetValue() == 10 + 49; }, 50));
    // The drag gave the parameter the patch's focus; the patch window's keys
    // work on it while the floater has the focus.
    ASSERT_EQ(GetActiveWindow(), KnobToggler::Get());
    ASSERT_TRUE(Settle());
    desktop.Host().PressKey(platform::kVKMinus);
    desktop.Host().ReleaseKey(platform::kVKMinus);
    Pump();
    EXPECT_EQ(PanelOf(1, 1).GetValue(0), 10 + 49 - 1);
    EXPECT_TRUE(StepUntil([&] { return SimValue(1, 1, 0) == 10 + 49 - 1; }, 300)) << SimValue(1, 1, 0);
    // Ctrl+Z on the floater undoes the edits in the patch window, the last first.
    ASSERT_TRUE(Settle());
    PressCtrl('Z');
    EXPECT_EQ(PanelOf(1, 1).GetValue(0), 10 + 49);
    ASSERT_TRUE(Settle());
    PressCtrl('Z');
    EXPECT_EQ(PanelOf(1, 1).GetValue(0), 10);

    // An unassigned knob does nothing.
    DragFloaterKnob(7, 40);
    EXPECT_EQ(cells.GetKnob(7).GetValue(), 0);
}

TEST_F(KnobFloaterTest, TheCellFollowsThePanelKnobTurnedByMouseAndKeysAfterAFloaterDrag)
{
    Choose(kKnobFloater);
    ASSERT_NE(KnobToggler::Get(), nullptr);
    CKnobFloaterContainer& cells = Cells();
    // A drag on the floater's knob 1 first (to the right: up).
    DragFloaterKnob(0, 60);
    ASSERT_TRUE(Settle());
    const uint8_t dragged = PanelOf(1, 1).GetValue(0);
    ASSERT_GT(dragged, 10);
    ASSERT_EQ(cells.GetKnob(0).GetValue(), dragged);

    // Then the panel's own knob, turned down to 0 in the patch window.
    CPatchView* view = ViewOf(List().GetActivePatch());
    ASSERT_NE(view, nullptr);
    const CRect panelKnob = PanelOf(1, 1).GetControls()[0]->GetFrame();
    DragKnob(
        [&](int dx) {
            return platform::ClientToScreen(view->GetHandle(), {panelKnob.left + 11 + dx, panelKnob.top + 10});
        },
        -100, 4, -400);
    ASSERT_EQ(PanelOf(1, 1).GetValue(0), 0) << "the panel knob did not turn down";
    EXPECT_TRUE(StepUntil([&] { return cells.GetKnob(0).GetValue() == 0; }, 50))
        << "the cell shows " << int(cells.GetKnob(0).GetValue());

    // A key on the panel's focused parameter.
    ASSERT_TRUE(Settle());
    desktop.Host().PressKey(platform::kVKEquals);
    desktop.Host().ReleaseKey(platform::kVKEquals);
    Pump();
    ASSERT_EQ(PanelOf(1, 1).GetValue(0), 1);
    EXPECT_TRUE(StepUntil([&] { return cells.GetKnob(0).GetValue() == 1; }, 50))
        << "the cell shows " << int(cells.GetKnob(0).GetValue());
}

TEST_F(KnobFloaterTest, AFloaterKnobOfAMorphGroupTurnsThatGroupAsTheToolbarsKnobWould)
{
    ASSERT_NO_FATAL_FAILURE(OpenFloater());
    CKnobFloaterContainer& cells = Cells();
    ASSERT_EQ(cells.GetKnob(4).GetValue(), 77);
    DragFloaterKnob(4, 50);
    // 50 pixels of 256 cover 127 * 50 / 256 = 24 steps.
    EXPECT_EQ(List().GetActivePatch()->GetMorphMap().GetGroupValue(2), 77 + 24);
    EXPECT_EQ(GetToolbarWindow()->GetMorphEntry(2)->GetValue(), 77 + 24);
    EXPECT_EQ(cells.GetKnob(4).GetValue(), 77 + 24);
    EXPECT_TRUE(StepUntil([&] { return SimValue(2, 1, 2) == 77 + 24; }, 300)) << SimValue(2, 1, 2);
}

// The same on the single-slot model.
class SmallModelKnobFloaterTest : public KnobFloaterTest {
protected:
    sim::SimConfig SynthConfig() const override
    {
        sim::SimConfig config;
        config.model = sim::SimModel::Pebix;
        return config;
    }
};

TEST_F(SmallModelKnobFloaterTest, ThePatchOfTheSmallModelFramesTheKnobsItHas)
{
    ASSERT_NO_FATAL_FAILURE(OpenFloater());
    EXPECT_TRUE(Cells().IsSmallModel());
    // The frame around the first knob of the first two columns.
    const CPoint corner = KnobToggler::Get()->ClientToScreen(CPoint(0, 0));
    const platform::PixelBuffer screen = desktop.Host().Screen();
    const uint32_t framed = screen.At(corner.x + 50, corner.y);
    EXPECT_EQ(framed, screen.At(corner.x, corner.y + 30));
    EXPECT_NE(framed, screen.At(corner.x + 50, corner.y + 1));
    PressCtrl('W');
    Step(100);
    // Without a patch window the cells, the frame included, stay.
    EXPECT_TRUE(Cells().IsSmallModel());
}

TEST_F(KnobFloaterTest, TheWindowHasAFixedSizeAndKeepsTheLastPatchsCellsWithoutAPatchWindow)
{
    ASSERT_NO_FATAL_FAILURE(OpenFloater());
    CKnobFloater* floater = KnobToggler::Get();
    CPoint minimum, maximum;
    floater->GetSizeLimits(minimum, maximum);
    EXPECT_EQ(minimum, CPoint(320, 180));
    EXPECT_EQ(maximum, CPoint(320, 180));
    CRect content = floater->GetWindowRectInFrame();
    floater->WindowToContentRect(content);
    EXPECT_EQ(content, CRect(1024 - 350, 768 - 205, 1024 - 350 + 320, 768 - 205 + 180));

    // Its close box (the only floater with one) closes it like the menu.
    const CRect frame = floater->GetWindowRectInFrame();
    desktop.Host().Click({frame.right - 3 - 2 - 7, frame.top + 3 + 2 + 7});
    Step(100);
    EXPECT_EQ(KnobToggler::Get(), nullptr);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kKnobFloater));
    EXPECT_EQ(app->GetPrefs()->knobFloater.rect, frame);
    ASSERT_NO_FATAL_FAILURE(OpenFloater());

    // No patch window: the cells keep the last patch's assignments.
    PressCtrl('W');
    Step(100);
    ASSERT_EQ(List().GetActivePatch(), nullptr);
    EXPECT_EQ(Cells().GetNameView(0).GetFirstLine(), "Mix A");
    EXPECT_TRUE(Cells().GetLED(0).IsLit());
    EXPECT_EQ(Cells().FindAssignedControl(Cells().GetKnob(0)), nullptr);
}

} // namespace editortest
