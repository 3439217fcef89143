#pragma once

#include "platform/midi/MidiOutDevice.h"

#include <memory>
#include <string>

namespace platform {

// An output to a JACK MIDI port of our own making. What is written waits in
// a ring until the server's process cycle takes it; a message that does not
// fit in the cycle's buffer waits for the next cycle (one larger than any
// cycle's buffer goes in pieces), so a late or overrun cycle delays messages
// but never drops one. A full ring refuses the write instead of losing it.
// Closing waits for the cycles that carry what was written.
class JackOutDevice final : public MidiOutDevice {
public:
    ~JackOutDevice() override;

    // Opens a client named `client`, with an output port connected to the
    // input port `destination` (its full JACK name); null when that fails.
    static std::unique_ptr<JackOutDevice> Open(const std::string& client, const std::string& destination);
    // Opens a client named `client` with an output port named `port` that
    // others connect to; null when that fails.
    static std::unique_ptr<JackOutDevice> OpenVirtual(const std::string& client, const std::string& port);

    // One whole message, for a program that writes without buffers.
    MidiResult Write(const uint8_t* bytes, size_t count);

    MidiResult ShortMessage(uint32_t message) override;
    // The cycles a client of the server missed since the device opened (in
    // the server's asynchronous mode that client never sees their events),
    // whether the port connected to ours went away, and whether the server
    // stopped.
    MidiPathState PathState() const override;

protected:
    MidiResult SendLong(const uint8_t* bytes, size_t count) override;
    uint32_t CompletionDelay(size_t count) override;

private:
    struct State;
    explicit JackOutDevice(std::unique_ptr<State> state);
    static std::unique_ptr<State> Start(const std::string& client, const std::string& port, bool awaitsConnection);

    std::unique_ptr<State> state_;
};

} // namespace platform
