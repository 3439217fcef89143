#include "synth/link/Synth.h"

#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/Clock.h"
#include "synth/molecules/MoleculeBuilder.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"
#include "synth/link/MoleculeSender.h"
#include "synth/link/PortManager.h"
#include "synth/link/SlotPatchInterface.h"
#include "synth/link/SlotPatchManagerInterface.h"
#include "synth/link/SynthPort.h"

namespace {

constexpr uint8_t kNoSlot = CMoleculePacket::kNoSlot;

// Clears a received packet however its delivery ends.
class CPacketClearer {
public:
    explicit CPacketClearer(CMoleculePacket& packet) : packet_(packet) { }
    ~CPacketClearer() { packet_.Clear(); }
    CPacketClearer(const CPacketClearer&) = delete;
    CPacketClearer& operator=(const CPacketClearer&) = delete;

private:
    CMoleculePacket& packet_;
};

} // namespace

CSynth::CSynth(CSynthPort& port, uint8_t slotCount, uint8_t bankCount, uint32_t modelFlag)
    : modelFlag_(modelFlag), pendingSelection_(slotCount), slots_(slotCount),
      flashMemory_(std::make_unique<CFlashMemory>(*this, bankCount)),
      bankTransfer_(std::make_unique<CBankTransfer>(*this)), slotCount_(slotCount), selection_(slotCount),
      voices_(slotCount), portIndex_(port.GetPortIndex()), port_(port), sender_(std::make_unique<CMoleculeSender>(port))
{
    bankTransfer_->SetDocuments(Manager().GetTransferDocuments());
    try {
        for (uint8_t slot = 0; slot < slotCount_; ++slot)
            Manager().GetPatchManager().NewEmptySlotPatch(*this, slot);
    } catch (...) {
        ReleaseAllSlots();
        throw;
    }
}

CSynth::~CSynth()
{
    // A note played from the editor must not go on sounding once the link
    // ends (at quit the ports close before another exchange would send it).
    if (noteSounding_) {
        try {
            CMoleculePacket packet;
            packet.Append(std::make_unique<CMPlayNote>(CMPlayNote::kNoteOff, soundingNote_));
            StampSynthPacket(packet);
            sender_->SendFinal(packet);
        } catch (...) {
            platform::RecordDroppedException("the note off of a closing link");
        }
    }
    ReleaseAllSlots();
}

CPortManager& CSynth::Manager() const
{
    return port_.GetManager();
}

// ---- slots ----

CSlotPatchInterface* CSynth::GetSlotPatch(uint8_t slot) const
{
    return slot < slotCount_ ? slots_[slot].GetPatch() : nullptr;
}

std::string CSynth::GetSlotPatchName(uint8_t slot) const
{
    const CSlotPatchInterface* patch = GetSlotPatch(slot);
    return patch != nullptr ? patch->GetName() : std::string();
}

uint8_t CSynth::GetSlotNumber(uint8_t slot) const
{
    return slot < slotCount_ ? slots_[slot].GetNumber() : 0;
}

bool CSynth::IsSlotBusy(uint8_t slot) const
{
    if (slot >= slotCount_)
        return true;
    const CSlotRecord& record = slots_[slot];
    return record.GetState() != CSlotRecord::kSettled || record.IsChanged() || IsWaitingForReply() ||
        port_.IsAwaitingAnswer();
}

bool CSynth::IsSlotLoading(uint8_t slot) const
{
    if (slot >= slotCount_)
        return true;
    const CSlotRecord& record = slots_[slot];
    return record.GetState() != CSlotRecord::kSettled || record.IsChanged();
}

void CSynth::RegisterSlotPatch(uint8_t slot, CSlotPatchInterface& patch, bool select)
{
    if (slot >= slotCount_)
        return;
    if (slots_[slot].GetPatch() != &patch)
        ReleaseSlot(slot);
    CSlotRecord& record = slots_[slot];
    record.SetPatch(&patch);
    if (select) {
        record.SetState(CSlotRecord::kFresh);
        record.MarkChanged();
        Manager().SelectSlot(portIndex_, slot);
    } else {
        record.SetState(CSlotRecord::kSettled);
        if (!record.IsNumberKnown())
            record.MarkChanged();
    }
}

void CSynth::ReleaseSlot(uint8_t slot)
{
    if (slot >= slotCount_)
        return;
    CSlotRecord& record = slots_[slot];
    CSlotPatchInterface* const patch = record.GetPatch();
    record.SetPatch(nullptr);
    record.SetState(CSlotRecord::kSettled);
    if (patch != nullptr)
        patch->UnlinkFromSynth();
}

