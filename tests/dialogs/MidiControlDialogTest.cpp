#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/midicontrol/DialogMIDIControl.h"
#include "framework/controls/PushButtonView.h"
#include "framework/lists/ListBoxView.h"
#include "panels/items/PnlControl.h"
#include "panels/panel/Module.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/maps/CtrlMap.h"
#include "platform/windows/Window.h"
#include "platform/input/Keys.h"
#include "platform/menus/NativeMenu.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/protocol/MidiCtrlNames.h"

#include <deque>

using namespace NSHarrowen;
using namespace dialogstest;

namespace {

constexpr uint8_t kPoly = 1;
constexpr uint8_t kOscA = 7;

class MidiControlDialogTest : public DialogsTest {
protected:
    using ControlStep = ScriptStep<CDialogMIDIControl>;

    void SetUp() override
    {
        DialogsTest::SetUp();
        Launch();
        previousPresenter_ = platform::SetPopupPresenter([this](const platform::PopupRequest& request) {
            if (menuAnswers_.empty())
                return 0u;
            const std::string answer = menuAnswers_.front();
            menuAnswers_.pop_front();
            return platform::FindMenuNumberByText(request.menu, answer);
        });
    }
    void TearDown() override
    {
        platform::SetPopupPresenter(std::move(previousPresenter_));
        DialogsTest::TearDown();
    }
    // A new local patch with two oscillators named "Lead" and "Sub".
    CPatch& PatchWithOscillators()
    {
        PressCtrl('N');
        Step(100);
        CPatch& patch = *Patches().back();
        CMoleculePacket packet;
        auto modules = std::make_unique<CMModuleDump>(kPoly);
        modules->AddModule(1, kOscA, 0, 0);
        modules->AddModule(2, kOscA, 0, 8);
        packet.Append(std::move(modules));
        auto names = std::make_unique<CMModuleNameDump>(kPoly);
        names->AddName(1, "Lead");
        names->AddName(2, "Sub");
        packet.Append(std::move(names));
        patch.ApplyMoleculeList(packet);
        Step(100);
        return patch;
    }
    CModule& Module(CPatch& patch, uint8_t index)
    {
        return dynamic_cast<CModule&>(*patch.GetArea(kPoly)->FindModule(index));
    }
    // A right click on a module's control, answering its menu.
    void ChooseOnControl(CPatch& patch, uint8_t module, uint8_t param, const std::string& answer)
    {
        const CPnlControl* control = Module(patch, module).GetControl(param);
        ASSERT_NE(control, nullptr);
        menuAnswers_.push_back(answer);
        const CRect frame = control->GetFrame();
        const platform::Point at = platform::ClientToScreen(
            control->GetWindow()->GetHandle(), {frame.left + frame.Width() / 2, frame.top + frame.Height() / 2});
        desktop.Host().MoveMouse(at);
        Pump();
        desktop.Host().Click(at, 2);
        Pump();
        Step(100);
    }
    uint8_t ControllerOf(const CPatch& patch, uint8_t module, uint8_t param)
    {
        uint8_t controller = CMidiCtrlByte::kNone;
        patch.GetCtrlMap().FindByParam(ParamAddress{kPoly, module, param}, controller);
        return controller;
    }
    ControlStep ClickRow(uint16_t row, bool withControl = false)
    {
        return Do<CDialogMIDIControl>([this, row, withControl](CDialogMIDIControl& d) {
            const CRect r = d.GetList()->GetGrid()->RowRect(row);
            if (withControl)
                desktop.Host().PressKey(platform::kVKControl);
            desktop.Host().Click(platform::ClientToScreen(d.GetHandle(), {r.left + 5, r.top + 2}));
            if (withControl)
                desktop.Host().ReleaseKey(platform::kVKControl);
        });
    }
    ControlStep ClickButton(CPushButtonView* (CDialogMIDIControl::*button)() const)
    {
        return Do<CDialogMIDIControl>([this, button](CDialogMIDIControl& d) { Click((d.*button)()); });
    }

private:
    std::deque<std::string> menuAnswers_;
    platform::PopupPresenter previousPresenter_;
};

} // namespace

