#include "platform/system/DesktopOpen.h"

#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace platform {

namespace {

// How long the caller waits for the opener's verdict; the window stays
// responsive, and a quick failure (no viewer for the file) is still seen.
constexpr auto kVerdictWait = std::chrono::milliseconds(1500);

std::string OpenerProgram()
{
    const char* own = std::getenv(kOpenerVariable);
    return own && *own ? own : "xdg-open";
}

} // namespace

bool OpenWithDesktop(const std::string& pathOrUrl)
{
    const std::string opener = OpenerProgram();
    const char* argv[] = {opener.c_str(), pathOrUrl.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, opener.c_str(), nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    const auto end = std::chrono::steady_clock::now() + kVerdictWait;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Still running: reap it whenever it ends, so no zombie is left.
    std::thread([child] {
        int ignored = 0;
        waitpid(child, &ignored, 0);
    }).detach();
    return true;
}

} // namespace platform
