#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/midi/virtual/VirtualMidi.h"
#include "simulator/Simulator.h"

namespace sim {

// The simulator plugged into the program as an in-process MIDI device of the
// given name (an input and an output): what the program sends reaches the
// simulator at once; what the simulator sends reaches the program's input
// buffers when its time has come, one buffer per buffer of its output, so the
// fault plan's cuts and gatherings show as they would on a port.
class CSimVirtualPort final : public platform::VirtualMidiHandler {
public:
    CSimVirtualPort(CSimulator& synth, const std::string& deviceName);
    ~CSimVirtualPort() override;
    CSimVirtualPort(const CSimVirtualPort&) = delete;
    CSimVirtualPort& operator=(const CSimVirtualPort&) = delete;

    // Lets the simulator's time run on by `ms` and delivers what fell due.
    // Returns the bytes delivered.
    size_t Advance(uint64_t ms) { return AdvanceUs(ms * 1000); }
    size_t AdvanceUs(uint64_t us);

    // The simulator, for changes made between calls (under the port's lock).
    template <class F> auto With(F&& f)
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return f(synth_);
    }

    platform::VirtualMidiDevice& Device() { return device_; }

    // Keeps what the program sends, message by message as it arrives, until
    // taken; off until switched on.
    void RecordReceived(bool on);
    std::vector<Bytes> TakeReceived();

    void OnLongMessage(const uint8_t* bytes, size_t count) override;

private:
    std::mutex lock_;
    CSimulator& synth_;
    bool recording_ = false;
    std::vector<Bytes> received_;
    platform::VirtualMidiDevice device_;
};

} // namespace sim
