#pragma once

#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIShortMessage.h"
#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiInDevice.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace NSHarrowen {

// An input on a device of the machine's MIDI system. It keeps 32 buffers of
// 2,048 bytes with the device; each one the device hands back goes through
// the shared worker thread to the receiver and then straight back to the
// device.
class CMMEMIDIInput final : public CMIDIInput {
public:
    static constexpr size_t kBufferCount = 32;
    static constexpr uint32_t kBufferSize = 2048;

    // Opens and starts the device; throws XFailedOpeningMIDIPort with the
    // system's text, leaving nothing open.
    CMMEMIDIInput(const CRegisteredMIDIInput& entry, CMIDIInputParser& receiver);
    // Closes: no delivery once the close has begun. Waits for the device to
    // hand back its buffers, but not beyond the MIDI wait slack
    // (MIDIWait.h); a device that keeps them is closed anyway.
    ~CMMEMIDIInput() override;

    bool IsAccepting() const { return accepting_; }
    // Buffers the device holds.
    uint16_t GetPendingCount() const { return pending_; }

    // A message of the worker thread.
    static void OnWorkerMessage(uint32_t message, uintptr_t param1, uintptr_t param2);

private:
    struct CBufferRecord {
        platform::MidiBuffer header;
        std::unique_ptr<uint8_t[]> block;
    };

    static void DeviceCallback(platform::MidiInDevice& device, uint32_t message, uintptr_t instance, uintptr_t param1,
                               uintptr_t param2);
    static CMMEMIDIInput* FindOwner(uintptr_t device);

    void Open();
    void Close();
    [[noreturn]] void Fail(platform::MidiResult result);
    CBufferRecord* FindRecord(uintptr_t header);
    void OnBufferReturned(CBufferRecord& record, uint32_t message);
    void GiveBack(CBufferRecord& record);

    std::unique_ptr<platform::MidiInDevice> handle_;
    std::array<CBufferRecord, kBufferCount> records_;
    CMIDIShortMessageTable shortMessages_{256};
    std::atomic<bool> accepting_{false};
    uint64_t startTime_ = 0;
    std::atomic<uint16_t> pending_{0};
    bool usesWorker_ = false;
};

} // namespace NSHarrowen
