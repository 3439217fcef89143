#pragma once

#include "platform/midi/MidiDevices.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// What a virtual device does with what the program sends to it. Called on
// the sending thread, outside the device's locks, so a handler may answer at
// once through VirtualMidiDevice::Send.
class VirtualMidiHandler {
public:
    virtual ~VirtualMidiHandler() = default;
    virtual void OnShortMessage(uint32_t message) { }
    virtual void OnLongMessage(const uint8_t* bytes, size_t count) { }
};

// An in-process MIDI device: an input and an output of one name that appear
// in the device lists while the object lives. The program opens them like
// any other device; the owner plays the instrument's side and can make the
// device fail or stall. Destroying it unplugs it: open devices on it fail.
class VirtualMidiDevice {
public:
    struct Options {
        std::string name;
        MidiTechnology technology = MidiTechnology::Port;
        bool input = true;
        bool output = true;
    };

    // The handler (may be null) must outlive this object.
    explicit VirtualMidiDevice(Options options, VirtualMidiHandler* handler = nullptr);
    ~VirtualMidiDevice();
    VirtualMidiDevice(const VirtualMidiDevice&) = delete;
    VirtualMidiDevice& operator=(const VirtualMidiDevice&) = delete;

    // The instrument sends: the bytes go into the program's queued input
    // buffers, at most `perBuffer` bytes into each, on the calling thread.
    // Returns how many bytes found a buffer.
    size_t Send(const uint8_t* bytes, size_t count, size_t perBuffer = SIZE_MAX);
    size_t Send(const std::vector<uint8_t>& bytes, size_t perBuffer = SIZE_MAX);
    // Hands back one queued input buffer flagged as an error.
    bool SendLongError();

    bool IsInputOpen() const;
    bool IsInputStarted() const;
    size_t InputBuffersQueued() const;
    bool IsOutputOpen() const;

    // Faults on demand; midierr::kOk clears a failure.
    void FailOpen(MidiResult result);
    void FailSend(MidiResult result);
    // Sent buffers are never done until the program resets the output.
    void StallOutput(bool stall);
    // A reset of the input keeps its buffers, as a hung driver would.
    void StallInput(bool stall);
    // Sent buffers are done this long after they went out (0: at once).
    void SetCompletionDelay(uint32_t ms);
    // What the open output's path reports: the system lost data once more,
    // or the port at the other end went away (false: it is back).
    void ReportLoss();
    void ReportPeerGone(bool gone);
    // Long messages sent while an earlier one was not yet done.
    size_t OverlappingSends() const;

    struct Core;

private:
    std::shared_ptr<Core> core_;
};

} // namespace platform
