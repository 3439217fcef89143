#pragma once

#include "platform/host/Host.h"

#include <memory>

namespace platform {

// The host of the real desktop (SDL2), or none when no display can be
// opened. The one place a program gets its desktop from; it lives in the
// platform_sdl library, which only programs link.
std::unique_ptr<IHost> CreateDesktopHost();

} // namespace platform
