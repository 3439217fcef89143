#include "tests/support/ScopedProcess.h"

#include <chrono>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

ScopedProcess::ScopedProcess(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0)
        return;
    if (pid == 0) {
        // The child ends with the test's process however that ends (a crash,
        // an exit in a library): an orphan would keep the test runner's
        // output pipe open and hold it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    pid_ = pid;
}

ScopedProcess::~ScopedProcess()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    // Politely first; a child that does not end in five seconds is killed.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= end) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace testsupport
