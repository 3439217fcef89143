#pragma once

#include "platform/base/Geometry.h"
#include "platform/windows/Message.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/Region.h"

// Update regions, painting and direct drawing on windows.
namespace platform {

// Adds to the window's update region (client coordinates; none: the whole
// client area). With erase, the background is filled before msg::Paint.
void InvalidateRect(WindowHandle window, const Rect* rect, bool erase);
void InvalidateRegion(WindowHandle window, const Region& region, bool erase);
void ValidateRect(WindowHandle window, const Rect* rect);
Region GetUpdateRegion(WindowHandle window);
// Sends msg::Paint at once when the update region is not empty.
void UpdateWindow(WindowHandle window);

// Where a window's client area lies in its pixel surface.
struct WindowSurface {
    PixelBuffer* pixels = nullptr; // the whole window; none for no window
    Point clientOrigin;            // the client area's top-left in `pixels`
    Rect clientRect;               // 0, 0, width, height
    // The part of the client area the screen shows (client coordinates):
    // the pixels are shared with the windows around, so drawing stays in it.
    Region visible;
};

// A paint in progress: the area to draw (client coordinates) and where.
struct PaintContext {
    WindowSurface surface;
    Region update;
    bool erased = false;
};

// Takes the update region (as far as the window shows) and clears it; sends
// msg::EraseBackground first when an erase was asked for (a result of 0
// fills with the class background).
PaintContext BeginPaint(WindowHandle window);
void EndPaint(WindowHandle window, const PaintContext& paint);

// For drawing outside a paint; tell the layer afterwards with SurfaceChanged.
WindowSurface GetWindowSurface(WindowHandle window);
void SurfaceChanged(WindowHandle window);

// Moves the pixels of the client area (or of `area`) by dx, dy and adds the
// uncovered part to the update region.
void ScrollWindow(WindowHandle window, int dx, int dy, const Rect* area);

// Composes the window with its children as the screen shows it (for tests and
// screenshots of one window).
PixelBuffer CaptureWindow(WindowHandle window);
// Hands every changed top-level window to the host now.
void FlushScreen();
// Hands the changes of the window's top-level window alone to the host now.
void FlushWindow(WindowHandle window);

} // namespace platform
