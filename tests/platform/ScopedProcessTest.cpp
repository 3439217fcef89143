// The tests' child processes go with the test: a test process that dies
// (a crash, an exit in a library) must not leave a child holding the test
// runner's output pipe.
#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Running, not ended (a zombie waiting for its parent has ended).
bool Alive(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string skip;
    char state = 0;
    if (!(stat >> skip))
        return false;
    // The name is in parentheses and may hold blanks.
    std::string rest((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = rest.rfind(')');
    if (close == std::string::npos || close + 2 >= rest.size())
        return false;
    state = rest[close + 2];
    return state != 'Z' && state != 'X';
}

// Run as a process of its own: starts a long child, notes its id, and dies
// without any cleaning up.
TEST(ScopedProcessChild, DISABLED_StartAndDie)
{
    testsupport::ScopedProcess child({"/bin/sleep", "60"});
    std::ofstream(getenv("TORVAN_SCOPED_PROCESS_FILE")) << child.Pid() << '\n';
    std::_Exit(child.Started() ? 3 : 4);
}

TEST(ScopedProcess, AChildEndsWhenTheTestProcessDiesWithoutCleaningUp)
{
    testsupport::TempDir dir;
    const std::string file = dir.File("pids");
    setenv("TORVAN_SCOPED_PROCESS_FILE", file.c_str(), 1);
    const char* argv[] = {"/proc/self/exe", "--gtest_filter=ScopedProcessChild.DISABLED_StartAndDie",
                          "--gtest_also_run_disabled_tests", nullptr};
    pid_t test = 0;
    ASSERT_EQ(posix_spawn(&test, argv[0], nullptr, nullptr, const_cast<char* const*>(argv), environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(test, &status, 0), test);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 3);
    pid_t sleeper = 0;
    std::ifstream(file) >> sleeper;
    ASSERT_GT(sleeper, 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (Alive(sleeper) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(Alive(sleeper)) << "the child outlived the test process";
}

// Five seconds of politeness, then the kill: half the child's own minute
// tells a kill from a wait for the child to end.
TEST(ScopedProcess, AChildThatIgnoresSigtermIsKilledAtTheEnd)
{
    const auto start = std::chrono::steady_clock::now();
    {
        testsupport::ScopedProcess child({"/bin/sh", "-c", "trap '' TERM; exec sleep 60"});
        ASSERT_TRUE(child.Started());
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

} // namespace
