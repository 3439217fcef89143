#pragma once

#include <array>
#include <cstdint>
#include <span>

// Gathers whole SysEx messages (F0 to F7) from input buffers of any cut.
// Two buffers: a finished message stays readable while the next one is
// gathered. A message of 8,192 bytes or more is dropped.
class CSysexAssembler {
public:
    static constexpr uint32_t kBufferSize = 8192;

    // Takes bytes up to and including the end of at most one message and
    // returns how many it consumed; call again with the rest. Bytes outside
    // a message are dropped.
    uint32_t Feed(const uint8_t* bytes, uint32_t count);
    bool IsComplete() const { return complete_; }
    // The message just finished; clears the complete mark. Valid until the
    // next message finishes.
    std::span<const uint8_t> TakeComplete();
    bool IsInMessage() const { return inMessage_; }

private:
    std::array<std::array<uint8_t, kBufferSize>, 2> buffers_;
    std::array<uint32_t, 2> lengths_{};
    bool inMessage_ = false;
    bool complete_ = false;
    uint32_t current_ = 0;
};
