#include "framework/files/FileSpec.h"
#include "patch/PatchError.h"
#include "patch/document/Patch.h"

#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/EditorServicesInterface.h"
#include "synth/link/SynthLinkInterface.h"
#include "patch/edit/UndoHistory.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/system/Clock.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/ParamValueBlock.h"

#include <sstream>

namespace {

// The name of a new document, and of a slot's patch whose name has not
// arrived yet.
constexpr const char* kNoName = "No name";
constexpr const char* kUnknownName = "Unknown";

} // namespace

CPatch::CPatch(bool openWindow, uint32_t windowArgument)
    : undo_(std::make_unique<CUndoHistory>()), selection_(std::make_unique<CModuleSelection>()),
      area0_(std::make_unique<CPatchBackground>(*this, 0)), area1_(std::make_unique<CPatchBackground>(*this, 1)),
      ctrlMap_(std::make_unique<CCtrlMap>()), morphMap_(std::make_unique<CMorphMap>()),
      knobMap_(std::make_unique<CKnobMap>()), loadTable_(std::make_unique<CDspLoadTable>()), name_(kNoName),
      receivedHeader_(std::make_unique<CPatchHeader>()), editedHeader_(std::make_unique<CPatchHeader>())
{
    UpdateTitle();
    if (openWindow) {
        OpenWindow(windowArgument);
    }
}

CPatch::~CPatch()
{
    // Documents are deleted once their window has gone (or at exit, after
    // the windows), so there is no window to close here.
    UnlinkFromSynth();
    // The selection points into the areas; it goes first.
    selection_->Clear();
}

// Window.

void CPatch::OpenWindow(uint32_t argument)
{
    if (window_ != nullptr) {
        window_->BringToFront();
        return;
    }
    CEditorServicesInterface* editor = GetEditorServices();
    if (editor == nullptr) {
        return;
    }
    dirty_ = false;
    window_ = editor->OpenPatchWindow(*this, argument);
}

void CPatch::CloseWindow()
{
    if (window_ != nullptr) {
        window_->Close();
    }
}

void CPatch::OnWindowClosed()
{
    window_ = nullptr;
    dirty_ = false;
}

void CPatch::BringWindowToFront()
{
    if (window_ != nullptr) {
        window_->BringToFront();
    }
}

void CPatch::RefreshWindows() const
{
    if (window_ != nullptr) {
        window_->Refresh();
    }
}

// Link.

void CPatch::LinkToSynth(CSynthLinkInterface* synth, uint8_t slot, bool select)
{
    synth_ = synth;
    slot_ = slot > kNoSlot ? kNoSlot : slot;
    if (synth_ != nullptr) {
        synth_->RegisterSlotPatch(slot_, *this, select);
    }
    UpdateTitle();
}

void CPatch::UnlinkFromSynth()
{
    if (synth_ == nullptr) {
        return;
    }
    CSynthLinkInterface* synth = synth_;
    synth_ = nullptr;
    // Edits still queued go out without the document.
    unsent_.Clear();
    synth->ReleaseSlot(slot_);
    slot_ = kNoSlot;
    ClearModuleValues();
    UpdateTitle();
    RefreshWindows();
}

bool CPatch::GetPortIndex(uint8_t& port) const
{
    if (synth_ == nullptr) {
        return false;
    }
    port = synth_->GetPortIndex();
    return true;
}

bool CPatch::IsSlotActive() const
{
    return synth_ != nullptr && synth_->IsSlotSelected(slot_);
}

bool CPatch::IsSlotBusy() const
{
    if (synth_ != nullptr && synth_->IsSlotBusy(slot_)) {
        return true;
    }
    return HasChanges();
}

bool CPatch::IsSlotLoading() const
{
    return synth_ != nullptr && synth_->IsSlotLoading(slot_);
}

bool CPatch::GetSlotVoiceCount(uint8_t& voices) const
{
    return synth_ != nullptr && synth_->GetSlotVoiceCount(slot_, voices);
}

bool CPatch::IsActivePatch() const
{
    return synth_ != nullptr && synth_->IsCurrentSlot(slot_);
}

