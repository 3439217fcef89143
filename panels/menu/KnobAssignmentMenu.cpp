#include "panels/menu/KnobAssignmentMenu.h"

#include "framework/views/View.h"
#include "panels/items/PnlControl.h"
#include "panels/panel/Module.h"
#include "panels/panel/PanelServicesInterface.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/ParamMolecules.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>

namespace {

struct CommandValue {
    uint32_t command;
    uint8_t value;
};

constexpr std::array<CommandValue, 22> kKnobValues = {{
    {1046, 0},  {1047, 1},  {1048, 2},  {1049, 3},  {1050, 4},  {1051, 5},  {1052, 6},  {1053, 7},
    {1054, 8},  {1055, 9},  {1056, 10}, {1057, 11}, {1058, 12}, {1059, 13}, {1060, 14}, {1061, 15},
    {1062, 16}, {1063, 17}, {1064, 19}, {1065, 20}, {1066, 22}, {1069, 23},
}};
constexpr std::array<CommandValue, 5> kGroupValues = {{{1070, 0}, {1071, 1}, {1072, 2}, {1073, 3}, {1079, 4}}};
constexpr std::array<CommandValue, 4> kControllerValues = {{{1080, 1}, {1081, 4}, {1082, 7}, {1089, 121}}};
constexpr std::array<CommandValue, 3> kKeyboardValues = {{{1090, 1}, {1091, 2}, {1099, 0}}};

template <size_t N> std::optional<uint8_t> ValueOf(const std::array<CommandValue, N>& table, uint32_t command)
{
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const CommandValue& e) { return e.command == command; });
    return it == table.end() ? std::nullopt : std::optional<uint8_t>(it->value);
}

void PostOutOfMemory()
{
    if (CEditorServicesInterface* editor = GetEditorServices()) {
        editor->PostDeferredAlert(CPatch::kAlertNotEnoughMemory);
    }
}

} // namespace

CKnobAssignmentMenu::CKnobAssignmentMenu(CPatch& patch, const ParamAddress& address)
    : patch_(patch), address_(address),
      knobMenu_(
          new CContextMenu("Knob", {{"Knob1", 1046},         {"Knob2", 1047}, {"Knob3", 1048},  {"Knob4", 1049},
                                    {"Knob5", 1050},         {"Knob6", 1051}, {"", 0},          {"Knob7", 1052},
                                    {"Knob8", 1053},         {"Knob9", 1054}, {"Knob10", 1055}, {"Knob11", 1056},
                                    {"Knob12", 1057},        {"", 0},         {"Knob13", 1058}, {"Knob14", 1059},
                                    {"Knob15", 1060},        {"", 0},         {"Knob16", 1061}, {"Knob17", 1062},
                                    {"Knob18", 1063},        {"", 0},         {"Pedal", 1064},  {"After touch ", 1065},
                                    {"On/Off switch", 1066}, {"", 0},         {"Disable", 1069}})),
      controllerMenu_(new CContextMenu("Ctrl",
                                       {{"Modulation Wheel", 1080},
                                        {"Expression Pedal", 1081},
                                        {"Main Volume", 1082},
                                        {"", 0},
                                        {"Other ...", 1085},
                                        {"", 0},
                                        {"Disable", 1089}})),
      morphMenu_(new CContextMenu(
          "Morph",
          {{"Group 1", 1070}, {"Group 2", 1071}, {"Group 3", 1072}, {"Group 4", 1073}, {"", 0}, {"Disable", 1079}})),
      keyboardMenu_(new CContextMenu("Keyb", {{"Velocity", 1090}, {"Note", 1091}, {"", 0}, {"Disable", 1099}})),
      top_(new CContextMenu("KnobAssignment",
                            {{"Default value", kDefaultValue},
                             {"Zero morph", kZeroMorph},
                             {"", 0},
                             {"Knob", kKnob},
                             {"Morph", kMorph},
                             {"MIDI Controller", kMidiController},
                             {"Keyboard", kKeyboard},
                             {"", 0},
                             {"Help", kHelp}}))
{
    const std::pair<uint32_t, CContextMenu*> submenus[] = {{kKnob, knobMenu_.get()},
                                                           {kMorph, morphMenu_.get()},
                                                           {kMidiController, controllerMenu_.get()},
                                                           {kKeyboard, keyboardMenu_.get()}};
    for (const auto& [command, submenu] : submenus) {
        NSHarrowen::CMenu* menu = nullptr;
        int index = 0;
        if (top_->FindCommand(command, menu, index)) {
            menu->SetItemSubmenu(index, submenu);
        }
    }
    UpdateMarks();
}

