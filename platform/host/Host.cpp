#include "platform/host/Host.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

std::unique_ptr<IHost>& Current()
{
    static std::unique_ptr<IHost> host;
    return host;
}

// The host's clock runs the program, and its clipboard is the one copies go to.
void Adopt(IHost& host)
{
    InstallClock(host.Clock());
    InstallClipboard(host.Clipboard());
}

} // namespace

IHost& Host()
{
    auto& host = Current();
    if (!host) {
        // Drawing on a desktop nobody sees would look like a program that
        // hangs; say what is missing instead.
        std::fputs("platform: no host is installed: a program installs its desktop (CHostScope with "
                   "CreateDesktopHost) before it makes a window\n",
                   stderr);
        std::abort();
    }
    return *host;
}

std::unique_ptr<IHost> InstallHost(std::unique_ptr<IHost> host)
{
    auto previous = std::move(Current());
    Current() = std::move(host);
    if (Current())
        Adopt(*Current());
    else {
        InstallClock(nullptr);
        InstallClipboard(nullptr);
    }
    return previous;
}

} // namespace platform
