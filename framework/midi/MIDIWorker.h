#pragma once

#include "platform/system/Lock.h"

#include <cstdint>
#include <thread>

// The one MIDI input worker thread that every open input shares: the first
// input starts it, the last one to close stops it. Input devices only post
// their returned buffers to it; it hands the data to the receivers inside
// the framework's MIDI lock.
namespace NSHarrowen {

// The message that ends the worker.
constexpr uint32_t kStopMIDIWorker = 0x411;

// The framework's MIDI lock; it lives for the whole process.
platform::Lock& GetMIDILock();

// Takes the worker for one more user, starting it when it is not running;
// throws XFailedOpeningMIDIPort (and takes nothing) when it cannot start.
void StartMidiInputThread();
// Gives the worker up for one user; the last one stops it and waits for it
// to end.
void ReleaseMidiInputThread();

// Posts a message to the running worker; dropped when none runs.
void PostToMidiInputThread(uint32_t message, uintptr_t param1, uintptr_t param2);

bool IsMidiInputThreadRunning();
uint32_t GetMidiInputThreadUsers();
std::thread::id GetMidiInputThreadId();

// Makes the next start of the worker fail, as when the system has no thread
// left to give.
void FailNextMidiInputThreadStartForTesting();

} // namespace NSHarrowen
