#include "platform/host/HostScope.h"

#include "platform/windows/Window.h"

#include <stdexcept>

namespace platform {

CHostScope::CHostScope(std::unique_ptr<IHost> host) : host_(host.get())
{
    if (!host_)
        throw std::invalid_argument("CHostScope needs a host");
    previous_ = InstallHost(std::move(host));
}

CHostScope::~CHostScope()
{
    ResetWindowSystem();
    InstallHost(std::move(previous_));
}

} // namespace platform
