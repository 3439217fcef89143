#pragma once

#include "synth/flash/BankTransfer.h"
#include "synth/flash/BankTransferHost.h"
#include "synth/protocol/FlashMemory.h"
#include "synth/protocol/SlotSelection.h"
#include "synth/protocol/SynthSettings.h"
#include "synth/protocol/VoiceCounts.h"
#include "synth/link/SlotRecord.h"
#include "synth/link/SynthLinkInterface.h"
#include "synth/molecules/SynthHandlerInterface.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CMoleculePacket;
class CMoleculeSender;
class CParamValueBlock;
class CPortManager;
class CSlotPatchInterface;
class CSynthPort;

// The synthesizer on a connected port, as the editor sees it: its slots with
// the document bound to each, the state it reports (settings, active slots,
// focus, voices), its flash map and its send queues. It receives its port's
// packets and hands them to a slot's document or to its own handlers, and
// on every quiet idle step of the port decides what to send next.
// Main thread only; the port owns it while connected.
class CSynth : public CSynthHandlerInterface,
               public CFlashMemoryHost,
               public CBankTransferHost,
               public CSynthLinkInterface {
public:
    // Builds the members and asks the patch list for an empty document per
    // slot; on failure the slots are released and the exception passes on.
    CSynth(CSynthPort& port, uint8_t slotCount, uint8_t bankCount, uint32_t modelFlag);
    ~CSynth() override;
    CSynth(const CSynth&) = delete;
    CSynth& operator=(const CSynth&) = delete;

    // Slots (0-3; slots at or beyond the count have no patch).
    uint8_t GetSlotCount() const { return slotCount_; }
    bool SlotHasPatch(uint8_t slot) const { return GetSlotPatch(slot) != nullptr; }
    CSlotPatchInterface* GetSlotPatch(uint8_t slot) const;
    std::string GetSlotPatchName(uint8_t slot) const;
    uint8_t GetSlotNumber(uint8_t slot) const;
    // False only when the slot is settled, its number known and no answer is
    // awaited.
    bool IsSlotBusy(uint8_t slot) const override;
    bool IsSlotLoading(uint8_t slot) const override;
    // Binds a document. With select the document is sent to the slot and
    // (port, slot) becomes the current slot; otherwise the slot keeps its
    // patch. A slot whose number is not known yet has it asked first.
    void RegisterSlotPatch(uint8_t slot, CSlotPatchInterface& patch, bool select) override;
    // Unbinds the slot's document and unlinks it.
    void ReleaseSlot(uint8_t slot) override;
    void ReleaseAllSlots();

    // Synthesizer-level packets: slot none goes as slot 0, without number.
    // An exception of SendRequest marks the port out of memory, except a
    // stream overflow, which passes on; the others pass every exception on.
    void SendRequest(CMoleculePacket& packet) override;
    void SendDump(CMoleculePacket& packet) override;
    void WantStep() override;
    // Packets of a slot's patch, stamped with the slot's number: request
    // queue, live frames or dump queue. A packet for no slot or a slot
    // beyond the count is not sent.
    void SendPatchEdit(CMoleculePacket& packet) override;
    void SendLiveEdit(CMoleculePacket& packet) override;
    void SendEditDump(CMoleculePacket& packet) override;
    // SendRequest, then the same molecules handled here, so that the
    // editor's state follows what it sent.
    void SendRequestAndHandle(CMoleculePacket& packet);

    // From the port.
    void OnReplyFrame(std::span<const uint8_t> frame);
    void OnSynthFrame(std::span<const uint8_t> frame);
    void PumpSender();
    bool ResendRequest();
    // One quiet idle step: true when something was sent or is under way.
    bool Poll();
    void DeliverPacket(CMoleculePacket& packet);
    void HandleMolecules(CMoleculePacket& packet);

    // State.
    bool HasSettings() const { return !settingsMissing_; }
    const std::string& GetSynthName() const { return settings_.GetName(); }
    bool GetSynthName(std::string& name) const override;
    const CSynthSettings& GetSettings() const { return settings_; }
    uint32_t GetSettingsTime() const { return settingsTime_; }
    bool IsSlotActive(uint8_t slot) const;
    bool IsSlotSelected(uint8_t slot) const override { return IsSlotActive(slot); }
    const CSlotSelection& GetSelection() const { return selection_; }
    void SetActiveSlots(const CSlotSelection& selection);
    void SendSlotSelection(const CSlotSelection& selection);
    void SendSynthSettings(const CSynthSettings& settings);
    void RequestSessionNumber(uint8_t slot);
    // False while the synthesizer has not reported its voices.
    bool GetSlotVoiceCount(uint8_t slot, uint8_t& voices) const override;
    CParamValueBlock& GetSlotParamBlock(uint8_t slot);
    CParamValueBlock& GetValueBlock(uint8_t slot) override { return GetSlotParamBlock(slot); }
    // (port, slot) is the port manager's current slot.
    bool IsCurrentSlot(uint8_t slot) const override;
    void MakeCurrentSlot(uint8_t slot) override;
    bool IsWaitingForReply() const override;
    // The frame awaited carries a flash command (a bank transfer's position
    // or a command of the flash dialogs), which may be repeated early.
    bool IsAwaitingFlashAnswer() const;
    uint8_t GetPortIndex() const override { return portIndex_; }
    CSynthPort& GetPort() const { return port_; }
    CFlashMemory& GetFlashMemory() { return *flashMemory_; }
    CBankTransfer& GetBankTransfer() { return *bankTransfer_; }
    // The port lost the synthesizer: a running bank transfer ends with the
    // reason as its last report line.
    void OnLinkLost(const std::string& reason);
    // The link ended: the slots' documents take back the edits still queued.
    void TakeBackUnsentEdits();
    uint32_t GetModelFlag() const { return modelFlag_; }

    // The keyboard floater's note.
    void PlayNote(uint8_t note);
    void ReleaseNote();
    bool IsNoteActive() const { return noteOnPending_ || noteSounding_; }
    // The last note scheduled.
    uint8_t GetCurrentNote() const { return noteToPlay_; }

    // Handlers of the molecules sent to the synthesizer object.
    void OnSynthSettings(const CMSynthDataDump& dump) override;
    void OnSlotSelection(const CMSlotSelectionDump& dump) override;
    void OnSlotFocus(const CMSlotFocusDump& dump) override;
    void OnVoiceCounts(const CMNumberOfVoicesDump& dump) override;
    void OnSessionNumber(const CMSessionNumberDump& dump, const CMoleculePacket& packet) override;
    void OnPatchRelease(const CMSessionPatchRelease& release) override;
    void OnFlashDataDump(const CMFlashDataDump& dump) override;
    void OnFlashDeleteDump(const CMFlashDeleteDump& dump) override;
    void OnFlashUsageDump(const CMFlashUsageDump& dump) override;
    void OnFlashCommandResult(const CMFlashCommandResult& result) override;
    void OnFlashDumpMarker(const CMFlashDumpMarker& marker, CMoleculePacket& packet) override;

private:
    CPortManager& Manager() const;
    void StampSynthPacket(CMoleculePacket& packet) const;
    bool StampSlotPacket(CMoleculePacket& packet) const;
    // Notes a patch header among the molecules sent to a slot.
    void NoteHeaderSent(const CMoleculePacket& packet);
    bool ExchangeState();
    void RequestSynthState();
    bool PollSlot(uint8_t slot);
    void SendFreshPatch(uint8_t slot);
    void SendNote(uint8_t state, uint8_t note);
    void DeliverToSlot(CMoleculePacket& packet);
    void TakeNewPatch(uint8_t slot, uint8_t number);

    uint32_t modelFlag_;
    bool selectionPending_ = false;
    CSlotSelection pendingSelection_;
    std::vector<CSlotRecord> slots_;
    std::unique_ptr<CFlashMemory> flashMemory_;
    std::unique_ptr<CBankTransfer> bankTransfer_;
    uint8_t slotCount_;
    CSynthSettings settings_;
    bool settingsMissing_ = true;
    uint32_t settingsTime_ = 0;
    CSlotSelection selection_;
    bool selectionMissing_ = true;
    CVoiceCounts voices_;
    bool voicesMissing_ = true;
    // A patch header went to a slot: the voices it gets are asked for again.
    bool voicesAsked_ = false;
    uint8_t portIndex_;
    CSynthPort& port_;
    std::unique_ptr<CMoleculeSender> sender_;
    bool noteOnPending_ = false;
    bool noteSounding_ = false;
    bool noteOffPending_ = false;
    uint8_t noteToPlay_ = 60;
    uint8_t soundingNote_ = 60;
};
