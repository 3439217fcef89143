#include "platform/host/sdl/SdlX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>

namespace platform {

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// Xlib's own handler ends the program. A request about a window that went
// away a moment before (a dialog just closed) is harmless; ending the
// program would lose the user's unsaved patches.
int LogX11Error(Display* display, XErrorEvent* error)
{
    char text[160] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error ignored: %s (request %d, resource 0x%lx)\n", text, error->request_code,
                 error->resourceid);
    return 0;
}
#endif

} // namespace

void KeepRunningOnX11Errors()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    XSetErrorHandler(LogX11Error);
#endif
}

bool PointerOfX11Event(const SDL_SysWMmsg* message, Point& out)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!message || message->subsystem != SDL_SYSWM_X11)
        return false;
    const XEvent& x = message->msg.x11.event;
    switch (x.type) {
    case MotionNotify:
        out = {x.xmotion.x_root, x.xmotion.y_root};
        return true;
    case ButtonPress:
    case ButtonRelease:
        out = {x.xbutton.x_root, x.xbutton.y_root};
        return true;
    case EnterNotify:
    case LeaveNotify:
        out = {x.xcrossing.x_root, x.xcrossing.y_root};
        return true;
    default:
        return false;
    }
#else
    (void)message;
    (void)out;
    return false;
#endif
}

bool RingX11Bell(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    XBell(info.info.x11.display, 0);
    XFlush(info.info.x11.display);
    return true;
#else
    (void)window;
    return false;
#endif
}

} // namespace platform
