#include "framework/midi/MIDIWait.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace NSHarrowen {

namespace {
std::atomic<uint32_t> gSlack{2000};
}

uint32_t MIDIWireTime(uint32_t count)
{
    return static_cast<uint32_t>((uint64_t(count) * 10 * 1000 + 31249) / 31250);
}

uint32_t GetMIDIWaitSlack()
{
    return gSlack;
}

uint32_t SetMIDIWaitSlack(uint32_t ms)
{
    return gSlack.exchange(ms);
}

// Devices and threads run on real time, so these waits do not follow a
// clock a test installed (platform/system/Clock.h): a virtual clock would end them
// before any device had a chance to answer.
bool WaitForMIDI(const std::function<bool()>& done, uint32_t boundMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point limit = Clock::now() + std::chrono::milliseconds(boundMs);
    while (!done()) {
        if (Clock::now() >= limit)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace NSHarrowen
