#pragma once

#include "platform/system/Clock.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/host/HostClipboard.h"
#include "platform/input/CursorShape.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The desktop the window layer runs on: a real one (SDL2) or an in-memory one
// (headless). The layer owns every window; the host only shows top-level
// windows as surfaces, reports input, keeps time and offers the few desktop
// services that need the real system.
using SurfaceId = uint32_t;

struct HostEvent {
    enum class Kind {
        None,
        MouseMove,
        MouseDown,
        MouseUp,
        KeyDown,
        KeyUp,
        Text,         // one typed character in `character`
        CloseRequest, // the desktop asks a surface to close
        FocusGained,  // the program became the active one
        FocusLost,
        DropFile,      // a file dropped on a surface: `text` is its path
        Quit,          // the desktop session ends
        Expose,        // a surface must be shown again
        DisplayChange, // the screen's depth or size changed
        Placed,        // the desktop moved or sized a surface: `rect` is where it is now
        Minimized,     // the desktop iconified a surface
        Maximized,     // the desktop maximised a surface
        Restored,      // the desktop took a surface back to its normal state
        Wheel,         // the mouse wheel turned by `wheel` notches (positive: away from the user)
    };
    Kind kind = Kind::None;
    SurfaceId surface = 0;
    Point screen;   // pointer position on the desktop
    int button = 0; // 1 left, 2 right, 3 middle
    uint32_t virtualKey = 0;
    bool extended = false; // the key is one of the extended block (keypad Enter, keypad /, arrows)
    bool repeat = false;
    char32_t character = 0;
    std::string text;
    Rect rect; // Placed: the surface on the desktop
    int wheel = 0;
};

// What a surface is to the desktop's window manager.
enum class SurfaceRole {
    Normal,
    Floater, // a tool window kept above its owner
    Dialog,  // a modal dialog of its owner
    Menu,    // a pop-up menu, drop-down list or tooltip: never managed
};

enum class SurfaceShow { Normal, Minimized, Maximized };

struct SurfaceParams {
    Rect rect; // on the desktop
    std::string title;
    bool tool = false;   // a floater: kept above its owner
    SurfaceId owner = 0; // 0 for none
    SurfaceRole role = SurfaceRole::Normal;
    bool resizable = false; // the desktop may size it
};

class IHost {
public:
    virtual ~IHost() = default;

    virtual Rect DesktopRect() const = 0;
    virtual int ColorDepth() const = 0;

    virtual SurfaceId CreateSurface(const SurfaceParams& params) = 0;
    virtual void DestroySurface(SurfaceId id) = 0;
    virtual void MoveSurface(SurfaceId id, const Rect& rect) = 0;
    virtual void ShowSurface(SurfaceId id, bool shown) = 0;
    virtual void RaiseSurface(SurfaceId id) = 0;
    virtual void SetSurfaceTitle(SurfaceId id, const std::string& title) = 0;
    // Keeps the surface above every other window of the desktop, or not.
    virtual void SetSurfaceTopMost(SurfaceId, bool) { }
    // The picture the desktop shows for the surface (its title bar, task list).
    virtual void SetSurfaceIcon(SurfaceId, const PixelBuffer&) { }
    // Marks the surface (not yet shown) as a modal dialog of its owner.
    virtual void SetSurfaceModal(SurfaceId, bool) { }
    // The smallest and largest sizes the desktop may give a resizable
    // surface (a surface that is not resizable keeps the size it is given).
    virtual void SetSurfaceSizeLimits(SurfaceId, Point, Point) { }
    // Lets the desktop size the surface, or keeps it at the size it is given
    // (a window whose sizing border comes or goes after it was made).
    virtual void SetSurfaceResizable(SurfaceId, bool) { }
    // Asks the desktop to iconify, maximise or restore the surface; false when
    // it cannot (no window manager), and the caller shows the state itself.
    // The desktop answers with Placed and show-state events.
    virtual bool SetSurfaceShow(SurfaceId, SurfaceShow) { return false; }
    // Memory the desktop shows the surface's pixels from, for a buffer of
    // width x height to live in so that presenting copies nothing; null when
    // the desktop keeps pixels of its own.
    virtual std::shared_ptr<PixelMemory> SurfaceMemory(SurfaceId, int /*width*/, int /*height*/) { return nullptr; }
    // Shows new contents; the buffer is the whole surface.
    virtual void PresentSurface(SurfaceId id, const PixelBuffer& pixels) = 0;
    // Shows the rectangles (surface coordinates) of the buffer, which is the
    // whole surface; the rest of the surface shows what it showed.
    virtual void PresentSurfaceRects(SurfaceId id, const PixelBuffer& pixels, const std::vector<Rect>&)
    {
        PresentSurface(id, pixels);
    }

    // Takes the next input event, if any. Never blocks.
    virtual bool PollEvent(HostEvent& event) = 0;
    // Blocks until an event may be waiting or the time has passed.
    virtual void WaitForEvent(uint32_t timeoutMs) = 0;

    // The clock the program runs on while this host is installed; none for
    // the system clock. Installing the host installs it (platform/system/Clock.h).
    virtual IClock* Clock() { return nullptr; }
    // The desktop's clipboard; none for one of the program's own. Installing
    // the host installs it (platform/host/HostClipboard.h).
    virtual IClipboard* Clipboard() { return nullptr; }

    virtual void SetCursor(CursorShape shape) = 0;
    virtual Point PointerPosition() const = 0;
    // Moves the pointer (knob drags hold it in place).
    virtual void WarpPointer(Point screen) = 0;

    virtual void Beep() = 0;
    // A blocking message box; returns the index of the button pressed.
    virtual int MessageBox(const std::string& title, const std::string& text, int buttons) = 0;
};

// The host the window layer uses. Installing one makes it current and returns
// the one it replaces, with its clock; the window layer must hold no windows
// at that time.
IHost& Host();
std::unique_ptr<IHost> InstallHost(std::unique_ptr<IHost> host);

} // namespace platform
