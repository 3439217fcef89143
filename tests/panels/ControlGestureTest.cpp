// Gestures on the module controls, as a user makes them with the mouse and
// the Control key in a headless window: what reaches the patch document,
// the synthesizer's live queue and the undo history.
#include "tests/panels/PanelTestFixture.h"

#include "panels/items/DragState.h"
#include "panels/items/PnlButtonABC.h"
#include "panels/items/PnlKnobs.h"
#include "panels/items/PnlRadioButtonABC.h"
#include "panels/items/PnlStepButton.h"
#include "panels/items/PnlVerticalSlider.h"
#include "panels/panel/LayoutModule.h"
#include "patch/area/PatchBackground.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kCompressor = 21;
constexpr uint8_t kFilterBank = 32;
constexpr uint8_t kQuantizer = 54;

// OscA's controls: a big knob "Freq coars" (0), indicator knobs (1-3), the
// waveform radio column (4) and the mute button (9).
constexpr uint8_t kCoarse = 0;
constexpr uint8_t kFine = 1;
constexpr uint8_t kWaveform = 4;
constexpr uint8_t kMute = 9;

class ControlGestureTest : public paneltest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        SetKnobControlMode(KnobControl::Vertical);
    }
    void TearDown() override
    {
        SetKnobControlMode(KnobControl::Circular);
        PanelTest::TearDown();
    }

    CRect FrameOf(CModule& module, uint8_t param) { return module.GetControl(param)->GetFrame(); }
    CPoint At(const CRect& frame, int dx, int dy)
    {
        return CPoint(static_cast<int16_t>(frame.left + dx), static_cast<int16_t>(frame.top + dy));
    }
    void SetValue(uint8_t module, uint8_t param, uint8_t value)
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMParamChange>(kArea, module, param, value));
        patch->ApplyMoleculeList(packet);
    }
    // A straight drag: press, move by (dx, dy) in steps with a tick after
    // each (the control puts the pointer back each time), release.
    void Drag(CPoint from, int dx, int dy, int steps = 4)
    {
        Wait(1000); // no double click with an earlier press
        Press(from);
        for (int i = 0; i < steps; ++i) {
            Move(CPoint(static_cast<int16_t>(from.x + dx / steps), static_cast<int16_t>(from.y + dy / steps)));
            Tick();
        }
        Release(from);
    }
    template <typename T> T* FindControl(CModule& module, uint8_t& param)
    {
        for (param = 0; param < module.GetControlCount(); ++param) {
            if (auto* control = dynamic_cast<T*>(module.GetControl(param))) {
                return control;
            }
        }
        return nullptr;
    }
};

TEST_F(ControlGestureTest, AVerticalKnobDragSendsEveryStepAndLeavesOneUndoEntry)
{
    CModule& osc = AddModule(kOscA, 1);
    ASSERT_EQ(osc.GetValue(kCoarse), 64);
    const CPoint body = At(FrameOf(osc, kCoarse), 14, 10);
    const size_t sends = LiveSends();
    Drag(body, 0, -100);
    // 100 pixels of 256 cover 127 * 100 / 256 = 49 steps.
    EXPECT_EQ(osc.GetValue(kCoarse), 64 + 49);
    EXPECT_GE(LiveSends() - sends, 4u);
    EXPECT_EQ(UndoCount(), 1u);
    // The pointer stays where the drag began.
    EXPECT_EQ(ScreenPointer(),
              CPoint(static_cast<int16_t>(ScreenPoint(window, body.x, body.y).x),
                     static_cast<int16_t>(ScreenPoint(window, body.x, body.y).y)));
    patch->Undo();
    EXPECT_EQ(osc.GetValue(kCoarse), 64);

    // Down past the bottom, then back: the limit resets the travel, so the
    // way back acts at once.
    Wait(1000);
    Press(body);
    Move(CPoint(body.x, static_cast<int16_t>(body.y + 200)));
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 0);
    Move(CPoint(body.x, static_cast<int16_t>(body.y - 4)));
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 1);
    Release(body);
}

TEST_F(ControlGestureTest, ADragBackToTheStartValueLeavesNoUndoEntry)
{
    CModule& osc = AddModule(kOscA, 1);
    const CPoint body = At(FrameOf(osc, kCoarse), 14, 10);
    Press(body);
    Move(CPoint(body.x, static_cast<int16_t>(body.y - 20)));
    Tick();
    EXPECT_NE(osc.GetValue(kCoarse), 64);
    Move(CPoint(body.x, static_cast<int16_t>(body.y + 20)));
    Tick();
    Release(body);
    EXPECT_EQ(osc.GetValue(kCoarse), 64);
    EXPECT_EQ(UndoCount(), 0u);
    // The edit focused the parameter.
    EXPECT_EQ(patch->GetParamFocus(), (ParamAddress{kArea, 1, kCoarse}));
}

