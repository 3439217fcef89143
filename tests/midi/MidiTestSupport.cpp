#include "MidiTestSupport.h"

#include "framework/midi/MIDIWait.h"

namespace miditest {

ScopedWaitSlack::ScopedWaitSlack(uint32_t ms) : previous_(NSHarrowen::SetMIDIWaitSlack(ms)) { }
ScopedWaitSlack::~ScopedWaitSlack()
{
    NSHarrowen::SetMIDIWaitSlack(previous_);
}

} // namespace miditest