TEST_F(MidiControlDialogTest, OtherAssignsThePickedControllerRemoveTakesItAwayAndCancelChangesNothing)
{
    CPatch& patch = PatchWithOscillators();
    ChooseOnControl(patch, 2, 0, "Main Volume");
    ASSERT_EQ(ControllerOf(patch, 2, 0), 7);
    const std::string paramName = Module(patch, 2).GetControl(0)->GetParamName();

    Script<CDialogMIDIControl>({Do<CDialogMIDIControl>([&](CDialogMIDIControl& d) {
                                    EXPECT_EQ(d.GetTitle(), "Dialog");
                                    EXPECT_EQ(d.GetHelpContext(), 60u);
                                    const CListBoxData& data = d.GetData();
                                    ASSERT_EQ(data.GetRowCount(), 119);
                                    EXPECT_EQ(data.GetColumnTitle(1), "MIDI Ctrl");
                                    EXPECT_EQ(data.GetColumnTitle(2), "Module");
                                    EXPECT_EQ(data.GetColumnTitle(3), "Parameter");
                                    // 0-31, 33-63 and 65-120: no rows for 32, 64 and none.
                                    EXPECT_EQ(data.GetCellText(0, 31), "31");
                                    EXPECT_EQ(data.GetCellText(0, 32), "33");
                                    EXPECT_EQ(data.GetCellText(0, 62), "63");
                                    EXPECT_EQ(data.GetCellText(0, 63), "65");
                                    EXPECT_EQ(data.GetCellText(0, 118), "120");
                                    for (uint8_t controller : {32, 64, 121})
                                        EXPECT_EQ(d.RowOfController(controller), CDialogMIDIControl::kNoRow);
                                    EXPECT_EQ(data.GetCellText(1, 7), GetMidiCtrlName(7));
                                    // Unnamed controllers show their number and an empty name.
                                    for (uint8_t controller = 0; controller < 121; ++controller) {
                                        const uint16_t row = d.RowOfController(controller);
                                        if (row == CDialogMIDIControl::kNoRow)
                                            continue;
                                        EXPECT_EQ(data.GetCellText(0, row), std::to_string(controller));
                                        EXPECT_EQ(data.GetCellText(1, row),
                                                  HasMidiCtrlName(controller) ? GetMidiCtrlName(controller)
                                                                              : std::string());
                                    }
                                    EXPECT_EQ(data.GetCellText(2, 7), "Sub");
                                    EXPECT_EQ(data.GetCellText(3, 7), paramName);
                                    EXPECT_EQ(data.GetCellText(2, 10), "");
                                    // Without a controller the first row is selected.
                                    EXPECT_EQ(d.GetSelectedRow(), 0);
                                    EXPECT_TRUE(data.IsRowSelected(0));
                                    EXPECT_EQ(d.GetFocusView(), d.GetOkButton());
                                    const std::vector<int16_t>& edges = d.GetList()->GetColumnEdges();
                                    ASSERT_EQ(edges.size(), 4u);
                                    EXPECT_EQ(edges[0], 30);
                                    EXPECT_EQ(edges[1] - edges[0], 80);
                                    EXPECT_EQ(edges[2] - edges[1], 100);
                                    EXPECT_EQ(edges[3] - edges[2], d.GetList()->GetGrid()->GetFrame().Width() - 210);
                                }),
                                ClickRow(10), ClickButton(&CDialogMIDIControl::GetOkButton)});
    ChooseOnControl(patch, 1, 1, "Other ...");
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(ControllerOf(patch, 1, 1), 10);
    EXPECT_EQ(ControllerOf(patch, 2, 0), 7);

    Script<CDialogMIDIControl>({Do<CDialogMIDIControl>([](CDialogMIDIControl& d) {
                                    EXPECT_EQ(d.GetSelectedRow(), 10); // the parameter's controller
                                    EXPECT_EQ(d.GetData().GetCellText(2, 10), "Lead");
                                }),
                                ClickRow(20), ClickButton(&CDialogMIDIControl::GetCancelButton)});
    ChooseOnControl(patch, 1, 1, "Other ...");
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(ControllerOf(patch, 1, 1), 10);

    Script<CDialogMIDIControl>({ClickButton(&CDialogMIDIControl::GetRemoveButton)});
    ChooseOnControl(patch, 1, 1, "Other ...");
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(ControllerOf(patch, 1, 1), CMidiCtrlByte::kNone);
    EXPECT_EQ(ControllerOf(patch, 2, 0), 7);
}

