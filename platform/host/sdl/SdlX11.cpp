#include "platform/host/sdl/SdlX11.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/base/DesktopLoss.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#endif

#include <algorithm>
#include <cstdio>
#include <poll.h>

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

struct X11Window {
    Display* display = nullptr;
    Window window = 0;
};

bool X11Of(SDL_Window* window, X11Window& out)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    out = {info.info.x11.display, info.info.x11.window};
    return true;
}

// The connection itself broke (the X server ended): Xlib cannot go on, and
// SDL would spin on the dead connection for good.
int EndOnLostConnection(Display*)
{
    EndForLostDesktop("the X server's connection closed");
}
#endif

} // namespace

bool MarkX11ModalDialog(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    if (!X11Of(window, x))
        return false;
    const Atom type = XInternAtom(x.display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialog = XInternAtom(x.display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(x.display, x.window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    // Read by the manager when the window is mapped.
    const Atom state = XInternAtom(x.display, "_NET_WM_STATE", False);
    const Atom modal = XInternAtom(x.display, "_NET_WM_STATE_MODAL", False);
    XChangeProperty(x.display, x.window, state, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&modal), 1);
    XFlush(x.display);
    return true;
#else
    (void)window;
    return false;
#endif
}

bool SetX11SizeLimits(SDL_Window* window, Point minimum, Point maximum)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    if (!X11Of(window, x))
        return false;
    XSizeHints* hints = XAllocSizeHints();
    if (!hints)
        return false;
    // SDL's own hints (the position) stay as they are.
    long supplied = 0;
    XGetWMNormalHints(x.display, x.window, hints, &supplied);
    hints->min_width = std::max(1, minimum.x);
    hints->min_height = std::max(1, minimum.y);
    hints->max_width = std::max(hints->min_width, maximum.x);
    hints->max_height = std::max(hints->min_height, maximum.y);
    hints->flags |= PMinSize | PMaxSize;
    XSetWMNormalHints(x.display, x.window, hints);
    XFree(hints);
    XFlush(x.display);
    return true;
#else
    (void)window;
    (void)minimum;
    (void)maximum;
    return false;
#endif
}

bool X11WindowManagerRunning(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    if (!X11Of(window, x))
        return false;
    const Atom check = XInternAtom(x.display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(x.display, DefaultRootWindow(x.display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data);
    const bool running = status == Success && data && count == 1 && type == XA_WINDOW;
    if (data)
        XFree(data);
    return running;
#else
    (void)window;
    return false;
#endif
}

void KeepRunningOnX11Errors()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    XSetErrorHandler(LogX11Error);
    XSetIOErrorHandler(EndOnLostConnection);
#endif
}

bool WaitForX11Input(SDL_Window* window, int timeoutMs, int wakeFd)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    if (!X11Of(window, x))
        return false;
    // Events Xlib has read already do not make the socket readable.
    if (XEventsQueued(x.display, QueuedAfterFlush) > 0)
        return true;
    pollfd inputs[2] = {{ConnectionNumber(x.display), POLLIN, 0}, {wakeFd, POLLIN, 0}};
    poll(inputs, wakeFd >= 0 ? 2 : 1, timeoutMs);
    return true;
#else
    (void)window;
    (void)timeoutMs;
    (void)wakeFd;
    return false;
#endif
}

bool PointerOfX11Event(const SDL_SysWMmsg* message, X11PointerEvent& out)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!message || message->subsystem != SDL_SYSWM_X11)
        return false;
    const XEvent& x = message->msg.x11.event;
    unsigned int state = 0;
    out.button = 0;
    switch (x.type) {
    case MotionNotify:
        out.root = {x.xmotion.x_root, x.xmotion.y_root};
        out.window = x.xmotion.window;
        state = x.xmotion.state;
        break;
    case ButtonPress:
    case ButtonRelease:
        out.root = {x.xbutton.x_root, x.xbutton.y_root};
        out.window = x.xbutton.window;
        state = x.xbutton.state;
        out.button = static_cast<int>(x.xbutton.button);
        out.press = x.type == ButtonPress;
        break;
    case EnterNotify:
    case LeaveNotify:
        out.root = {x.xcrossing.x_root, x.xcrossing.y_root};
        out.window = x.xcrossing.window;
        state = x.xcrossing.state;
        break;
    default:
        return false;
    }
    out.heldBefore = ((state & Button1Mask) ? SDL_BUTTON_LMASK : 0u) | ((state & Button2Mask) ? SDL_BUTTON_MMASK : 0u) |
        ((state & Button3Mask) ? SDL_BUTTON_RMASK : 0u);
    return true;
#else
    (void)message;
    (void)out;
    return false;
#endif
}

bool X11PlaceOf(SDL_Window* window, Rect& out)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    XWindowAttributes a;
    if (!X11Of(window, x) || !XGetWindowAttributes(x.display, x.window, &a))
        return false;
    int left = 0, top = 0;
    Window child = 0;
    if (!XTranslateCoordinates(x.display, x.window, DefaultRootWindow(x.display), 0, 0, &left, &top, &child))
        return false;
    out = Rect::FromSize(left, top, a.width, a.height);
    return true;
#else
    (void)window;
    (void)out;
    return false;
#endif
}

unsigned long ConfiguredX11Window(const SDL_SysWMmsg* message)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!message || message->subsystem != SDL_SYSWM_X11)
        return 0;
    const XEvent& x = message->msg.x11.event;
    return x.type == ConfigureNotify ? x.xconfigure.window : 0;
#else
    (void)message;
    return 0;
#endif
}

unsigned long X11WindowOf(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x;
    return X11Of(window, x) ? x.window : 0;
#else
    (void)window;
    return 0;
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
