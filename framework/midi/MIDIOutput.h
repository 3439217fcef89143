#pragma once

#include "platform/midi/MidiPathState.h"

#include <cstdint>

namespace NSHarrowen {

class CRegisteredMIDIOutput;

// An open MIDI output, used by one thread.
class CMIDIOutput {
public:
    explicit CMIDIOutput(const CRegisteredMIDIOutput& entry) : entry_(entry) { }
    virtual ~CMIDIOutput() = default;
    CMIDIOutput(const CMIDIOutput&) = delete;
    CMIDIOutput& operator=(const CMIDIOutput&) = delete;

    // WriteSysex, then waits until the device has sent the last chunk, and
    // returns no earlier than the chunk's wire time (320 µs a byte) after it
    // was handed over, on every MIDI system; true, or XMIDIWriteFailed.
    virtual bool WriteSysexAndWait(const uint8_t* bytes, int32_t count) = 0;
    // Sends status + data1 * 256 + data2 * 65,536; returns the system's
    // result (0 for success) and never throws.
    virtual uint32_t SendShortMessage(uint32_t status, uint32_t data1, uint32_t data2) = 0;
    // Sends the bytes in chunks, each after the previous one was sent (and
    // its wire time has passed);
    // returns once the last chunk is with the device. A count of 0 or below
    // sends nothing. Throws XMIDIWriteFailed.
    virtual void WriteSysex(const uint8_t* bytes, int32_t count) = 0;

    // What the MIDI system has told of the path to the device since it
    // opened: data it may have lost, a peer or a system gone.
    virtual platform::MidiPathState GetPathState() const { return {}; }

    const CRegisteredMIDIOutput& GetEntry() const { return entry_; }

private:
    const CRegisteredMIDIOutput& entry_;
};

} // namespace NSHarrowen
