#include "platform/input/InputState.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/WindowPaint.h"
#include "platform/windows/detail/WindowSystem.h"

namespace platform {

using namespace detail;

namespace {

CursorShape CursorForHit(LResult hitCode)
{
    switch (hitCode) {
    case hit::Left:
    case hit::Right:
        return CursorShape::SizeWE;
    case hit::Top:
    case hit::Bottom:
        return CursorShape::SizeNS;
    case hit::TopLeft:
    case hit::BottomRight:
        return CursorShape::SizeNWSE;
    case hit::TopRight:
    case hit::BottomLeft:
        return CursorShape::SizeNESW;
    default:
        return CursorShape::Arrow;
    }
}

void StartDrag(WindowObject& w, LResult hitCode, Point screen)
{
    Drag& d = System().drag;
    d.window = w.handle;
    d.hit = hitCode;
    d.start = screen;
    d.startRect = w.rect;
    d.mode = hitCode == hit::Caption ? DragMode::Move : DragMode::Size;
}

void NonClientPress(WindowObject& w, LResult hitCode, Point screen)
{
    switch (hitCode) {
    case hit::CloseButton:
        PerformSysCommand(w.handle, kSysCommandClose);
        return;
    case hit::MaxButton:
        PerformSysCommand(w.handle, w.show == ShowState::Normal ? kSysCommandMaximize : kSysCommandRestore);
        return;
    case hit::MinButton:
        PerformSysCommand(w.handle, w.show == ShowState::Minimized ? kSysCommandRestore : kSysCommandMinimize);
        return;
    case hit::Caption:
        if (w.show == ShowState::Normal)
            StartDrag(w, hitCode, screen);
        return;
    case hit::Left:
    case hit::Right:
    case hit::Top:
    case hit::Bottom:
    case hit::TopLeft:
    case hit::TopRight:
    case hit::BottomLeft:
    case hit::BottomRight:
        StartDrag(w, hitCode, screen);
        return;
    default:
        return;
    }
}

} // namespace

void PerformSysCommand(WindowHandle window, WParam command)
{
    WindowObject* w = Find(window);
    if (!w)
        return;
    const bool mdiChild = IsMdiChild(*w);
    switch (command & 0xFFF0) {
    case kSysCommandClose:
        SendMessage(window, msg::Close, 0, 0);
        break;
    case kSysCommandMaximize:
        if (w->style & style::MaximizeBox) {
            if (mdiChild)
                SendMessage(w->parent, msg::MdiMaximize, window, 0);
            else
                ShowWindow(window, ShowCommand::Maximize);
        }
        break;
    case kSysCommandRestore:
        if (mdiChild)
            SendMessage(w->parent, msg::MdiRestore, window, 0);
        else
            ShowWindow(window, ShowCommand::Restore);
        break;
    case kSysCommandMinimize:
        if (w->style & style::MinimizeBox)
            ShowWindow(window, ShowCommand::Minimize);
        break;
    default:
        break;
    }
}

LResult DefWindowProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    WindowObject* w = Find(window);
    if (!w)
        return 0;
    switch (message) {
    case msg::NcHitTest: {
        const Point o = WindowOrigin(*w);
        return HitTest(*w, {LowSigned(lParam) - o.x, HighSigned(lParam) - o.y});
    }
    case msg::NcLButtonDown:
        NonClientPress(*w, static_cast<LResult>(wParam), PointFromLParam(lParam));
        return 0;
    case msg::NcLButtonDoubleClick:
        if (static_cast<LResult>(wParam) == hit::Caption)
            PerformSysCommand(window, w->show == ShowState::Normal ? kSysCommandMaximize : kSysCommandRestore);
        else
            NonClientPress(*w, static_cast<LResult>(wParam), PointFromLParam(lParam));
        return 0;
    case msg::SysCommand:
        PerformSysCommand(window, wParam);
        return 0;
    case msg::Close:
        DestroyWindow(window);
        return 0;
    case msg::Help:
        // Help goes up to the window that can give it.
        if (const WindowHandle up = w->parent ? w->parent : GetOwner(window))
            return SendMessage(up, msg::Help, wParam, lParam);
        return 0;
    case msg::SetCursor: {
        if (w->parent && SendMessage(w->parent, msg::SetCursor, wParam, lParam))
            return 1;
        // Only the window under the pointer sets its own cursor; its
        // ancestors were asked first and let it.
        if (static_cast<WindowHandle>(wParam) != window)
            return 0;
        SetCursor(CursorForHit(LowSigned(lParam)));
        return 1;
    }
    case msg::Paint: {
        const PaintContext paint = BeginPaint(window);
        EndPaint(window, paint);
        return 0;
    }
    case msg::EraseBackground:
        return 0;
    case msg::Activate:
        if (LowWordOf(wParam) != kActivateInactive) {
            const WindowHandle focus = GetFocus();
            if (focus != window && !IsChildOf(focus, window))
                SetFocus(window);
        }
        return 0;
    case msg::NcActivate:
        w->activeCaption = wParam != 0;
        DrawNonClient(*w);
        MarkDirty(window);
        return 1;
    case msg::RButtonUp: {
        const Point screen = ClientToScreen(window, PointFromLParam(lParam));
        SendMessage(window, msg::ContextMenu, window, MakeLParam(screen.x, screen.y));
        return 0;
    }
    case msg::ContextMenu:
        if (w->parent)
            return SendMessage(w->parent, msg::ContextMenu, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace platform