TEST_F(ControlGestureTest, CircularModePutsThePointerOnTheArcAndFollowsItsAngle)
{
    SetKnobControlMode(KnobControl::Circular);
    CModule& osc = AddModule(kOscA, 1);
    const CRect frame = FrameOf(osc, kCoarse);
    const CPoint centre = At(frame, 14, 16);
    Press(At(frame, 3, 20));
    // At 64 of 127 the arc point is just right of straight up.
    const platform::Point expected = ScreenPoint(window, centre.x, centre.y - 14);
    EXPECT_NEAR(ScreenPointer().x, expected.x, 1);
    EXPECT_NEAR(ScreenPointer().y, expected.y, 1);
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 64);                        // nothing until the pointer moves
    Move(CPoint(centre.x, static_cast<int16_t>(centre.y + 40))); // straight below: the top value
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 127);
    Move(CPoint(static_cast<int16_t>(centre.x - 30), static_cast<int16_t>(centre.y + 30))); // lower left: 0
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 0);
    Move(CPoint(centre.x, static_cast<int16_t>(centre.y - 30))); // straight up: the middle
    Tick();
    EXPECT_EQ(osc.GetValue(kCoarse), 64);
    Release(centre);
}

// Another program taken to the front mid-gesture (Alt+Tab with the button
// still down) ends the gesture as a release does: the change stays as one
// step to undo, and the mouse moved or released afterwards changes nothing.
TEST_F(ControlGestureTest, AnotherProgramActivatedMidGestureEndsItAsTheReleaseDoes)
{
    CModule& osc = AddModule(kOscA, 1);
    const CRect frame = FrameOf(osc, kCoarse);
    struct Case {
        const char* gesture;
        CPoint press;
        CPoint moved; // where the hand goes before the other program comes
        uint8_t reached;
    };
    const Case cases[] = {
        {"a knob drag", At(frame, 14, 10), At(frame, 14, -30), 64 + 127 * 40 / 256},
        {"a held arrow", At(frame, 4, 28), At(frame, 4, 28), 63},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        SetValue(1, kCoarse, 64);
        const size_t steps = UndoCount();
        Wait(1000);
        Press(c.press);
        Move(c.moved);
        Tick();
        ASSERT_EQ(osc.GetValue(kCoarse), c.reached);
        desktop.Host().SetApplicationFocus(false);
        Wait(600);
        Move(At(frame, 14, -120));
        Tick();
        Release(At(frame, 14, -120));
        desktop.Host().SetApplicationFocus(true);
        Move(c.press);
        Wait(600);
        EXPECT_EQ(osc.GetValue(kCoarse), c.reached);
        EXPECT_FALSE(DragState().tracking) << "the drag cursor stays";
        ASSERT_EQ(UndoCount(), steps + 1);
        patch->Undo();
        EXPECT_EQ(osc.GetValue(kCoarse), 64);
    }
}

TEST_F(ControlGestureTest, HeldArrowsStepAtThePressAfter400msAndThenEvery70ms)
{
    CModule& osc = AddModule(kOscA, 1);
    const CRect frame = FrameOf(osc, kCoarse);
    const CPoint decrement = At(frame, 4, 28);
    Press(decrement);
    EXPECT_EQ(osc.GetValue(kCoarse), 63);
    Wait(390);
    EXPECT_EQ(osc.GetValue(kCoarse), 63);
    Wait(20);
    EXPECT_EQ(osc.GetValue(kCoarse), 62);
    Wait(60);
    EXPECT_EQ(osc.GetValue(kCoarse), 62);
    Wait(20);
    EXPECT_EQ(osc.GetValue(kCoarse), 61);
    Release(decrement);
    Wait(200);
    EXPECT_EQ(osc.GetValue(kCoarse), 61);
    EXPECT_EQ(UndoCount(), 1u);

    // The increment arrow at the top value sends nothing.
    SetValue(1, kCoarse, 127);
    Wait(1000);
    const size_t sends = LiveSends();
    Click(At(frame, 20, 28));
    EXPECT_EQ(osc.GetValue(kCoarse), 127);
    EXPECT_EQ(LiveSends(), sends);
}

