#pragma once

#include "updater/link/SysexMessageRing.h"

#include <array>
#include <cstdint>

namespace NSBootwren {

// Cuts received System Exclusive bytes into whole messages (F0 to F7) of up
// to 511 bytes and offers each to AcceptMessage; accepted messages are kept
// in a ring. Blocks may hold any part of a message, or several messages.
class CSysexMIDIInput {
public:
    static constexpr uint32_t kBufferSize = 512;
    static constexpr uint32_t kMaxMessage = kBufferSize - 1;

    CSysexMIDIInput() = default;
    virtual ~CSysexMIDIInput() = default;
    CSysexMIDIInput(const CSysexMIDIInput&) = delete;
    CSysexMIDIInput& operator=(const CSysexMIDIInput&) = delete;

    void AddData(const uint8_t* bytes, uint32_t count);
    const CSysexMessageRing& GetRing() const { return ring_; }

protected:
    // A whole message; true keeps it in the ring.
    virtual bool AcceptMessage(const uint8_t* bytes, uint32_t length) { return true; }

private:
    // Takes bytes up to the end of the first message or of the block;
    // returns how many it took.
    uint32_t Scan(const uint8_t* bytes, uint32_t count);

    std::array<std::array<uint8_t, kBufferSize>, 2> buffers_{};
    std::array<uint32_t, 2> lengths_{};
    bool inMessage_ = false;
    bool complete_ = false;
    int current_ = 0;
    CSysexMessageRing ring_;
};

} // namespace NSBootwren
