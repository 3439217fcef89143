#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

class CRawSysex;

// The queue of accepted messages between the MIDI input worker (the one
// writer) and the main thread (the one reader), without a lock: each side
// moves only its own position and count and reads the other's count.
// A message that does not fit latches the overflow state, in which the ring
// refuses every new message; the messages held before it are still taken,
// and once the reader has taken or dropped them all the overflow ends, so
// an input that stays open never stays deaf.
class CSysexRing {
public:
    static constexpr uint32_t kSize = 65536;

    // Writer.
    bool Push(std::span<const uint8_t> message);

    // Reader.
    bool HasMessage() const;
    // The next message (up to and including its F7), or null when the ring
    // is empty.
    std::unique_ptr<CRawSysex> Take();
    // Drops every held message, from the reader's side: safe while the
    // writer goes on.
    void Drain();
    // Empties the ring and clears the overflow state; only while nothing is
    // written (the input stopped).
    void Reset();

    bool IsOverflowed() const { return overflow_.load(std::memory_order_acquire); }
    uint32_t GetHeldBytes() const;

private:
    // Reader: an overflow ends once nothing is held. The writer pushes only
    // while not in overflow, so no push runs while the reader clears it.
    void EndDrainedOverflow();

    std::array<uint8_t, kSize> data_{};
    uint32_t writePosition_ = 0;
    std::atomic<uint32_t> totalWritten_{0};
    uint32_t readPosition_ = 0;
    std::atomic<uint32_t> totalRead_{0};
    std::atomic<bool> overflow_{false};
};