TEST_F(ControlGestureTest, AControlDragAssignsTheToolbarGroupAndEditsTheMorphAmount)
{
    CModule& osc = AddModule(kOscA, 1);
    panelServices.toolbarGroup = 2;
    const CPoint body = At(FrameOf(osc, kCoarse), 14, 10);
    HoldControl(true);
    Drag(body, 0, -40);
    HoldControl(false);
    uint8_t group = 4;
    int32_t range = 0;
    ASSERT_TRUE(patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kCoarse}, group, range));
    EXPECT_EQ(group, 2);
    EXPECT_EQ(range, 127 * 40 / 256);
    EXPECT_EQ(osc.GetValue(kCoarse), 64);
    // The pair went with it; the assignment and the morph change are two entries.
    EXPECT_TRUE(patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kFine}, group, range));
    EXPECT_EQ(UndoCount(), 2u);
    patch->Undo();
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kCoarse}, group, range);
    EXPECT_EQ(range, 0);
}

TEST_F(ControlGestureTest, AControlDragChangesNothingWhereNoMorphMayGo)
{
    // The compressor's parameters take no morph; without a group chosen in
    // the toolbar nothing is assigned either.
    CModule& comp = AddModule(kCompressor, 1);
    CModule& osc = AddModule(kOscA, 2, 1, 0);
    panelServices.toolbarGroup = 0;
    const auto edits = [this] {
        return std::count_if(synth.sent.begin(), synth.sent.end(),
                             [](const auto& sent) { return sent.path == testsupport::CSynthLinkDouble::Path::Edit; });
    };
    const auto before = edits();
    HoldControl(true);
    Drag(At(FrameOf(comp, 0), 10, 8), 0, -60);
    panelServices.toolbarGroup = CPanelServicesInterface::kNoMorphGroup;
    Drag(At(FrameOf(osc, kCoarse), 14, 10), 0, -60);
    HoldControl(false);
    EXPECT_TRUE(patch->GetMorphMap().GetEntries().empty());
    EXPECT_EQ(UndoCount(), 0u);
    EXPECT_EQ(edits(), before);
    EXPECT_EQ(comp.GetValue(0), catalogue->GetBuilder(kCompressor).GetDefault(0));
}

TEST_F(ControlGestureTest, TheIndicatorKnobsCentreMarkSetsTheMiddle)
{
    CModule& osc = AddModule(kOscA, 1);
    auto* knob = dynamic_cast<CPnlIndicatorKnob*>(osc.GetControl(kFine));
    ASSERT_NE(knob, nullptr);
    SetValue(1, kFine, 10);
    Redraw();
    EXPECT_FALSE(knob->IsCentreLit());
    Click(At(knob->GetFrame(), 11, 2));
    EXPECT_EQ(osc.GetValue(kFine), 64);
    Redraw();
    EXPECT_TRUE(knob->IsCentreLit());
    // Beside the mark is no region: the press goes on to the panel.
    Click(At(knob->GetFrame(), 2, 2));
    EXPECT_TRUE(osc.IsSelected());
}

TEST_F(ControlGestureTest, TheSliderDragsVerticallyWhateverThePreference)
{
    SetKnobControlMode(KnobControl::Horizontal);
    CModule& bank = AddModule(kFilterBank, 1);
    uint8_t param = 0;
    CPnlVerticalSlider* slider = FindControl<CPnlVerticalSlider>(bank, param);
    ASSERT_NE(slider, nullptr);
    SetValue(1, param, 20);
    const uint8_t before = slider->GetValue();
    Drag(At(slider->GetFrame(), 5, 20), 0, -64);
    EXPECT_EQ(slider->GetValue(), before + slider->GetStepCount() * 64 / 256);
    // Its increment arrow lies above the decrement arrow.
    Wait(1000);
    Click(At(slider->GetFrame(), 5, 50));
    EXPECT_EQ(slider->GetValue(), before + slider->GetStepCount() * 64 / 256 + 1);
    Wait(1000);
    Click(At(slider->GetFrame(), 5, 58));
    EXPECT_EQ(slider->GetValue(), before + slider->GetStepCount() * 64 / 256);
}