// The top menu refers to the submenus: it goes first.
CKnobAssignmentMenu::~CKnobAssignmentMenu()
{
    top_.reset();
}

void CKnobAssignmentMenu::RemoveKnobEntry()
{
    top_->RemoveEntry(kKnob);
    knobEntries_ = false;
}

void CKnobAssignmentMenu::RemoveMorphEntries()
{
    top_->RemoveEntry(kMorph);
    top_->RemoveEntry(kZeroMorph);
    morphEntries_ = false;
}

void CKnobAssignmentMenu::RemoveKeyboardEntry()
{
    top_->RemoveEntry(kKeyboard);
    keyboardEntries_ = false;
}

void CKnobAssignmentMenu::RemoveEntry(uint32_t command)
{
    top_->RemoveEntry(command);
}

CModule* CKnobAssignmentMenu::FindModule() const
{
    return dynamic_cast<CModule*>(patch_.FindModule(address_));
}

uint8_t CKnobAssignmentMenu::KeyboardGroup() const
{
    // A morph group knob of the toolbar: its parameter index is the group.
    return std::min<uint8_t>(address_.param, 3);
}

void CKnobAssignmentMenu::MarkEntry(uint32_t command, bool used, bool ticked)
{
    top_->EnableCommand(command, true);
    top_->SetCommandChecked(command, ticked);
    top_->SetMenuCommandText(command, "used", used);
}

void CKnobAssignmentMenu::UpdateMarks()
{
    top_->EnableCommand(kDefaultValue, true);
    top_->EnableCommand(kHelp, true);

    uint8_t knob = kNoKnob;
    patch_.GetKnobMap().FindByParam(address_, knob);
    top_->EnableCommand(kKnob, true);
    for (const CommandValue& entry : kKnobValues) {
        if (entry.value != kNoKnob) {
            MarkEntry(entry.command, patch_.GetKnobMap().FindByKnob(entry.value), knob == entry.value);
        }
    }
    top_->EnableCommand(kKnobDisable, knob != kNoKnob);

    uint8_t controller = kNoController;
    patch_.GetCtrlMap().FindByParam(address_, controller);
    top_->EnableCommand(kMidiController, true);
    for (const CommandValue& entry : kControllerValues) {
        if (entry.value != kNoController) {
            MarkEntry(entry.command, patch_.GetCtrlMap().FindByCtrl(entry.value), controller == entry.value);
        }
    }
    const bool named = controller == 1 || controller == 4 || controller == 7;
    top_->EnableCommand(kOtherController, true);
    top_->SetCommandChecked(kOtherController, controller != kNoController && !named);
    top_->EnableCommand(kControllerDisable, controller != kNoController);

    if (address_.location != kMorphLocation) {
        uint8_t group = kNoGroup;
        int32_t range = 0;
        patch_.GetMorphMap().FindByParam(address_, group, range);
        const CModule* module = FindModule();
        top_->EnableCommand(kMorph, module != nullptr && module->IsMorphable(address_.param));
        bool room = true;
        if (group == kNoGroup) {
            const CPnlControl* control = module ? module->GetControl(address_.param) : nullptr;
            const bool paired = control != nullptr && module->GetPairedParamAddress(*control).module != 0;
            room = paired ? patch_.GetMorphMap().HasRoomForTwo() : patch_.GetMorphMap().HasRoom();
        }
        for (uint8_t g = 0; g < kNoGroup; ++g) {
            const uint32_t command = kFirstGroup + g;
            top_->EnableCommand(command, room);
            top_->SetCommandChecked(command, group == g);
        }
        top_->EnableCommand(kMorphDisable, group != kNoGroup);
        top_->EnableCommand(kZeroMorph, group != kNoGroup);
    } else {
        const uint32_t assigned = patch_.GetMorphMap().GetKeyboardAssign(KeyboardGroup());
        top_->EnableCommand(kKeyboard, true);
        MarkEntry(kVelocity, patch_.GetMorphMap().IsKeyboardAssigned(1), assigned == 1);
        MarkEntry(kNote, patch_.GetMorphMap().IsKeyboardAssigned(2), assigned == 2);
        top_->EnableCommand(kKeyboardDisable, assigned != 0);
    }
}

void CKnobAssignmentMenu::TrackAndExecute(const NSHarrowen::CView& view, NSHarrowen::CPoint where)
{
    uint32_t command = 0;
    if (view.TrackPopupMenu(top_.get(), where, command)) {
        Execute(command);
    }
}

