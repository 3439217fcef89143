#include "platform/host/DesktopHost.h"

#include "platform/host/sdl/SdlHost.h"

namespace platform {

std::unique_ptr<IHost> CreateDesktopHost()
{
    return SdlHost::Create();
}

} // namespace platform
