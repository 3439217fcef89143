#pragma once

#include "platform/windows/Message.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CApplication;
}

namespace demo {

// Pumps the application's messages for a while on the real clock.
void PumpFor(NSHarrowen::CApplication& app, uint64_t ms);

// Writes the real screen's picture of a window (X11) to `path` and returns
// how many of its pixels differ from the layer's own drawing; -1 when the
// screen cannot be read.
long CompareWithScreen(platform::WindowHandle window, const std::string& path);

} // namespace demo
