#include "platform/system/DesktopOpen.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

bool OpenWithDesktop(const std::string& path)
{
    const char* argv[] = {"xdg-open", path.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    // xdg-open hands the file on and ends soon; wait so no zombie is left.
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace platform
