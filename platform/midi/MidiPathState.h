#pragma once

#include <cstdint>

namespace platform {

// What the MIDI system has told of an open device's path since it opened.
// A system that tells nothing leaves it as it starts.
struct MidiPathState {
    // Times a client of the system missed a cycle (a JACK xrun of a client
    // that had not finished): what was sent around then may never have
    // arrived.
    uint32_t losses = 0;
    bool peerGone = false;   // the port at the other end went away
    bool systemGone = false; // the MIDI system stopped
};

} // namespace platform
