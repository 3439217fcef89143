#include "platform/Host.h"

#include "platform/HeadlessHost.h"

namespace platform {

namespace {

std::unique_ptr<IHost>& Current()
{
    static std::unique_ptr<IHost> host;
    return host;
}

} // namespace

IHost& Host()
{
    auto& host = Current();
    if (!host) {
        host = std::make_unique<HeadlessHost>();
        InstallClock(host->Clock());
    }
    return *host;
}

std::unique_ptr<IHost> InstallHost(std::unique_ptr<IHost> host)
{
    auto previous = std::move(Current());
    Current() = std::move(host);
    InstallClock(Current() ? Current()->Clock() : nullptr);
    return previous;
}

} // namespace platform
