// The parameter menu of a control, opened with a right click: its marks,
// its greyed entries and the assignments it makes through the maps.
#include "tests/panels/PanelTestFixture.h"

#include "panels/menu/KnobAssignmentMenu.h"
#include "panels/panel/Module.h"
#include "panels/items/PnlControl.h"
#include "patch/area/PatchBackground.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/menus/NativeMenu.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kCompressor = 21;

// Shows pop-up menus to the test: every entry of the menu and its submenus
// as shown (enabled, checked), and the answer by caption.
class CMenuLook {
public:
    struct Entry {
        bool enabled;
        bool checked;
    };
    CMenuLook() : previous_(platform::SetPopupPresenter([this](const platform::PopupRequest& r) { return Present(r); }))
    { }
    ~CMenuLook() { platform::SetPopupPresenter(std::move(previous_)); }

    std::deque<std::string> answers;
    // Of the last menu shown, by caption; a submenu's entries under
    // "submenu/caption".
    std::map<std::string, Entry> entries;
    std::vector<std::string> top; // its top-level captions
    int shown = 0;

private:
    void Collect(platform::MenuHandle menu, const std::string& prefix)
    {
        const bool isTop = prefix.empty();
        for (int i = 0; i < platform::GetMenuItemCount(menu); ++i) {
            const platform::MenuItem item = platform::GetMenuItem(menu, i);
            if (item.kind == platform::MenuItem::Kind::Separator) {
                continue;
            }
            const std::string caption = platform::CaptionText(item.caption);
            if (isTop) {
                top.push_back(caption);
            }
            entries[prefix + caption] = Entry{item.enabled, item.checked};
            if (item.kind == platform::MenuItem::Kind::Submenu) {
                Collect(item.submenu, prefix + caption + "/");
            }
        }
    }
    uint32_t Present(const platform::PopupRequest& request)
    {
        ++shown;
        entries.clear();
        top.clear();
        Collect(request.menu, "");
        if (answers.empty()) {
            return 0;
        }
        const std::string answer = answers.front();
        answers.pop_front();
        return platform::FindMenuNumberByText(request.menu, answer);
    }

    platform::PopupPresenter previous_;
};

class ParamMenuTest : public paneltest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        osc = &AddModule(kOscA, 1);
    }
    CPoint OnControl(CModule& module, uint8_t param)
    {
        const NSHarrowen::CRect frame = module.GetControl(param)->GetFrame();
        return CPoint(static_cast<int16_t>(frame.left + 10), static_cast<int16_t>(frame.top + 8));
    }
    void Choose(CModule& module, uint8_t param, const std::string& answer)
    {
        look.answers.push_back(answer);
        Move(OnControl(module, param));
        RightClick(OnControl(module, param));
    }
    void Apply(std::unique_ptr<CMolecule> molecule)
    {
        CMoleculePacket packet;
        packet.Append(std::move(molecule));
        patch->ApplyMoleculeList(packet);
    }

    CMenuLook look;
    CModule* osc = nullptr;
};

TEST_F(ParamMenuTest, AControlsMenuOffersEverythingButTheKeyboard)
{
    Choose(*osc, 2, "");
    ASSERT_EQ(look.shown, 1);
    EXPECT_EQ(look.top,
              (std::vector<std::string>{"Default value", "Zero morph", "Knob", "Morph", "MIDI Controller", "Help"}));
    EXPECT_TRUE(look.entries["Default value"].enabled);
    EXPECT_FALSE(look.entries["Zero morph"].enabled); // no morph group yet
    EXPECT_TRUE(look.entries["Morph/Group 1"].enabled);
    EXPECT_FALSE(look.entries["Knob/Disable"].enabled);
    EXPECT_FALSE(look.entries["Morph/Disable"].enabled);
    EXPECT_FALSE(look.entries["Knob/Knob1"].checked);
    // A right click on the panel body is the module menu instead.
    RightClick(CPoint(160, 80));
    EXPECT_EQ(look.top, (std::vector<std::string>{"Rename", "Help", "Delete"}));
}

TEST_F(ParamMenuTest, KnobsAreAssignedAsOneEditAndMarkedUsedElsewhere)
{
    Choose(*osc, 2, "Knob3");
    uint8_t knob = 0;
    ASSERT_TRUE(patch->GetKnobMap().FindByParam(ParamAddress{kArea, 1, 2}, knob));
    EXPECT_EQ(knob, 2);
    EXPECT_EQ(UndoCount(), 1u);
    // Another parameter's menu shows the knob used, and it stays selectable.
    Choose(*osc, 3, "Knob3 (used)");
    EXPECT_TRUE(look.entries["Knob/Knob3 (used)"].enabled);
    EXPECT_FALSE(look.entries["Knob/Knob3 (used)"].checked);
    ASSERT_TRUE(patch->GetKnobMap().FindByParam(ParamAddress{kArea, 1, 3}, knob));
    EXPECT_EQ(knob, 2);
    // Its own menu ticks it.
    Choose(*osc, 3, "");
    EXPECT_TRUE(look.entries["Knob/Knob3 (used)"].checked);
    EXPECT_TRUE(look.entries["Knob/Disable"].enabled);
    // "Pedal" is knob 19.
    Choose(*osc, 3, "Pedal");
    patch->GetKnobMap().FindByParam(ParamAddress{kArea, 1, 3}, knob);
    EXPECT_EQ(knob, 19);
}

