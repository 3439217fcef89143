#pragma once

#include "framework/midi/MIDIInputParser.h"
#include "synth/protocol/ParamValueBlock.h"
#include "synth/protocol/SysexMIDIInput.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace NSHarrowen {
class CMIDIInput;
class CMIDIOutput;
} // namespace NSHarrowen
class CPortManager;
class CRawSysex;
class CSynth;
class CSysexFrame;

// The link to one synthesizer over one pair of MIDI devices: receives its
// messages (assembled and value frames stored on the MIDI input worker, the
// rest handled on the main thread), finds out which synthesizer answers,
// watches the contact, keeps a status for the user and owns the synthesizer
// object of the recognised model while connected.
class CSynthPort : public NSHarrowen::CMIDIInputParser, public CSysexMIDIInput {
public:
    enum EStatus : int32_t {
        kLooking = 1,
        kStillLooking = 2,
        kUnsupportedModel = 3,
        kVersionError = 4,
        kNewFound = 5,
        kVersionCorrupted = 6,
        kLostContact = 7,
        kUpdateMode = 8,
        kOutOfMemory = 9,
        kUplinkChecksumError = 10,
        kSynthException = 11,
        kConnected = 12,
    };
    enum EModel : int32_t { kModelUnknown = 0, kModelKandrel = 1, kModelKandrelRack = 2, kModelPebix = 3 };
    // Contact: a ping after this much silence, an answer overdue after this.
    static constexpr int32_t kPingAfterMs = 2000;
    static constexpr int32_t kAnswerTimeoutMs = 5000;
    // A flash command's frame is repeated after this much silence, up to
    // kMaxRetries times, before the answer counts as overdue: storing or
    // deleting a position twice leaves the same flash.
    static constexpr int32_t kFlashRepeatAfterMs = 2000;
    // Repeats of a request before the contact counts as lost.
    static constexpr uint16_t kMaxRetries = 3;
    static constexpr uint8_t kSlotCount = 4;

    // Opens the devices of the manager's registries at these indices; throws
    // XNoMidiPorts when a registry is empty, and the devices' XMIDI errors.
    CSynthPort(CPortManager& manager, uint8_t portIndex, uint16_t inputIndex, uint16_t outputIndex);
    ~CSynthPort() override;

    // Main thread. The step of an idle tick, or (onArrival) the one run
    // when a message arrived, which sends the next request at once.
    void Idle(bool onArrival = false);
    // Asks for a step on the wake-up an arriving message causes, as soon as
    // the main thread is free; taken by the next step of either kind.
    void WantStep();
    bool IsStepWanted() const { return stepWanted_; }
    void ProcessInput();
    // The sender's plain and waiting sends; the waiting one stamps the send
    // time and marks an answer as awaited.
    void SendFrame(const CSysexFrame& frame);
    void SendRequestFrame(const CSysexFrame& frame);
    bool Ping();

    CSynth* GetSynth() const { return synth_.get(); }
    bool HasSynth() const { return synth_ != nullptr; }
    uint8_t GetPortIndex() const { return portIndex_; }
    CPortManager& GetManager() const { return manager_; }
    CParamValueBlock& GetSlotParamBlock(uint8_t slot) { return valueBlocks_[slot > 3 ? 3 : slot]; }
    std::string GetModelName() const;
    // The synthesizer's own name once its settings arrived, else the status
    // text.
    std::string GetDisplayName() const;
    bool IsFailed() const;
    void SetOutOfMemory() { outOfMemory_ = true; }
    int32_t GetStatus() const { return status_; }
    const std::string& GetStatusText() const { return statusText_; }
    const std::string& GetFailureText() const { return failureText_; }
    bool IsAwaitingAnswer() const { return awaitingAnswer_; }
    uint16_t GetRetryCount() const { return retryCount_; }

    void SetStatus(int32_t status);
    void Disconnect(int32_t status);
    void Fail(int32_t status, const std::string& text);

    // The status text of a status, for an identity's version bytes.
    static std::string MakeStatusText(int32_t status, int32_t model, std::span<const uint8_t, 5> version);

protected:
    // Worker thread.
    void OnLongData(NSHarrowen::CMIDIInput* input, uint32_t reserved, const uint8_t* bytes, uint32_t count) override;
    bool Accept(const uint8_t* bytes, uint32_t length) override;

private:
    enum EContact {
        kContactQuiet = 0,
        kContactDue = 1,
        kContactSilent = 2,
        kContactOverdue = 3,
        kContactRepeat = 4,
        kContactPingAside = 5
    };

    void StoreValueFrame(std::span<const uint8_t> frame);
    void HandleMessage(const CRawSysex& message);
    void HandleFrame(std::span<const uint8_t> frame);
    void OnIdentifyReply(std::span<const uint8_t> reply);
    void EvaluateIdentity(std::span<const uint8_t> reply);
    void OnModelFound();
    void CreateModel();
    void DeleteSynth();
    EContact CheckContact(bool onArrival) const;
    // Runs work of the link; what it throws fails the port with its text
    // (the synthesizer's error report: status 11; anything else: 9).
    template <class Work> void Guarded(const Work& work);
    void Service();
    void OnAnswerOverdue();
    void RepeatFlashCommand();
    // Counts a repeat and sends again what is awaited: the frame in flight,
    // else a ping. False once the repeats are spent or nothing could be sent.
    bool RepeatAwaited();
    bool ResendRequest();
    void WriteSysex(const uint8_t* bytes, uint32_t length);
    void MarkSent();
    void MarkHeard();
    void ClosePorts();
    // The contact ping while a frame's answer is awaited: the frame stays
    // awaited, and an identify reply never ends that wait.
    void PingAside();

    CPortManager& manager_;
    bool outOfMemory_ = false;
    bool awaitingAnswer_ = false;
    bool stepWanted_ = false;
    std::array<CParamValueBlock, kSlotCount> valueBlocks_;
    std::string failureText_;
    int32_t status_ = kLooking;
    uint16_t retryCount_ = 0;
    // Early repeats of the flash command frame in flight.
    uint16_t flashRepeats_ = 0;
    std::unique_ptr<CSynth> synth_;
    // What the input worker may read of the synthesizer object: its slot
    // count, 0 while there is none. Cleared before the object is deleted.
    std::atomic<uint8_t> synthSlotCount_{0};
    uint8_t portIndex_;
    uint32_t lastSent_ = 0;
    uint32_t lastHeard_ = 0;
    // What is awaited is the answer to a ping, not to a frame.
    bool awaitingPing_ = false;
    // When a ping was last sent beside an awaited frame.
    uint32_t lastPingAside_ = 0;
    std::array<uint8_t, 5> version_{};
    // Another version read once while connected, not yet confirmed.
    std::optional<std::array<uint8_t, 5>> otherVersion_;
    int32_t model_ = kModelUnknown;
    bool needsIdentify_ = true;
    std::string statusText_;
    std::unique_ptr<NSHarrowen::CMIDIInput> input_;
    std::unique_ptr<NSHarrowen::CMIDIOutput> output_;
};
