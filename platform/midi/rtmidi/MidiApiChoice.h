#pragma once

#include <RtMidi.h>

#include <string_view>

namespace platform {

// What the choice of MIDI system looks at on the machine.
struct MidiMachineFacts {
    bool alsaSequencer = false; // /dev/snd/seq can be opened
    bool jackRuns = false;      // a JACK server answers (JACK_DEFAULT_SERVER names which)
};

// The MIDI system of every program (the editor, the updater and simsynthd
// alike). A request ("alsa", "jack" or "none"; a program's --api, else
// TORVAN_MIDI_API) decides; "jack" needs a running server. Without one, the
// ALSA sequencer comes first, then a running JACK server (JACK_DEFAULT_SERVER
// names which). RTMIDI_DUMMY means none: only the virtual devices.
RtMidi::Api ChooseMidiApi(std::string_view request, const MidiMachineFacts& facts);

// The same on this machine: the request, else TORVAN_MIDI_API, else the
// machine's facts.
RtMidi::Api ChooseMachineMidiApi(std::string_view request = {});

} // namespace platform
