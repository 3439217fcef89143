#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/midi/virtual/VirtualMidi.h"
#include "simulator/update/SimUpdateSynth.h"

namespace sim {

// The update-mode synthesizer plugged in as an in-process MIDI device: what
// the updater sends reaches it at once (stamped with the platform clock), and
// its answers go into the updater's input buffers as soon as they are due,
// one block to a buffer.
class CSimUpdatePort final : public platform::VirtualMidiHandler {
public:
    CSimUpdatePort(CSimUpdateSynth& synth, const std::string& deviceName);
    ~CSimUpdatePort() override;
    CSimUpdatePort(const CSimUpdatePort&) = delete;
    CSimUpdatePort& operator=(const CSimUpdatePort&) = delete;

    // Sends what has fallen due by the platform clock; returns the bytes sent.
    size_t Deliver();

    template <class F> auto With(F&& f)
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return f(synth_);
    }

    platform::VirtualMidiDevice& Device() { return device_; }

    void OnLongMessage(const uint8_t* bytes, size_t count) override;

private:
    std::mutex lock_;
    CSimUpdateSynth& synth_;
    platform::VirtualMidiDevice device_;
};

} // namespace sim
