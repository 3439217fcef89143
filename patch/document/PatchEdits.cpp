#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/ModuleCursor.h"
#include "patch/document/Patch.h"
#include "synth/link/SynthLinkInterface.h"
#include "patch/edit/UndoHistory.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/base/DroppedExceptions.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/TextFunctions.h"

#include <new>

namespace {

void PostAlert(uint32_t alertId)
{
    if (CEditorServicesInterface* editor = GetEditorServices()) {
        editor->PostDeferredAlert(alertId);
    }
}

} // namespace

// Sending and applying.

bool CPatch::SendAndApply(CMoleculePacket& packet, bool live, CUnsentEdits::CTakeBack takeBack)
{
    packet.SetSlot(slot_);
    if (synth_ != nullptr) {
        try {
            SendToSynth(packet, live, std::move(takeBack));
        } catch (const XMStreamOverflow&) {
            // Too long for its frame: nothing went out, so nothing is applied.
            if (CEditorServicesInterface* editor = GetEditorServices()) {
                editor->ShowAlert(kAlertCouldNotPerform, {});
            }
            return false;
        }
    }
    if (!live) {
        ApplyMoleculeList(packet);
        return true;
    }
    try {
        ApplyMoleculeList(packet);
    } catch (const XTorvanBase&) {
        // The live path reports nothing: the next value overrides this one.
    } catch (const XPatchError&) {
        // Likewise.
    }
    return true;
}

void CPatch::SendToSynth(CMoleculePacket& packet, bool live, CUnsentEdits::CTakeBack takeBack)
{
    if (live) {
        synth_->SendLiveEdit(packet);
        return;
    }
    // Noted first: the edit may go out at once.
    const bool noted = !packet.IsEmpty();
    if (noted) {
        unsent_.Add(std::move(takeBack));
    }
    try {
        synth_->SendPatchEdit(packet);
    } catch (...) {
        if (noted) {
            unsent_.DropNewest();
        }
        throw;
    }
}

void CPatch::TakeBackUnsentEdits()
{
    unsent_.TakeBack(*undo_, [this](CMoleculePacket& packet) {
        try {
            ApplyMoleculeList(packet);
        } catch (const XTorvanBase&) {
            // What the reverse could not undo stays; the rest is taken back.
            platform::RecordDroppedException("taking back an edit that never went out");
        }
    });
}

void CPatch::SendAndApplyMolecules(CMoleculePacket& packet)
{
    SendAndApply(packet, false);
}

void CPatch::SendAndApplyMolecules(CMoleculePacket& packet, std::unique_ptr<CMoleculePacket> inverse)
{
    SendAndApply(packet, false, {CUnsentEdits::EHistory::kNone, nullptr, std::move(inverse)});
}

void CPatch::SendAndApplyMoleculesLive(CMoleculePacket& packet)
{
    SendAndApply(packet, true);
}

void CPatch::SendOnly(CMoleculePacket& packet)
{
    packet.SetSlot(slot_);
    if (synth_ != nullptr) {
        synth_->SendEditDump(packet);
    }
}

void CPatch::ExecutePair(std::unique_ptr<CEditPair> pair, bool live)
{
    if (pair == nullptr || pair->GetDo().IsEmpty()) {
        return;
    }
    // Recorded only when it went out and was applied.
    if (SendAndApply(pair->GetDo(), live, {CUnsentEdits::EHistory::kPushed, pair.get(), nullptr})) {
        undo_->Push(std::move(pair));
    }
}

void CPatch::ExecuteEdit(std::unique_ptr<CEditPair> pair)
{
    ExecutePair(std::move(pair), false);
}

void CPatch::ExecuteEditLive(std::unique_ptr<CEditPair> pair)
{
    ExecutePair(std::move(pair), true);
}

void CPatch::PushUndoEntry(std::unique_ptr<CEditPair> pair)
{
    undo_->Push(std::move(pair));
}

bool CPatch::CanUndo() const
{
    return undo_->CanUndo();
}

bool CPatch::CanRedo() const
{
    return undo_->CanRedo();
}

void CPatch::Undo()
{
    if (!undo_->CanUndo()) {
        return;
    }
    // An edit too long for its frame sends and applies nothing, so it stays
    // in the undo list.
    if (SendAndApply(undo_->GetUndoPacket(), undo_->IsUndoLive(),
                     {CUnsentEdits::EHistory::kUndone, undo_->GetNewestUndo(), nullptr})) {
        undo_->MoveUndoToRedo();
    }
}

void CPatch::Redo()
{
    if (!undo_->CanRedo()) {
        return;
    }
    if (SendAndApply(undo_->GetRedoPacket(), undo_->IsRedoLive(),
                     {CUnsentEdits::EHistory::kRedone, undo_->GetNewestRedo(), nullptr})) {
        undo_->MoveRedoToUndo();
    }
}

// Selection.

void CPatch::SelectModule(CModuleInterface& module)
{
    selection_->Add(module);
}

void CPatch::DeselectModule(CModuleInterface& module)
{
    selection_->Remove(module);
}

void CPatch::ClearSelection()
{
    selection_->Clear();
}

