#pragma once

#include "platform/midi/MidiDevices.h"

namespace platform {

class MidiInDevice;

// An open input device; destroying it closes it. The device fills the
// buffers added to it in order and hands each back through the callback.
class MidiInDevice {
public:
    virtual ~MidiInDevice();
    MidiInDevice(const MidiInDevice&) = delete;
    MidiInDevice& operator=(const MidiInDevice&) = delete;

    MidiResult Prepare(MidiBuffer& buffer);
    MidiResult Unprepare(MidiBuffer& buffer);
    MidiResult AddBuffer(MidiBuffer& buffer);
    MidiResult Start();
    MidiResult Stop();
    // Stops and hands back every buffer it holds, done, through the callback.
    virtual MidiResult Reset();

protected:
    MidiInDevice(MidiInCallback callback, uintptr_t instance);

    // For the device's thread. Puts the bytes into the queued buffers, at most
    // `perBuffer` bytes into each, handing each back when filled; returns how
    // many bytes found a buffer (the rest is lost, as on a real port). Nothing
    // is taken while the device is stopped.
    size_t DeliverLong(const uint8_t* bytes, size_t count, size_t perBuffer);
    void DeliverShort(uint32_t message, uint32_t timeMs);
    // Hands back the oldest buffer flagged as an error; false without one.
    bool DeliverLongError();
    // Stops without handing buffers back (a stalled device).
    void StopKeepingBuffers();
    size_t QueuedBuffers();
    bool IsStarted();

private:
    void HandBack(MidiBuffer& buffer, uint32_t message);

    MidiInCallback callback_;
    uintptr_t instance_;
    std::mutex mutex_;
    std::vector<MidiBuffer*> queued_;
    bool started_ = false;
};

} // namespace platform