// Name, notes, dirty state.

std::string CPatch::GetName() const
{
    return nameMissing_ ? kUnknownName : name_;
}

void CPatch::SetName(const std::string& name)
{
    name_ = name;
    nameMissing_ = false;
    UpdateTitle();
}

void CPatch::SendPatchName(const std::string& name)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMPatchNameDump>(name));
    auto inverse = std::make_unique<CMoleculePacket>();
    inverse->Append(std::make_unique<CMPatchNameDump>(name_));
    SendAndApplyMolecules(packet, std::move(inverse));
}

void CPatch::SetNotes(const std::string& notes)
{
    if (notes == notes_)
        return;
    notes_ = notes;
    SetDirty();
}

void CPatch::SetDirty()
{
    if (!dirty_) {
        dirty_ = true;
        UpdateTitle();
    }
}

void CPatch::ClearDirty()
{
    if (dirty_) {
        dirty_ = false;
        UpdateTitle();
    }
}

void CPatch::RequestCurrentNotes()
{
    SetDirty();
    currentNotesMissing_ = true;
}

bool CPatch::HasChanges() const
{
    return headerMissing_ || nameMissing_ || currentNotesMissing_ || morphMap_->IsChanged() || knobMap_->IsChanged() ||
        ctrlMap_->IsChanged() || area1_->HasPendingRequests() || area0_->HasPendingRequests();
}

void CPatch::ClearChangeFlags()
{
    headerMissing_ = false;
    nameMissing_ = false;
    UpdateTitle();
    currentNotesMissing_ = false;
    morphMap_->ClearChangeFlag();
    knobMap_->ClearChangeFlag();
    ctrlMap_->ClearChangeFlag();
    area1_->ClearPendingRequests();
    area0_->ClearPendingRequests();
}

void CPatch::MarkStartRequestsSent()
{
    flushBlinkSent_ = true;
    focusRequestSent_ = true;
}

// Headers.

void CPatch::SetPatchHeader(const CPatchHeader& header)
{
    if (headerMissing_ || header.Equals(*editedHeader_)) {
        return;
    }
    *editedHeader_ = header;
    const uint64_t now = platform::NowMilliseconds();
    headerEditTime_ = now;
    if (header.Equals(*receivedHeader_)) {
        // Back to what the slot holds (a Cancel within the delay): a send
        // still waiting would put the abandoned header back.
        headerSendPending_ = false;
        return;
    }
    if (!IsLinked()) {
        SendPatchHeader(*editedHeader_);
        return;
    }
    const bool sameVoices = header.SameVoices(*receivedHeader_);
    if (!IsSlotBusy() && !headerSendPending_ && sameVoices) {
        SendPatchHeader(*editedHeader_);
        return;
    }
    headerSendPending_ = true;
    headerSendDue_ = sameVoices ? now : now + kVoiceChangeDelayMs;
}

void CPatch::SendPatchHeader(const CPatchHeader& header)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMPatchHeaderDump>(header));
    SendAndApplyMolecules(packet);
}

// Module values.

void CPatch::ShowModuleValues()
{
    if (!IsActivePatch()) {
        return;
    }
    CParamValueBlock& block = synth_->GetValueBlock(slot_ > 3 ? 3 : slot_);
    if (!block.HasChanges()) {
        return;
    }
    size_t states = 0;
    size_t values = 0;
    area1_->ApplyModuleValues(block, states, values);
    area0_->ApplyModuleValues(block, states, values);
}

void CPatch::ClearModuleValues()
{
    if (!HasWindow()) {
        return;
    }
    CParamValueBlock block;
    block.MarkAllChanged();
    size_t states = 0;
    size_t values = 0;
    area1_->ApplyModuleValues(block, states, values);
    area0_->ApplyModuleValues(block, states, values);
}

// Parts.

CPatchBackground* CPatch::GetArea(int32_t index) const
{
    switch (index) {
    case 0:
        return area0_.get();
    case 1:
        return area1_.get();
    default:
        return nullptr;
    }
}

