#pragma once

#include "platform/windows/Message.h"

#include <cstdint>

namespace NSHarrowen {

// Shows the program's "ICON" picture of this number (a 24-bit BMP) as the
// desktop's picture of the window. Without the resource, or when it cannot be
// read, the window keeps the desktop's own.
void ShowProgramIcon(platform::WindowHandle window, int32_t iconId);

} // namespace NSHarrowen
