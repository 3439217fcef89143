#pragma once

#include "framework/midi/MIDIOutput.h"
#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiOutDevice.h"

#include <memory>

namespace NSHarrowen {

// An output on a device of the machine's MIDI system. System Exclusive data
// goes out through one 2,048-byte block, one chunk at a time. A wait for the
// device gives up after the chunk's wire time plus the MIDI wait slack
// (MIDIWait.h) with XMIDIWriteFailed, so a stalled device cannot hang the
// program.
class CMMEMIDIOutput final : public CMIDIOutput {
public:
    static constexpr uint32_t kBlockSize = 2048;

    // Throws XFailedOpeningMIDIPort with the system's text.
    explicit CMMEMIDIOutput(const CRegisteredMIDIOutput& entry);
    ~CMMEMIDIOutput() override;

    bool WriteSysexAndWait(const uint8_t* bytes, int32_t count) override;
    uint32_t SendShortMessage(uint32_t status, uint32_t data1, uint32_t data2) override;
    void WriteSysex(const uint8_t* bytes, int32_t count) override;

private:
    void WaitUntilSent();
    void Reclaim();

    platform::MidiBuffer header_;
    std::unique_ptr<uint8_t[]> block_;
    std::unique_ptr<platform::MidiOutDevice> handle_;
};

} // namespace NSHarrowen
