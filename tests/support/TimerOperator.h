#pragma once

#include <cstdint>
#include <functional>

namespace testsupport {

// Acts for the user while a program runs a box modally: a hidden window of
// its own whose timer calls `act` every `intervalMs`, which the modal runs
// keep dispatching. One at a time.
class TimerOperator {
public:
    explicit TimerOperator(std::function<void()> act, uint32_t intervalMs = 30);
    ~TimerOperator();
    TimerOperator(const TimerOperator&) = delete;
    TimerOperator& operator=(const TimerOperator&) = delete;

private:
    std::function<void()> act_;
    uintptr_t window_ = 0;
};

} // namespace testsupport
