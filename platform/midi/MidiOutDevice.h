#pragma once

#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiPathState.h"

namespace platform {

class MidiInDevice;

// An open output device; destroying it closes it.
class MidiOutDevice {
public:
    virtual ~MidiOutDevice();
    MidiOutDevice(const MidiOutDevice&) = delete;
    MidiOutDevice& operator=(const MidiOutDevice&) = delete;

    // A short message: status in the low byte, then the data bytes.
    virtual MidiResult ShortMessage(uint32_t message) = 0;
    MidiResult Prepare(MidiBuffer& buffer);
    MidiResult Unprepare(MidiBuffer& buffer);
    // Sends buffer.length bytes. The buffer is queued until the device sets
    // it done, which may happen later on another thread.
    MidiResult LongMessage(MidiBuffer& buffer);
    // Gives back every buffer at once (set done).
    MidiResult Reset();
    // What the system has told of the path to the port (any thread).
    virtual MidiPathState PathState() const { return {}; }

protected:
    MidiOutDevice();

    // Hands the bytes to the device.
    virtual MidiResult SendLong(const uint8_t* bytes, size_t count) = 0;
    // Milliseconds after which a sent buffer is done; kNever keeps it until Reset.
    static constexpr uint32_t kNever = UINT32_MAX;
    virtual uint32_t CompletionDelay(size_t count) = 0;
    // Buffers sent and not yet done.
    size_t BuffersInFlight();

private:
    class Completer;
    std::unique_ptr<Completer> completer_;
};

} // namespace platform
