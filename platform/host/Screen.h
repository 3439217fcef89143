#pragma once

#include "platform/base/GraphicsTypes.h"

namespace platform {

// The desktop the programs see: its rectangle and colour depth. The window
// layer sets it from the real display; until then it is 1280 x 1024 at 32 bits.
struct ScreenInfo {
    int width = 1280;
    int height = 1024;
    int depth = 32;
};

ScreenInfo GetScreenInfo();
void SetScreenInfo(const ScreenInfo& info);

} // namespace platform
