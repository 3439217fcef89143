#include "platform/host/DesktopHost.h"

#include "platform/graphics/Font.h"
#include "platform/host/sdl/SdlHost.h"

namespace platform {

std::unique_ptr<IHost> CreateDesktopHost()
{
    // The font configuration is read while SDL connects to the X server:
    // the first window's text needs it.
    PrepareFonts();
    return SdlHost::Create();
}

} // namespace platform
