#pragma once

#include "platform/base/Geometry.h"

#include <cstdint>

struct SDL_Window;
struct SDL_SysWMmsg;

// What the SDL2 host asks of the X server directly, apart from the rest so
// that X11's macros stay out of it. Each answers false when SDL does not run
// on X11.
namespace platform {

// What an X pointer event (a move, a crossing, a press or a release) tells.
struct X11PointerEvent {
    Point root;               // the pointer's place on the screen
    unsigned long window = 0; // the X window it was reported to
    uint32_t heldBefore = 0;  // buttons 1 to 3 held just before it, as SDL_BUTTON masks
    int button = 0;           // pressed or released, in X's numbering (1 left, 2 middle, 3 right, 4+ wheel)
    bool press = false;
};
bool PointerOfX11Event(const SDL_SysWMmsg* message, X11PointerEvent& out);
// Where the window is on the screen now, as the X server has it (SDL's own
// record misses some of the window manager's moves).
bool X11PlaceOf(SDL_Window* window, Rect& out);
// The X window that an X event reports configured (moved or sized), else 0.
unsigned long ConfiguredX11Window(const SDL_SysWMmsg* message);
// The X window of an SDL window, else 0.
unsigned long X11WindowOf(SDL_Window* window);
// Rings the X server's bell.
bool RingX11Bell(SDL_Window* window);
// Marks a window not yet shown as a modal dialog for the window manager.
bool MarkX11ModalDialog(SDL_Window* window);
// Tells the window manager the smallest and largest sizes of a window.
bool SetX11SizeLimits(SDL_Window* window, Point minimum, Point maximum);
// Whether a window manager runs on the window's display.
bool X11WindowManagerRunning(SDL_Window* window);
// Failed X requests are logged on the error output instead of ending the
// program (Xlib's default); a lost connection ends the program at once.
// Called before SDL starts as well as after: SDL puts back the handler it
// found when it closes its connections, and errors still due arrive then.
void KeepRunningOnX11Errors();
// Waits until the window's X connection (or `wakeFd`, when given) has
// something to read or the time is up. SDL's own wait wakes itself by messages to our newest window over a
// second connection; one that races with that window's closing fails.
bool WaitForX11Input(SDL_Window* window, int timeoutMs, int wakeFd = -1);

} // namespace platform