void CSynth::ReleaseAllSlots()
{
    for (uint8_t slot = 0; slot < slotCount_; ++slot)
        ReleaseSlot(slot);
}

// ---- sending ----

void CSynth::StampSynthPacket(CMoleculePacket& packet) const
{
    if (packet.GetSlot() == kNoSlot)
        packet.SetSlot(0);
    packet.ClearSessionNumber();
}

bool CSynth::StampSlotPacket(CMoleculePacket& packet) const
{
    const uint8_t slot = packet.GetSlot();
    if (slot >= slotCount_)
        return false;
    packet.SetSessionNumber(slots_[slot].GetNumber());
    return true;
}

void CSynth::SendRequest(CMoleculePacket& packet)
{
    StampSynthPacket(packet);
    try {
        sender_->SendRequest(packet);
    } catch (const XMStreamOverflow&) {
        throw;
    } catch (...) {
        port_.SetOutOfMemory();
    }
}

void CSynth::WantStep()
{
    port_.WantStep();
}

void CSynth::SendDump(CMoleculePacket& packet)
{
    StampSynthPacket(packet);
    sender_->SendDump(packet);
}

void CSynth::SendPatchEdit(CMoleculePacket& packet)
{
    if (!StampSlotPacket(packet))
        return;
    // The last live values go first, as they were made first.
    sender_->ConfirmLive(true);
    const uint8_t slot = packet.GetSlot();
    CSlotPatchInterface* const patch = slots_[slot].GetPatch();
    sender_->SendRequest(packet, [this, slot, patch] {
        // Only the document still bound to the slot waits to hear.
        if (patch != nullptr && slots_[slot].GetPatch() == patch)
            patch->OnEditSent();
    });
    NoteHeaderSent(packet);
}

void CSynth::SendLiveEdit(CMoleculePacket& packet)
{
    if (!StampSlotPacket(packet))
        return;
    sender_->SendLive(packet);
    NoteHeaderSent(packet);
}

void CSynth::SendEditDump(CMoleculePacket& packet)
{
    if (!StampSlotPacket(packet))
        return;
    sender_->ConfirmLive(true);
    sender_->SendDump(packet);
    NoteHeaderSent(packet);
}

void CSynth::NoteHeaderSent(const CMoleculePacket& packet)
{
    // The synthesizer reports the voices a slot gets only when asked; a
    // header may change them (at once or when the synthesizer has room).
    for (const CMolecule* molecule : packet)
        if (dynamic_cast<const CMPatchHeaderDump*>(molecule))
            voicesAsked_ = true;
}

void CSynth::SendRequestAndHandle(CMoleculePacket& packet)
{
    SendRequest(packet);
    HandleMolecules(packet);
}

// ---- receiving ----

void CSynth::OnReplyFrame(std::span<const uint8_t> frame)
{
    if (!sender_->ReceiveReply(frame))
        return;
    CMoleculePacket& packet = sender_->GetReplyPacket();
    const CPacketClearer clearer(packet);
    DeliverPacket(packet);
}

void CSynth::OnSynthFrame(std::span<const uint8_t> frame)
{
    CMoleculePacket& packet = sender_->ReceiveMessage(frame);
    const CPacketClearer clearer(packet);
    DeliverPacket(packet);
}

void CSynth::PumpSender()
{
    sender_->Pump();
}

bool CSynth::ResendRequest()
{
    return sender_->ResendInFlight();
}

void CSynth::DeliverPacket(CMoleculePacket& packet)
{
    if (packet.IsEmpty())
        return;
    if (packet.GetTarget() == CMoleculeBuilder::kTargetSynth)
        HandleMolecules(packet);
    else if (packet.GetTarget() == CMoleculeBuilder::kTargetPatch)
        DeliverToSlot(packet);
}

void CSynth::DeliverToSlot(CMoleculePacket& packet)
{
    const uint8_t slot = packet.GetSlot();
    // Without a number the packet cannot be matched with the slot's patch.
    if (slot >= slotCount_ || packet.HasNoNumber())
        return;
    CSlotRecord& record = slots_[slot];
    if (record.GetPatch() == nullptr || record.IsChanged())
        return;
    if (packet.GetSessionNumber() == record.GetNumber()) {
        try {
            record.GetPatch()->ApplyMoleculeList(packet);
        } catch (const XTorvanBase& error) {
            // The document keeps what it took; the user learns what it
            // refused, and the link stays up for the other parts and slots.
            Manager().ReportRefusedPart(portIndex_, slot, error.GetText());
        }
        // The windows that follow the patch (floaters, toolbar) see the change.
        NSHarrowen::UpdateAllWindows();
    } else {
        TakeNewPatch(slot, packet.GetSessionNumber());
    }
}