void CKnobAssignmentMenu::Execute(uint32_t command)
{
    try {
        auto pair = std::make_unique<CEditPair>(false);
        if (command == kDefaultValue) {
            SetDefaultValue();
        } else if (command == kHelp) {
            if (CPanelServicesInterface* services = GetPanelServices()) {
                services->ShowHelpTopic(patch_.GetParamHelpId(address_));
            }
        }
        if (knobEntries_) {
            AssignKnob(command, *pair);
        }
        if (morphEntries_) {
            AssignMorph(command, *pair);
            if (command == kZeroMorph) {
                ZeroMorph();
            }
        }
        if (controllerEntries_) {
            AssignMidiCtrl(command, *pair);
        }
        if (keyboardEntries_) {
            AssignKeyboard(command, *pair);
        }
        if (!pair->IsEmpty()) {
            patch_.ExecuteEdit(std::move(pair));
        }
    } catch (const std::bad_alloc&) {
        PostOutOfMemory();
    }
}

void CKnobAssignmentMenu::SetDefaultValue()
{
    // The toolbar's morph groups have no module control: nothing to reset.
    CModule* module = FindModule();
    CPnlControl* control = module ? module->GetControl(address_.param) : nullptr;
    if (control == nullptr) {
        return;
    }
    const auto location = static_cast<uint8_t>(address_.location);
    auto pair = std::make_unique<CEditPair>(true);
    pair->Add(
        std::make_unique<CMParamChange>(location, address_.module, address_.param, module->GetDefaultValue(*control)),
        std::make_unique<CMParamChange>(location, address_.module, address_.param, control->GetValue()));
    patch_.ExecuteEditLive(std::move(pair));
}

void CKnobAssignmentMenu::ZeroMorph()
{
    uint8_t group = kNoGroup;
    int32_t range = 0;
    patch_.GetMorphMap().FindByParam(address_, group, range);
    const auto location = static_cast<uint8_t>(address_.location);
    auto pair = std::make_unique<CEditPair>(true);
    pair->Add(std::make_unique<CMMorphChange>(location, address_.module, address_.param, 0),
              std::make_unique<CMMorphChange>(location, address_.module, address_.param, range));
    patch_.ExecuteEditLive(std::move(pair));
}

void CKnobAssignmentMenu::AssignKnob(uint32_t command, CEditPair& pair)
{
    if (const std::optional<uint8_t> knob = ValueOf(kKnobValues, command)) {
        patch_.GetKnobMap().MakeAssignMolecules(pair, address_, *knob);
    }
}

void CKnobAssignmentMenu::AssignMorph(uint32_t command, CEditPair& pair)
{
    const std::optional<uint8_t> group = ValueOf(kGroupValues, command);
    if (!group) {
        return;
    }
    uint8_t current = kNoGroup;
    int32_t range = 0;
    patch_.GetMorphMap().FindByParam(address_, current, range);
    ParamAddress partner{0, 0, 0};
    if (const CModule* module = FindModule()) {
        if (const CPnlControl* control = module->GetControl(address_.param)) {
            partner = module->GetPairedParamAddress(*control);
        }
    }
    patch_.GetMorphMap().MakeAssignMolecules(pair, address_, *group, range, partner);
}

void CKnobAssignmentMenu::AssignMidiCtrl(uint32_t command, CEditPair& pair)
{
    std::optional<uint8_t> controller = ValueOf(kControllerValues, command);
    if (command == kOtherController) {
        CPanelServicesInterface* services = GetPanelServices();
        uint8_t current = kNoController;
        patch_.GetCtrlMap().FindByParam(address_, current);
        uint8_t chosen = current;
        const int result = services ? services->RunMidiControllerDialog(patch_, current, chosen)
                                    : CPanelServicesInterface::kControllerCancel;
        if (result == CPanelServicesInterface::kControllerAssign) {
            controller = chosen;
        } else if (result == CPanelServicesInterface::kControllerRemove) {
            controller = kNoController;
        }
    }
    if (controller) {
        patch_.GetCtrlMap().MakeAssignMolecules(pair, address_, *controller);
    }
}

void CKnobAssignmentMenu::AssignKeyboard(uint32_t command, CEditPair& pair)
{
    if (const std::optional<uint8_t> value = ValueOf(kKeyboardValues, command)) {
        patch_.GetMorphMap().MakeKeyboardAssignMolecules(pair, KeyboardGroup(), *value);
    }
}
