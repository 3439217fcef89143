#pragma once

#include <string_view>

namespace platform {

// Installs the machine's MIDI devices (through RtMidi, on the system
// ChooseMachineMidiApi picks for the request) as the host MIDI system.
// Every program that talks to a synthesizer calls it once at start.
void UseMachineMidi(std::string_view request = {});

} // namespace platform
