#include "platform/system/DesktopOpen.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

extern char** environ;

namespace platform {

namespace {

std::string OpenerProgram()
{
    const char* own = std::getenv(kOpenerVariable);
    return own && *own ? own : "xdg-open";
}

struct FailedOpens {
    std::mutex lock;
    std::vector<std::string> paths;
};

FailedOpens& Failed()
{
    static FailedOpens failed;
    return failed;
}

// Waits for the opener on a thread of its own, so no zombie is left and its
// verdict is kept without holding the caller.
void ReapLater(pid_t child, std::string opener, std::string pathOrUrl)
{
    std::thread([child, opener = std::move(opener), pathOrUrl = std::move(pathOrUrl)] {
        int status = 0;
        if (waitpid(child, &status, 0) != child)
            return;
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return;
        std::fprintf(stderr, "%s could not open %s (status %d)\n", opener.c_str(), pathOrUrl.c_str(),
                     WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        FailedOpens& failed = Failed();
        const std::lock_guard<std::mutex> hold(failed.lock);
        failed.paths.push_back(pathOrUrl);
    }).detach();
}

// The child starts clean: only the standard streams (the descriptors of
// the libraries, JACK's sockets among them, are not all close-on-exec), no
// blocked signals, and the signals this process ignores back at their
// defaults.
class CleanSpawn {
public:
    CleanSpawn()
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawnattr_init(&attributes_);
        posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &ignored_);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~CleanSpawn()
    {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    CleanSpawn(const CleanSpawn&) = delete;
    CleanSpawn& operator=(const CleanSpawn&) = delete;

    // The child's id; none when the program cannot be found or run.
    std::optional<pid_t> Start(const char* program, const char* const* argv)
    {
        pid_t child = 0;
        if (posix_spawnp(&child, program, &actions_, &attributes_, const_cast<char* const*>(argv), environ) != 0)
            return std::nullopt;
        return child;
    }

private:
    static sigset_t IgnoredSignals()
    {
        sigset_t ignored;
        sigemptyset(&ignored);
        for (int signal = 1; signal < NSIG; ++signal) {
            struct sigaction action { };
            if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN)
                sigaddset(&ignored, signal);
        }
        return ignored;
    }

    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
    sigset_t ignored_ = IgnoredSignals();
};

} // namespace

bool OpenWithDesktop(const std::string& pathOrUrl)
{
    const std::string opener = OpenerProgram();
    const char* argv[] = {opener.c_str(), pathOrUrl.c_str(), nullptr};
    const std::optional<pid_t> child = CleanSpawn().Start(opener.c_str(), argv);
    if (!child)
        return false;
    ReapLater(*child, opener, pathOrUrl);
    return true;
}

std::vector<std::string> TakeFailedOpens()
{
    FailedOpens& failed = Failed();
    const std::lock_guard<std::mutex> hold(failed.lock);
    return std::exchange(failed.paths, {});
}

} // namespace platform
