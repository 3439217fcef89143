#include "platform/midi/rtmidi/MidiApiChoice.h"

#include <gtest/gtest.h>

using platform::ChooseMidiApi;
using platform::MidiMachineFacts;

TEST(MidiApiChoice, TheRequestThenTheMachineDecide)
{
    struct Case {
        const char* request;
        MidiMachineFacts facts;
        RtMidi::Api expected;
    };
    const MidiMachineFacts alsaOnly{true, false};
    const MidiMachineFacts jackOnly{false, true};
    const MidiMachineFacts both{true, true};
    const MidiMachineFacts nothing{false, false};
    const Case cases[] = {
        {"", alsaOnly, RtMidi::LINUX_ALSA},
        {"", jackOnly, RtMidi::UNIX_JACK}, // no ALSA sequencer: a running JACK server
        {"", both, RtMidi::LINUX_ALSA},    // JACK only when asked for while there is a sequencer
        {"", nothing, RtMidi::RTMIDI_DUMMY},
        {"jack", both, RtMidi::UNIX_JACK},
        {"jack", alsaOnly, RtMidi::RTMIDI_DUMMY}, // JACK asked for but not running
        {"alsa", jackOnly, RtMidi::LINUX_ALSA},
        {"none", both, RtMidi::RTMIDI_DUMMY},
        {"winmm", both, RtMidi::RTMIDI_DUMMY},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseMidiApi(c.request, c.facts), c.expected)
            << "request \"" << c.request << "\", ALSA " << c.facts.alsaSequencer << ", JACK " << c.facts.jackRuns;
    }
}