bool CPatch::IsSelectionEmpty() const
{
    return selection_->IsEmpty();
}

void CPatch::DragSelection()
{
    CEditorServicesInterface* editor = GetEditorServices();
    if (editor != nullptr && !selection_->IsEmpty()) {
        editor->BeginDragSelection(*this);
    }
}

// Structural edits.

void CPatch::DeleteSelection()
{
    if (selection_->IsEmpty()) {
        return;
    }
    try {
        auto pair = std::make_unique<CEditPair>();
        const uint8_t area = selection_->GetAreaIndex();
        for (const CModuleInterface* module : selection_->GetModules()) {
            knobMap_->MakeDeassignMolecules(*pair, area, module->GetModuleIndex());
            ctrlMap_->MakeDeassignMolecules(*pair, area, module->GetModuleIndex());
            morphMap_->MakeDeassignMolecules(*pair, area, module->GetModuleIndex());
        }
        RequireArea(area).GetStore().MakeDeleteModulesCables(*pair, selection_->GetModuleIndices());
        selection_->MakeDeleteMolecules(*pair);
        ExecuteEdit(std::move(pair));
    } catch (const std::bad_alloc&) {
        PostAlert(kAlertNotEnoughMemory);
    }
}

bool CPatch::ExecuteCableEdit(uint8_t area, const std::function<void(const CCableTree&, CEditPair&)>& build)
{
    try {
        auto pair = std::make_unique<CEditPair>();
        build(RequireArea(area).GetStore(), *pair);
        ExecuteEdit(std::move(pair));
        return true;
    } catch (const XPatchError&) {
        // The builder refused the edit (a loop, a 256th cable): nothing sent.
        return false;
    } catch (const std::bad_alloc&) {
        PostAlert(kAlertNotEnoughMemory);
        return false;
    }
}

bool CPatch::ConnectCable(uint8_t area, const JackAddress& source, const JackAddress& destination)
{
    return ExecuteCableEdit(
        area, [&](const CCableTree& tree, CEditPair& pair) { tree.MakeConnectEdit(pair, source, destination); });
}

bool CPatch::DisconnectConnector(uint8_t area, const JackAddress& jack)
{
    return ExecuteCableEdit(area,
                            [&](const CCableTree& tree, CEditPair& pair) { tree.MakeDisconnectEdit(pair, jack); });
}

bool CPatch::MoveCableEnd(uint8_t area, const JackAddress& oldJack, const JackAddress& newJack)
{
    return ExecuteCableEdit(
        area, [&](const CCableTree& tree, CEditPair& pair) { tree.MakeMoveCableEndEdit(pair, oldJack, newJack); });
}

bool CPatch::BreakConnector(uint8_t area, const JackAddress& jack)
{
    return ExecuteCableEdit(area, [&](const CCableTree& tree, CEditPair& pair) { tree.MakeBreakEdit(pair, jack); });
}

bool CPatch::DeleteConnectorCables(uint8_t area, const JackAddress& jack)
{
    return ExecuteCableEdit(area, [&](const CCableTree& tree, CEditPair& pair) { tree.MakeDeleteEdit(pair, jack); });
}

bool CPatch::RecolorCables(uint8_t area, const JackAddress& jack, uint8_t colour)
{
    return ExecuteCableEdit(area,
                            [&](const CCableTree& tree, CEditPair& pair) { tree.MakeRecolorEdit(pair, jack, colour); });
}

void CPatch::CancelModes()
{
    if (window_ != nullptr) {
        window_->NotifySplitter();
    }
    area1_->EndTracking();
    area0_->EndTracking();
    if (CEditorServicesInterface* editor = GetEditorServices()) {
        editor->CancelModuleDrag();
    }
}

// Focus.

void CPatch::SetParamFocus(const ParamAddress& address)
{
    if (address == focus_) {
        return;
    }
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMParamFocusDump>(address));
    SendAndApplyMoleculesLive(packet);
}

ParamAddress CPatch::GetDefaultFocus() const
{
    const CEditorServicesInterface* editor = GetEditorServices();
    if (editor != nullptr && !editor->HasMorphEntries()) {
        return ParamAddress{1, 0, 0};
    }
    return CModuleCursor(*this).GetAddress();
}

void CPatch::RepairFocusAfterCreate()
{
    if (!HasFocus()) {
        focus_ = GetDefaultFocus();
    }
}

void CPatch::RepairFocusAfterDelete(const ParamAddress& deleted)
{
    if (focus_.location == deleted.location && focus_.module == deleted.module) {
        focus_ = GetDefaultFocus();
    }
}

CModuleInterface* CPatch::FindModule(const ParamAddress& address) const
{
    return CModuleCursor(*this, address).GetModule();
}

uint32_t CPatch::GetParamHelpId(const ParamAddress& address) const
{
    if (address.location == 2) {
        return 80;
    }
    const CModuleInterface* module = FindModule(address);
    return module == nullptr ? 0 : ParamHelpId(module->GetTypeId(), address.param);
}

uint32_t CPatch::GetFocusHelpId() const
{
    return HasFocus() ? GetParamHelpId(focus_) : 0;
}