CPatchBackground& CPatch::RequireArea(int32_t index) const
{
    CPatchBackground* area = GetArea(index);
    if (area == nullptr) {
        throw XPDontExist(PatchErrorCode::kModuleDoesNotExist);
    }
    return *area;
}

void CPatch::AddModuleLoad(const CModuleInterface& module)
{
    loadTable_->AddModule(module);
}

void CPatch::RemoveModuleLoad(const CModuleInterface& module)
{
    loadTable_->RemoveModule(module);
}

void CPatch::SetCableStyle(uint32_t style)
{
    area1_->SetCableStyle(style);
    area0_->SetCableStyle(style);
}

void CPatch::UpdateCableDisplay()
{
    // The shake: every curved cable gets a new shape and is marked pending;
    // then each area redraws what its renderers report pending.
    area1_->ReshapeCurvedCables();
    area0_->ReshapeCurvedCables();
    area1_->RedrawPendingCables();
    area0_->RedrawPendingCables();
}

void CPatch::RebuildLabels() const
{
    area1_->RebuildLabels();
    area0_->RebuildLabels();
}

void CPatch::UpdateTitle()
{
    RefreshWindows();
}

std::string CPatch::GetTitle() const
{
    std::ostringstream title;
    title << GetName();
    if (dirty_) {
        title << '*';
    }
    if (synth_ != nullptr) {
        std::string synthName;
        if (synth_->GetSynthName(synthName)) {
            title << "<-->" << synthName;
        } else {
            title << "<-->Port " << int(synth_->GetPortIndex()) + 1;
        }
        title << ", Slot " << char('A' + slot_);
    }
    return title.str();
}

// Requests.

bool CPatch::RequestNextPart()
{
    if (headerMissing_ || nameMissing_) {
        CMoleculePacket packet;
        if (headerMissing_) {
            packet.Append(std::make_unique<CMPatchHeaderRequest>());
        }
        if (nameMissing_) {
            packet.Append(std::make_unique<CMPatchNameRequest>());
        }
        SendOnly(packet);
        return true;
    }
    if (area1_->RequestModules() || area0_->RequestModules() || area1_->RequestCables() || area0_->RequestCables() ||
        area1_->RequestModuleParams() || area0_->RequestModuleParams() || morphMap_->RequestIfMissing(*this) ||
        knobMap_->RequestIfMissing(*this) || ctrlMap_->RequestIfMissing(*this) || area1_->RequestModuleName() ||
        area0_->RequestModuleName() || area1_->RequestCustomData() || area0_->RequestCustomData()) {
        return true;
    }
    CMoleculePacket packet;
    if (currentNotesMissing_) {
        packet.Append(std::make_unique<CMCurrentNotesRequest>());
        SendOnly(packet);
        return true;
    }
    if (headerSendPending_ && platform::NowMilliseconds() >= headerSendDue_) {
        headerSendPending_ = false;
        SendPatchHeader(*editedHeader_);
        return true;
    }
    if (!flushBlinkSent_) {
        flushBlinkSent_ = true;
        packet.Append(std::make_unique<CMFlushBlink>());
        SendOnly(packet);
        return true;
    }
    if (!focusRequestSent_) {
        focusRequestSent_ = true;
        focusAnswerAwaited_ = true;
        packet.Append(std::make_unique<CMParamFocusRequest>());
        SendOnly(packet);
        return true;
    }
    return false;
}

void CPatch::SendCtrlSnapshot()
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMSendCtrlSnap>());
    SendAndApplyMolecules(packet);
}

// The maps' questions.

bool CPatch::HasParam(const ParamAddress& address) const
{
    if (address.location == 2) {
        return address.module == 1 && address.param < 4;
    }
    const CPatchBackground* area = GetArea(address.location);
    return area != nullptr && area->HasParam(address);
}

bool CPatch::CanMorph(const ParamAddress& address) const
{
    const CPatchBackground* area = GetArea(address.location);
    if (area == nullptr) {
        return false;
    }
    const CModuleInterface* module = area->FindModule(address.module);
    return module != nullptr && module->IsMorphable(address.param);
}
