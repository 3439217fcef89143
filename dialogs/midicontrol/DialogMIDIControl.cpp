#include "dialogs/midicontrol/DialogMIDIControl.h"

#include "dialogs/common/DialogViews.h"
#include "framework/controls/PushButtonView.h"
#include "framework/lists/ListBoxView.h"
#include "panels/BuildModule.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/document/Patch.h"
#include "patch/maps/CtrlMap.h"
#include "patch/module/ModuleInterface.h"
#include "synth/protocol/MidiCtrlNames.h"

using namespace NSHarrowen;

namespace {

constexpr uint16_t kRows = 119;
constexpr int16_t kNumberWidth = 30;
constexpr int16_t kNameWidth = 80;
constexpr int16_t kModuleWidth = 100;

// The name of a module type's parameter, empty when the type is unknown.
std::string ParamName(uint8_t typeId, uint8_t param)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    return catalogue.HasType(typeId) ? catalogue.GetBuilder(typeId).GetParamName(param) : std::string();
}

} // namespace

bool HasControllerRow(uint8_t controller)
{
    return controller < CMidiCtrlByte::kNone && controller != 32 && controller != 64;
}

CDialogMIDIControl::CDialogMIDIControl() : CModalDialog(kTemplate), data_(4, 0)
{
    data_.SetColumnTitle(kNameColumn, "MIDI Ctrl");
    data_.SetColumnTitle(kModuleColumn, "Module");
    data_.SetColumnTitle(kParamColumn, "Parameter");
    data_.AddRows(kRows);
    uint16_t row = 0;
    for (uint8_t controller = 0; controller < CMidiCtrlByte::kNone; ++controller) {
        if (!HasControllerRow(controller))
            continue;
        data_.SetCellText(kNumberColumn, row, std::to_string(controller));
        if (HasMidiCtrlName(controller))
            data_.SetCellText(kNameColumn, row, GetMidiCtrlName(controller));
        rows_[controller] = row++;
    }

    const CDialogViews views(*this);
    list_ = new CListBoxView(GetRootView(), views.Item(kList), &data_);
    ok_ = views.Button(kOk);
    cancel_ = views.Button(kCancel);
    remove_ = views.Button(kRemove);
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    AddToFocusChain(ok_);
    AddToFocusChain(cancel_);
    AddToFocusChain(remove_);
    AddToFocusChain(list_); // the controllers are chosen by keys too
    SetFocusView(ok_);
    // Placing the window lays the views out (and the list's columns).
    ReapplyBounds();
    LayoutRootView();
}

void CDialogMIDIControl::FillAssignments(const CPatch& patch, CMidiCtrlByte* controller, int* result)
{
    controller_ = controller;
    result_ = result;
    // The modules are the map's own patch's: the one whose control was
    // clicked, which need not be the active one.
    for (const auto& [address, number] : patch.GetCtrlMap().GetEntries()) {
        const uint16_t row = RowOfController(number);
        const CModuleInterface* module = patch.FindModule(address);
        if (row == kNoRow || !module)
            continue;
        data_.SetCellText(kModuleColumn, row, module->GetName());
        data_.SetCellText(kParamColumn, row, ParamName(module->GetTypeId(), address.param));
    }
    const uint16_t row = controller ? RowOfController(controller->Get()) : kNoRow;
    selected_ = row == kNoRow ? 0 : row;
    list_->SelectRow(selected_);
    list_->Invalidate();
}

uint16_t CDialogMIDIControl::RowOfController(uint8_t controller) const
{
    const auto found = rows_.find(controller);
    return found == rows_.end() ? kNoRow : found->second;
}

uint8_t CDialogMIDIControl::ControllerOfRow(uint16_t row) const
{
    for (const auto& [controller, at] : rows_)
        if (at == row)
            return controller;
    return CMidiCtrlByte::kNone;
}

void CDialogMIDIControl::LayoutRootView()
{
    CModalDialog::LayoutRootView();
    if (!list_)
        return;
    const int16_t content = list_->GetGrid() ? list_->GetGrid()->GetFrame().Width() : list_->GetFrame().Width();
    list_->SetColumnWidth(kNumberColumn, kNumberWidth);
    list_->SetColumnWidth(kNameColumn, kNameWidth);
    list_->SetColumnWidth(kModuleColumn, kModuleWidth);
    list_->SetColumnWidth(kParamColumn, static_cast<int16_t>(content - (kNumberWidth + kNameWidth + kModuleWidth)));
}

void CDialogMIDIControl::ReceiveNotifications()
{
    CListBoxRequest request;
    if (list_->TakeRequest(request)) {
        // One row at most: a Control click on the selected row leaves none.
        const bool none = request.kind == kListClear || request.kind == kListRemoveRow;
        selected_ = none ? kNoRow : request.row;
        list_->SelectRow(selected_);
    }
    if (ok_->TakeClick())
        Finish(kResultOk);
    else if (cancel_->TakeClick())
        Finish(kResultCancel);
    else if (remove_->TakeClick())
        Finish(kResultRemove);
    CModalDialog::ReceiveNotifications();
}

void CDialogMIDIControl::Finish(int result)
{
    if (result_)
        *result_ = result;
    if (controller_)
        *controller_ = CMidiCtrlByte(ControllerOfRow(selected_));
    RequestClose();
}
