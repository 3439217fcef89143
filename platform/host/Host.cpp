#include "platform/host/Host.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/Screen.h"

namespace platform {

namespace {

std::unique_ptr<IHost>& Current()
{
    static std::unique_ptr<IHost> host;
    return host;
}

// The host's clock runs the program, and its desktop is the screen drawing sees.
void Adopt(IHost& host)
{
    InstallClock(host.Clock());
    const Rect desk = host.DesktopRect();
    SetScreenInfo({desk.right, desk.bottom, host.ColorDepth()});
}

} // namespace

IHost& Host()
{
    auto& host = Current();
    if (!host) {
        host = std::make_unique<HeadlessHost>();
        Adopt(*host);
    }
    return *host;
}

std::unique_ptr<IHost> InstallHost(std::unique_ptr<IHost> host)
{
    auto previous = std::move(Current());
    Current() = std::move(host);
    if (Current())
        Adopt(*Current());
    else
        InstallClock(nullptr);
    return previous;
}

} // namespace platform