TEST_F(ControlGestureTest, CheckButtonsToggleAndADoubleClickTogglesTwice)
{
    CModule& osc = AddModule(kOscA, 1);
    const CPoint mute = At(FrameOf(osc, kMute), 7, 7);
    Click(mute);
    EXPECT_EQ(osc.GetValue(kMute), 1);
    EXPECT_EQ(UndoCount(), 1u);
    const size_t sends = LiveSends();
    Wait(1000);
    DoubleClick(mute);
    EXPECT_EQ(LiveSends() - sends, 2u);
    EXPECT_EQ(osc.GetValue(kMute), 1);

    // Control: +1 from 0 with no amount, then -1.
    SetValue(1, kMute, 0);
    panelServices.toolbarGroup = 1;
    HoldControl(true);
    Wait(1000);
    Click(mute); // assigns the group
    Wait(1000);
    Click(mute);
    int8_t amount = 0;
    uint8_t group = 4;
    int32_t range = 0;
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kMute}, group, range);
    amount = static_cast<int8_t>(range);
    EXPECT_EQ(amount, 1);
    Wait(1000);
    Click(mute);
    HoldControl(false);
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kMute}, group, range);
    EXPECT_EQ(range, -1);
}

TEST_F(ControlGestureTest, RadioButtonsChooseTheButtonUnderThePress)
{
    CModule& osc = AddModule(kOscA, 1);
    const CRect column = FrameOf(osc, kWaveform);
    ASSERT_EQ(column.Height(), 4 * 14 + 1);
    Click(At(column, 10, 3)); // the top row is the highest value
    EXPECT_EQ(osc.GetValue(kWaveform), 3);
    Wait(1000);
    Click(At(column, 10, 14 * 3 + 5));
    EXPECT_EQ(osc.GetValue(kWaveform), 0);
    EXPECT_EQ(UndoCount(), 2u);
    // The chosen button again: nothing is sent, nothing recorded.
    Wait(1000);
    const size_t sends = LiveSends();
    Click(At(column, 10, 14 * 3 + 5));
    EXPECT_EQ(LiveSends(), sends);
    EXPECT_EQ(UndoCount(), 2u);
}

TEST_F(ControlGestureTest, AControlPressOnARadioButtonMorphsTowardsIt)
{
    CModule& osc = AddModule(kOscA, 1);
    const CRect column = FrameOf(osc, kWaveform);
    const uint8_t value = osc.GetValue(kWaveform);
    panelServices.toolbarGroup = 3;
    HoldControl(true);
    Wait(1000);
    Click(At(column, 10, 3)); // the top button: the amount that reaches it
    uint8_t group = 4;
    int32_t range = 0;
    ASSERT_TRUE(patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kWaveform}, group, range));
    EXPECT_EQ(group, 3);
    EXPECT_EQ(range, 3 - value);
    Wait(1000);
    Click(At(column, 10, 14 * 3 + 5)); // the bottom one
    HoldControl(false);
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, kWaveform}, group, range);
    EXPECT_EQ(range, 0 - value);
    EXPECT_EQ(osc.GetValue(kWaveform), value);
}

TEST_F(ControlGestureTest, SteppersRepeatWhileHeld)
{
    CModule& quant = AddModule(kQuantizer, 1);
    uint8_t param = 0;
    CPnlUpDownButton* stepper = FindControl<CPnlUpDownButton>(quant, param);
    ASSERT_NE(stepper, nullptr);
    SetValue(1, param, 5);
    const CPoint lower = At(stepper->GetFrame(), 5, 15);
    Press(lower);
    EXPECT_EQ(quant.GetValue(param), 4);
    Wait(410);
    EXPECT_EQ(quant.GetValue(param), 3);
    Wait(80);
    EXPECT_EQ(quant.GetValue(param), 2);
    Release(lower);
    Wait(1000);
    Click(At(stepper->GetFrame(), 5, 3));
    EXPECT_EQ(quant.GetValue(param), 3);
}

TEST_F(ControlGestureTest, AModuleDeletedDuringADragEndsTheGesture)
{
    CModule& osc = AddModule(kOscA, 1);
    const CPoint body = At(FrameOf(osc, kCoarse), 14, 10);
    Press(body);
    Move(CPoint(body.x, static_cast<int16_t>(body.y - 30)));
    Tick();
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMModuleDelete>(kArea, 1));
    patch->ApplyMoleculeList(packet);
    Tick();
    Release(body);
    EXPECT_EQ(NSHarrowen::GetMouseCaptureView(), nullptr);
    // A new module's edits go on as usual.
    CModule& next = AddModule(kOscA, 2);
    Drag(At(FrameOf(next, kCoarse), 14, 10), 0, -40);
    EXPECT_EQ(UndoCount(), 1u);
}

} // namespace
