#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "simulator/SimCodec.h"
#include "simulator/SimFaultPlan.h"
#include "simulator/SimFlash.h"
#include "simulator/SimFrame.h"
#include "simulator/SimModuleTypes.h"
#include "simulator/SimState.h"

namespace sim {

// One message the simulator received, with what it made of it.
struct SimLogEntry {
    uint64_t timeUs = 0;
    Bytes bytes;
    std::string text;
};

// The stand-in for the synthesizer. Bytes from the editor go in through
// Receive; what the synthesizer sends comes out of TakeOutput once its
// (virtual) time has come. Single-threaded: the caller serialises.
class CSimulator {
public:
    CSimulator(const SimConfig& config, const CSimModuleTypes& types);

    SimConfig& Config() { return config_; }
    CSimFaultPlan& Faults() { return faults_; }
    // The bad cable's two directions, when the configuration has one.
    const CSimCable& Cable() const { return cable_; }
    // Answers made so far (the fault plan counts them from 1).
    unsigned AnswerCount() const { return answerCount_; }

    // Virtual time, in microseconds from the start.
    uint64_t NowUs() const { return nowUs_; }
    void AdvanceUs(uint64_t us) { AdvanceToUs(nowUs_ + us); }
    void AdvanceMs(uint64_t ms) { AdvanceUs(ms * 1000); }
    void AdvanceToUs(uint64_t us);

    // Bytes from the editor, in buffers of any cut.
    void Receive(const uint8_t* data, size_t size);
    void Receive(const Bytes& bytes) { Receive(bytes.data(), bytes.size()); }

    // The buffers due by now, in order.
    std::vector<Bytes> TakeOutput();
    // When the next buffer falls due, or nothing when none waits.
    std::optional<uint64_t> NextDueUs() const;

    // State.
    int SlotCount() const { return sim::SlotCount(config_.model); }
    SimSettings& Settings() { return settings_; }
    SimSlot& Slot(int slot) { return slots_[ClampSlot(slot)]; }
    std::array<bool, 4>& Selection() { return selection_; }
    int FocusSlot() const { return focusSlot_; }
    CSimFlash& Flash() { return flash_; }
    // A patch in a slot without telling anyone (preloading).
    void LoadSlot(int slot, const SimPatch& patch);
    // The last note played from the editor, -1 when none sounds.
    int SoundingNote() const { return soundingNote_; }

    const std::vector<SimLogEntry>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Called for every log entry as it is made (the program prints them).
    void SetLogSink(std::function<void(const SimLogEntry&)> sink) { logSink_ = std::move(sink); }

    // Changes made on the synthesizer's own panel; each is applied and told
    // to the editor at once.
    void PanelParamChange(int slot, const SimParamRef& ref, int value);
    void PanelMorphChange(int slot, const SimParamRef& ref, int range);
    void PanelParamFocus(int slot, const SimFocus& focus);
    void PanelSlotFocus(int slot); // 4 = none
    void PanelKnobAssign(int slot, int knob, const SimParamRef& ref);
    void PanelKnobDeassign(int slot, int knob);
    void PanelCtrlAssign(int slot, int controller, const SimParamRef& ref);
    void PanelCtrlDeassign(int slot, int controller);
    // A new patch in the slot (a patch change on the panel): new session number, 0x38.
    void PanelPatchChange(int slot, const SimPatch& patch);
    void PanelSelection(const std::array<bool, 4>& active);
    void PanelVoices(const std::array<int, 4>& voices);
    void PanelSettings(const SimSettings& settings);
    void PanelFlashUpdate(int bank, int location);

    // Frames of measured values (0x39 states, 0x3A values) for a slot, this
    // many per second of virtual time; 0 stops them.
    void StartValueFrames(int slot, unsigned perSecond);
    void SendValueFrame(int slot, uint8_t id, int firstEntry);
    // Any bytes, as they stand (tests of what the editor does with junk).
    void SendRaw(const Bytes& bytes);

private:
    struct Pending {
        uint8_t slot = 0;
        uint8_t numberByte = 0;
        Bytes payload;
    };
    struct Answer {
        CSimBitWriter out;
        unsigned count = 0;
        bool slotNumbered = false;                // carries the slot's session number
        std::vector<std::function<void()>> after; // unsolicited messages that follow it
    };
    struct Queued {
        uint64_t dueUs;
        Bytes bytes;
    };

    int ClampSlot(int slot) const { return slot < 0 ? 0 : slot > 3 ? 3 : slot; }
    void LogEntry(const Bytes& bytes, const std::string& text);
    void HandleMessage(Bytes message);
    void HandleFrame(const Bytes& message, const SimFrame& frame);
    void ReplyIdentify();
    void ProcessPacket(uint8_t slot, uint8_t numberByte, const Bytes& payload, bool live);
    std::vector<SimMol> ParseMolecules(const Bytes& payload) const;
    // A whole packet of values set (as live edits carry): done twice, it
    // leaves what done once does.
    bool SetsValuesOnly(const SimFrame& frame) const;
    void LoadFullPatch(uint8_t slot, const std::vector<SimMol>& mols, const SimMol& bubble, Answer& answer);
    void Execute(const SimMol& mol, uint8_t slot, bool stale, Answer& answer);
    void ExecuteFlash(const SimMol& mol, Answer& answer);
    void AnswerPatchRequest(const SimMol& mol, uint8_t slot, Answer& answer);
    void NewSession(int slot);

    void SendAnswer(uint8_t slot, uint8_t numberByte, Bytes payload);
    void SendError(uint8_t slot, uint8_t code);
    void SendUnsolicited(uint8_t slot, bool slotNumbered, const CSimBitWriter& out, unsigned count);
    void Enqueue(Bytes bytes, uint64_t extraDelayUs, bool answer);
    void GenerateValueFrames(uint64_t untilUs);

    SimConfig config_;
    const CSimModuleTypes& types_;
    CSimFaultPlan faults_;
    CSimCable cable_;
    uint64_t nowUs_ = 0;

    SimSettings settings_;
    std::array<SimSlot, 4> slots_;
    std::array<bool, 4> selection_{true, false, false, false};
    int focusSlot_ = 0;
    CSimFlash flash_;
    int soundingNote_ = -1;

    Bytes inbox_;
    bool inMessage_ = false;
    std::optional<Pending> pending_;
    Bytes lastFrame_;
    Bytes lastAnswer_;
    // Live edits were done since the last answered frame arrived.
    bool liveSinceFrame_ = false;

    std::deque<Queued> outbox_;
    uint64_t lastDueUs_ = 0;
    uint64_t wireFreeUs_ = 0;
    unsigned answerCount_ = 0;
    unsigned identifyCount_ = 0;
    size_t nextBufferSize_ = 0;

    int valueSlot_ = 0;
    uint64_t valuePeriodUs_ = 0;
    uint64_t nextValueUs_ = 0;
    unsigned valueTick_ = 0;

    std::vector<SimLogEntry> log_;
    std::function<void(const SimLogEntry&)> logSink_;
};

} // namespace sim