// The controller is chosen by keys too: Tab reaches the list, Down moves its
// row, and Return is OK.
TEST_F(MidiControlDialogTest, TabReachesTheListWhereDownPicksTheNextControllerAndReturnAssignsIt)
{
    CPatch& patch = PatchWithOscillators();
    std::set<const CView*> met;
    std::vector<ControlStep> steps;
    TabRound(steps, met, 5);
    steps.push_back(Do<CDialogMIDIControl>(
        [&met](CDialogMIDIControl& d) { EXPECT_EQ(UnreachedControls(d, met), std::vector<std::string>{}); }));
    steps.push_back([this](CDialogMIDIControl& d) {
        if (d.GetFocusView() == d.GetList())
            return true;
        PressKey(platform::kVKTab);
        return false;
    });
    std::vector<int> rows;
    const auto Down = [&] {
        return Do<CDialogMIDIControl>([&](CDialogMIDIControl& d) {
            rows.push_back(d.GetSelectedRow());
            PressKey(platform::kVKDown);
        });
    };
    steps.push_back(Down());
    steps.push_back(Down());
    steps.push_back(Do<CDialogMIDIControl>([&](CDialogMIDIControl& d) {
        rows.push_back(d.GetSelectedRow());
        PressKey(platform::kVKReturn);
    }));
    Script<CDialogMIDIControl>(std::move(steps));
    ChooseOnControl(patch, 1, 1, "Other ...");
    EXPECT_TRUE(ScriptDone());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], rows[1] + 1);
    ASSERT_GE(rows[2], 0);
    ASSERT_LT(rows[2], 32); // a row's controller is its number below 32
    EXPECT_EQ(ControllerOf(patch, 1, 1), rows[2]);
}

TEST_F(MidiControlDialogTest, TheRowsShowTheModulesOfTheMapsOwnPatchNotTheActiveOne)
{
    CPatch& clicked = PatchWithOscillators();
    ChooseOnControl(clicked, 2, 0, "Modulation Wheel");
    ASSERT_EQ(ControllerOf(clicked, 2, 0), 1);
    // Another patch with other modules at the same places comes to the front.
    CPatch& front = PatchWithOscillators();
    CMoleculePacket packet;
    auto names = std::make_unique<CMModuleNameDump>(kPoly);
    names->AddName(2, "Other");
    packet.Append(std::move(names));
    front.ApplyMoleculeList(packet);
    ASSERT_NE(&front, &clicked);

    uint8_t chosen = 99;
    Script<CDialogMIDIControl>({Do<CDialogMIDIControl>([](CDialogMIDIControl& d) {
                                    EXPECT_EQ(d.GetData().GetCellText(2, 1), "Sub");
                                    EXPECT_EQ(d.GetSelectedRow(), 1);
                                }),
                                // A Control click takes the selection away: OK then answers none.
                                ClickRow(1, true), Do<CDialogMIDIControl>([](CDialogMIDIControl& d) {
                                    EXPECT_EQ(d.GetSelectedRow(), CDialogMIDIControl::kNoRow);
                                }),
                                ClickButton(&CDialogMIDIControl::GetOkButton)});
    EXPECT_EQ(dialogs.RunMidiControl(clicked, 1, chosen), CDialogMIDIControl::kResultOk);
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(chosen, CMidiCtrlByte::kNone);
}

TEST(MidiCtrlByte, LargerValuesAreNone)
{
    EXPECT_EQ(CMidiCtrlByte(120).Get(), 120);
    EXPECT_EQ(CMidiCtrlByte(121).Get(), 121);
    EXPECT_EQ(CMidiCtrlByte(200).Get(), 121);
    EXPECT_TRUE(CMidiCtrlByte().IsNone());
}