TEST_F(ParamMenuTest, ControllersAndTheOtherDialog)
{
    Choose(*osc, 2, "Main Volume");
    uint8_t controller = 0;
    ASSERT_TRUE(patch->GetCtrlMap().FindByParam(ParamAddress{kArea, 1, 2}, controller));
    EXPECT_EQ(controller, 7);
    Choose(*osc, 2, "");
    // The parameter's own controller counts as used.
    EXPECT_TRUE(look.entries["MIDI Controller/Main Volume (used)"].checked);
    EXPECT_FALSE(look.entries["MIDI Controller/Other ..."].checked);

    panelServices.controllerResult = CPanelServicesInterface::kControllerAssign;
    panelServices.controllerChoice = 2;
    Choose(*osc, 2, "Other ...");
    EXPECT_EQ(panelServices.controllerShown, 7);
    patch->GetCtrlMap().FindByParam(ParamAddress{kArea, 1, 2}, controller);
    EXPECT_EQ(controller, 2);
    Choose(*osc, 2, "");
    EXPECT_TRUE(look.entries["MIDI Controller/Other ..."].checked);
    // Cancel changes nothing; remove takes it away.
    const size_t undo = UndoCount();
    panelServices.controllerResult = CPanelServicesInterface::kControllerCancel;
    Choose(*osc, 2, "Other ...");
    EXPECT_EQ(UndoCount(), undo);
    panelServices.controllerResult = CPanelServicesInterface::kControllerRemove;
    Choose(*osc, 2, "Other ...");
    EXPECT_FALSE(patch->GetCtrlMap().FindByParam(ParamAddress{kArea, 1, 2}, controller));
}

TEST_F(ParamMenuTest, MorphGroupsAreGreyedWhereNoMorphMayGoOrNoRoomIsLeft)
{
    CModule& comp = AddModule(kCompressor, 2, 1, 0);
    Choose(comp, 0, "");
    EXPECT_FALSE(look.entries["Morph"].enabled);
    Choose(*osc, 2, "Group 2");
    uint8_t group = 4;
    int32_t range = 0;
    ASSERT_TRUE(patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, 2}, group, range));
    EXPECT_EQ(group, 1);
    Choose(*osc, 2, "");
    EXPECT_TRUE(look.entries["Morph/Group 2"].checked);
    EXPECT_TRUE(look.entries["Zero morph"].enabled);

    // Fill the map to 24: a paired parameter needs room for two.
    uint8_t param = 0;
    for (uint8_t module = 3; patch->GetMorphMap().GetEntries().size() < 24; ++module) {
        AddModule(kOscA, module, 1, static_cast<uint8_t>(7 * (module - 2)));
        for (param = 2; param <= 8 && patch->GetMorphMap().GetEntries().size() < 24; ++param) {
            Apply(std::make_unique<CMMorphAssign>(ParamAddress{kArea, module, param}, 0, 1, 0));
        }
    }
    Choose(*osc, 0, ""); // coarse tuning, paired with the fine
    EXPECT_FALSE(look.entries["Morph/Group 1"].enabled);
    Choose(*osc, 3, "");
    EXPECT_TRUE(look.entries["Morph/Group 1"].enabled);
}

TEST_F(ParamMenuTest, DefaultValueAndZeroMorphAreLiveUndoableEdits)
{
    Apply(std::make_unique<CMParamChange>(kArea, 1, 2, 5));
    Choose(*osc, 2, "Default value");
    EXPECT_EQ(osc->GetValue(2), catalogue->GetBuilder(kOscA).GetDefault(2));
    EXPECT_EQ(UndoCount(), 1u);
    // Already at the default: sent and recorded again.
    Choose(*osc, 2, "Default value");
    EXPECT_EQ(UndoCount(), 2u);

    Apply(std::make_unique<CMMorphAssign>(ParamAddress{kArea, 1, 2}, 0, 9, 0));
    Choose(*osc, 2, "Zero morph");
    uint8_t group = 4;
    int32_t range = 1;
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, 2}, group, range);
    EXPECT_EQ(range, 0);
    patch->Undo();
    patch->GetMorphMap().FindByParam(ParamAddress{kArea, 1, 2}, group, range);
    EXPECT_EQ(range, 9);
}

TEST_F(ParamMenuTest, TheMorphGroupKnobsMenuAssignsTheKeyboardToItsOwnGroup)
{
    // The toolbar's morph group knobs: location 2, parameter = group.
    for (const uint8_t group : {0, 2, 3}) {
        CKnobAssignmentMenu menu(*patch, ParamAddress{2, 1, group});
        menu.RemoveMorphEntries();
        EXPECT_FALSE(menu.GetMenu().HasCommand(CKnobAssignmentMenu::kMorph));
        EXPECT_FALSE(menu.GetMenu().HasCommand(CKnobAssignmentMenu::kZeroMorph));
        look.answers.push_back(group == 0 ? "Velocity" : group == 2 ? "Note" : "Note (used)");
        menu.TrackAndExecute(*area, CPoint(10, 10));
        EXPECT_EQ(patch->GetMorphMap().GetKeyboardAssign(group), group == 0 ? 1u : 2u) << int(group);
    }
    EXPECT_EQ(patch->GetMorphMap().GetKeyboardAssign(1), 0u);
    // "Default value" of a group knob changes nothing (there is no control).
    CKnobAssignmentMenu menu(*patch, ParamAddress{2, 1, 0});
    const size_t undo = UndoCount();
    menu.Execute(CKnobAssignmentMenu::kDefaultValue);
    EXPECT_EQ(UndoCount(), undo);
}

} // namespace
