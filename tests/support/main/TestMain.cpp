// The main function of every test program. Those that talk to a JACK server
// use the machine's MIDI devices, as the programs do.
#ifdef TORVAN_TEST_MACHINE_MIDI
#include "platform/midi/rtmidi/MachineMidi.h"
#endif
#include "platform/base/DroppedExceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Fails the program when an exception was dropped during a test: the code
// under test caught and logged something the test did not expect. A test
// that provokes a drop takes it with TakeDroppedExceptions and checks it.
class CDroppedExceptionCheck final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { platform::TakeDroppedExceptions(); }
    void OnTestEnd(const testing::TestInfo& test) override
    {
        std::string lines;
        for (const std::string& line : platform::TakeDroppedExceptions())
            lines += "\n  " + line;
        if (!lines.empty())
            ADD_FAILURE() << test.test_suite_name() << "." << test.name() << " dropped exceptions:" << lines;
    }
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CDroppedExceptionCheck);
#ifdef TORVAN_TEST_MACHINE_MIDI
    platform::UseMachineMidi();
#endif
    return RUN_ALL_TESTS();
}
