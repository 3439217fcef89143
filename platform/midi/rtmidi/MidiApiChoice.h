#pragma once

#include <RtMidi.h>

#include <string_view>

namespace platform {

// What the choice of MIDI system looks at on the machine.
struct MidiMachineFacts {
    bool alsaSequencer = false; // /dev/snd/seq can be opened
    bool jackRuns = false;      // a JACK server answers
    bool jackNamed = false;     // JACK_DEFAULT_SERVER names a server
};

// The MIDI system of every program (the editor, the updater and simsynthd
// alike). A request ("alsa", "jack" or "none"; a program's --api, else
// TORVAN_MIDI_API) decides; "jack" needs a running server. Without one, a
// running JACK server that JACK_DEFAULT_SERVER names comes first, then the
// ALSA sequencer, then any running JACK server. RTMIDI_DUMMY means none:
// only the virtual devices.
RtMidi::Api ChooseMidiApi(std::string_view request, const MidiMachineFacts& facts);

// The same on this machine: the request, else TORVAN_MIDI_API, else the
// machine's facts.
RtMidi::Api ChooseMachineMidiApi(std::string_view request = {});

} // namespace platform
