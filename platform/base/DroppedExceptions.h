#pragma once

#include <string>
#include <vector>

namespace platform {

// The one policy for an exception that must not leave where it was caught
// (a callback, a destructor, the MIDI worker, one step of the run loop):
// call this inside the catch block. It writes "dropped in <where>: <what>"
// to the error output and keeps the line, so that nothing is dropped
// unnoticed. Safe on any thread.
void RecordDroppedException(const char* where) noexcept;

// The lines recorded since the last call (the test programs check that
// none were).
std::vector<std::string> TakeDroppedExceptions();

} // namespace platform
