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
// program. A chunk counts as sent no earlier than its wire time after it was
// handed over, whatever the device reports: some systems (the ALSA
// sequencer) take a whole block at once, and a sender that paces itself by
// the end of a block would otherwise outrun the cable.
class CMMEMIDIOutput final : public CMIDIOutput {
public:
    static constexpr uint32_t kBlockSize = 2048;

    // Throws XFailedOpeningMIDIPort with the system's text.
    explicit CMMEMIDIOutput(const CRegisteredMIDIOutput& entry);
    ~CMMEMIDIOutput() override;

    bool WriteSysexAndWait(const uint8_t* bytes, int32_t count) override;
    uint32_t SendShortMessage(uint32_t status, uint32_t data1, uint32_t data2) override;
    void WriteSysex(const uint8_t* bytes, int32_t count) override;
    platform::MidiPathState GetPathState() const override { return handle_->PathState(); }

private:
    void WaitUntilSent();
    void WaitForWireTime() const;
    void Reclaim();

    platform::MidiBuffer header_;
    std::unique_ptr<uint8_t[]> block_;
    std::unique_ptr<platform::MidiOutDevice> handle_;
    uint64_t wireEnd_ = 0; // platform clock: the last chunk has left the wire
};

} // namespace NSHarrowen
