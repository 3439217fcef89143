#pragma once

#include "platform/system/Clock.h"

namespace platform {

// Installs a clock for the life of the object and restores the previous one.
class CScopedClock {
public:
    explicit CScopedClock(IClock& clock) : previous_(InstallClock(&clock)) { }
    ~CScopedClock() { InstallClock(previous_); }
    CScopedClock(const CScopedClock&) = delete;
    CScopedClock& operator=(const CScopedClock&) = delete;

private:
    IClock* previous_;
};

} // namespace platform
