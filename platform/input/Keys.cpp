#include "platform/input/Keys.h"

#include <atomic>

namespace platform {

namespace {
// Packed into one word so that any thread reads a consistent state.
std::atomic<uint8_t> modifiers{0};
enum : uint8_t { kCaps = 1, kShift = 2, kControl = 4, kAlt = 8 };
} // namespace

ModifierState CurrentModifiers()
{
    const uint8_t m = modifiers.load(std::memory_order_relaxed);
    return {(m & kCaps) != 0, (m & kShift) != 0, (m & kControl) != 0, (m & kAlt) != 0};
}

void SetCurrentModifiers(const ModifierState& state)
{
    modifiers.store(static_cast<uint8_t>((state.capsLock ? kCaps : 0) | (state.shift ? kShift : 0) |
                                         (state.control ? kControl : 0) | (state.alt ? kAlt : 0)),
                    std::memory_order_relaxed);
}

} // namespace platform
