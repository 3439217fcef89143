// simsynthd end to end: the program on a JACK server (the dummy driver that
// the test fixture starts), reached through RtMidi like the editor reaches it.

#include <gtest/gtest.h>

#include <rtmidi/RtMidi.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

#include "tests/simulator/SimTestSupport.h"
#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/RequiredTools.h"

using namespace simtest;

namespace {

// Runs a program to its end (at most 10 s) with extra environment variables,
// which win over the inherited ones, and its error output in a file; the exit
// status, or -1.
int RunToEnd(std::vector<std::string> args, const std::vector<std::string>& env, const std::string& errorFile)
{
    const pid_t pid = testsupport::StartTiedProcess(std::move(args), env, errorFile);
    if (pid < 0)
        return -1;
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited > 10000) { // still running: it did not notice its failure
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Everything that arrives on an input port.
struct Received {
    std::mutex lock;
    std::condition_variable ready;
    std::vector<Bytes> messages;

    static void Callback(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<Received*>(user);
        {
            const std::lock_guard<std::mutex> guard(self->lock);
            self->messages.emplace_back(message->begin(), message->end());
        }
        self->ready.notify_all();
    }

    // The next message, or an empty one after the time-out.
    Bytes Next(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> guard(lock);
        if (!ready.wait_for(guard, timeout, [&] { return !messages.empty(); }))
            return {};
        Bytes first = messages.front();
        messages.erase(messages.begin());
        return first;
    }
};

template <class Port> int FindPort(Port& port, const std::string& name)
{
    for (unsigned i = 0; i < port.getPortCount(); ++i)
        if (port.getPortName(i).find(name) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

} // namespace

namespace {

// Starts simsynthd with the arguments and the port name and talks to it over
// the tests' JACK server.
void ExpectAnswersOverJack(std::vector<std::string> args, const std::string& name)
{
    args.insert(args.begin(), SIMSYNTHD_PATH);
    args.insert(args.end(), {"--name", name});
    testsupport::ScopedProcess daemon(args);
    ASSERT_TRUE(daemon.Started());

    RtMidiIn in(RtMidi::UNIX_JACK, "simsynthd-test-in");
    RtMidiOut out(RtMidi::UNIX_JACK, "simsynthd-test-out");
    int inPort = -1, outPort = -1;
    for (int tries = 0; tries < 100 && (inPort < 0 || outPort < 0); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        inPort = FindPort(in, name + " out");
        outPort = FindPort(out, name + " in");
    }
    ASSERT_GE(inPort, 0) << "simsynthd's output port did not appear";
    ASSERT_GE(outPort, 0) << "simsynthd's input port did not appear";
    Received received;
    in.ignoreTypes(false, true, true);
    in.setCallback(Received::Callback, &received);
    in.openPort(static_cast<unsigned>(inPort));
    out.openPort(static_cast<unsigned>(outPort));
    // JACK makes the connections a little later; on a busy machine a first
    // ping can go out before they stand, so ping again (as the editor does)
    // until one is answered.
    const Bytes ping{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};
    Bytes reply;
    for (int tries = 0; tries < 20 && reply.empty(); ++tries) {
        out.sendMessage(&ping);
        reply = received.Next(std::chrono::milliseconds(500));
    }
    EXPECT_EQ(reply, (Bytes{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7}));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    while (!received.Next(std::chrono::milliseconds(0)).empty()) {
        // answers to pings that crossed the first reply
    }

    const Bytes state = EditorFrame(0, 0x44, {0x02, 0x06, 0x08, 0x04, 0x7F});
    out.sendMessage(&state);
    const Bytes answer = received.Next(std::chrono::seconds(3));
    ASSERT_FALSE(answer.empty()) << "no answer to the state request";
    const sim::SimFrame frame = Parsed(answer);
    EXPECT_TRUE(frame.flags & sim::kFlagLast);
    ASSERT_GT(frame.payload.size(), 30u);
    EXPECT_EQ(frame.payload[0], 0x03);
    const Bytes tail(frame.payload.end() - 10, frame.payload.end());
    EXPECT_EQ(tail, (Bytes{0x07, 0x08, 0x09, 0x00, 0x05, 0x01, 0x01, 0x01, 0x01, 0x7F}));
}

} // namespace

TEST(Simsynthd, AnswersIdentifyAndStateRequestOverJack)
{
    if (testsupport::Unavailable({.jackServer = true}))
        return;
    ExpectAnswersOverJack({"--api", "jack"}, "simtest" + std::to_string(getpid()));
}

// Without --api it takes the MIDI system the other programs take: the named
// JACK server of the tests, also where the machine has no ALSA sequencer.
TEST(Simsynthd, WithoutApiTakesTheProgramsChoiceOfMidiSystem)
{
    if (testsupport::Unavailable({.jackServer = true}))
        return;
    ExpectAnswersOverJack({}, "simauto" + std::to_string(getpid()));
}

TEST(Simsynthd, PortsThatCannotBeOpenedEndTheProgramWithAnError)
{
    testsupport::TempDir dir;
    const std::string errors = dir.File("errors.txt");
    // No server of that name runs.
    const int status = RunToEnd({SIMSYNTHD_PATH, "--api", "jack"},
                                {"JACK_DEFAULT_SERVER=no-such-server-" + std::to_string(getpid()),
                                 "JACK_NO_START_SERVER=1", "ASAN_OPTIONS=detect_leaks=0"},
                                errors);
    EXPECT_EQ(status, 1);
    EXPECT_NE(testsupport::ReadFileBytes(errors).find("simsynthd: the MIDI ports could not be opened"),
              std::string::npos);
}
