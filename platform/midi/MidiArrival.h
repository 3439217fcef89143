#pragma once

// A message of a MIDI input waits for the main thread. The input's worker
// signals it; the main thread's message queue hands it out as the thread
// message msg::MidiArrival, so that an answer is handled when it arrives
// rather than at the next idle tick.
namespace platform {

// Any thread. Signals before the message is taken make one message.
void SignalMidiArrival();
// Main thread: takes the signal; true when there was one.
bool TakeMidiArrival();
bool IsMidiArrivalPending();

// The desktop's way of ending the main thread's wait for events from another
// thread; null (the default): the wait ends at its next timer.
using MidiArrivalWaker = void (*)();
void SetMidiArrivalWaker(MidiArrivalWaker waker);

} // namespace platform
