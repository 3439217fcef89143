#pragma once

#include "platform/system/Clock.h"

namespace platform {

// A clock that stands still until it is advanced; a sleep advances it at once.
// Safe to read from several threads.
class CVirtualClock : public IClock {
public:
    explicit CVirtualClock(uint64_t start = 0) : now_(start) { }
    uint64_t Now() override;
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint64_t ms);

private:
    std::atomic<uint64_t> now_;
};

} // namespace platform
