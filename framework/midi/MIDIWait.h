#pragma once

#include <cstdint>
#include <functional>

namespace NSHarrowen {

// Milliseconds the wire needs for `count` bytes at 31,250 baud (ten bits a
// byte), rounded up.
uint32_t MIDIWireTime(uint32_t count);

// How long a device may take beyond the wire time before a wait for it gives
// up (2,000 ms unless changed). Returns the previous value.
uint32_t GetMIDIWaitSlack();
uint32_t SetMIDIWaitSlack(uint32_t ms);

// Checks `done` every millisecond, sleeping between checks, for up to
// `boundMs` milliseconds of real time; true as soon as it holds.
bool WaitForMIDI(const std::function<bool()>& done, uint32_t boundMs);

} // namespace NSHarrowen
