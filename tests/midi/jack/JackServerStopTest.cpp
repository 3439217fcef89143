// A JACK server that stops under an open output: what the write says.
#include "platform/midi/MidiDevices.h"
#include "platform/midi/rtmidi/JackOutDevice.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// A JACK server of this test's own (the fixture's serves the other tests),
// stopped when asked or at the end.
class OwnJackServer {
public:
    explicit OwnJackServer(std::string name) : name_(std::move(name))
    {
        setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
        std::vector<std::string> args{"jackd", "--no-realtime", "--sync", "--name", name_, "-d", "dummy",
                                      "-r",    "48000",         "-p",     "256"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "jackd", &actions, nullptr, argv.data(), environ) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~OwnJackServer() { Stop(); }
    OwnJackServer(const OwnJackServer&) = delete;
    OwnJackServer& operator=(const OwnJackServer&) = delete;

    bool IsStarted() const { return pid_ != 0; }
    void Stop()
    {
        if (pid_ == 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    std::string name_;
    pid_t pid_ = 0;
};

// Sets an environment variable for its life.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

// The user sees the system's reason when the link fails on it: a server
// that stopped is "The MIDI system stopped.", not a busy device.
TEST(JackServerStop, AWriteAfterTheServerStoppedSaysTheMidiSystemStopped)
{
    const std::string name = "torvan-stop-" + std::to_string(getpid());
    OwnJackServer server(name);
    ASSERT_TRUE(server.IsStarted()) << "jackd could not be started";
    const ScopedEnvironment chosen("JACK_DEFAULT_SERVER", name);
    std::unique_ptr<platform::JackOutDevice> out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (out == nullptr && std::chrono::steady_clock::now() < deadline) {
        out = platform::JackOutDevice::OpenVirtual("stop-test", "out");
        if (out == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(out, nullptr) << "the server did not answer";
    const uint8_t message[] = {0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};
    ASSERT_EQ(out->Write(message, sizeof message), platform::midierr::kOk);

    server.Stop();
    platform::MidiResult result = platform::midierr::kOk;
    const auto stopped = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (result == platform::midierr::kOk && std::chrono::steady_clock::now() < stopped) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        result = out->Write(message, sizeof message);
    }
    EXPECT_EQ(result, platform::midierr::kSystemStopped);
    EXPECT_EQ(platform::MidiErrorText(result), "The MIDI system stopped.");
}