void CSynth::TakeNewPatch(uint8_t slot, uint8_t number)
{
    slots_[slot].SetNumber(number);
    port_.GetSlotParamBlock(slot).Clear();
    Manager().GetPatchManager().NewPatchFromSynth(portIndex_, slot);
}

void CSynth::HandleMolecules(CMoleculePacket& packet)
{
    for (const CMolecule* molecule : packet) {
        molecule->Handle(*this, packet);
        if (molecule->AnnouncesPatch())
            break;
    }
    NSHarrowen::UpdateAllWindows();
}

// ---- idle work ----

bool CSynth::Poll()
{
    if (sender_->ConfirmLive(false))
        return true;
    if (ExchangeState())
        return true;
    for (uint8_t slot = 0; slot < slotCount_; ++slot) {
        if (PollSlot(slot))
            return true;
    }
    if (bankTransfer_->Tick())
        return true;
    return flashMemory_->ContinueScan();
}

bool CSynth::PollSlot(uint8_t slot)
{
    CSlotRecord& record = slots_[slot];
    if (record.GetState() == CSlotRecord::kFresh && record.GetPatch() != nullptr) {
        SendFreshPatch(slot);
        return true;
    }
    if (record.IsChanged()) {
        RequestSessionNumber(slot);
        return true;
    }
    return record.GetPatch() != nullptr && record.GetPatch()->RequestNextPart();
}

void CSynth::SendFreshPatch(uint8_t slot)
{
    CSlotRecord& record = slots_[slot];
    CMoleculePacket packet;
    record.GetPatch()->BuildPatchDump(packet);
    packet.Append(std::make_unique<CMDumpBubbleDestination>(0, 0, 0, record.GetPatch()->GetName()));
    // The slot the document is bound to, not slot A.
    packet.SetSlot(slot);
    record.SetState(CSlotRecord::kSettled);
    SendRequest(packet);
}

bool CSynth::ExchangeState()
{
    if (settingsMissing_ || selectionMissing_ || voicesMissing_ || voicesAsked_ ||
        Manager().GetPortChange(portIndex_) != 0) {
        RequestSynthState();
        return true;
    }
    if (selectionPending_) {
        selectionPending_ = false;
        SendSlotSelection(pendingSelection_);
        return true;
    }
    if (noteOffPending_) {
        noteOffPending_ = false;
        noteSounding_ = false;
        SendNote(CMPlayNote::kNoteOff, soundingNote_);
        NSHarrowen::UpdateAllWindows();
        return true;
    }
    if (noteOnPending_) {
        noteOnPending_ = false;
        noteSounding_ = true;
        soundingNote_ = noteToPlay_;
        SendNote(CMPlayNote::kNoteOn, noteToPlay_);
        return true;
    }
    if (IsNoteActive() && !Manager().IsCurrentPort(portIndex_))
        ReleaseNote();
    return false;
}

void CSynth::RequestSynthState()
{
    CMoleculePacket packet;
    if (settingsMissing_)
        packet.Append(std::make_unique<CMSynthDataRequest>());
    if (selectionMissing_)
        packet.Append(std::make_unique<CMSlotSelectionRequest>());
    switch (Manager().GetPortChange(portIndex_)) {
    case 1:
        packet.Append(std::make_unique<CMSlotFocusRequest>());
        Manager().ClearPortChange(portIndex_);
        break;
    case 2: {
        const uint8_t focus = Manager().IsCurrentPort(portIndex_) ? Manager().GetCurrentSlot() : kNoSlot;
        packet.Append(std::make_unique<CMSlotFocusDump>(focus));
        Manager().ClearPortChange(portIndex_);
        break;
    }
    default:
        break;
    }
    if (voicesMissing_ || voicesAsked_)
        packet.Append(std::make_unique<CMNumberOfVoicesRequest>());
    voicesAsked_ = false;
    SendDump(packet);
}

void CSynth::SendNote(uint8_t state, uint8_t note)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMPlayNote>(state, note));
    SendDump(packet);
}

// ---- state ----

bool CSynth::IsSlotActive(uint8_t slot) const
{
    return !settingsMissing_ && selection_.IsActive(slot);
}

void CSynth::SetActiveSlots(const CSlotSelection& selection)
{
    if (!IsWaitingForReply() && !port_.IsAwaitingAnswer()) {
        SendSlotSelection(selection);
    } else {
        pendingSelection_.CopyFlagsFrom(selection);
        selectionPending_ = true;
    }
}

void CSynth::SendSlotSelection(const CSlotSelection& selection)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMSlotSelectionDump>(selection));
    SendRequestAndHandle(packet);
}

