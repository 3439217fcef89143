#pragma once

#include "platform/base/Geometry.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// What the SDL2 host asks of the X server directly, apart from the rest so
// that X11's macros stay out of it. Each answers false when SDL does not run
// on X11.
namespace platform {

// The pointer's place on the screen that an X event carries.
bool PointerOfX11Event(const SDL_SysWMmsg* message, Point& out);
// Rings the X server's bell.
bool RingX11Bell(SDL_Window* window);
// Failed X requests are logged on the error output instead of ending the
// program (Xlib's default).
void KeepRunningOnX11Errors();

} // namespace platform
