#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace NSBootwren {

// A ring of 65,536 bytes that keeps completed messages back to back. A
// message that does not fit sets the overflow flag, after which nothing more
// is kept.
class CSysexMessageRing {
public:
    static constexpr uint32_t kSize = 65536;

    void Push(const uint8_t* bytes, uint32_t length);
    uint32_t GetHeldBytes() const { return written_ - read_; }
    bool HasOverflowed() const { return overflow_; }

private:
    std::array<uint8_t, kSize> data_{};
    uint32_t writePosition_ = 0;
    uint32_t written_ = 0;
    uint32_t read_ = 0;
    bool overflow_ = false;
};

} // namespace NSBootwren
