#include "platform/system/DesktopOpen.h"

#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace platform {

namespace {

std::string OpenerProgram()
{
    const char* own = std::getenv(kOpenerVariable);
    return own && *own ? own : "xdg-open";
}

// Waits for the opener on a thread of its own, so no zombie is left and its
// verdict is recorded without holding the caller.
void ReapLater(pid_t child, std::string opener, std::string pathOrUrl)
{
    std::thread([child, opener = std::move(opener), pathOrUrl = std::move(pathOrUrl)] {
        int status = 0;
        if (waitpid(child, &status, 0) != child)
            return;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::fprintf(stderr, "%s could not open %s (status %d)\n", opener.c_str(), pathOrUrl.c_str(),
                         WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }).detach();
}

} // namespace

bool OpenWithDesktop(const std::string& pathOrUrl)
{
    const std::string opener = OpenerProgram();
    const char* argv[] = {opener.c_str(), pathOrUrl.c_str(), nullptr};
    pid_t child = 0;
    // posix_spawnp reports a program that cannot be found or run.
    if (posix_spawnp(&child, opener.c_str(), nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    ReapLater(child, opener, pathOrUrl);
    return true;
}

} // namespace platform
