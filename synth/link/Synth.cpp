#include "synth/link/Synth.h"

#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/Clock.h"
#include "synth/molecules/MoleculeBuilder.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/molecules/FlashMolecules.h"
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
    explicit CPacketClearer(CMoleculePacket& packet) : m_packet(packet) { }
    ~CPacketClearer() { m_packet.Clear(); }
    CPacketClearer(const CPacketClearer&) = delete;
    CPacketClearer& operator=(const CPacketClearer&) = delete;

private:
    CMoleculePacket& m_packet;
};

} // namespace

CSynth::CSynth(CSynthPort& port, uint8_t slotCount, uint8_t bankCount, uint32_t modelFlag)
    : m_modelFlag(modelFlag), m_pendingSelection(slotCount), m_slots(slotCount),
      m_flashMemory(std::make_unique<CFlashMemory>(*this, bankCount)),
      m_bankTransfer(std::make_unique<CBankTransfer>(*this)), m_slotCount(slotCount), m_selection(slotCount),
      m_voices(slotCount), m_portIndex(port.GetPortIndex()), m_port(port),
      m_sender(std::make_unique<CMoleculeSender>(port))
{
    m_bankTransfer->SetDocuments(Manager().GetTransferDocuments());
    try {
        for (uint8_t slot = 0; slot < m_slotCount; ++slot)
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
    if (m_noteSounding) {
        try {
            CMoleculePacket packet;
            packet.Append(std::make_unique<CMPlayNote>(CMPlayNote::kNoteOff, m_soundingNote));
            StampSynthPacket(packet);
            m_sender->SendFinal(packet);
        } catch (...) {
            platform::RecordDroppedException("the note off of a closing link");
        }
    }
    ReleaseAllSlots();
}

CPortManager& CSynth::Manager() const
{
    return m_port.GetManager();
}

// ---- slots ----

CSlotPatchInterface* CSynth::GetSlotPatch(uint8_t slot) const
{
    return slot < m_slotCount ? m_slots[slot].GetPatch() : nullptr;
}

std::string CSynth::GetSlotPatchName(uint8_t slot) const
{
    const CSlotPatchInterface* patch = GetSlotPatch(slot);
    return patch != nullptr ? patch->GetName() : std::string();
}

uint8_t CSynth::GetSlotNumber(uint8_t slot) const
{
    return slot < m_slotCount ? m_slots[slot].GetNumber() : 0;
}

bool CSynth::IsSlotBusy(uint8_t slot) const
{
    if (slot >= m_slotCount)
        return true;
    const CSlotRecord& record = m_slots[slot];
    return record.GetState() != CSlotRecord::kSettled || record.IsChanged() || IsWaitingForReply() ||
        m_port.IsAwaitingAnswer();
}

void CSynth::RegisterSlotPatch(uint8_t slot, CSlotPatchInterface& patch, bool select)
{
    if (slot >= m_slotCount)
        return;
    if (m_slots[slot].GetPatch() != &patch)
        ReleaseSlot(slot);
    CSlotRecord& record = m_slots[slot];
    record.SetPatch(&patch);
    if (select) {
        record.SetState(CSlotRecord::kFresh);
        record.MarkChanged();
        Manager().SelectSlot(m_portIndex, slot);
    } else {
        record.SetState(CSlotRecord::kSettled);
        if (!record.IsNumberKnown())
            record.MarkChanged();
    }
}

void CSynth::ReleaseSlot(uint8_t slot)
{
    if (slot >= m_slotCount)
        return;
    CSlotRecord& record = m_slots[slot];
    CSlotPatchInterface* const patch = record.GetPatch();
    record.SetPatch(nullptr);
    record.SetState(CSlotRecord::kSettled);
    if (patch != nullptr)
        patch->UnlinkFromSynth();
}

void CSynth::ReleaseAllSlots()
{
    for (uint8_t slot = 0; slot < m_slotCount; ++slot)
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
    if (slot >= m_slotCount)
        return false;
    packet.SetSessionNumber(m_slots[slot].GetNumber());
    return true;
}

void CSynth::SendRequest(CMoleculePacket& packet)
{
    StampSynthPacket(packet);
    try {
        m_sender->SendRequest(packet);
    } catch (const XMStreamOverflow&) {
        throw;
    } catch (...) {
        m_port.SetOutOfMemory();
    }
}

void CSynth::SendDump(CMoleculePacket& packet)
{
    StampSynthPacket(packet);
    m_sender->SendDump(packet);
}

void CSynth::SendPatchEdit(CMoleculePacket& packet)
{
    if (StampSlotPacket(packet))
        m_sender->SendRequest(packet);
}

void CSynth::SendLiveEdit(CMoleculePacket& packet)
{
    if (StampSlotPacket(packet))
        m_sender->SendLive(packet);
}

void CSynth::SendEditDump(CMoleculePacket& packet)
{
    if (StampSlotPacket(packet))
        m_sender->SendDump(packet);
}

void CSynth::SendRequestAndHandle(CMoleculePacket& packet)
{
    SendRequest(packet);
    HandleMolecules(packet);
}

// ---- receiving ----

void CSynth::OnReplyFrame(std::span<const uint8_t> frame)
{
    if (!m_sender->ReceiveReply(frame))
        return;
    CMoleculePacket& packet = m_sender->GetReplyPacket();
    const CPacketClearer clearer(packet);
    DeliverPacket(packet);
}

void CSynth::OnSynthFrame(std::span<const uint8_t> frame)
{
    CMoleculePacket& packet = m_sender->ReceiveMessage(frame);
    const CPacketClearer clearer(packet);
    DeliverPacket(packet);
}

void CSynth::PumpSender()
{
    m_sender->Pump();
}

bool CSynth::ResendRequest()
{
    return m_sender->ResendInFlight();
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
    if (slot >= m_slotCount || packet.HasNoNumber())
        return;
    CSlotRecord& record = m_slots[slot];
    if (record.GetPatch() == nullptr || record.IsChanged())
        return;
    if (packet.GetSessionNumber() == record.GetNumber()) {
        record.GetPatch()->ApplyMoleculeList(packet);
        // The windows that follow the patch (floaters, toolbar) see the change.
        NSHarrowen::UpdateAllWindows();
    } else {
        TakeNewPatch(slot, packet.GetSessionNumber());
    }
}

void CSynth::TakeNewPatch(uint8_t slot, uint8_t number)
{
    m_slots[slot].SetNumber(number);
    m_port.GetSlotParamBlock(slot).Clear();
    Manager().GetPatchManager().NewPatchFromSynth(m_portIndex, slot);
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
    if (ExchangeState())
        return true;
    for (uint8_t slot = 0; slot < m_slotCount; ++slot) {
        if (PollSlot(slot))
            return true;
    }
    if (m_bankTransfer->Tick())
        return true;
    return m_flashMemory->ContinueScan();
}

bool CSynth::PollSlot(uint8_t slot)
{
    CSlotRecord& record = m_slots[slot];
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
    CSlotRecord& record = m_slots[slot];
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
    if (m_settingsMissing || m_selectionMissing || m_voicesMissing || Manager().GetPortChange(m_portIndex) != 0) {
        RequestSynthState();
        return true;
    }
    if (m_selectionPending) {
        m_selectionPending = false;
        SendSlotSelection(m_pendingSelection);
        return true;
    }
    if (m_noteOffPending) {
        m_noteOffPending = false;
        m_noteSounding = false;
        SendNote(CMPlayNote::kNoteOff, m_soundingNote);
        NSHarrowen::UpdateAllWindows();
        return true;
    }
    if (m_noteOnPending) {
        m_noteOnPending = false;
        m_noteSounding = true;
        m_soundingNote = m_noteToPlay;
        SendNote(CMPlayNote::kNoteOn, m_noteToPlay);
        return true;
    }
    if (IsNoteActive() && !Manager().IsCurrentPort(m_portIndex))
        ReleaseNote();
    return false;
}

void CSynth::RequestSynthState()
{
    CMoleculePacket packet;
    if (m_settingsMissing)
        packet.Append(std::make_unique<CMSynthDataRequest>());
    if (m_selectionMissing)
        packet.Append(std::make_unique<CMSlotSelectionRequest>());
    switch (Manager().GetPortChange(m_portIndex)) {
    case 1:
        packet.Append(std::make_unique<CMSlotFocusRequest>());
        Manager().ClearPortChange(m_portIndex);
        break;
    case 2: {
        const uint8_t focus = Manager().IsCurrentPort(m_portIndex) ? Manager().GetCurrentSlot() : kNoSlot;
        packet.Append(std::make_unique<CMSlotFocusDump>(focus));
        Manager().ClearPortChange(m_portIndex);
        break;
    }
    default:
        break;
    }
    if (m_voicesMissing)
        packet.Append(std::make_unique<CMNumberOfVoicesRequest>());
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
    return !m_settingsMissing && m_selection.IsActive(slot);
}

void CSynth::SetActiveSlots(const CSlotSelection& selection)
{
    if (!IsWaitingForReply() && !m_port.IsAwaitingAnswer()) {
        SendSlotSelection(selection);
    } else {
        m_pendingSelection.CopyFlagsFrom(selection);
        m_selectionPending = true;
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
    voices = m_voices.GetVoices(slot);
    return !m_voicesMissing;
}

bool CSynth::GetSynthName(std::string& name) const
{
    if (m_settingsMissing)
        return false;
    name = m_settings.GetName();
    return true;
}

bool CSynth::IsCurrentSlot(uint8_t slot) const
{
    return Manager().GetCurrentSlotOf(m_portIndex) == slot;
}

void CSynth::MakeCurrentSlot(uint8_t slot)
{
    Manager().SelectSlot(m_portIndex, slot);
}

CParamValueBlock& CSynth::GetSlotParamBlock(uint8_t slot)
{
    return m_port.GetSlotParamBlock(slot);
}

bool CSynth::IsWaitingForReply() const
{
    return m_sender->IsWaitingForReply();
}

// ---- keyboard note ----

void CSynth::PlayNote(uint8_t note)
{
    if (m_noteOnPending || (m_noteSounding && !m_noteOffPending))
        return;
    m_noteOnPending = true;
    m_noteToPlay = note;
}

void CSynth::ReleaseNote()
{
    if (m_noteOnPending)
        m_noteOnPending = false;
    else if (m_noteSounding)
        m_noteOffPending = true;
}

// ---- handlers ----

void CSynth::OnSynthSettings(const CMSynthDataDump& dump)
{
    m_settings = dump.GetSettings();
    m_settingsMissing = false;
    m_settingsTime = static_cast<uint32_t>(platform::NowMilliseconds());
}

void CSynth::OnSlotSelection(const CMSlotSelectionDump& dump)
{
    m_selection.CopyFlagsFrom(dump.GetSelection());
    m_selectionMissing = false;
    m_selectionPending = false;
}

void CSynth::OnSlotFocus(const CMSlotFocusDump& dump)
{
    const uint8_t slot = dump.GetSlot();
    Manager().AdoptSlotFocus(m_portIndex, slot);
    if (CSlotPatchInterface* patch = GetSlotPatch(slot))
        patch->BringWindowToFront();
}

void CSynth::OnVoiceCounts(const CMNumberOfVoicesDump& dump)
{
    m_voices.CopyFrom(dump.GetVoiceCounts());
    m_voicesMissing = false;
}

void CSynth::OnSessionNumber(const CMSessionNumberDump& dump, const CMoleculePacket& packet)
{
    const uint8_t slot = packet.GetSlot();
    if (slot >= m_slotCount)
        return;
    m_slots[slot].SetNumber(dump.number);
    m_port.GetSlotParamBlock(slot).Clear();
}

void CSynth::OnPatchRelease(const CMSessionPatchRelease& release)
{
    const uint8_t slot = release.slot > 3 ? 3 : release.slot;
    if (slot < m_slotCount)
        TakeNewPatch(slot, release.number);
}

void CSynth::OnFlashDataDump(const CMFlashDataDump& dump)
{
    m_flashMemory->OnDataDump(dump);
}

void CSynth::OnFlashDeleteDump(const CMFlashDeleteDump& dump)
{
    m_flashMemory->OnDeleteDump(dump);
}

void CSynth::OnFlashUsageDump(const CMFlashUsageDump& dump)
{
    m_flashMemory->SetUsage(dump.usage);
}

void CSynth::OnFlashCommandResult(const CMFlashCommandResult& result)
{
    if (result.requester == CMFlashCommandResult::kRequesterBankTransfer)
        m_bankTransfer->OnCommandResult(result);
    else
        m_flashMemory->OnCommandResult(result);
}

void CSynth::OnFlashDumpMarker(const CMFlashDumpMarker& marker, const CMoleculePacket& packet)
{
    m_bankTransfer->OnDumpMarker(marker, packet);
}

void CSynth::OnLinkLost(const std::string& reason)
{
    m_bankTransfer->OnLinkLost(reason);
}
