#include "platform/host/Screen.h"

#include <mutex>

namespace platform {

namespace {
std::mutex gScreenMutex;
ScreenInfo gScreen;
} // namespace

ScreenInfo GetScreenInfo()
{
    std::lock_guard lock(gScreenMutex);
    return gScreen;
}

void SetScreenInfo(const ScreenInfo& info)
{
    std::lock_guard lock(gScreenMutex);
    gScreen = info;
}

} // namespace platform
