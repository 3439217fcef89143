#include "tests/support/ScopedProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace testsupport {

ScopedProcess::ScopedProcess(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        pid_ = -1;
}

ScopedProcess::~ScopedProcess()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

} // namespace testsupport
