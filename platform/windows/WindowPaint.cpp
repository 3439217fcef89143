#include "platform/windows/WindowPaint.h"

#include "platform/windows/MessageQueue.h"
#include "platform/graphics/RegionOps.h"
#include "platform/graphics/SystemColors.h"
#include "platform/windows/detail/WindowSystem.h"

#include <algorithm>
#include <cstring>

namespace platform {

using namespace detail;

namespace {

Rect ClientBounds(const WindowObject& w)
{
    const Rect c = ClientArea(w);
    return {0, 0, c.Width(), c.Height()};
}

uint32_t BackgroundPixel(ClassBackground background)
{
    uint32_t bgr = 0;
    switch (background) {
    case ClassBackground::None:
        return 0;
    case ClassBackground::ButtonFace:
        bgr = GetSystemColor(SystemColor::ButtonFace);
        break;
    case ClassBackground::AppWorkspace:
        return 0x808080;
    case ClassBackground::Window:
        bgr = GetSystemColor(SystemColor::Window);
        break;
    }
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

} // namespace

void InvalidateRect(WindowHandle window, const Rect* rect, bool erase)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    const Rect bounds = ClientBounds(*w);
    const Rect area = rect ? rect->Intersection(bounds) : bounds;
    if (area.IsEmpty())
        return;
    Unite(w->update, area);
    w->erase = w->erase || erase;
}

void InvalidateRegion(WindowHandle window, const Region& region, bool erase)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    Region area = region;
    Intersect(area, ClientBounds(*w));
    if (area.IsEmpty())
        return;
    Unite(w->update, area);
    w->erase = w->erase || erase;
}

void ValidateRect(WindowHandle window, const Rect* rect)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    if (rect)
        Subtract(w->update, *rect);
    else
        w->update.SetEmpty();
    if (w->update.IsEmpty())
        w->erase = false;
}

Region GetUpdateRegion(WindowHandle window)
{
    const WindowObject* w = Find(window);
    return w ? w->update : Region();
}

void UpdateWindow(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (w && !w->update.IsEmpty() && IsWindowVisible(window))
        SendMessage(window, msg::Paint, 0, 0);
}

WindowSurface GetWindowSurface(WindowHandle window)
{
    WindowObject* w = Find(window);
    if (!w)
        return {};
    const Point at = OffsetInTop(*w);
    const Rect c = ClientArea(*w);
    WindowSurface surface{&TopLevelOf(*w).surface, {at.x + c.left, at.y + c.top}, ClientBounds(*w), {}};
    surface.visible = VisibleInTop(*w, true);
    surface.visible.Offset(-surface.clientOrigin.x, -surface.clientOrigin.y);
    return surface;
}

void SurfaceChanged(WindowHandle window)
{
    const WindowObject* w = Find(window);
    if (!w)
        return;
    // A paint's own drawing stays in the area it took (marked then).
    if (w->painting)
        System().dirtyTopLevels.insert(TopLevelOf(*w).handle);
    else
        MarkDirtyRegion(*w, VisibleInTop(*w, true));
}

PaintContext BeginPaint(WindowHandle window)
{
    PaintContext paint;
    WindowObject* w = Find(window);
    if (!w)
        return paint;
    paint.surface = GetWindowSurface(window);
    // What children or windows above cover is theirs to paint.
    paint.update = w->update;
    Intersect(paint.update, paint.surface.visible);
    const bool erase = w->erase;
    w->update.SetEmpty();
    w->erase = false;
    if (paint.update.IsEmpty())
        return paint;
    w->painting = true;
    const Point o = paint.surface.clientOrigin;
    Region inTop = paint.update;
    inTop.Offset(o.x, o.y);
    MarkDirtyRegion(*w, inTop);
    if (erase) {
        if (SendMessage(window, msg::EraseBackground, 0, 0) == 0 && (w = Find(window))) {
            const uint32_t fill = BackgroundPixel(w->windowClass.background);
            for (const IntRect& r : paint.update.Rects())
                for (int y = r.top; y < r.bottom; ++y) {
                    uint32_t* row = paint.surface.pixels->Row(y + o.y);
                    std::fill(row + r.left + o.x, row + r.right + o.x, fill);
                }
        }
        paint.erased = true;
    }
    return paint;
}

void EndPaint(WindowHandle window, const PaintContext&)
{
    if (WindowObject* w = Find(window)) {
        w->painting = false;
        System().dirtyTopLevels.insert(TopLevelOf(*w).handle);
    }
}

void ScrollWindow(WindowHandle window, int dx, int dy, const Rect* area)
{
    WindowObject* w = Find(window);
    if (!w || (dx == 0 && dy == 0))
        return;
    const Rect bounds = ClientBounds(*w);
    const Rect scroll = area ? area->Intersection(bounds) : bounds;
    if (scroll.IsEmpty())
        return;
    const WindowSurface surface = GetWindowSurface(window);
    Region hidden(scroll);
    Subtract(hidden, surface.visible);
    if (!hidden.IsEmpty()) {
        // Part of the area is covered: its pixels are not the window's to
        // move, so the whole area paints again.
        Unite(w->update, scroll);
        MarkDirty(window);
        return;
    }
    PixelBuffer& pixels = *surface.pixels;
    const Point o = surface.clientOrigin;
    const Rect source = scroll.Intersection(scroll.Offset(-dx, -dy));
    // Copy in an order that never reads a pixel already overwritten.
    const int rows = source.Height();
    for (int i = 0; i < rows; ++i) {
        const int y = dy > 0 ? source.bottom - 1 - i : source.top + i;
        const uint32_t* src = pixels.Row(y + o.y) + source.left + o.x;
        uint32_t* dst = pixels.Row(y + dy + o.y) + source.left + dx + o.x;
        std::memmove(dst, src, static_cast<size_t>(source.Width()) * sizeof(uint32_t));
    }
    // The pending update moves with the content; the uncovered part joins it.
    Region moved = w->update;
    Intersect(moved, scroll);
    Subtract(w->update, scroll);
    moved.Offset(dx, dy);
    Intersect(moved, scroll);
    Unite(w->update, moved);
    Region uncovered(scroll);
    Subtract(uncovered, source.Offset(dx, dy));
    Unite(w->update, uncovered);
    MarkDirtyRegion(*w, Region(scroll.Offset(o.x, o.y)));
}

PixelBuffer CaptureWindow(WindowHandle window)
{
    PixelBuffer out;
    const WindowObject* w = Find(window);
    if (!w)
        return out;
    // Cut the window out of its top-level's pixels.
    const PixelBuffer& whole = ComposedTopLevel(TopLevelOf(*w));
    const Point at = OffsetInTop(*w);
    const Rect r = Rect::FromSize(at.x, at.y, w->rect.Width(), w->rect.Height());
    out.Resize(r.Width(), r.Height(), 0);
    const Rect inside = r.Intersection({0, 0, whole.Width(), whole.Height()});
    for (int y = inside.top; y < inside.bottom; ++y)
        std::copy(whole.Row(y) + inside.left, whole.Row(y) + inside.right, out.Row(y - r.top) + (inside.left - r.left));
    return out;
}

void FlushScreen()
{
    PresentDirty();
}

void FlushWindow(WindowHandle window)
{
    if (const WindowObject* w = Find(window))
        PresentDirtyOf(TopLevelOf(*w).handle);
}

} // namespace platform
