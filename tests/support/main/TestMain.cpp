// The main function of every test program. Those that talk to a JACK server
// use the machine's MIDI devices, as the programs do.
#ifdef TORVAN_TEST_MACHINE_MIDI
#include "platform/midi/rtmidi/MachineMidi.h"
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
#ifdef TORVAN_TEST_MACHINE_MIDI
    platform::UseMachineMidi();
#endif
    return RUN_ALL_TESTS();
}
