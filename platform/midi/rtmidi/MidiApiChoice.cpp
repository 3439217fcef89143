#include "platform/midi/rtmidi/MidiApiChoice.h"

#include <jack/jack.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

// libjack prints its own complaints; silence them while we only look for a
// server, so a desktop without JACK starts quietly.
std::atomic<bool> gProbingJack{false};

void JackErrorText(const char* text)
{
    if (!gProbingJack)
        fprintf(stderr, "JACK: %s\n", text);
}

void JackInfoText(const char*) { }

bool JackServerRuns()
{
    jack_set_error_function(JackErrorText);
    jack_set_info_function(JackInfoText);
    gProbingJack = true;
    jack_status_t status{};
    jack_client_t* client = jack_client_open("probe", JackNoStartServer, &status);
    gProbingJack = false;
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

bool AlsaSequencerPresent()
{
    return access("/dev/snd/seq", R_OK | W_OK) == 0;
}

} // namespace

RtMidi::Api ChooseMidiApi(std::string_view request, const MidiMachineFacts& facts)
{
    if (!request.empty()) {
        if (request == "alsa")
            return RtMidi::LINUX_ALSA;
        if (request == "jack")
            return facts.jackRuns ? RtMidi::UNIX_JACK : RtMidi::RTMIDI_DUMMY;
        return RtMidi::RTMIDI_DUMMY;
    }
    // The ALSA sequencer unless JACK is asked for: a JACK client maps the
    // server's whole shared segment.
    if (facts.alsaSequencer)
        return RtMidi::LINUX_ALSA;
    return facts.jackRuns ? RtMidi::UNIX_JACK : RtMidi::RTMIDI_DUMMY;
}

RtMidi::Api ChooseMachineMidiApi(std::string_view request)
{
    if (request.empty()) {
        if (const char* chosen = std::getenv("TORVAN_MIDI_API"))
            request = chosen;
    }
    MidiMachineFacts facts;
    facts.alsaSequencer = AlsaSequencerPresent();
    // Looking for a server costs a connection; only when the answer counts.
    if (request == "jack" || (request.empty() && !facts.alsaSequencer))
        facts.jackRuns = JackServerRuns();
    return ChooseMidiApi(request, facts);
}

} // namespace platform
