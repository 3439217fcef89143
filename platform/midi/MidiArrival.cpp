#include "platform/midi/MidiArrival.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<bool> gPending{false};
std::atomic<MidiArrivalWaker> gWaker{nullptr};
} // namespace

void SignalMidiArrival()
{
    // Only the first signal wakes: the rest find the message still waiting.
    if (gPending.exchange(true, std::memory_order_acq_rel))
        return;
    if (const MidiArrivalWaker waker = gWaker.load(std::memory_order_acquire))
        waker();
}

bool TakeMidiArrival()
{
    return gPending.exchange(false, std::memory_order_acq_rel);
}

bool IsMidiArrivalPending()
{
    return gPending.load(std::memory_order_acquire);
}

void SetMidiArrivalWaker(MidiArrivalWaker waker)
{
    gWaker.store(waker, std::memory_order_release);
}

} // namespace platform