void CSynth::SendSynthSettings(const CSynthSettings& settings)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMSynthDataDump>(settings));
    SendRequestAndHandle(packet);
}

void CSynth::RequestSessionNumber(uint8_t slot)
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMSessionNumberRequest>());
    packet.SetSlot(slot);
    SendDump(packet);
}

bool CSynth::GetSlotVoiceCount(uint8_t slot, uint8_t& voices) const
{
    voices = voices_.GetVoices(slot);
    return !voicesMissing_;
}

bool CSynth::GetSynthName(std::string& name) const
{
    if (settingsMissing_)
        return false;
    // With " (Port n)" when another port's synthesizer has the same name.
    name = Manager().GetDisplayName(portIndex_);
    return true;
}

bool CSynth::IsCurrentSlot(uint8_t slot) const
{
    return Manager().GetCurrentSlotOf(portIndex_) == slot;
}

void CSynth::MakeCurrentSlot(uint8_t slot)
{
    Manager().SelectSlot(portIndex_, slot);
}

CParamValueBlock& CSynth::GetSlotParamBlock(uint8_t slot)
{
    return port_.GetSlotParamBlock(slot);
}

bool CSynth::IsWaitingForReply() const
{
    return sender_->IsWaitingForReply();
}

bool CSynth::IsAwaitingFlashAnswer() const
{
    return bankTransfer_->IsAwaitingAnswer() || flashMemory_->IsCommandPending();
}

// ---- keyboard note ----

void CSynth::PlayNote(uint8_t note)
{
    if (noteOnPending_ || (noteSounding_ && !noteOffPending_))
        return;
    noteOnPending_ = true;
    noteToPlay_ = note;
}

void CSynth::ReleaseNote()
{
    if (noteOnPending_)
        noteOnPending_ = false;
    else if (noteSounding_)
        noteOffPending_ = true;
}

// ---- handlers ----

void CSynth::OnSynthSettings(const CMSynthDataDump& dump)
{
    settings_ = dump.GetSettings();
    settingsMissing_ = false;
    settingsTime_ = static_cast<uint32_t>(platform::NowMilliseconds());
}

void CSynth::OnSlotSelection(const CMSlotSelectionDump& dump)
{
    selection_.CopyFlagsFrom(dump.GetSelection());
    selectionMissing_ = false;
    selectionPending_ = false;
}

void CSynth::OnSlotFocus(const CMSlotFocusDump& dump)
{
    const uint8_t slot = dump.GetSlot();
    Manager().AdoptSlotFocus(portIndex_, slot);
    if (CSlotPatchInterface* patch = GetSlotPatch(slot))
        patch->BringWindowToFront();
}

void CSynth::OnVoiceCounts(const CMNumberOfVoicesDump& dump)
{
    voices_.CopyFrom(dump.GetVoiceCounts());
    voicesMissing_ = false;
}

void CSynth::OnSessionNumber(const CMSessionNumberDump& dump, const CMoleculePacket& packet)
{
    const uint8_t slot = packet.GetSlot();
    if (slot >= slotCount_)
        return;
    slots_[slot].SetNumber(dump.number);
    port_.GetSlotParamBlock(slot).Clear();
}

void CSynth::OnPatchRelease(const CMSessionPatchRelease& release)
{
    const uint8_t slot = release.slot > 3 ? 3 : release.slot;
    if (slot < slotCount_)
        TakeNewPatch(slot, release.number);
}

void CSynth::OnFlashDataDump(const CMFlashDataDump& dump)
{
    flashMemory_->OnDataDump(dump);
}

void CSynth::OnFlashDeleteDump(const CMFlashDeleteDump& dump)
{
    flashMemory_->OnDeleteDump(dump);
}

void CSynth::OnFlashUsageDump(const CMFlashUsageDump& dump)
{
    flashMemory_->SetUsage(dump.usage);
}

void CSynth::OnFlashCommandResult(const CMFlashCommandResult& result)
{
    if (result.requester == CMFlashCommandResult::kRequesterBankTransfer)
        bankTransfer_->OnCommandResult(result);
    else
        flashMemory_->OnCommandResult(result);
}

void CSynth::OnFlashDumpMarker(const CMFlashDumpMarker& marker, CMoleculePacket& packet)
{
    bankTransfer_->OnDumpMarker(marker, packet);
}

void CSynth::OnLinkLost(const std::string& reason)
{
    bankTransfer_->OnLinkLost(reason);
}

void CSynth::TakeBackUnsentEdits()
{
    for (CSlotRecord& record : slots_)
        if (CSlotPatchInterface* patch = record.GetPatch())
            patch->TakeBackUnsentEdits();
}
