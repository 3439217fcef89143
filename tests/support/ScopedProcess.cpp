#include "tests/support/ScopedProcess.h"

#include <chrono>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace testsupport {

pid_t StartTiedProcess(std::vector<std::string> args, const std::vector<std::string>& env, const std::string& errorFile)
{
    // Everything the child needs is made before the fork: after it, only
    // calls that are safe in a forked child.
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings(env);
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        if (!errorFile.empty()) {
            const int fd = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (fd < 0 || dup2(fd, 2) < 0)
                _exit(127);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return pid;
}

ScopedProcess::ScopedProcess(std::vector<std::string> args) : pid_(StartTiedProcess(std::move(args))) { }

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
